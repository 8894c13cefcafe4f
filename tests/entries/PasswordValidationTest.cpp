#include "entries/PasswordValidation.h"
#include "FakeUi.h"

#include <gtest/gtest.h>

namespace {
// The traits found as letters: M minimum met, T too long, D digit, A letter, S special,
// l lower, U upper, _ space.
QString flags(const PasswordTraitSet &t)
{
    QString out;
    for (const auto &[on, letter] : {std::pair{t.MeetsMinimum, 'M'},
                                     {t.TooLong, 'T'},
                                     {t.HasDigit, 'D'},
                                     {t.HasLetter, 'A'},
                                     {t.HasSpecial, 'S'},
                                     {t.HasLower, 'l'},
                                     {t.HasUpper, 'U'},
                                     {t.HasSpace, '_'}})
        if (on)
            out += QLatin1Char(letter);
    return out;
}
} // namespace

// One traits set for every call: a trait left over from the call before would show.
TEST(RulesTraits, BytesAreClassifiedByCodeAndLengthsAgainstSixToFifteen)
{
    // Codes 0 1 32 47 48 57 58 64 65 90 91 96 97 122 123 127 128 233 255, then 5, 6, 15 and 16
    // letters.
    QList<QByteArray> passwords;
    for (const char c : QByteArray("\0\x01 /09:@AZ[`az{\x7f\x80\xe9\xff", 19))
        passwords << QByteArray(1, c);
    for (const int length : {5, 6, 15, 16})
        passwords << QByteArray(length, 'a');
    const QStringList expected = {"S",  "S",  "S_", "S",  "D",   "D",   "S",   "S",
                                  "AU", "AU", "S",  "S",  "Al",  "Al",  "S",   "S",
                                  "S",  "S",  "S",  "Al", "MAl", "MAl", "MTAl"};
    FakeUi ui;
    PasswordTraitSet traits;
    traits.HasDigit = traits.TooLong = true;
    for (qsizetype i = 0; i < passwords.size(); ++i) {
        ASSERT_TRUE(pwdvalidation(ui, passwords[i], 6, 15, traits));
        EXPECT_EQ(flags(traits), expected[i]) << passwords[i].toHex().toStdString();
    }
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ui.busyPushes, passwords.size());
    EXPECT_EQ(ui.busyDepth, 0);
}
