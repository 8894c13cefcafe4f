#include "entries/LoginRecord.h"

#include <gtest/gtest.h>

TEST(LoginRecordLayout, EncodesEveryFieldAtItsLittleEndianOffset)
{
    LoginRecord r;
    r.LoginID = 1001;
    r.Login = FitText("user");
    r.Description = FitText("bank");
    r.Password = FitText(QByteArray("\x01\x02", 2));
    r.Deleted = r.CaseSensitive = r.RequireMix = true;
    r.ExpireDays = 30;
    r.ExpireStart = 45352.5; // 1 March 2024 12:00
    r.MinLength = 6;
    r.MaxLength = 128;

    const QByteArray b = r.encode();
    ASSERT_EQ(b.size(), 218);
    EXPECT_EQ(b.mid(0, 2).toHex(), "e903");
    EXPECT_EQ(b.mid(2, 64), QByteArray("user").leftJustified(64, ' '));
    EXPECT_EQ(b.mid(66, 64), QByteArray("bank").leftJustified(64, ' '));
    EXPECT_EQ(b.mid(130, 3).toHex(), "010220");
    EXPECT_EQ(b.mid(194, 24).toHex(), "ffff1e00000000001025e640ffff0000ffff000006008000");
    EXPECT_EQ(LoginRecord::decode(b).encode(), b);
    EXPECT_EQ(LoginRecord::decode(b).ExpireStart, 45352.5);

    QByteArray zero(218, '\0');
    EXPECT_EQ(LoginRecord::zero().encode(), zero);
    EXPECT_TRUE(LoginRecord::zero().isZero());
    EXPECT_FALSE(LoginRecord().isZero()) << "a default record has blank, not NUL, texts";
    zero[194] = 1;
    zero[207] = char(0x80);
    const LoginRecord flags = LoginRecord::decode(zero);
    EXPECT_TRUE(flags.Deleted && flags.CaseSensitive) << "any non-zero boolean reads true";
    EXPECT_FALSE(flags.AllowSpace);
}

TEST(LoginRecordLayout, TextFieldsAreCutOrPaddedToSixtyFourCharacters)
{
    const QByteArray exact(64, 'x');
    EXPECT_EQ(FitText(exact), exact);
    EXPECT_EQ(FitText(exact + "yz"), exact);
    EXPECT_EQ(FitText("ab"), QByteArray("ab").leftJustified(64, ' '));
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("\ta "), "\ta") << "only blanks are trimmed";
}
