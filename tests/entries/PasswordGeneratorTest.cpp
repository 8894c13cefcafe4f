#include "entries/PasswordGenerator.h"

#include <QList>
#include <gtest/gtest.h>
#include <set>

namespace {
// Hands out the given numbers in order, then zeros; counts the draws.
struct Sequence
{
    QList<double> values;
    int drawn = 0;
    double operator()() { return drawn < values.size() ? values[drawn++] : (++drawn, 0.0); }
};

UniformDraw from(Sequence &s)
{
    return [&s] { return s(); };
}

bool isUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}
bool isLower(char c)
{
    return c >= 'a' && c <= 'z';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isPunct(char c)
{
    return c >= 58 && c <= 64;
}

// Lengths seen over many passwords with every rule off, which must all be lower-case letters.
std::set<int> lengthsOver(int draws, qint16 min, qint16 max)
{
    std::set<int> seen;
    for (int i = 0; i < draws; ++i) {
        const QByteArray pw = GeneratePassword(false, false, false, min, max);
        for (const char c : pw)
            EXPECT_TRUE(isLower(c)) << c;
        seen.insert(int(pw.size()));
    }
    return seen;
}

std::set<int> range(int from, int to)
{
    std::set<int> out;
    for (int i = from; i <= to; ++i)
        out.insert(i);
    return out;
}
} // namespace

TEST(GeneratorTest, LengthsSpanTheRangeAndNothingElse)
{
    EXPECT_EQ(lengthsOver(2000, 6, 15), range(6, 15));
    EXPECT_EQ(lengthsOver(200, 9, 9), range(9, 9));
    // A minimum above the maximum: floor(10 - 4r) is 10 only for r exactly 0 (shown below).
    std::set<int> reversed = lengthsOver(2000, 10, 5);
    reversed.insert(10);
    EXPECT_EQ(reversed, range(6, 10));
    EXPECT_EQ(lengthsOver(4000, 0, 128), range(0, 128));
    EXPECT_EQ(lengthsOver(200, -5, -1), range(0, 0)) << "below 1 gives an empty password";
}

TEST(GeneratorTest, LengthFollowsTheFormulaAtItsEnds)
{
    Sequence low{{0.0}};
    EXPECT_EQ(GeneratePassword(false, false, false, 10, 5, from(low)).size(), 10);
    Sequence high{{0.999}};
    EXPECT_EQ(GeneratePassword(false, false, false, 10, 5, from(high)).size(), 6);
    Sequence top{{0.999}};
    EXPECT_EQ(GeneratePassword(false, false, false, 6, 15, from(top)).size(), 15);
    EXPECT_EQ(top.drawn, 1 + 2 * 15) << "one length draw, then a slot and a character each";
}

TEST(GeneratorTest, EachSlotGivesItsCharacterOrALowerCaseLetter)
{
    // Slots 1 to 4 in turn, each with the lowest and then the highest character draw.
    const QList<double> draws = {0.5, 0.0,  0.0,  0.25, 0.0, 0.5,  0.0,  0.75, 0.0,
                                 0.0, 0.99, 0.25, 0.99, 0.5, 0.99, 0.75, 0.99};
    Sequence on{draws};
    EXPECT_EQ(GeneratePassword(true, true, true, 8, 8, from(on)), "Aa0:Zz9@");
    Sequence off{draws};
    EXPECT_EQ(GeneratePassword(false, false, false, 8, 8, from(off)), "aaaazzzz");
}

TEST(GeneratorTest, CaseSensitiveAloneMakesAboutAQuarterUpperCase)
{
    int upper = 0;
    int total = 0;
    for (int i = 0; i < 2000; ++i) {
        for (const char c : GeneratePassword(true, false, false, 6, 15)) {
            ASSERT_TRUE(isUpper(c) || isLower(c)) << c;
            upper += isUpper(c);
            ++total;
        }
    }
    EXPECT_NEAR(double(upper) / total, 0.25, 0.03);
}

TEST(GeneratorTest, AllRulesOnDrawEachKindAboutEquallyAndNeverASpace)
{
    int counts[4] = {};
    int total = 0;
    for (int i = 0; i < 2000; ++i) {
        for (const char c : GeneratePassword(true, true, true, 6, 15)) {
            ASSERT_TRUE(isUpper(c) || isLower(c) || isDigit(c) || isPunct(c)) << int(c);
            counts[0] += isUpper(c);
            counts[1] += isLower(c);
            counts[2] += isDigit(c);
            counts[3] += isPunct(c);
            ++total;
        }
    }
    for (const int n : counts)
        EXPECT_NEAR(double(n) / total, 0.25, 0.03);
}

TEST(GeneratorTest, VaultPasswordsAreTwelveCharactersFromTheFullSet)
{
    std::set<QByteArray> distinct;
    for (int i = 0; i < 2000; ++i) {
        const QByteArray pw = GenerateVaultPassword();
        ASSERT_EQ(pw.size(), 12);
        for (const char c : pw)
            ASSERT_TRUE(isUpper(c) || isLower(c) || isDigit(c) || isPunct(c)) << int(c);
        distinct.insert(pw);
    }
    EXPECT_EQ(distinct.size(), 2000u);

    Sequence s;
    EXPECT_EQ(GenerateVaultPassword(from(s)), "AAAAAAAAAAAA");
    EXPECT_EQ(s.drawn, 24) << "no length draw";
}
