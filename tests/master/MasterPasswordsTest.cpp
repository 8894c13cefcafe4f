#include "MasterFixture.h"
#include "master/ResetPasswords.h"
#include "platform/Ansi.h"

using MasterLogin = MasterFixture;

TEST_F(MasterLogin, MasterValueIsTheReversiblePassPhraseEncryption)
{
    ASSERT_EQ(QByteArray(Master::kPassPhrase).size(), 47);
    const QByteArray value = MasterValue("correct horse");
    EXPECT_EQ(value.size(), 13);
    EXPECT_NE(value, QByteArray("correct horse"));
    EXPECT_EQ(value, MasterValue("correct horse")) << "deterministic, so Apply can reproduce it";
    EXPECT_EQ(PlainMaster(value), QByteArray("correct horse"));
}

TEST_F(MasterLogin, MatchesOnlyBothMastersInTheirOwnBoxes)
{
    const QByteArray stored1 = MasterValue("first-master");
    const QByteArray stored2 = MasterValue("second-master");
    EXPECT_TRUE(LoginMatches(QStringLiteral("first-master"), QStringLiteral("second-master"),
                             stored1, stored2));
    EXPECT_FALSE(LoginMatches(QStringLiteral("second-master"), QStringLiteral("first-master"),
                              stored1, stored2));
    EXPECT_FALSE(LoginMatches(QStringLiteral("First-master"), QStringLiteral("second-master"),
                              stored1, stored2));
    EXPECT_FALSE(LoginMatches(QStringLiteral("first-master"), QString(), stored1, stored2));
    EXPECT_FALSE(LoginMatches(QStringLiteral("first-master "), QStringLiteral("second-master"),
                              stored1, stored2));
}

TEST_F(MasterLogin, AcceptsMastersWithUpperHalfCharactersButNeverUnstorableText)
{
    const QString accented = QStringLiteral("m\u00e4ster\u20ac-one");
    const QByteArray stored1 = MasterValue(*Ansi::fromText(accented));
    const QByteArray stored2 = MasterValue("plain-two");
    EXPECT_TRUE(LoginMatches(accented, QStringLiteral("plain-two"), stored1, stored2));
    const QByteArray questionMark = MasterValue("m?ster-one");
    EXPECT_FALSE(LoginMatches(QStringLiteral("m\u4e2dster-one"), QStringLiteral("plain-two"),
                              questionMark, stored2));
}

TEST_F(MasterLogin, MarkerOrShortFirstValueMeansNoMasters)
{
    EXPECT_FALSE(MastersExist(settings.getBytes(Setting::Master1))) << "absent key";
    EXPECT_FALSE(MastersExist("480275"));
    EXPECT_FALSE(MastersExist("abcd"));
    EXPECT_FALSE(MastersExist(""));
    EXPECT_TRUE(MastersExist("abcde"));
    EXPECT_TRUE(MastersExist(QByteArray("\0\n\r\xff\x80", 5)));
    EXPECT_TRUE(MastersExist("4802750"));
}

TEST_F(MasterLogin, ResetForgetsFirstMasterDeletesStoreAndLogAndKeepsSecond)
{
    storeMasters("first-master", "second-master");
    const QString logFile = f.dataFolder + QStringLiteral("Pellora.log");
    WriteFile(f.loginFile, QByteArray(218, 'x'));
    WriteFile(logFile, "event\n");
    ResetPasswords(settings, f.loginFile, logFile);
    EXPECT_FALSE(QFile::exists(f.loginFile));
    EXPECT_FALSE(QFile::exists(logFile));
    Settings reread;
    EXPECT_EQ(reread.getBytes(Setting::Master1), QByteArray("480275"));
    EXPECT_EQ(reread.getBytes(Setting::Master2), MasterValue("second-master"));
    EXPECT_FALSE(MastersExist(reread.getBytes(Setting::Master1)));
}

TEST_F(MasterLogin, ResetGoesOnWhenTheSettingsCannotBeWritten)
{
    WriteFile(f.home.file(QStringLiteral("plain-file")), "x");
    Settings unwritable(f.home.file(QStringLiteral("plain-file")) + QStringLiteral("/Pellora.ini"));
    WriteFile(f.loginFile, QByteArray(218, 'x'));
    ResetPasswords(unwritable, f.loginFile, f.dataFolder + QStringLiteral("absent.log"));
    EXPECT_FALSE(QFile::exists(f.loginFile));
}
