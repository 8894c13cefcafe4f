#include "CliVault.h"
#include "entries/PasswordField.h"
#include "master/MasterPasswords.h"
#include "transfer/TextExport.h"
#include "transfer/TransferExport.h"

namespace {
struct NoView : TextExportView
{
    void setProgress(int) override {}
    void showProgress(bool) override {}
    void showFinished(bool) override {}
};
} // namespace

TEST(CliTransfer, ExportsWriteWhatTheWindowProgramWritesAndImportReadsALikeList)
{
    // Three entries, the middle one deleted; one has the delimiter in its description.
    CliVault vault;
    FakeUi ui;
    vault.add("Bank", "joe", "secret1");
    vault.add("Old", "x", "secret2");
    vault.add("Mail, home", "ann", "secret3");
    ASSERT_EQ(vault.withMasters({"rm", "1001"}).exitCode, 0);

    // The command's options and the dialog's ticks that mean the same.
    const std::pair<QStringList, TextExportOptions> cases[] = {
        {{}, {}},
        {{"--description", "--password", "--headings"}, {true, true, false, false, true, "Comma"}},
        {{"--rows", "--validation-rules", "--password"}, {false, true, true, true, false, "Comma"}},
        {{"--delimiter", "TAB", "--description", "--headings"},
         {true, false, false, false, true, "TAB"}},
        {{"--delimiter=::", "--description"}, {true, false, false, false, false, "::"}},
    };
    const QString window = vault.home.file(QStringLiteral("window.txt"));
    const QString cli = vault.home.file(QStringLiteral("cli.txt"));
    for (const auto &[options, dialog] : cases) {
        NoView view;
        QFile::remove(window);
        ASSERT_TRUE(ExportTextFile(ui, vault.state, vault.settings, view, window, dialog));
        // An existing file is replaced, as answering Yes to the dialog's question does.
        ASSERT_EQ(vault.withMasters(QStringList{"export-text", cli} + options).exitCode, 0);
        EXPECT_EQ(ReadFile(cli), ReadFile(window)) << options.join(' ').toStdString();
    }
    const QByteArray once = ReadFile(cli);
    EXPECT_EQ(
        vault.withMasters({"export-text", cli, "--description", "--delimiter=::", "--append"}).err,
        QStringLiteral("File exists. Do you wish to overwrite? No\n"));
    EXPECT_EQ(ReadFile(cli), once + once);

    // A relative name is taken from the folder the command runs in.
    ASSERT_EQ(vault.withMasters({"export", "list.pqx"}), (CliRun{0, "", ""}));
    ASSERT_TRUE(ExportFile(ui, vault.state, vault.settings, vault.home.file("window.pqx")));
    EXPECT_EQ(ReadFile(vault.home.file("list.pqx")), ReadFile(vault.home.file("window.pqx")));

    // Import takes the exporting masters as the next secrets; here from another installation.
    AppState other = vault.state;
    other.LoginFile = vault.home.file(QStringLiteral("other.lgn"));
    other.ActiveMaster1 = MasterValue("their master 1");
    other.ActiveMaster2 = MasterValue("their master 2");
    WriteFile(
        other.LoginFile,
        MakeRecord("kim", "Shop", *EncodePasswordField("shhh1234", other.entryKey())).encode());
    const QString file = vault.home.file(QStringLiteral("theirs.pqx"));
    ASSERT_TRUE(ExportFile(ui, other, vault.settings, file));
    const QByteArray store = vault.storeBytes();
    EXPECT_EQ(vault.withMasters({"import", file}, {"their master 1", "first master"}),
              (CliRun{1, "",
                      "The passwords do not match the passwords used for exporting this list.\n"}));
    EXPECT_EQ(vault.storeBytes(), store);
    EXPECT_EQ(vault.withMasters({"import", file}, {"their master 1", "their master 2"}),
              (CliRun{0, "1\n", ""}));
    EXPECT_EQ(vault.password(1003), QStringLiteral("shhh1234"));
}
