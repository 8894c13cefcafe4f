#include "CliVault.h"
#include "StoreFixture.h"
#include "entries/EditorLogic.h"
#include "entries/Expiry.h"
#include "platform/Convert.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
// Four entries whose columns each sort them differently; "Apple" and "apple" tie.
struct ListFixture : ::testing::Test
{
    CliVault vault;
    QString march1 = Convert::GeneralDate(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));

    void SetUp() override
    {
        add("banana", "Zed", "0");
        add("Apple", "amy", "30");
        add("cherry", "Bob", "10");
        add("apple", "carl", "0");
    }

    void add(const char *description, const char *login, const char *days)
    {
        LoginEditorInput in = NewEntryInput();
        in.description = QLatin1String(description);
        in.login = QLatin1String(login);
        in.password = QStringLiteral("secret");
        in.expireDays = QLatin1String(days);
        in.expireStart = march1;
        ASSERT_NE(vault.add(in), 0);
    }

    // The first column of every line.
    static QStringList ids(const QString &out)
    {
        QStringList first;
        for (const QString &line : Lines(out))
            first << line.section(QLatin1Char('\t'), 0, 0);
        return first;
    }
};
} // namespace

TEST_F(ListFixture, LsFollowsTheListOrderOfTheSettingsUnlessTold)
{
    const struct
    {
        QList<QPair<SettingKey, const char *>> settings;
        QStringList args;
        const char *ids;
    } cases[] = {
        {{}, {}, "1000 1001 1002 1003"},
        {{{Setting::OrderDirection, "1"}}, {}, "1003 1002 1001 1000"},
        {{{Setting::OrderByDescription, "True"}}, {}, "1003 1001 1000 1002"},
        {{{Setting::OrderByDescription, "True"}, {Setting::OrderDirection, "1"}},
         {},
         "1002 1000 1003 1001"},
        {{{Setting::OrderByLogin, "True"}}, {}, "1001 1002 1003 1000"},
        {{{Setting::OrderByExpiry, "True"}, {Setting::OrderByLogin, "True"}},
         {},
         "1002 1001 1003 1000"},
        {{{Setting::OrderByExpiry, "true"}}, {}, "1000 1001 1002 1003"},
        {{{Setting::OrderDirection, "1"}}, {"--sort", "login"}, "1001 1002 1003 1000"},
        {{}, {"--sort", "login", "--reverse"}, "1000 1003 1002 1001"},
        {{{Setting::OrderDirection, "1"}}, {"--reverse"}, "1000 1001 1002 1003"},
        {{}, {"--sort=expiry", "--reverse"}, "1003 1000 1001 1002"},
    };
    for (const auto &c : cases) {
        for (const SettingKey &key : Setting::All) {
            if (QLatin1String(key.key).startsWith(QLatin1String("Order")))
                vault.settings().save(key, QString::fromLatin1(key.defaultValue));
        }
        for (const auto &[key, value] : c.settings)
            vault.settings().save(key, QLatin1String(value));
        const CliRun run = vault.withMasters(QStringList{QStringLiteral("ls")} + c.args);
        SCOPED_TRACE(c.ids);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ids(run.out).join(QLatin1Char(' ')), QLatin1String(c.ids));
    }
}

TEST_F(ListFixture, IdsSortAsTextAsTheListSortsThem)
{
    // 1000, 1001 and 10000 in store order; the list puts 10000 between the other two.
    QByteArray store;
    for (const qint16 id : {1000, 1001, 10000}) {
        LoginRecord r = MakeRecord("login", "description");
        r.LoginID = id;
        store += r.encode();
    }
    WriteFile(vault.loginFile(), store);
    EXPECT_EQ(ids(vault.withMasters({QStringLiteral("ls")}).out),
              QStringList({"1000", "10000", "1001"}));
}

TEST_F(ListFixture, LinesAndJsonCarryTheListColumns)
{
    vault.add(QStringLiteral("  padded at both ends  "), QStringLiteral("ann"),
              QStringLiteral("secret"));
    const QList<LoginRecord> records = vault.liveRecords();
    const CliRun text = vault.withMasters({QStringLiteral("ls")});
    ASSERT_EQ(text.exitCode, 0);
    const QStringList lines = Lines(text.out);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("1000\tbanana\tZed\tNever"));
    EXPECT_EQ(lines[1], QStringLiteral("1001\tApple\tamy\t") + ExpiryText(records[1]));
    EXPECT_EQ(lines[4], QStringLiteral("1004\t  padded at both ends\tann\tNever"));

    const CliRun json = vault.withMasters({QStringLiteral("ls"), QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonArray array = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(array.size(), 5);
    const QJsonObject second = array[1].toObject();
    EXPECT_EQ(second.keys(), QStringList({"description", "expires", "id", "login"}));
    EXPECT_EQ(second[QStringLiteral("id")].toInt(), 1001);
    EXPECT_EQ(second[QStringLiteral("description")].toString(), QStringLiteral("Apple"));
    EXPECT_EQ(second[QStringLiteral("expires")].toString(), QStringLiteral("2024-03-31T00:00:00"));
    EXPECT_TRUE(array[0].toObject()[QStringLiteral("expires")].isNull());
}

TEST(CliListDates, ExpiryTextsAreTheGeneralDatesOfEveryLocale)
{
    CliVault vault;
    const QTime times[] = {QTime(0, 0),  QTime(0, 0, 30),  QTime(9, 5, 7),
                           QTime(12, 0), QTime(12, 45, 1), QTime(23, 59, 59)};
    QByteArray store;
    qint16 id = 1000;
    for (const QTime &time : times) {
        for (const QDate &date : {QDate(2024, 2, 29), QDate(1987, 11, 3), QDate(2031, 7, 14)}) {
            LoginRecord r = MakeRecord("login", "description");
            r.LoginID = id++;
            r.ExpireDays = 45;
            r.ExpireStart = Convert::ToOleDate(QDateTime(date, time));
            store += r.encode();
        }
    }
    WriteFile(vault.loginFile(), store);
    const QList<LoginRecord> records = ReadRecords(vault.loginFile());
    for (const char *locale : {"en_US", "de_DE", "fr_CA", "ja_JP", "ar_EG", "C"}) {
        SCOPED_TRACE(locale);
        QProcessEnvironment env = CliVault::environment();
        env.insert(QStringLiteral("LC_ALL"), QLatin1String(locale) + QStringLiteral(".UTF-8"));
        QProcess ls;
        ls.setProcessEnvironment(env);
        ls.start(CliVault::program(), {QStringLiteral("--masters-stdin"), QStringLiteral("ls")});
        ls.write(QByteArray(CliVault::kMaster1) + '\n' + CliVault::kMaster2 + '\n');
        ls.closeWriteChannel();
        ASSERT_TRUE(ls.waitForFinished(20000));
        const QStringList lines = Lines(QString::fromUtf8(ls.readAllStandardOutput()));
        ASSERT_EQ(lines.size(), records.size());
        QLocale::setDefault(QLocale(QLatin1String(locale)));
        for (qsizetype i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].section(QLatin1Char('\t'), 3), ExpiryText(records[i]));
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST_F(ListFixture, SearchMatchesDescriptionOrLoginIgnoringCase)
{
    const struct
    {
        const char *text;
        const char *ids;
    } cases[] = {{"APP", "1001 1003"}, {"bo", "1002"}, {"e", "1000 1001 1002 1003"}, {"zzz", ""}};
    for (const auto &c : cases) {
        const CliRun run = vault.withMasters({QStringLiteral("search"), QLatin1String(c.text)});
        SCOPED_TRACE(c.text);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(ids(run.out).join(QLatin1Char(' ')), QLatin1String(c.ids));
    }
    const CliRun json = vault.withMasters(
        {QStringLiteral("search"), QStringLiteral("zzz"), QStringLiteral("--json")});
    EXPECT_EQ(json.out, QStringLiteral("[]\n"));
}

TEST_F(ListFixture, ShowGivesTheEditorsFieldsAndProtectsThePassword)
{
    const CliRun shown = vault.withMasters({QStringLiteral("show"), QStringLiteral("1002")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    const QString next = Convert::GeneralDate(QDateTime(QDate(2024, 3, 11), QTime(0, 0)));
    EXPECT_EQ(Lines(shown.out),
              QStringList({"id: 1002", "description: cherry", "login: Bob", "password: PROTECTED",
                           "expire-days: 10", "start: " + march1, "next-change: " + next,
                           "case-sensitive: False", "allow-space: False", "require-mix: False",
                           "require-special: False", "min-length: 6", "max-length: 15"}))
        << shown.out.toStdString();

    const CliRun clear = vault.withMasters(
        {QStringLiteral("show"), QStringLiteral("1002"), QStringLiteral("--show-password")});
    EXPECT_TRUE(Lines(clear.out).contains(QStringLiteral("password: secret")));

    const CliRun json =
        vault.withMasters({QStringLiteral("show"), QStringLiteral("1001"), QStringLiteral("--json"),
                           QStringLiteral("--show-password")});
    const QJsonObject entry = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(entry.size(), 13);
    EXPECT_EQ(entry[QStringLiteral("password")].toString(), QStringLiteral("secret"));
    EXPECT_EQ(entry[QStringLiteral("expire-days")].toInt(), 30);
    EXPECT_EQ(entry[QStringLiteral("start")].toString(), QStringLiteral("2024-03-01T00:00:00"));
    EXPECT_EQ(entry[QStringLiteral("next-change")].toString(),
              QStringLiteral("2024-03-31T00:00:00"));
    EXPECT_EQ(entry[QStringLiteral("case-sensitive")].toBool(true), false);
    EXPECT_EQ(entry[QStringLiteral("max-length")].toInt(), 15);
}

TEST_F(ListFixture, ShowRefusesEntriesItCannotRead)
{
    const CliRun missing = vault.withMasters({QStringLiteral("show"), QStringLiteral("999")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, QStringLiteral("There is no entry with LoginID 999.\n"));

    // An entry written under other masters does not open, as in the editor.
    LoginRecord foreign = MakeRecord("x", "y", "field written elsewhere");
    foreign.LoginID = 1004;
    WriteFile(vault.loginFile(), vault.storeBytes() + foreign.encode());
    const CliRun unreadable = vault.withMasters({QStringLiteral("show"), QStringLiteral("1004")});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.err, QStringLiteral("An error occurred reading this item. \n"));
}
