#include "entries/PasswordField.h"

#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"
#include "platform/Convert.h"

std::optional<QByteArray> EncodePasswordField(const QByteArray &password,
                                              const QByteArray &entryKey)
{
    const QByteArray t = TrimSpaces(password);
    if (t.size() > kMaxStoredPasswordLength)
        return std::nullopt;
    const QByteArray prefix = QByteArray::number(t.size()).rightJustified(2, '0');
    return FitText(Cipher::crypt(prefix + t, entryKey));
}

std::optional<int> PasswordLengthPrefix(const QByteArray &plain)
{
    const QString digits = QString::fromLatin1(plain.left(2));
    if (digits.size() < 2 || !Convert::IsNumeric(digits))
        return std::nullopt;
    const double n = Convert::CDbl(digits);
    if (n < 0)
        return std::nullopt;
    return int(Convert::CInt(n));
}

std::optional<QByteArray> DecodePasswordField(const QByteArray &field, const QByteArray &entryKey)
{
    const QByteArray plain = Cipher::crypt(field, entryKey);
    const auto n = PasswordLengthPrefix(plain);
    if (!n)
        return std::nullopt;
    return plain.mid(2, *n);
}
