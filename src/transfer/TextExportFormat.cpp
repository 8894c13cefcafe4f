#include "transfer/TextExportFormat.h"

#include <QList>

namespace {
constexpr char kLineEnd[] = "\r\n";

struct Column
{
    const char *heading; // horizontal heading
    const char *label;   // vertical line's opening
    QByteArray value;
};

QByteArray boolText(bool value)
{
    return value ? QByteArrayLiteral("True") : QByteArrayLiteral("False");
}

// The present columns in their fixed order, with the record's values.
QList<Column> columns(const TextExportOptions &options, const LoginRecord &r,
                      const QByteArray &password)
{
    QList<Column> out;
    out.append({"Login", "Login: ", TrimSpaces(r.Login)});
    if (options.description)
        out.append({"Description", "Description: ", TrimSpaces(r.Description)});
    if (options.password)
        out.append({"Password", "Password: ", password});
    if (options.validationRules) {
        out.append({"Expiry-Days", "Expiry Period-Days: ", QByteArray::number(r.ExpireDays)});
        out.append({"Case Sensitive", "Case Sensitive: ", boolText(r.CaseSensitive)});
        out.append({"Allow Space", "Allow Space Char: ", boolText(r.AllowSpace)});
        out.append({"Require AlphaNumeric", "Require AlphaNumeric: ", boolText(r.RequireMix)});
        out.append(
            {"Allow Extended Characters", "Allow special chars: ", boolText(r.RequireSpecial)});
        out.append({"Minimum Length", "Min Length: ", QByteArray::number(r.MinLength)});
        out.append({"Maximum Length", "Max length: ", QByteArray::number(r.MaxLength)});
    }
    return out;
}
} // namespace

QString TextExportDelimiter(const QString &delimiterText)
{
    if (delimiterText == QLatin1String("Comma"))
        return QStringLiteral(",");
    if (delimiterText == QLatin1String("TAB"))
        return QStringLiteral("\t");
    if (delimiterText == QLatin1String("Semicolon"))
        return QStringLiteral(";");
    if (delimiterText == QLatin1String("Space"))
        return QStringLiteral(" ");
    return delimiterText;
}

QByteArray TextExportHeadingLine(const TextExportOptions &options, const QByteArray &delimiter)
{
    if (options.vertical || !options.headings)
        return {};
    QByteArray line;
    const QList<Column> present = columns(options, LoginRecord(), {});
    for (qsizetype i = 0; i < present.size(); ++i) {
        if (i > 0)
            line += delimiter;
        line += present[i].heading;
    }
    return line + kLineEnd;
}

QByteArray TextExportEntryLines(const LoginRecord &record, const QByteArray &password,
                                const TextExportOptions &options, const QByteArray &delimiter)
{
    const QList<Column> present = columns(options, record, password);
    QByteArray out;
    if (options.vertical) {
        for (const Column &c : present)
            out += c.label + c.value + kLineEnd;
        return out;
    }
    for (qsizetype i = 0; i < present.size(); ++i) {
        if (i > 0)
            out += delimiter;
        out += present[i].value;
    }
    return out + kLineEnd;
}
