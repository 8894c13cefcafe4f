#pragma once

#include <QByteArray>
#include <QString>

// What the program prints: text on standard output or standard error, in UTF-8.
namespace Output {
void out(const QString &text);
// Bytes already in UTF-8.
void outBytes(const QByteArray &utf8);
void err(const QString &text);
// A message box's text as terminal lines: CR LF, LF CR and lone CR become LF, and the text
// ends in exactly one LF.
QString asLines(const QString &text);
} // namespace Output
