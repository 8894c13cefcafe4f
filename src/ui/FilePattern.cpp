#include "ui/FilePattern.h"

namespace {
QString WildcardToRegex(const QString &wildcard)
{
    QString out;
    QString literal;
    for (const QChar c : wildcard) {
        if (c != QLatin1Char('*') && c != QLatin1Char('?')) {
            literal += c;
            continue;
        }
        // Escaped a run at a time, so a character outside the basic plane stays whole.
        out += QRegularExpression::escape(literal);
        literal.clear();
        out += c == QLatin1Char('*') ? QStringLiteral(".*") : QStringLiteral(".");
    }
    return out + QRegularExpression::escape(literal);
}
} // namespace

FilePattern::FilePattern(const QString &typed)
{
    const QStringList parts = typed.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString part : parts) {
        part = part.trimmed();
        if (part.isEmpty())
            continue;
        QString regex = WildcardToRegex(part);
        if (part.endsWith(QStringLiteral(".*")))
            regex = WildcardToRegex(part.chopped(2)) + QStringLiteral("(\\..*)?");
        m_wildcards.append(QRegularExpression(QRegularExpression::anchoredPattern(regex),
                                              QRegularExpression::CaseInsensitiveOption |
                                                  QRegularExpression::DotMatchesEverythingOption));
    }
}

bool FilePattern::matches(const QString &name) const
{
    if (m_wildcards.isEmpty())
        return true;
    for (const QRegularExpression &wildcard : m_wildcards) {
        if (wildcard.match(name).hasMatch())
            return true;
    }
    return false;
}
