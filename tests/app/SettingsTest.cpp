#include "app/Settings.h"
#include "FileSizeLimit.h"
#include "RaisedError.h"
#include "TempHome.h"

#include <gtest/gtest.h>

// Every byte of a master value and every text that looks like the file's syntax reads back.
TEST(SettingsTest, ValuesReadBackAsWrittenFromAPrivateFile)
{
    TempHome home;
    const Settings defaults;
    EXPECT_EQ(defaults.get(Setting::MainWidth), QStringLiteral("6500"));
    EXPECT_TRUE(defaults.getBool(Setting::OrderByID) && !defaults.getBool(Setting::LogStartup));
    EXPECT_EQ(defaults.getBytes(Setting::Master2), QByteArray("480275"));
    QByteArray bytes("\0\r\n=;\"[x]", 10);
    for (int i = 0; i < 256; ++i)
        bytes += char(255 - i);
    Settings().saveBytes(Setting::Master1, bytes);
    EXPECT_EQ(FileMode(home.path() + QStringLiteral("/config/Brantwick/Pellora.ini")), 0600);
    EXPECT_EQ(Settings().getBytes(Setting::Master1), bytes);
    Settings().saveBytes(Setting::MainLeft, "120"); // either way round, a value reads back
    EXPECT_TRUE(Settings().get(Setting::MainLeft) == "120" &&
                Settings().getBytes(Setting::MainWidth) == "6500");
    Settings().save(Setting::MainWidth, QStringLiteral("7000"));
    EXPECT_EQ(Settings().getBytes(Setting::MainWidth), "7000");
    for (const QString v : {"@String", " padded ", "a;b,c=d", "quote\"back\\slash",
                            "line\nbreak\ttab", "\u00e9t\u00e9 \u20ac"}) {
        Settings().save(Setting::MainTop, v);
        EXPECT_EQ(Settings().get(Setting::MainTop), v);
    }
}

// A failed save leaves the file and the held values as they were and poisons nothing.
TEST(SettingsTest, ForeignValuesFullDisksAndUnwritableStoresRaiseTheirErrors)
{
    TempHome home;
    Settings s;
    s.save(Setting::LogStartup, QStringLiteral("yes"));
    s.save(Setting::OrderDirection, QString());
    s.saveAll(
        {{Setting::Master1, QByteArray("first value")}, {Setting::Master2, QByteArray("2nd")}});
    EXPECT_EQ(RaisedError([&] { s.getLong(Setting::LogStartup); }), 13);
    EXPECT_EQ(RaisedError([&] { s.getLong(Setting::OrderDirection); }), 13);
    const QByteArray before = ReadFile(s.path());
    {
        FileSizeLimit full(before.size() / 2);
        EXPECT_EQ(RaisedError([&] { s.save(Setting::MainLeft, QStringLiteral("1234")); }), 61);
    }
    EXPECT_EQ(ReadFile(s.path()), before);
    EXPECT_EQ(s.get(Setting::MainLeft), QStringLiteral("1000")) << "the failed value is not held";
    EXPECT_EQ(QDir(QFileInfo(s.path()).absolutePath()).entryList(QDir::Files),
              QStringList{QStringLiteral("Pellora.ini")});
    s.save(Setting::ShowTipsAtStartup, QStringLiteral("0"));
    EXPECT_EQ(Settings().getBytes(Setting::Master1), QByteArray("first value"));
    EXPECT_TRUE(ReadFile(s.path()).contains("Show%20Tips%20at%20Startup=0"));

    s.save(Setting::MainLeft, QString(10 * 1024 * 1024, QLatin1Char('7')));
    EXPECT_EQ(Settings().get(Setting::MainLeft).size(), 10 * 1024 * 1024);
    EXPECT_NE(RaisedError([&] { s.getLong(Setting::MainLeft); }), 0);
    WriteFile(home.file(QStringLiteral("not-a-folder")), "x");
    Settings unwritable(home.file(QStringLiteral("not-a-folder/Pellora.ini")));
    EXPECT_EQ(RaisedError([&] { unwritable.save(Setting::LogStartup, QStringLiteral("1")); }), 76);
}
