#include "entries/LoginRecord.h"

#include <gtest/gtest.h>

TEST(LoginRecordLayout, EncodesEveryFieldAtItsLittleEndianOffset)
{
    LoginRecord r;
    r.LoginID = 1001;
    r.Login = FitText("user");
    r.Description = FitText("bank");
    r.Password = FitText(QByteArray("\x01\x02", 2));
    r.Deleted = true;
    r.ExpireDays = 30;
    r.ExpireStart = 45352.5; // 1 March 2024 12:00
    r.CaseSensitive = true;
    r.AllowSpace = false;
    r.RequireMix = true;
    r.RequireSpecial = false;
    r.MinLength = 6;
    r.MaxLength = 128;

    const QByteArray b = r.encode();
    ASSERT_EQ(b.size(), 218);
    EXPECT_EQ(b.mid(0, 2).toHex(), "e903");
    EXPECT_EQ(b.mid(2, 64), QByteArray("user").leftJustified(64, ' '));
    EXPECT_EQ(b.mid(66, 64), QByteArray("bank").leftJustified(64, ' '));
    EXPECT_EQ(b.mid(130, 3).toHex(), "010220");
    EXPECT_EQ(b.mid(194, 2).toHex(), "ffff");
    EXPECT_EQ(b.mid(196, 2).toHex(), "1e00");
    EXPECT_EQ(b.mid(198, 8).toHex(), "000000001025e640");
    EXPECT_EQ(b.mid(206, 8).toHex(), "ffff0000ffff0000");
    EXPECT_EQ(b.mid(214, 4).toHex(), "06008000");

    const LoginRecord back = LoginRecord::decode(b);
    EXPECT_EQ(back.encode(), b);
    EXPECT_EQ(back.ExpireStart, 45352.5);
}

TEST(LoginRecordLayout, AnyNonZeroBooleanReadsTrue)
{
    QByteArray b(218, '\0');
    b[194] = 1;
    b[207] = char(0x80);
    const LoginRecord r = LoginRecord::decode(b);
    EXPECT_TRUE(r.Deleted);
    EXPECT_TRUE(r.CaseSensitive);
    EXPECT_FALSE(r.AllowSpace);
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

TEST(LoginRecordLayout, ZeroRecordIsAllZeroBytes)
{
    EXPECT_EQ(LoginRecord::zero().encode(), QByteArray(218, '\0'));
    EXPECT_TRUE(LoginRecord::zero().isZero());
    EXPECT_FALSE(LoginRecord().isZero()) << "a default record has blank, not NUL, texts";
}
