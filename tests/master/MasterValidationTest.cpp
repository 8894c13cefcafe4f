#include "master/MasterValidation.h"
#include "FakeUi.h"

#include <gtest/gtest.h>

class MasterValidation : public ::testing::Test
{
protected:
    FakeUi ui;

    bool valid(const QString &a, const QString &b) { return Validation(ui, a, b); }
};

TEST_F(MasterValidation, EachMasterNeedsEightCharacters)
{
    EXPECT_FALSE(valid(QStringLiteral("abcdefg"), QStringLiteral("1234567")));
    EXPECT_FALSE(valid(QStringLiteral("abcdefgh"), QStringLiteral("1234567")));
    EXPECT_FALSE(valid(QStringLiteral("abcdefg"), QStringLiteral("12345678")));
    EXPECT_FALSE(valid(QString(), QString()));
    EXPECT_TRUE(valid(QStringLiteral("abcdefgh"), QStringLiteral("12345678")));
    EXPECT_TRUE(valid(QString(300, QLatin1Char('a')), QStringLiteral("        ")))
        << "no upper limit, and blanks count";
    EXPECT_TRUE(ui.shown.isEmpty()) << "the window shows the rules message";
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(MasterValidation, MastersMustDifferButLetterCaseCounts)
{
    EXPECT_FALSE(valid(QStringLiteral("same-master"), QStringLiteral("same-master")));
    EXPECT_TRUE(valid(QStringLiteral("same-master"), QStringLiteral("Same-master")));
}

TEST_F(MasterValidation, UnstorableCharacterIsRefusedNamingTheMaster)
{
    EXPECT_TRUE(valid(QStringLiteral("caf\u00e9-\u20ac-master"), QStringLiteral("12345678")));
    EXPECT_FALSE(valid(QStringLiteral("12345678"), QStringLiteral("smile \U0001F600 master")));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(ui.shown[0].text.startsWith(QStringLiteral("Master 2 contains a character")));
    EXPECT_FALSE(valid(QStringLiteral("\u4e2d\u6587\u4e2d\u6587\u4e2d\u6587\u4e2d\u6587"),
                       QStringLiteral("12345678")));
    EXPECT_TRUE(ui.shown[1].text.startsWith(QStringLiteral("Master 1 ")));
}

TEST_F(MasterValidation, RulesMessageJoinsItsLinesWithLineFeedThenCarriageReturn)
{
    EXPECT_EQ(QString::fromLatin1(kMasterRulesMessage).split(QStringLiteral("\n\r")),
              (QStringList{QStringLiteral("Master Passwords must be:"),
                           QStringLiteral("1) At least 8 characters each"),
                           QStringLiteral("2) Be different")}));
}
