#include "entries/PasswordGenerator.h"

#include <QRandomGenerator>
#include <cmath>

namespace {

struct SlotRules
{
    bool caseSensitive;
    bool mix;
    bool special;
};

int scaled(double r, int count)
{
    return static_cast<int>(std::floor(count * r));
}

char lowerLetter(double r)
{
    return static_cast<char>('a' + scaled(r, 26));
}

// Slot 2 is always a lower-case letter; each other slot falls back to one when its rule is off.
char slotCharacter(int slot, const SlotRules &rules, double r)
{
    switch (slot) {
    case 1:
        return rules.caseSensitive ? static_cast<char>('A' + scaled(r, 26)) : lowerLetter(r);
    case 3:
        return rules.mix ? static_cast<char>('0' + scaled(r, 10)) : lowerLetter(r);
    case 4:
        return rules.special ? static_cast<char>(58 + scaled(r, 7)) : lowerLetter(r);
    default:
        return lowerLetter(r);
    }
}

QByteArray fill(int length, const SlotRules &rules, const UniformDraw &draw)
{
    QByteArray out;
    out.reserve(qMax(length, 0));
    for (int i = 0; i < length; ++i) {
        const int slot = static_cast<int>(std::floor(4 * draw() + 1));
        out.append(slotCharacter(slot, rules, draw()));
    }
    return out;
}

double systemDraw()
{
    return QRandomGenerator::system()->generateDouble();
}

} // namespace

QByteArray GeneratePassword(bool caseSensitive, bool mix, bool special, qint16 min, qint16 max,
                            const UniformDraw &draw)
{
    const int span = int(max) - int(min) + 1;
    const int length = static_cast<int>(std::floor(span * draw() + min));
    return fill(length, {caseSensitive, mix, special}, draw);
}

QByteArray GeneratePassword(bool caseSensitive, bool mix, bool special, qint16 min, qint16 max)
{
    return GeneratePassword(caseSensitive, mix, special, min, max, systemDraw);
}

QByteArray GenerateVaultPassword(const UniformDraw &draw)
{
    return fill(12, {true, true, true}, draw);
}

QByteArray GenerateVaultPassword()
{
    return GenerateVaultPassword(systemDraw);
}
