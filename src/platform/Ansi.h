#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Text that reaches the cipher or a record file is one byte per character in windows-1252.
// Every byte value maps to exactly one character and back, so ciphertext survives as text.
namespace Ansi {
QString toText(const QByteArray &bytes);
// nullopt when a character has no windows-1252 byte; such text is refused, never stored as "?".
std::optional<QByteArray> fromText(const QString &text);
bool representable(const QString &text);
} // namespace Ansi
