#include "CliVault.h"

TEST(CliEntries, AddStoresTheRecordTheEditorStoresEditAndRmChangeIt)
{
    CliVault vault;
    vault.settings.save(Setting::LogPwdChanges, QStringLiteral("1"));
    EXPECT_EQ(vault.withMasters({"add", "--description", "Bank ÄÖ", "--login", "joe",
                                 "--expire-days", "30", "--start", "2024-03-01T09:30:00",
                                 "--case-sensitive", "--allow-space", "--require-mix",
                                 "--require-special", "--min-length", "8", "--max-length", "20"},
                                {"Secret 99!"}),
              (CliRun{0, "1000\n", ""}));
    LoginEditorInput same = NewEntryInput();
    same.expireDays = QStringLiteral("30");
    same.expireStart = Convert::GeneralDate(QDateTime(QDate(2024, 3, 1), QTime(9, 30)));
    same.caseSensitive = same.allowSpace = same.requireMix = same.requireSpecial = true;
    same.minLength = QStringLiteral("8");
    same.maxLength = QStringLiteral("20");
    ASSERT_EQ(vault.add("Bank ÄÖ", "joe", "Secret 99!", same), 1001);
    const QByteArray store = vault.storeBytes();
    ASSERT_EQ(store.size(), 2 * LoginRecord::Size);
    // Byte for byte the same but for the LoginID.
    EXPECT_EQ(store.mid(2, LoginRecord::Size - 2), store.mid(LoginRecord::Size + 2).left(216));

    // Edit changes only the fields given; rm marks the entry deleted.
    const QStringList show{"show", "1001", "--show-password"};
    QString before = vault.withMasters(show).out;
    EXPECT_EQ(vault.withMasters({"edit", "1001", "--login", "joseph", "--no-require-mix"}).exitCode,
              0);
    EXPECT_EQ(vault.withMasters(show).out, before.replace("login: joe\n", "login: joseph\n")
                                               .replace("require-mix: True", "require-mix: False"));
    EXPECT_EQ(vault.withMasters({"edit", "1001", "--password"}, {"Other 42?"}).exitCode, 0);
    EXPECT_EQ(vault.password(1001), QStringLiteral("Other 42?"));
    EXPECT_EQ(vault.withMasters({"rm", "1001"}), (CliRun{0, "", ""}));
    const QList<LoginRecord> records = ReadRecords(vault.state.LoginFile);
    ASSERT_EQ(records.size(), 2);
    EXPECT_TRUE(records[1].Deleted);
    EXPECT_EQ(vault.withMasters({"ls"}).out.count('\n'), 1);
    EXPECT_EQ(vault.logged(), QStringList({"Added joe, ", "Updated joseph, ", "Updated joseph, ",
                                           "Deleted joseph, "}));
}

// The rules themselves are the editor's: each way in meets them, and an impossible one says so.
TEST(CliEntries, GeneratedPasswordsPassTheEntrysRules)
{
    CliVault vault;
    // Most draws of two characters lack a letter or a digit, so the command draws again.
    const CliRun added = vault.withMasters({"add", "--description=site", "--login=me", "--generate",
                                            "--require-mix", "--min-length=2", "--max-length=2"});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_THAT(vault.password(qint16(added.out.trimmed().toInt())).toStdString(),
                testing::MatchesRegex("[a-z][0-9]|[0-9][a-z]"));
    // Without masters: nothing is read from standard input.
    EXPECT_THAT(vault.run({"generate", "--case-sensitive"}).out.toStdString(),
                testing::MatchesRegex("[A-Za-z]{6,15}\n"));
    const CliRun impossible = vault.run({"generate", "--min-length", "20", "--max-length", "10"});
    EXPECT_EQ(impossible.exitCode, 1);
    // Every draw is 11 to 20 characters long, so the last one's fault is its length.
    EXPECT_PRED2(Has, impossible.err, "; this entry allows at most 10 (Validation tab).\n");
}
