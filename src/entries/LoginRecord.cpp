#include "entries/LoginRecord.h"

#include <QtEndian>
#include <cstring>

namespace {
constexpr int kExpireDays = 196;
constexpr int kExpireStart = 198;
constexpr int kCaseSensitive = 206;
constexpr int kAllowSpace = 208;
constexpr int kRequireMix = 210;
constexpr int kRequireSpecial = 212;

QByteArray text(const char *p, int offset)
{
    return QByteArray(p + offset, LoginRecord::TextWidth);
}

void putText(char *p, int offset, const QByteArray &value)
{
    const QByteArray fitted = FitText(value);
    std::memcpy(p + offset, fitted.constData(), LoginRecord::TextWidth);
}

void putBool(char *p, int offset, bool value)
{
    WriteInt16(p + offset, value ? -1 : 0);
}
} // namespace

QByteArray FitText(const QByteArray &text, int width)
{
    if (text.size() >= width)
        return text.left(width);
    return text + QByteArray(width - text.size(), ' ');
}

QByteArray TrimSpaces(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    return text.mid(begin, end - begin);
}

LoginRecord LoginRecord::zero()
{
    const QByteArray bytes(Size, '\0');
    return decode(bytes.constData());
}

bool LoginRecord::isZero() const
{
    return encode() == QByteArray(Size, '\0');
}

LoginRecord LoginRecord::decode(const char *p)
{
    LoginRecord r;
    r.LoginID = ReadInt16(p + RecordOffset::LoginID);
    r.Login = text(p, RecordOffset::Login);
    r.Description = text(p, RecordOffset::Description);
    r.Password = text(p, RecordOffset::Password);
    r.Deleted = ReadInt16(p + RecordOffset::Deleted) != 0;
    r.ExpireDays = ReadInt16(p + kExpireDays);
    r.ExpireStart = qFromLittleEndian<double>(p + kExpireStart);
    r.CaseSensitive = ReadInt16(p + kCaseSensitive) != 0;
    r.AllowSpace = ReadInt16(p + kAllowSpace) != 0;
    r.RequireMix = ReadInt16(p + kRequireMix) != 0;
    r.RequireSpecial = ReadInt16(p + kRequireSpecial) != 0;
    r.MinLength = ReadInt16(p + RecordOffset::MinLength);
    r.MaxLength = ReadInt16(p + RecordOffset::MaxLength);
    return r;
}

QByteArray LoginRecord::encode() const
{
    QByteArray bytes(Size, '\0');
    char *p = bytes.data();
    WriteInt16(p + RecordOffset::LoginID, LoginID);
    putText(p, RecordOffset::Login, Login);
    putText(p, RecordOffset::Description, Description);
    putText(p, RecordOffset::Password, Password);
    putBool(p, RecordOffset::Deleted, Deleted);
    WriteInt16(p + kExpireDays, ExpireDays);
    qToLittleEndian<double>(ExpireStart, p + kExpireStart);
    putBool(p, kCaseSensitive, CaseSensitive);
    putBool(p, kAllowSpace, AllowSpace);
    putBool(p, kRequireMix, RequireMix);
    putBool(p, kRequireSpecial, RequireSpecial);
    WriteInt16(p + RecordOffset::MinLength, MinLength);
    WriteInt16(p + RecordOffset::MaxLength, MaxLength);
    return bytes;
}
