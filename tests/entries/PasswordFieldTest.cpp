#include "entries/PasswordField.h"
#include "TempHome.h"
#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"

#include <gtest/gtest.h>

// The two stored master values of "first master" and "second master", joined.
const QByteArray kEntryKey =
    QByteArray::fromHex("24c4009772c0a9db57e67b1131c8118b6884e4d745e16a065d");

// A two-digit length, then the password without blanks at either end, all enciphered.
TEST(PasswordField, StoresTheLengthPrefixedPasswordEnciphered)
{
    TempHome home;
    EXPECT_EQ(*EncodePasswordField("abc123", kEntryKey),
              QByteArray::fromHex("30ead4f453bad231").leftJustified(64, ' '));
    EXPECT_EQ(EncodePasswordField("hello world!", kEntryKey)->left(14).toHex(),
              "31eeddf35ce78f223e874a392fa5");
    const auto spaced = EncodePasswordField("  pass word  ", kEntryKey);
    EXPECT_EQ(Cipher::crypt(*spaced, kEntryKey).left(2), "09");
    for (const QByteArray &pw : {QByteArray("  pass word  "), QByteArray(), QByteArray(62, 'x')})
        EXPECT_EQ(DecodePasswordField(*EncodePasswordField(pw, kEntryKey), kEntryKey),
                  std::optional<QByteArray>(TrimSpaces(pw)));
    EXPECT_TRUE(!EncodePasswordField(QByteArray(63, 'x'), kEntryKey) &&
                EncodePasswordField(QByteArray(62, 'x') + "   ", kEntryKey) &&
                !DecodePasswordField(*spaced, "another key"));
    EXPECT_TRUE(!PasswordLengthPrefix("x1abc") && PasswordLengthPrefix(" 7ab") == 7);
}
