#pragma once

#include "entries/PasswordTraits.h"

#include <QByteArray>
#include <QtGlobal>

class Ui;

// Measures a windows-1252 password against a length range and records its eight traits, each
// character classified by its byte code. The traits are reset first, so a caller reads them
// right after the call. False only when a failure interrupted the measuring (reported).
bool pwdvalidation(Ui &ui, const QByteArray &password, qint16 min, qint16 max,
                   PasswordTraitSet &traits);
