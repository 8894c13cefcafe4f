#include "CliVault.h"
#include "StoreFixture.h"
#include "entries/EditorLogic.h"
#include "platform/Convert.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(CliEntries, AddStoresTheRecordTheEditorStores)
{
    CliVault vault;
    vault.settings().save(Setting::LogPwdChanges, QStringLiteral("1"));
    EXPECT_EQ(
        vault.withMasters({"add", "--description", "Bank ÄÖ", "--login", "joe", "--expire-days",
                           "30", "--start", "2024-03-01T09:30:00", "--case-sensitive",
                           "--require-mix", "--min-length", "8", "--max-length", "20"},
                          {"Secret99"}),
        (CliRun{0, "1000\n", ""}));

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
    ASSERT_EQ(vault.logLines().size(), 1);
    EXPECT_TRUE(vault.logLines()[0].contains(QStringLiteral("\tAdded joe, ")));
}

// The rules themselves are the editor's; the command shows its refusal and writes nothing.
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
        {{"--max-length", "4"},
         "secret",
         "The password has 6 characters; this entry allows at most 4 (Validation tab)."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(
            vault.withMasters(QStringList{"add", "--description", "d", "--login", "l"} + c.extra,
                              {QString::fromUtf8(c.password)}),
            (CliRun{1, "", QString::fromUtf8(c.message) + '\n'}));
    }
    EXPECT_EQ(vault.storeBytes(), QByteArray());
}

TEST(CliEntries, GeneratedPasswordsPassTheEntrysRules)
{
    CliVault vault;
    // Without masters: nothing is read from standard input.
    const CliRun made = vault.run({"generate", "--require-special", "--require-mix",
                                   "--case-sensitive", "--min-length", "30", "--max-length", "40"});
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral("^(?=.*[0-9])(?=.*[:-@])(?=.*[A-Za-z])[A-Za-z0-9:-@]{30,40}$"))
                    .match(made.out.trimmed())
                    .hasMatch())
        << made.out.toStdString();

    // Most draws of two characters lack a letter or a digit, so the command draws again.
    const CliRun added =
        vault.withMasters({"add", "--description", "site", "--login", "me", "--generate",
                           "--require-mix", "--min-length", "2", "--max-length", "2"});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    const QString password = vault.show(qint16(added.out.trimmed().toInt()))["password"];
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^([a-z][0-9]|[0-9][a-z])$")).match(password).hasMatch())
        << password.toStdString();

    const CliRun impossible = vault.run({"generate", "--min-length", "20", "--max-length", "10"});
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
    const qint16 id = vault.add("Bank", "joe", "secret1");
    const QString idText = QString::number(id);
    QMap<QString, QString> before = vault.show(id);

    EXPECT_EQ(vault.withMasters({"edit", idText, "--login", "joseph", "--require-mix"}).exitCode,
              0);
    before["login"] = QStringLiteral("joseph");
    before["require-mix"] = QStringLiteral("True");
    EXPECT_EQ(vault.show(id), before);
    EXPECT_EQ(vault.withMasters({"edit", idText, "--password"}, {"other22"}).exitCode, 0);
    EXPECT_EQ(vault.show(id)["password"], QStringLiteral("other22"));

    // A change the rules refuse leaves the entry as it was.
    const QByteArray store = vault.storeBytes();
    EXPECT_EQ(vault.withMasters({"edit", idText, "--max-length", "3"}),
              (CliRun{1, "",
                      "The password has 7 characters; this entry allows at most 3 (Validation "
                      "tab).\n"}));
    EXPECT_EQ(vault.storeBytes(), store);
    EXPECT_EQ(vault.withMasters({"edit", "999", "--login", "x"}).err,
              QStringLiteral("There is no entry with LoginID 999.\n"));
    const QStringList log = vault.logLines();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].contains(QStringLiteral("\tUpdated joseph, ")));
}

TEST(CliEntries, RmMarksTheEntryDeletedAsTheWindowDoes)
{
    CliVault vault;
    vault.settings().save(Setting::LogPwdChanges, QStringLiteral("1"));
    vault.add("Bank", "joe", "secret1");
    const QString id = QString::number(vault.add("Mail", "ann", "secret2"));
    EXPECT_EQ(vault.withMasters({"rm", id}).exitCode, 0);
    const QList<LoginRecord> records = ReadRecords(vault.loginFile());
    ASSERT_EQ(records.size(), 2);
    EXPECT_TRUE(records[1].Deleted);
    EXPECT_EQ(Lines(vault.withMasters({"ls"}).out).size(), 1);
    EXPECT_TRUE(vault.logLines().value(0).contains(QStringLiteral("\tDeleted ann, ")));
    EXPECT_EQ(vault.withMasters({"rm", id}),
              (CliRun{1, "", "There is no entry with LoginID 1001.\n"}));
}
