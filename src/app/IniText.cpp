#include "app/IniText.h"

namespace {
bool isHexDigit(uint c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void appendEscapedKey(const QString &key, QByteArray &out)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const QChar qc : key) {
        const uint c = qc.unicode();
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += hex[c / 16];
            out += hex[c % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(c >> shift) & 0xF];
        }
    }
}

// Bytes of a @ByteArray value go out as they are below 0x7F and as \x escapes above, so a
// value survives any byte; texts go out as UTF-8.
void appendEscapedValue(const QString &text, bool bytes, QByteArray &out)
{
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const QChar qc : text) {
        const uint c = qc.unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case '\0':
            out += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1F || (c >= 0x7F && bytes)) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfDigit = true;
            } else if (bytes) {
                out += char(c);
            } else {
                out += QString(qc).toUtf8();
            }
        }
    }
    if (needsQuotes ||
        (start < out.size() && (out.at(start) == ' ' || out.at(out.size() - 1) == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

void appendValue(const QVariant &value, QByteArray &out)
{
    if (value.typeId() == QMetaType::QByteArray) {
        const QString text = QStringLiteral("@ByteArray(") +
                             QString::fromLatin1(value.toByteArray()) + QLatin1Char(')');
        appendEscapedValue(text, true, out);
        return;
    }
    QString text = value.toString();
    // QSettings reads a leading @ as a type tag; a doubled one stands for the character.
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));
    appendEscapedValue(text, false, out);
}
} // namespace

QByteArray IniText(const QMap<QString, QVariant> &values)
{
    QMap<QString, QMap<QString, QVariant>> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QStringLiteral("General") : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        sections[section][key] = it.value();
    }
    QByteArray out;
    for (auto s = sections.cbegin(); s != sections.cend(); ++s) {
        if (!out.isEmpty())
            out += '\n';
        out += '[';
        appendEscapedKey(s.key(), out);
        out += "]\n";
        for (auto k = s->cbegin(); k != s->cend(); ++k) {
            appendEscapedKey(k.key(), out);
            out += '=';
            appendValue(k.value(), out);
            out += '\n';
        }
    }
    return out;
}
