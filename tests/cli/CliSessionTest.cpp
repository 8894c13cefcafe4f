#include "CliVault.h"
#include "app/VaultLock.h"

#include <QThread>

TEST(CliSession, CommandLineFaultsAreRefusedBeforeAnythingIsAsked)
{
    // The text is of stdout when the run succeeds, else of stderr.
    const std::tuple<QStringList, int, const char *> cases[] = {
        {{"--version"}, 0, "pellora-cli 1.0.0\n"},
        {{"--help"}, 0, "Usage: pellora-cli [--masters-stdin] COMMAND"},
        {{"help", "ls"}, 0, "ls [--sort id|description|login|expiry]"},
        {{"show", "--help"}, 0, "--show-password"},
        {{}, 2, "no command given"},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'\nTry 'pellora-cli --help'."},
        {{"ls", "--sort", "size"}, 2, "--sort takes id, description, login or expiry"},
        {{"ls", "--bogus"}, 2, "ls has no option '--bogus'"},
        {{"show"}, 2, "show: missing argument\nTry 'pellora-cli help show'."},
        {{"show", "12ab"}, 2, "'12ab' is no entry id"},
        {{"rm", "1000", "1001"}, 2, "rm: too many arguments"},
        {{"add", "--login", "joe"}, 2, "add needs --description and --login"},
        {{"add", "--description", "d", "--login", "l", "--start", "soon"}, 2, "--start"},
        {{"edit", "1000", "--password", "--generate"}, 2, "contradict"},
        {{"edit", "1000", "--require-mix", "--no-require-mix"}, 2, "contradict"},
        {{"clip", "1000", "--timeout", "-3"}, 2, "--timeout takes a whole number"},
        {{"encrypt", "a.txt", "--add"}, 2, "--add needs --file-password"},
        {{"clip", "1000"}, 1, "neither DISPLAY nor WAYLAND_DISPLAY is set"},
    };
    CliVault vault;
    for (const auto &[args, exitCode, has] : cases) {
        // No input at all: the refusal must come before any secret is asked for.
        const CliRun run = vault.run(args);
        EXPECT_EQ(run.exitCode, exitCode) << run.err.toStdString();
        EXPECT_PRED2(Has, exitCode == 0 ? run.out : run.err, QLatin1String(has));
    }
}

TEST(CliSession, MastersOnStandardInputAreLinesTakenAsTheyAreAndWrongOnesAreLogged)
{
    CliVault vault;
    vault.settings.saveAll({{Setting::LogMasterFailure, "1"}, {Setting::LogStartup, "1"}});
    const char *const refused = "Invalid Password(s), try again!";
    const std::tuple<QByteArray, int, const char *> cases[] = {
        {"first master\r\nsecond-master\r\n", 0, ""},
        {"first master\nsecond-master", 0, ""},
        {"first master \nsecond-master\n", 1, refused},
        {"first master\r\r\nsecond-master\n", 1, refused},
        {"first master\n", 1, "Standard input ended before the line for \"Master password 2\""},
    };
    for (const auto &[input, exitCode, has] : cases) {
        const CliRun run = vault.run({"--masters-stdin", "ls"}, input);
        EXPECT_EQ(run.exitCode, exitCode) << input.toStdString();
        EXPECT_PRED2(Has, run.err, QLatin1String(has));
    }
    EXPECT_EQ(vault.logged(), QStringList({"Successful Startup, ", "Successful Startup, ",
                                           "Master Login Failure ", "Master Login Failure "}));
    // A writer refused for its masters writes nothing.
    EXPECT_EQ(vault.run({"--masters-stdin", "add", "--description=d", "--login=l"},
                        "first master\nwrong\nsecret\n"),
              (CliRun{1, "", QString::fromLatin1(refused) + '\n'}));
    EXPECT_FALSE(QFile::exists(vault.state.LoginFile));
    // Without stored masters the user is sent to the window program.
    vault.settings.saveBytes(Setting::Master1, "480275");
    EXPECT_EQ(
        vault.withMasters({"ls"}),
        (CliRun{1, "", "No master passwords have been set yet. Start Pellora to set them up.\n"}));
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
    WriteFile(vault.state.LoginFile, vault.storeBytes() + foreign.encode());
    const QString file = vault.home.file(QStringLiteral("a.txt"));
    WriteFile(file, "a letter");
    const QByteArray store = vault.storeBytes();
    const QString unreadable = QStringLiteral("An error occurred reading this item. ");
    // After "|": the secret lines the command reads.
    const std::pair<QStringList, QString> cases[] = {
        {{"edit", "1000", "--max-length", "3"},
         "The password has 7 characters; this entry allows at most 3 (Validation tab)."},
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
        {{"export", vault.home.file("missing/list.pqx")},
         "An error has occurred in ExportFile 76 Path not found"},
    };
    for (const auto &[args, message] : cases) {
        const qsizetype bar = args.contains("|") ? args.indexOf("|") : args.size();
        EXPECT_EQ(vault.withMasters(args.first(bar), args.mid(bar + 1)),
                  (CliRun{1, "", message + '\n'}));
        EXPECT_EQ(vault.storeBytes(), store);
    }
    EXPECT_EQ(ReadFile(file), "a letter");
}

TEST(CliSession, WhileTheVaultIsHeldWritersAreRefusedAndRecoveryWaits)
{
    CliVault vault;
    vault.add("Bank", "joe", "secret");
    const QByteArray before = vault.storeBytes();
    const QString leftover = vault.state.DataFolder + QStringLiteral("Pellora.lgn.Ab12cD");
    WriteFile(leftover, "half a store");
    {
        VaultLock window(vault.state.DataFolder);
        ASSERT_TRUE(window.acquire());
        EXPECT_EQ(vault.withMasters({"rm", "1000"}),
                  (CliRun{1, "", QString::fromLatin1(kAlreadyRunningMessage) + '\n'}));
        // Readers go on, see the whole store and leave the holder's work alone.
        EXPECT_EQ(vault.withMasters({"ls"}).out.count('\n'), 1);
        EXPECT_TRUE(QFile::exists(leftover));
    }
    // Recovery comes before the masters are even checked.
    EXPECT_EQ(vault.run({"--masters-stdin", "ls"}, "x\ny\n").exitCode, 1);
    EXPECT_FALSE(QFile::exists(leftover));
    // A writer holds the vault to its end, here while it waits for the new masters.
    const auto heldElsewhere = [&vault] { return !VaultLock(vault.state.DataFolder).acquire(); };
    QProcess writer;
    writer.setProcessEnvironment(CliVault::environment());
    writer.start(QStringLiteral(PELLORA_CLI_PATH), {"--masters-stdin", "change-masters"});
    writer.write(CliVault::kMasters);
    for (int i = 0; i < 500 && !heldElsewhere(); ++i)
        QThread::msleep(10);
    EXPECT_TRUE(heldElsewhere());
    writer.closeWriteChannel();
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_EQ(writer.exitCode(), 1);
    EXPECT_EQ(vault.storeBytes(), before);
}

TEST(CliSession, TerminalPromptsDoNotEchoTheMasters)
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        GTEST_SKIP() << "script(1) is needed for a terminal";
    CliVault vault;
    QProcess terminal;
    terminal.setProcessEnvironment(CliVault::environment());
    terminal.start(script, {"-qec", QStringLiteral(PELLORA_CLI_PATH " ls"), "/dev/null"});
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
    EXPECT_FALSE(screen.contains("master")) << screen.toStdString();
}
