#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <functional>

// A source of uniform numbers r with 0 <= r < 1. Production draws come from the operating
// system's cryptographic generator; tests may hand in a fixed sequence.
using UniformDraw = std::function<double()>;

// A password shaped by the entry's rules: length floor((max - min + 1) * r + min), empty when
// that is below 1, each character from one of four equally likely slots. Never a space.
QByteArray GeneratePassword(bool caseSensitive, bool mix, bool special, qint16 min, qint16 max);
QByteArray GeneratePassword(bool caseSensitive, bool mix, bool special, qint16 min, qint16 max,
                            const UniformDraw &draw);

// Twelve characters with every slot on: A-Z, a-z, 0-9 and the seven characters ':' to '@'.
QByteArray GenerateVaultPassword();
QByteArray GenerateVaultPassword(const UniformDraw &draw);
