#include "CliVault.h"
#include "FakeUi.h"
#include "StoreFixture.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "master/MasterPasswords.h"
#include "transfer/TextExport.h"
#include "transfer/TransferExport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
struct NoView : TextExportView
{
    void setProgress(int) override {}
    void showProgress(bool) override {}
    void showFinished(bool) override {}
};

struct TransferFixture : ::testing::Test
{
    CliVault vault;
    FakeUi ui;

    void SetUp() override
    {
        vault.add(QStringLiteral("Bank"), QStringLiteral("joe"), QStringLiteral("secret1"));
        const qint16 gone =
            vault.add(QStringLiteral("Old"), QStringLiteral("x"), QStringLiteral("secret2"));
        vault.add(QStringLiteral("Mail, home"), QStringLiteral("ann"), QStringLiteral("secret3"));
        LoginStore(vault.loginFile(), ui).deletelogin(gone);
    }
};
} // namespace

TEST_F(TransferFixture, ExportWritesTheWindowProgramsTransferFile)
{
    // A relative name is taken from the folder the command runs in.
    const CliRun run = vault.withMasters({QStringLiteral("export"), QStringLiteral("list.pqx")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString window = vault.file(QStringLiteral("window.pqx"));
    ASSERT_TRUE(ExportFile(ui, vault.state(), vault.settings(), window));
    EXPECT_EQ(ReadFile(vault.file(QStringLiteral("list.pqx"))), ReadFile(window));
    EXPECT_EQ(FileMode(window), 0600);

    const CliRun nowhere = vault.withMasters(
        {QStringLiteral("export"), vault.file(QStringLiteral("missing/list.pqx"))});
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_FALSE(nowhere.err.isEmpty());
}

TEST_F(TransferFixture, ImportTakesTheExportingMastersAsTheNextSecrets)
{
    // A list exported by an installation with other masters.
    AppState other = vault.state();
    other.LoginFile = vault.file(QStringLiteral("other.lgn"));
    other.ActiveMaster1 = MasterValue("their master 1");
    other.ActiveMaster2 = MasterValue("their master 2");
    LoginRecord theirs =
        MakeRecord("kim", "Shop", *EncodePasswordField("shhh1234", other.entryKey()));
    LoginStore(other.LoginFile, ui).Addlogin(theirs);
    const QString file = vault.file(QStringLiteral("theirs.pqx"));
    ASSERT_TRUE(ExportFile(ui, other, vault.settings(), file));
    const QByteArray store = vault.storeBytes();

    const CliRun wrong =
        vault.withMasters({QStringLiteral("import"), file}, {"their master 1", "first master"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(wrong.err, QStringLiteral("The passwords do not match the passwords used for "
                                        "exporting this list.\n"));
    EXPECT_EQ(vault.storeBytes(), store);

    const CliRun imported =
        vault.withMasters({QStringLiteral("import"), file}, {"their master 1", "their master 2"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, QStringLiteral("1\n"));
    const CliRun shown = vault.withMasters(
        {QStringLiteral("show"), QStringLiteral("1003"), QStringLiteral("--show-password")});
    EXPECT_TRUE(Lines(shown.out).contains(QStringLiteral("password: shhh1234")))
        << shown.out.toStdString();
}

TEST_F(TransferFixture, ExportTextWritesWhatTheDialogWrites)
{
    const struct
    {
        QStringList options;
        TextExportOptions dialog;
    } cases[] = {
        {{}, {}},
        {{"--description", "--password", "--headings"},
         {true, true, false, false, true, QStringLiteral("Comma")}},
        {{"--rows", "--validation-rules", "--password"},
         {false, true, true, true, false, QStringLiteral("Comma")}},
        {{"--delimiter", "TAB", "--description", "--headings"},
         {true, false, false, false, true, QStringLiteral("TAB")}},
        {{"--delimiter=::", "--description"}, {true, false, false, false, false, "::"}},
    };
    const QString window = vault.file(QStringLiteral("window.txt"));
    const QString cli = vault.file(QStringLiteral("cli.txt"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.options.join(QLatin1Char(' ')).toStdString());
        NoView view;
        QFile::remove(window);
        ASSERT_TRUE(ExportTextFile(ui, vault.state(), vault.settings(), view, window, c.dialog));
        // An existing file is replaced, as answering Yes to the dialog's question does.
        const CliRun run =
            vault.withMasters(QStringList{QStringLiteral("export-text"), cli} + c.options);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ReadFile(cli), ReadFile(window));
    }
    const QByteArray once = ReadFile(cli);
    const CliRun appended =
        vault.withMasters({QStringLiteral("export-text"), cli, QStringLiteral("--description"),
                           QStringLiteral("--delimiter=::"), QStringLiteral("--append")});
    EXPECT_EQ(appended.err, QStringLiteral("File exists. Do you wish to overwrite? No\n"));
    EXPECT_EQ(ReadFile(cli), once + once);
}
