#include "entries/PasswordField.h"
#include "TempHome.h"
#include "crypto/cPQCrypt.h"

#include <gtest/gtest.h>

namespace {
// The two stored master values of "first master" and "second master", joined.
const QByteArray kEntryKey =
    QByteArray::fromHex("24c4009772c0a9db57e67b1131c8118b6884e4d745e16a065d");
} // namespace

class PasswordFieldTest : public ::testing::Test
{
protected:
    TempHome home;
};

TEST_F(PasswordFieldTest, StoresTheLengthPrefixedPasswordEnciphered)
{
    const auto six = EncodePasswordField("abc123", kEntryKey);
    ASSERT_TRUE(six);
    EXPECT_EQ(six->size(), 64);
    EXPECT_EQ(six->toHex(), QByteArray("30ead4f453bad231") + QByteArray(56, ' ').toHex());
    const auto twelve = EncodePasswordField("hello world!", kEntryKey);
    ASSERT_TRUE(twelve);
    EXPECT_EQ(twelve->left(14).toHex(), "31eeddf35ce78f223e874a392fa5");
}

TEST_F(PasswordFieldTest, TrimsBlanksAndDecodesBack)
{
    const auto field = EncodePasswordField("  pass word  ", kEntryKey);
    ASSERT_TRUE(field);
    EXPECT_EQ(DecodePasswordField(*field, kEntryKey), std::optional<QByteArray>("pass word"));
    EXPECT_EQ(Crypt().DeCrypt(*field, kEntryKey).left(2), "09");
}

TEST_F(PasswordFieldTest, HoldsAtMostSixtyTwoCharacters)
{
    const QByteArray max(62, 'x');
    const auto field = EncodePasswordField(max, kEntryKey);
    ASSERT_TRUE(field);
    EXPECT_EQ(DecodePasswordField(*field, kEntryKey), std::optional<QByteArray>(max));
    EXPECT_FALSE(EncodePasswordField(QByteArray(63, 'x'), kEntryKey));
    EXPECT_TRUE(EncodePasswordField(QByteArray(62, 'x') + "   ", kEntryKey))
        << "blanks don't count";
}

TEST_F(PasswordFieldTest, AFieldFromAnotherKeyDoesNotDecode)
{
    int undecodable = 0;
    for (int i = 0; i < 50; ++i) {
        const auto field = EncodePasswordField("secret" + QByteArray::number(i), kEntryKey);
        if (!DecodePasswordField(*field, "another key" + QByteArray::number(i)))
            ++undecodable;
    }
    EXPECT_GT(undecodable, 40) << "two random bytes rarely both look like digits";
    EXPECT_FALSE(PasswordLengthPrefix("x1abc"));
    EXPECT_EQ(PasswordLengthPrefix("07abcdefg"), 7);
    EXPECT_EQ(PasswordLengthPrefix(" 7abcdefg"), 7);
}

TEST_F(PasswordFieldTest, EmptyPasswordRoundTrips)
{
    const auto field = EncodePasswordField("", kEntryKey);
    ASSERT_TRUE(field);
    EXPECT_EQ(DecodePasswordField(*field, kEntryKey), std::optional<QByteArray>(""));
}
