#include "entries/PasswordValidation.h"
#include "FakeUi.h"

#include <gtest/gtest.h>

namespace {
PasswordTraitSet traitsOf(const QByteArray &password, qint16 min = 0, qint16 max = 128)
{
    FakeUi ui;
    PasswordTraitSet traits;
    EXPECT_TRUE(pwdvalidation(ui, password, min, max, traits));
    EXPECT_TRUE(ui.shown.isEmpty());
    return traits;
}
} // namespace

TEST(RulesTraits, LengthBoundsAreInclusiveOfTheMinimumAndExclusiveOfTheMaximum)
{
    EXPECT_FALSE(traitsOf("abcde", 6, 15).MeetsMinimum);
    EXPECT_TRUE(traitsOf("abcdef", 6, 15).MeetsMinimum);
    EXPECT_FALSE(traitsOf(QByteArray(15, 'a'), 6, 15).TooLong);
    EXPECT_TRUE(traitsOf(QByteArray(16, 'a'), 6, 15).TooLong);
    EXPECT_TRUE(traitsOf("", 0, 128).MeetsMinimum);
}

TEST(RulesTraits, CharactersAreClassifiedByTheirByteCode)
{
    const PasswordTraitSet lower = traitsOf("abcxyz");
    EXPECT_TRUE(lower.HasLower && lower.HasLetter);
    EXPECT_FALSE(lower.HasUpper || lower.HasDigit || lower.HasSpecial || lower.HasSpace);

    const PasswordTraitSet upper = traitsOf("AZ");
    EXPECT_TRUE(upper.HasUpper && upper.HasLetter);
    EXPECT_FALSE(upper.HasLower);

    const PasswordTraitSet digits = traitsOf("0189");
    EXPECT_TRUE(digits.HasDigit);
    EXPECT_FALSE(digits.HasLetter || digits.HasSpecial);

    // The neighbours of each range: '/' ':' '@' '[' '`' '{' and the upper half of the code page.
    for (const char *special : {"/", ":", "@", "[", "`", "{", "\x7f", "\xe9", "\xff", "\x01"}) {
        const PasswordTraitSet t = traitsOf(QByteArray(special));
        EXPECT_TRUE(t.HasSpecial) << special;
        EXPECT_FALSE(t.HasLetter || t.HasDigit || t.HasSpace) << special;
    }
    const PasswordTraitSet nul = traitsOf(QByteArray(1, '\0'));
    EXPECT_TRUE(nul.HasSpecial);

    const PasswordTraitSet space = traitsOf("a b");
    EXPECT_TRUE(space.HasSpace && space.HasSpecial && space.HasLower);
}

TEST(RulesTraits, EveryCallStartsFromNothingAndRestoresThePointer)
{
    FakeUi ui;
    PasswordTraitSet traits;
    traits.HasDigit = traits.HasUpper = traits.HasSpace = traits.TooLong = true;
    EXPECT_TRUE(pwdvalidation(ui, "abc", 6, 15, traits));
    EXPECT_FALSE(traits.HasDigit || traits.HasUpper || traits.HasSpace || traits.TooLong);
    EXPECT_FALSE(traits.MeetsMinimum);
    EXPECT_TRUE(traits.HasLower);
    EXPECT_EQ(ui.busyPushes, 1);
    EXPECT_EQ(ui.busyDepth, 0);
}
