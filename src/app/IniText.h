#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

// The settings file's text, written the way QSettings writes an INI file, so QSettings (and any
// older copy of the program) still reads it: keys are "Section/Key", values are texts or byte
// arrays (the latter as @ByteArray(...), binary-safe).
QByteArray IniText(const QMap<QString, QVariant> &values);
