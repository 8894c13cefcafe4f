#include "app/Settings.h"
#include "TempHome.h"
#include "platform/VbError.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

class SettingsTest : public ::testing::Test
{
protected:
    TempHome home;
};

TEST_F(SettingsTest, AbsentKeysReadTheirTableDefaults)
{
    Settings s;
    EXPECT_EQ(s.get(Setting::Master1), QStringLiteral("480275"));
    EXPECT_EQ(s.get(Setting::MainWidth), QStringLiteral("6500"));
    EXPECT_EQ(s.get(Setting::OrderByID), QStringLiteral("True"));
    EXPECT_EQ(s.get(Setting::ShowTipsAtStartup), QStringLiteral("1"));
    EXPECT_TRUE(s.getBool(Setting::OrderByID));
    EXPECT_FALSE(s.getBool(Setting::LogStartup));
    EXPECT_EQ(Setting::All.size(), 20u);
}

TEST_F(SettingsTest, LiveInTheConfigFolderPrivateToTheUser)
{
    {
        Settings s;
        s.save(Setting::OrderDirection, QStringLiteral("1"));
    }
    const QString path = home.path() + QStringLiteral("/config/Brantwick/Pellora.ini");
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(FileMode(path), 0600);
    EXPECT_EQ(Settings().get(Setting::OrderDirection), QStringLiteral("1"));
}

TEST_F(SettingsTest, MasterValuesKeepEveryByte)
{
    QByteArray value;
    for (int i = 0; i < 256; ++i)
        value += char(255 - i);
    value += QByteArray("\0\r\n=;\"[x]", 10);
    {
        Settings s;
        s.saveBytes(Setting::Master1, value);
    }
    EXPECT_EQ(Settings().getBytes(Setting::Master1), value);
    EXPECT_EQ(Settings().getBytes(Setting::Master2), QByteArray("480275"));
}

TEST_F(SettingsTest, ForeignValuesRaiseTypeMismatchInsteadOfCrashing)
{
    Settings s;
    s.save(Setting::LogStartup, QStringLiteral("yes"));
    s.save(Setting::OrderDirection, QString());
    for (const SettingKey &k : {Setting::LogStartup, Setting::OrderDirection}) {
        try {
            s.getLong(k);
            ADD_FAILURE() << k.key;
        } catch (const VbError &e) {
            EXPECT_EQ(e.number, 13);
        }
    }
    const QString huge(10 * 1024 * 1024, QLatin1Char('7'));
    s.save(Setting::MainLeft, huge);
    EXPECT_EQ(Settings().get(Setting::MainLeft).size(), huge.size());
    EXPECT_THROW(s.getLong(Setting::MainLeft), VbError);
}

TEST_F(SettingsTest, FailedSaveLeavesFileAndValuesAsTheyWereAndPoisonsNothing)
{
    Settings s;
    s.saveAll(
        {{Setting::Master1, QByteArray("first value")}, {Setting::Master2, QByteArray("2nd")}});
    const QByteArray before = ReadFile(s.path());
    {
        FileSizeLimit full(before.size() / 2);
        try {
            s.save(Setting::MainLeft, QStringLiteral("1234"));
            ADD_FAILURE() << "a save on a full disk reported success";
        } catch (const VbError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("61 Disk full"));
        }
    }
    EXPECT_EQ(ReadFile(s.path()), before);
    EXPECT_EQ(s.get(Setting::MainLeft), QStringLiteral("1000")) << "the failed value is not held";
    EXPECT_EQ(QDir(QFileInfo(s.path()).absolutePath()).entryList(QDir::Files),
              QStringList{QStringLiteral("Pellora.ini")});

    s.save(Setting::ShowTipsAtStartup, QStringLiteral("0"));
    const Settings reread;
    EXPECT_EQ(reread.get(Setting::ShowTipsAtStartup), QStringLiteral("0"));
    EXPECT_EQ(reread.getBytes(Setting::Master1), QByteArray("first value"));
    EXPECT_TRUE(ReadFile(s.path()).contains("Show%20Tips%20at%20Startup=0"));
}

TEST_F(SettingsTest, TextsThatLookLikeSyntaxReadBackAsWritten)
{
    const QString values[] = {
        QStringLiteral("@String"),          QStringLiteral(" padded "),
        QStringLiteral("a;b,c=d"),          QStringLiteral("quote\"back\\slash"),
        QStringLiteral("line\nbreak\ttab"), QStringLiteral("\u00e9t\u00e9 \u20ac")};
    for (const QString &v : values) {
        Settings().save(Setting::MainTop, v);
        EXPECT_EQ(Settings().get(Setting::MainTop), v);
    }
}

TEST_F(SettingsTest, UnwritableStoreRaisesTheReason)
{
    const QString blocker = home.file(QStringLiteral("not-a-folder"));
    WriteFile(blocker, "x");
    Settings s(blocker + QStringLiteral("/Pellora.ini"));
    try {
        s.save(Setting::LogStartup, QStringLiteral("1"));
        ADD_FAILURE();
    } catch (const VbError &e) {
        EXPECT_EQ(e.number, 76);
    }
}
