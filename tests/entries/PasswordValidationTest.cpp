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
    const QByteArray bytes("\0\x01 /09:@AZ[`az{\x7f\x80\xe9\xff", 19);
    const QStringList byteTraits = {"S", "S", "S_", "S",  "D", "D", "S", "S", "AU", "AU",
                                    "S", "S", "Al", "Al", "S", "S", "S", "S", "S"};
    const QList<std::pair<QByteArray, QString>> lengths = {{"abcde", "Al"},
                                                           {"abcdeF", "MAlU"},
                                                           {QByteArray(15, '1'), "MD"},
                                                           {QByteArray(16, 'a'), "MTAl"}};
    FakeUi ui;
    PasswordTraitSet traits;
    traits.HasDigit = traits.TooLong = true;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        ASSERT_TRUE(pwdvalidation(ui, bytes.mid(i, 1), 6, 15, traits));
        EXPECT_EQ(flags(traits), byteTraits[i]) << int(quint8(bytes[i]));
    }
    for (const auto &[password, expected] : lengths) {
        ASSERT_TRUE(pwdvalidation(ui, password, 6, 15, traits));
        EXPECT_EQ(flags(traits), expected) << password.toStdString();
    }
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ui.busyPushes, bytes.size() + lengths.size());
    EXPECT_EQ(ui.busyDepth, 0);
}
