#pragma once

#include "entries/LoginRecord.h"

#include <QByteArray>
#include <QString>

// The choices of the plain-text export dialog.
struct TextExportOptions
{
    bool description = false;
    bool password = false;
    bool validationRules = false;
    bool vertical = false;
    bool headings = false;
    QString delimiterText = QStringLiteral("Comma");
};

// "Comma", "TAB", "Semicolon" and "Space" name their characters, compared exactly; any other text
// is the delimiter as typed, possibly empty or several characters long.
QString TextExportDelimiter(const QString &delimiterText);

// The heading line of the horizontal format, ended by CR LF; empty unless headings are wanted
// in the horizontal format.
QByteArray TextExportHeadingLine(const TextExportOptions &options, const QByteArray &delimiter);

// One live entry's line (horizontal) or lines (vertical), each ended by CR LF. The login and the
// description are trimmed of blanks; the clear password is written as it is.
QByteArray TextExportEntryLines(const LoginRecord &record, const QByteArray &password,
                                const TextExportOptions &options, const QByteArray &delimiter);
