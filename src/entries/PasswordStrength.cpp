#include "entries/PasswordStrength.h"

#include <cmath>

int PasswordStrengthBits(const QString &password)
{
    bool lower = false, upper = false, digit = false, symbol = false, other = false;
    for (const QChar c : password) {
        const char16_t u = c.unicode();
        if (u >= 'a' && u <= 'z')
            lower = true;
        else if (u >= 'A' && u <= 'Z')
            upper = true;
        else if (u >= '0' && u <= '9')
            digit = true;
        else if (u >= 0x20 && u < 0x7f)
            symbol = true;
        else
            other = true;
    }
    const int pool = (lower ? 26 : 0) + (upper ? 26 : 0) + (digit ? 10 : 0) + (symbol ? 33 : 0) +
                     (other ? 96 : 0);
    if (pool == 0)
        return 0;
    return int(std::floor(password.size() * std::log2(double(pool))));
}

QString PasswordStrengthText(const QString &password)
{
    if (password.isEmpty())
        return {};
    const int bits = PasswordStrengthBits(password);
    const char *verdict = bits < 40 ? "weak" : bits < 60 ? "fair" : bits < 80 ? "good" : "strong";
    return QStringLiteral("Strength: about %1 bits (%2)").arg(bits).arg(QLatin1String(verdict));
}
