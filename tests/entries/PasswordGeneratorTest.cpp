#include "entries/PasswordGenerator.h"

#include <QList>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {
// Hands out the given numbers in order, then zeros.
UniformDraw from(QList<double> values)
{
    return [values, next = qsizetype(0)]() mutable {
        return next < values.size() ? values[next++] : 0.0;
    };
}

// The lengths and character kinds (U upper, l lower, d digit, p ':' to '@', ? other) over many
// passwords, and the distinct passwords.
struct Seen
{
    std::set<int> lengths;
    std::set<char> kinds;
    std::set<QByteArray> distinct;
};

Seen over(int draws, const std::function<QByteArray()> &make)
{
    Seen seen;
    for (int i = 0; i < draws; ++i) {
        const QByteArray pw = make();
        seen.lengths.insert(int(pw.size()));
        seen.distinct.insert(pw);
        for (const char c : pw)
            seen.kinds.insert(c >= 'A' && c <= 'Z'   ? 'U'
                              : c >= 'a' && c <= 'z' ? 'l'
                              : c >= '0' && c <= '9' ? 'd'
                              : c >= ':' && c <= '@' ? 'p'
                                                     : '?');
    }
    return seen;
}

Seen rules(bool caseSensitive, bool mix, bool special, qint16 min, qint16 max, int draws = 2000)
{
    return over(draws, [=] { return GeneratePassword(caseSensitive, mix, special, min, max); });
}
} // namespace

TEST(GeneratorTest, CharacterSetsAndLengthsOverManyDraws)
{
    const Seen plain = rules(false, false, false, 6, 15);
    EXPECT_EQ(plain.lengths, (std::set<int>{6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(plain.kinds, std::set<char>{'l'});
    EXPECT_EQ(rules(true, false, false, 6, 15).kinds, (std::set<char>{'U', 'l'}));
    EXPECT_EQ(rules(true, true, true, 6, 15).kinds, (std::set<char>{'U', 'l', 'd', 'p'}));
    EXPECT_EQ(rules(false, false, false, -5, -1, 200).lengths, std::set<int>{0});
    // A minimum above the maximum: floor(10 - 4r) gives 6 to 9, and 10 only for r exactly 0.
    EXPECT_EQ(rules(false, false, false, 10, 5).lengths, (std::set<int>{6, 7, 8, 9}));

    const Seen vault = over(2000, [] { return GenerateVaultPassword(); });
    EXPECT_EQ(vault.lengths, std::set<int>{12});
    EXPECT_EQ(vault.kinds, (std::set<char>{'U', 'l', 'd', 'p'}));
    EXPECT_EQ(vault.distinct.size(), 2000u);
}

TEST(GeneratorTest, LengthFormulaAndSlotsAtTheEndsOfTheDraws)
{
    EXPECT_EQ(GeneratePassword(false, false, false, 10, 5, from({0.0})).size(), 10);
    EXPECT_EQ(GeneratePassword(false, false, false, 10, 5, from({0.999})).size(), 6);
    EXPECT_EQ(GeneratePassword(false, false, false, 6, 15, from({0.999})).size(), 15);

    // Slots 1 to 4 in turn, each with the lowest and then the highest character draw.
    const QList<double> draws = {0.5, 0.0,  0.0,  0.25, 0.0, 0.5,  0.0,  0.75, 0.0,
                                 0.0, 0.99, 0.25, 0.99, 0.5, 0.99, 0.75, 0.99};
    EXPECT_EQ(GeneratePassword(true, true, true, 8, 8, from(draws)), "Aa0:Zz9@");
}
