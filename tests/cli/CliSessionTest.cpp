#include "CliVault.h"
#include "StoreFixture.h"
#include "app/VaultLock.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

TEST(CliSession, CommandLineFaultsAreUsageErrorsBeforeAnythingIsAsked)
{
    // has: a text of stdout when the run succeeds, of stderr when it is a usage error.
    const struct
    {
        QStringList args;
        int exitCode;
        const char *has;
    } cases[] = {
        {{"--version"}, 0, "pellora-cli 1.0.0\n"},
        {{"--help"}, 0, "Usage: pellora-cli [--masters-stdin] COMMAND"},
        {{"help", "ls"}, 0, "ls [--sort id|description|login|expiry]"},
        {{"show", "--help"}, 0, "--show-password"},
        {{}, 2, "no command given"},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{"ls", "--sort", "size"}, 2, "--sort takes id, description, login or expiry"},
        {{"ls", "--bogus"}, 2, "ls has no option '--bogus'"},
        {{"show"}, 2, "show: missing argument"},
        {{"show", "12ab"}, 2, "'12ab' is no entry id"},
        {{"rm", "1000", "1001"}, 2, "rm: too many arguments"},
        {{"add", "--login", "joe"}, 2, "add needs --description and --login"},
        {{"add", "--description", "d", "--login", "l", "--start", "soon"}, 2, "--start"},
        {{"edit", "1000", "--password", "--generate"}, 2, "contradict"},
        {{"edit", "1000", "--require-mix", "--no-require-mix"}, 2, "contradict"},
        {{"clip", "1000", "--timeout", "-3"}, 2, "--timeout takes a whole number"},
        {{"encrypt", "a.txt", "--add"}, 2, "--add needs --file-password"},
        {{"export-text"}, 2, "Try 'pellora-cli help export-text'."},
    };
    CliVault vault;
    for (const auto &c : cases) {
        // No input at all: a usage error must come before any secret is asked for.
        const CliRun run = vault.run(c.args);
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE((c.exitCode == 0 ? run.out : run.err).contains(QLatin1String(c.has)));
    }
}

TEST(CliSession, MastersOnStandardInputAreLinesTakenAsTheyAre)
{
    const char *const refused = "Invalid Password(s), try again!";
    const struct
    {
        QByteArray input;
        int exitCode;
        const char *stderrHas;
    } cases[] = {
        {"first master\nsecond-master\n", 0, ""},
        {"first master\r\nsecond-master\r\n", 0, ""},
        {"first master\nsecond-master", 0, ""},
        {"first master \nsecond-master\n", 1, refused},
        {"\tfirst master\nsecond-master\n", 1, refused},
        {"first master\r\r\nsecond-master\n", 1, refused},
        {"second-master\nfirst master\n", 1, refused},
        {"first master\n", 1, "Standard input ended before the line for \"Master password 2\""},
    };
    CliVault vault;
    for (const auto &c : cases) {
        const CliRun run = vault.run({"--masters-stdin", "ls"}, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.input.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(c.stderrHas))) << run.err.toStdString();
    }
}

// Each refusal: exit 1, the window program's message alone, and the vault as it was.
TEST(CliSession, RefusalsSayWhyAndWriteNothing)
{
    CliVault vault;
    vault.add("Bank", "joe", "secret1");
    vault.add("Old", "x", "secret2");
    vault.withMasters({"rm", "1001"});
    LoginRecord foreign = MakeRecord("x", "y", "field written under other masters");
    foreign.LoginID = 1002;
    WriteFile(vault.loginFile(), vault.storeBytes() + foreign.encode());
    const QString file = vault.file(QStringLiteral("a.txt"));
    WriteFile(file, "a letter");
    const QByteArray store = vault.storeBytes();
    const QString unreadable = QStringLiteral("An error occurred reading this item. ");
    const QString tooLong = QStringLiteral("The password has %1 characters; this entry allows at "
                                           "most %2 (Validation tab).");
    const struct
    {
        QStringList args;
        QString message;
    } cases[] = {
        {{"add", "--description=d", "--login=l", "|", ""}, "Please enter a password."},
        {{"add", "--description=", "--login=l", "|", "secret"}, "Please enter a description."},
        {{"add", "--description=d", "--login=l", "--max-length=4", "|", "secret"},
         tooLong.arg(6).arg(4)},
        {{"edit", "1000", "--max-length", "3"}, tooLong.arg(7).arg(3)},
        {{"edit", "999", "--login", "x"}, "There is no entry with LoginID 999."},
        {{"rm", "1001"}, "There is no entry with LoginID 1001."},
        {{"show", "999"}, "There is no entry with LoginID 999."},
        {{"show", "1002"}, unreadable},
        {{"edit", "1002", "--login", "x"}, unreadable},
        {{"encrypt", file, "--file-password", "|", "short"},
         "Please enter a password of between 8 and 64 characters, or tick the option to use the "
         "master passwords"},
        {{"change-masters", "|", "short", "also short"},
         "Master Passwords must be:\n1) At least 8 characters each\n2) Be different"},
        {{"export", vault.file("missing/list.pqx")},
         "An error has occurred in ExportFile 76 Path not found"},
    };
    for (const auto &c : cases) {
        // After "|": the secret lines the command reads.
        const qsizetype bar = c.args.contains("|") ? c.args.indexOf("|") : c.args.size();
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(vault.withMasters(c.args.first(bar), c.args.mid(bar + 1)),
                  (CliRun{1, "", c.message + '\n'}));
        EXPECT_EQ(vault.storeBytes(), store);
    }
    EXPECT_EQ(ReadFile(file), "a letter");
}

TEST(CliSession, WrongMastersWriteNothingButTheLoggedFailure)
{
    CliVault vault;
    vault.settings().saveAll({{Setting::LogMasterFailure, "1"}, {Setting::LogStartup, "1"}});
    EXPECT_EQ(vault.run({"--masters-stdin", "add", "--description=d", "--login=l"},
                        "first master\nwrong\nsecret\n"),
              (CliRun{1, "", "Invalid Password(s), try again!\n"}));
    EXPECT_FALSE(QFile::exists(vault.loginFile()));
    EXPECT_EQ(vault.withMasters({"ls"}).exitCode, 0);
    const QStringList log = vault.logLines();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].contains(QStringLiteral("\tMaster Login Failure "))) << log[0].toStdString();
    EXPECT_TRUE(log[1].contains(QStringLiteral("\tSuccessful Startup, "))) << log[1].toStdString();
    // Without stored masters the user is sent to the window program.
    vault.settings().saveBytes(Setting::Master1, "480275");
    EXPECT_EQ(
        vault.withMasters({"ls"}),
        (CliRun{1, "", "No master passwords have been set yet. Start Pellora to set them up.\n"}));
}

TEST(CliSession, WritersAreRefusedWhileAnotherProcessHoldsTheVault)
{
    CliVault vault;
    vault.add("Bank", "joe", "secret");
    const QByteArray before = vault.storeBytes();
    const auto heldElsewhere = [&vault] { return !VaultLock(vault.dataFolder()).acquire(); };
    // A writer of this very program, waiting for the new masters while it holds the vault.
    QProcess writer;
    CliVault::start(writer, {"change-masters"});
    for (int i = 0; i < 500 && !heldElsewhere(); ++i)
        QThread::msleep(10);
    ASSERT_TRUE(heldElsewhere());
    EXPECT_EQ(vault.withMasters({"rm", "1000"}),
              (CliRun{1, "", QString::fromLatin1(kAlreadyRunningMessage) + '\n'}));
    // Readers go on and see the whole store.
    EXPECT_EQ(Lines(vault.withMasters({"ls"}).out).size(), 1);
    writer.closeWriteChannel();
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_EQ(writer.exitCode(), 1);
    EXPECT_EQ(vault.storeBytes(), before);
    EXPECT_EQ(vault.withMasters({"rm", "1000"}).exitCode, 0);
}

TEST(CliSession, RecoveryComesFirstUnlessTheWindowProgramHasTheVault)
{
    CliVault vault;
    const QString leftover = vault.dataFolder() + QStringLiteral("Pellora.lgn.Ab12cD");
    WriteFile(leftover, "half a store");
    {
        VaultLock window(vault.dataFolder());
        ASSERT_TRUE(window.acquire());
        EXPECT_EQ(vault.withMasters({"ls"}).exitCode, 0);
        EXPECT_TRUE(QFile::exists(leftover));
    }
    // Before the masters are even checked.
    EXPECT_EQ(vault.run({"--masters-stdin", "ls"}, "x\ny\n").exitCode, 1);
    EXPECT_FALSE(QFile::exists(leftover));
}

TEST(CliSession, TerminalPromptsDoNotEchoTheMasters)
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        GTEST_SKIP() << "script(1) is needed for a terminal";
    CliVault vault;
    vault.add("Bank", "joe", "secret");
    QProcess terminal;
    terminal.setProcessEnvironment(CliVault::environment());
    terminal.start(script, {"-qec", CliVault::program() + " ls", "/dev/null"});
    QByteArray screen;
    const auto answer = [&](const QByteArray &prompt, const QByteArray &line) {
        for (int i = 0; i < 100 && !screen.contains(prompt); ++i) {
            terminal.waitForReadyRead(100);
            screen += terminal.readAll();
        }
        terminal.write(line);
        return screen.contains(prompt);
    };
    ASSERT_TRUE(answer("Master password 1: ", "first master\n"));
    ASSERT_TRUE(answer("Master password 2: ", "second-master\n"));
    ASSERT_TRUE(terminal.waitForFinished(10000));
    screen += terminal.readAll();
    EXPECT_EQ(terminal.exitCode(), 0);
    EXPECT_TRUE(screen.contains("\tBank\tjoe\tNever")) << screen.toStdString();
    EXPECT_FALSE(screen.contains("master")) << screen.toStdString();
}
