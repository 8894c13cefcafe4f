#include "CliVault.h"
#include "StoreFixture.h"
#include "entries/EditorLogic.h"
#include "entries/LoginRecord.h"
#include "platform/Convert.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
QStringList args(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *a : list)
        out << QString::fromUtf8(a);
    return out;
}

// The entry's fields as show prints them.
QMap<QString, QString> shown(const CliVault &vault, qint16 id)
{
    const CliRun run = vault.withMasters(
        {QStringLiteral("show"), QString::number(id), QStringLiteral("--show-password")});
    QMap<QString, QString> fields;
    for (const QString &line : Lines(run.out))
        fields.insert(line.section(QStringLiteral(": "), 0, 0),
                      line.section(QStringLiteral(": "), 1));
    return fields;
}

QStringList logLines(const CliVault &vault)
{
    return Lines(QString::fromUtf8(ReadFile(vault.logFile())));
}
} // namespace

TEST(CliEntries, AddStoresTheRecordTheEditorStores)
{
    CliVault vault;
    vault.settings().save(Setting::LogPwdChanges, QStringLiteral("1"));
    const CliRun added = vault.withMasters(
        args({"add", "--description", "Bank ÄÖ", "--login", "joe", "--expire-days", "30", "--start",
              "2024-03-01T09:30:00", "--case-sensitive", "--require-mix", "--min-length", "8",
              "--max-length", "20"}),
        {QStringLiteral("Secret99")});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_EQ(added.out, QStringLiteral("1000\n"));
    EXPECT_EQ(added.err, QString());

    LoginEditorInput same = NewEntryInput();
    same.description = QStringLiteral("Bank ÄÖ");
    same.login = QStringLiteral("joe");
    same.password = QStringLiteral("Secret99");
    same.expireDays = QStringLiteral("30");
    same.expireStart = Convert::GeneralDate(QDateTime(QDate(2024, 3, 1), QTime(9, 30)));
    same.caseSensitive = same.requireMix = true;
    same.minLength = QStringLiteral("8");
    same.maxLength = QStringLiteral("20");
    ASSERT_EQ(vault.add(same), 1001);
    const QByteArray store = vault.storeBytes();
    ASSERT_EQ(store.size(), 2 * LoginRecord::Size);
    // Byte for byte the same but for the LoginID.
    EXPECT_EQ(store.mid(2, LoginRecord::Size - 2), store.mid(LoginRecord::Size + 2).left(216));

    const QStringList log = logLines(vault);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains(QStringLiteral("\tAdded joe, "))) << log[0].toStdString();
}

TEST(CliEntries, AddRefusesWithTheEditorsMessagesAndWritesNothing)
{
    CliVault vault;
    const struct
    {
        QStringList extra;
        const char *password;
        const char *message;
    } cases[] = {
        {{}, "", "Please enter a password."},
        {{"--description="}, "secret", "Please enter a description."},
        {{}, "abc", "The password has 3 characters; this entry needs at least 6 (Validation tab)."},
        {{"--max-length", "4"},
         "secret",
         "The password has 6 characters; this entry allows at most 4 (Validation tab)."},
        {{"--require-mix"},
         "abcdefg",
         "The password needs both letters and digits for this entry (Validation tab)."},
        {{"--require-special"},
         "abcdefg",
         "The password has no character other than letters and digits; this entry requires "
         "one (Validation tab)."},
        {{},
         "has space",
         "The password has a space; this entry allows none (Validation tab, \"Allow SPACE "
         "character\")."},
        {{"--description", "tab\there"},
         "secret",
         "The description contains a control "
         "character (such as a tab or line break), "
         "which cannot be stored. Please remove it."},
        {{"--login", "✓ok"},
         "secret",
         "The login contains a character that cannot be stored: "
         "\"✓\" (U+2713). Please remove it."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        const CliRun run =
            vault.withMasters(args({"add", "--description", "d", "--login", "l"}) + c.extra,
                              {QString::fromUtf8(c.password)});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, QString::fromUtf8(c.message) + QLatin1Char('\n'));
        EXPECT_EQ(run.out, QString());
    }
    EXPECT_EQ(vault.storeBytes(), QByteArray());
}

TEST(CliEntries, GeneratedPasswordsPassTheEntrysRules)
{
    CliVault vault;
    const struct
    {
        QStringList rules;
        const char *pattern;
    } cases[] = {
        {{}, "^[a-z]{6,15}$"},
        {{"--case-sensitive", "--min-length", "30", "--max-length", "40"}, "^[A-Za-z]{30,40}$"},
        {{"--require-mix", "--min-length", "2", "--max-length", "2"}, "^([a-z][0-9]|[0-9][a-z])$"},
        {{"--require-special", "--require-mix", "--case-sensitive"},
         "^(?=.*[0-9])(?=.*[:-@])(?=.*[A-Za-z])[A-Za-z0-9:-@]{6,15}$"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pattern);
        const QRegularExpression shape(QLatin1String(c.pattern));
        // Without masters: nothing is read from standard input.
        const CliRun made = vault.run(QStringList{QStringLiteral("generate")} + c.rules);
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        EXPECT_TRUE(shape.match(made.out.trimmed()).hasMatch()) << made.out.toStdString();

        const CliRun added = vault.withMasters(
            args({"add", "--description", "site", "--login", "me", "--generate"}) + c.rules);
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        const QString password = shown(vault, qint16(added.out.trimmed().toInt()))["password"];
        EXPECT_TRUE(shape.match(password).hasMatch()) << password.toStdString();
    }
    const CliRun impossible =
        vault.run(args({"generate", "--min-length", "20", "--max-length", "10"}));
    EXPECT_EQ(impossible.exitCode, 1);
    // Every draw is 11 to 20 characters long, so the last one's fault is its length.
    EXPECT_TRUE(impossible.err.endsWith(
        QStringLiteral("; this entry allows at most 10 (Validation tab).\n")))
        << impossible.err.toStdString();
}

TEST(CliEntries, EditChangesOnlyTheFieldsGiven)
{
    CliVault vault;
    vault.settings().save(Setting::LogPwdChanges, QStringLiteral("1"));
    const qint16 id =
        vault.add(QStringLiteral("Bank"), QStringLiteral("joe"), QStringLiteral("secret1"));
    const QString idText = QString::number(id);
    QMap<QString, QString> before = shown(vault, id);

    EXPECT_EQ(vault.withMasters(QStringList{"edit", idText, "--login", "joseph", "--require-mix"})
                  .exitCode,
              0);
    QMap<QString, QString> after = shown(vault, id);
    EXPECT_EQ(after["login"], QStringLiteral("joseph"));
    EXPECT_EQ(after["require-mix"], QStringLiteral("True"));
    before["login"] = after["login"];
    before["require-mix"] = after["require-mix"];
    EXPECT_EQ(after, before);

    const CliRun password =
        vault.withMasters(QStringList{"edit", idText, "--password"}, {QStringLiteral("other22")});
    EXPECT_EQ(password.exitCode, 0) << password.err.toStdString();
    EXPECT_EQ(shown(vault, id)["password"], QStringLiteral("other22"));

    // A change the rules refuse leaves the entry as it was.
    const QByteArray store = vault.storeBytes();
    const CliRun refused = vault.withMasters(QStringList{"edit", idText, "--max-length", "3"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, QStringLiteral("The password has 7 characters; this entry allows at "
                                          "most 3 (Validation tab).\n"));
    EXPECT_EQ(vault.storeBytes(), store);
    EXPECT_EQ(vault.withMasters(QStringList{"edit", "999", "--login", "x"}).err,
              QStringLiteral("There is no entry with LoginID 999.\n"));

    const QStringList log = logLines(vault);
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].contains(QStringLiteral("\tUpdated joseph, ")));
}

TEST(CliEntries, RmMarksTheEntryDeletedAsTheWindowDoes)
{
    CliVault vault;
    vault.settings().save(Setting::LogPwdChanges, QStringLiteral("1"));
    vault.add(QStringLiteral("Bank"), QStringLiteral("joe"), QStringLiteral("secret1"));
    const qint16 id =
        vault.add(QStringLiteral("Mail"), QStringLiteral("ann"), QStringLiteral("secret2"));
    const CliRun removed = vault.withMasters({QStringLiteral("rm"), QString::number(id)});
    EXPECT_EQ(removed.exitCode, 0);
    const QList<LoginRecord> records = ReadRecords(vault.loginFile());
    ASSERT_EQ(records.size(), 2);
    EXPECT_TRUE(records[1].Deleted);
    EXPECT_EQ(Lines(vault.withMasters({QStringLiteral("ls")}).out).size(), 1);
    EXPECT_TRUE(logLines(vault).value(0).contains(QStringLiteral("\tDeleted ann, ")));

    const CliRun again = vault.withMasters({QStringLiteral("rm"), QString::number(id)});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.err, QStringLiteral("There is no entry with LoginID 1001.\n"));
}
