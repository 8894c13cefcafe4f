#include "CliVault.h"
#include "entries/Expiry.h"

// Four entries whose columns each sort them differently; "Apple" and "apple" tie.
struct ListFixture : ::testing::Test
{
    CliVault vault;
    QString march1 = Convert::GeneralDate(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));

    void SetUp() override
    {
        for (const auto &[description, login, days] :
             {std::array{"banana", "Zed", "0"}, std::array{"Apple", "amy", "30"},
              std::array{"cherry", "Bob", "10"}, std::array{"apple", "carl", "0"}}) {
            LoginEditorInput in = NewEntryInput();
            in.expireDays = QLatin1String(days);
            in.expireStart = march1;
            ASSERT_NE(vault.add(description, login, "secret", in), 0);
        }
    }

    // The first column of every line the command prints.
    QString ids(const QStringList &args) const
    {
        QStringList first;
        for (const QString &line : vault.withMasters(args).out.split('\n', Qt::SkipEmptyParts))
            first << line.section(QLatin1Char('\t'), 0, 0);
        return first.join(QLatin1Char(' '));
    }
};

TEST_F(ListFixture, LsFollowsTheListOrderOfTheSettingsUnlessTold)
{
    // The settings, the command's options, the ids in the order printed.
    const std::tuple<QList<QPair<SettingKey, const char *>>, QStringList, const char *> cases[] = {
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
    for (const auto &[settings, args, order] : cases) {
        for (const SettingKey &key : Setting::All)
            if (QLatin1String(key.key).startsWith(QLatin1String("Order")))
                vault.settings.save(key, QString::fromLatin1(key.defaultValue));
        for (const auto &[key, value] : settings)
            vault.settings.save(key, QLatin1String(value));
        EXPECT_EQ(ids(QStringList{"ls"} + args), QLatin1String(order));
    }
    EXPECT_EQ(ids({"search", "APP"}), QStringLiteral("1001 1003"));
    EXPECT_EQ(ids({"search", "bo"}), QStringLiteral("1002"));
    EXPECT_EQ(vault.withMasters({"search", "zzz", "--json"}), (CliRun{0, "[]\n", ""}));
    // Ids sort as text, as the list sorts them: 10000 comes between 1000 and 1001.
    LoginRecord record = MakeRecord("login", "description");
    record.LoginID = 10000;
    WriteFile(vault.state.LoginFile, vault.storeBytes() + record.encode());
    EXPECT_EQ(ids({"ls"}), QStringLiteral("1000 10000 1001 1002 1003"));
}

TEST_F(ListFixture, LsAndShowPrintTheListColumnsAndTheEditorsFieldsAsLinesOrJson)
{
    vault.add("  padded at both ends  ", "ann", "secret");
    const QList<LoginRecord> records = ReadRecords(vault.state.LoginFile);
    EXPECT_EQ(vault.withMasters({"ls"}).out,
              "1000\tbanana\tZed\tNever\n1001\tApple\tamy\t" + ExpiryText(records[1]) +
                  "\n1002\tcherry\tBob\t" + ExpiryText(records[2]) +
                  "\n1003\tapple\tcarl\tNever\n1004\t  padded at both ends\tann\tNever\n");
    EXPECT_EQ(vault.withMasters({"ls", "--json"}).out.simplified(),
              R"([ {"id": 1000, "description": "banana", "login": "Zed", "expires": null}, )"
              R"({"id": 1001, "description": "Apple", "login": "amy", "expires": )"
              R"("2024-03-31T00:00:00"}, {"id": 1002, "description": "cherry", "login": "Bob", )"
              R"("expires": "2024-03-11T00:00:00"}, {"id": 1003, "description": "apple", )"
              R"("login": "carl", "expires": null}, {"id": 1004, "description": " padded at )"
              R"(both ends", "login": "ann", "expires": null} ])");

    // show gives the editor's fields and protects the password unless told.
    const QString next = Convert::GeneralDate(QDateTime(QDate(2024, 3, 11), QTime(0, 0)));
    EXPECT_EQ(vault.withMasters({"show", "1002"}).out,
              QStringList({"id: 1002", "description: cherry", "login: Bob", "password: PROTECTED",
                           "expire-days: 10", "start: " + march1, "next-change: " + next,
                           "case-sensitive: False", "allow-space: False", "require-mix: False",
                           "require-special: False", "min-length: 6", "max-length: 15", ""})
                  .join('\n'));
    EXPECT_EQ(
        vault.withMasters({"show", "1001", "--json", "--show-password"}).out.simplified(),
        R"({ "id": 1001, "description": "Apple", "login": "amy", "password": "secret", )"
        R"("expire-days": 30, "start": "2024-03-01T00:00:00", "next-change": )"
        R"("2024-03-31T00:00:00", "case-sensitive": false, "allow-space": false, )"
        R"("require-mix": false, "require-special": false, "min-length": 6, "max-length": 15 })");
}

TEST(CliListDates, ExpiryTextsAreTheGeneralDatesOfEveryLocale)
{
    CliVault vault;
    LoginEditorInput in = NewEntryInput();
    in.expireDays = QStringLiteral("45");
    for (const QDateTime &start :
         {QDateTime({2024, 2, 29}, {0, 0}), QDateTime({1987, 11, 3}, {0, 0, 30}),
          QDateTime({2031, 7, 14}, {9, 5, 7}), QDateTime({2024, 2, 29}, {12, 0}),
          QDateTime({1987, 11, 3}, {12, 45, 1}), QDateTime({2031, 7, 14}, {23, 59, 59})}) {
        in.expireStart = Convert::GeneralDate(start);
        ASSERT_NE(vault.add("description", "login", "secret", in), 0);
    }
    const QList<LoginRecord> records = ReadRecords(vault.state.LoginFile);
    for (const char *locale : {"en_US", "de_DE", "fr_CA", "ja_JP", "ar_EG", "C"}) {
        SCOPED_TRACE(locale);
        QProcessEnvironment env = CliVault::environment();
        env.insert(QStringLiteral("LC_ALL"), QLatin1String(locale) + QStringLiteral(".UTF-8"));
        const QStringList lines = vault.run({"--masters-stdin", "ls"}, CliVault::kMasters, env)
                                      .out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), records.size());
        QLocale::setDefault(QLocale(QLatin1String(locale)));
        for (qsizetype i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].section(QLatin1Char('\t'), 3), ExpiryText(records[i]));
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}
