#include "filevault/ProcessFiles.h"
#include "StoreFixture.h"
#include "VaultTestFiles.h"
#include "app/DataFolder.h"
#include "crypto/cPQCrypt.h"
#include "entries/PasswordField.h"
#include "filevault/InPlaceCipher.h"
#include "filevault/RunProgress.h"
#include "log/LogEvents.h"
#include "platform/Clock.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString kComplete = QStringLiteral("Processing Complete");
const QString kTooShort = QStringLiteral("Please enter a password of between 8 and 64 characters, "
                                         "or tick the option to use the master passwords");
} // namespace

class FileVaultRun : public ::testing::Test
{
protected:
    VaultFixture f;
    RecordingVaultView view;
    int reloads = 0;

    VaultRun runOf(const QStringList &names, const QString &password)
    {
        VaultRun run;
        run.folder = f.folder;
        for (const QString &name : names)
            run.files << qMakePair(name, true);
        run.password = password;
        return run;
    }
    void process(const VaultRun &run, bool encrypt = true)
    {
        ProcessFiles(f.ui, f.state, view, run, encrypt, [this] { ++reloads; });
    }
    QByteArray read(const QString &name) const { return ReadFile(f.pathOf(name)); }
};

TEST_F(FileVaultRun, EncryptThenDecryptRestoresAndStoresTheTrimmedPasswordEachTime)
{
    f.put(QStringLiteral("a.txt"), "alpha");
    f.put(QStringLiteral("b.txt"), "bravo!");
    f.put(QStringLiteral("c.txt"), "not selected");
    VaultRun run = runOf({QStringLiteral("a.txt"), QStringLiteral("b.txt")}, "  spaced pw ");
    run.files.insert(1, qMakePair(QStringLiteral("c.txt"), false));
    run.addPassword = true;

    process(run);
    EXPECT_EQ(read(QStringLiteral("a.txt")), Crypt().Encrypt("alpha", "  spaced pw "));
    EXPECT_EQ(read(QStringLiteral("c.txt")), "not selected");
    EXPECT_EQ(view.statuses, QStringList({QStringLiteral("Total Bytes selected for processing: 11"),
                                          QStringLiteral("Processing... a.txt"),
                                          QStringLiteral("Processing... b.txt"), kComplete}));
    EXPECT_EQ(view.progress, QList<int>({1, 13, 25, 37, 37, 49, 61, 73, 73, 0}));
    EXPECT_EQ(view.buttons, QList<bool>({false, true}));
    EXPECT_EQ(f.ui.busyDepth, 0);

    process(run, false);
    EXPECT_EQ(read(QStringLiteral("a.txt")), "alpha");
    EXPECT_EQ(read(QStringLiteral("b.txt")), "bravo!");
    const auto records = ReadRecords(f.state.LoginFile);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[3].Description, FitText("b.txt"));
    EXPECT_EQ(DecodePasswordField(records[3].Password, f.state.entryKey()), "spaced pw");
    EXPECT_EQ(reloads, 4);
    EXPECT_TRUE(f.ui.shown.isEmpty());
}

TEST_F(FileVaultRun, MasterKeyFilesOpenAfterARestartAndNeverBecomeEntries)
{
    f.put(QStringLiteral("m.txt"), "master secret");
    VaultRun run = runOf({QStringLiteral("m.txt")}, QString());
    run.useMasterPasswords = true;
    run.addPassword = true;
    process(run);
    EXPECT_EQ(read(QStringLiteral("m.txt")), Crypt().Encrypt("master secret", f.state.entryKey()));
    EXPECT_EQ(view.progress, QList<int>({1, 26, 51, 76, 100, 0}));

    AppState restarted;
    restarted.ActiveMaster1 = f.state.ActiveMaster1;
    restarted.ActiveMaster2 = f.state.ActiveMaster2;
    ProcessFiles(f.ui, restarted, view, run, false, {});
    EXPECT_EQ(read(QStringLiteral("m.txt")), "master secret");
    EXPECT_FALSE(QFile::exists(f.state.LoginFile));
}

TEST_F(FileVaultRun, PasswordsThatCannotServeAreRefusedBeforeAnything)
{
    f.put(QStringLiteral("a.txt"), "alpha");
    const QStringList names{QStringLiteral("a.txt")};
    VaultRun longForEntry = runOf(names, QString(63, QLatin1Char('p')));
    longForEntry.addPassword = true;
    for (const VaultRun &run : {runOf(names, QStringLiteral("1234567")),
                                runOf(names, QStringLiteral("password\u4e2d")), longForEntry})
        process(run);
    ASSERT_EQ(f.ui.shown.size(), 3);
    EXPECT_EQ(f.ui.shown[0].text, kTooShort);
    EXPECT_TRUE(view.statuses.isEmpty() && view.buttons.isEmpty());
    EXPECT_EQ(f.ui.busyPushes, 0);
    EXPECT_EQ(read(QStringLiteral("a.txt")), "alpha");

    process(runOf(names, QString(70, QLatin1Char('p'))));
    EXPECT_EQ(read(QStringLiteral("a.txt")), Crypt().Encrypt("alpha", QByteArray(70, 'p')));
}

TEST_F(FileVaultRun, TooLargeFileEndsTheWalkThereWithA64BitTotal)
{
    f.put(QStringLiteral("a.txt"), "alpha");
    MakeSparse(f.pathOf(QStringLiteral("big.bin")), kMaxVaultFileSize + 1);
    MakeSparse(f.pathOf(QStringLiteral("huge.bin")), 2 * kMaxVaultFileSize);
    f.put(QStringLiteral("c.txt"), "charlie");
    const quint64 bigInode = InodeOf(f.pathOf(QStringLiteral("big.bin")));
    process(runOf({QStringLiteral("a.txt"), QStringLiteral("big.bin"), QStringLiteral("huge.bin"),
                   QStringLiteral("c.txt")},
                  QStringLiteral("password")));
    EXPECT_EQ(view.statuses.first(),
              QStringLiteral("Total Bytes selected for processing: 3000000010"));
    EXPECT_EQ(f.ui.messages(), QStringList{QStringLiteral("File ") + f.folder +
                                           QStringLiteral("/big.bin is too large, skipping.")});
    EXPECT_EQ(read(QStringLiteral("a.txt")), Crypt().Encrypt("alpha", "password"));
    EXPECT_EQ(InodeOf(f.pathOf(QStringLiteral("big.bin"))), bigInode);
    EXPECT_EQ(read(QStringLiteral("c.txt")), "charlie");
    EXPECT_EQ(view.statuses.last(), kComplete);
}

TEST_F(FileVaultRun, FilesThatCannotBeReadOrWrittenAreSkippedAndTheRunGoesOn)
{
    f.state.LogFileEncryption = true;
    f.put(QStringLiteral("a.txt"), "alpha");
    QDir(f.folder).mkdir(QStringLiteral("sub"));
    MakeFifo(f.pathOf(QStringLiteral("pipe")));
    f.put(QStringLiteral("gone.txt"), "removed after the scan");
    const QByteArray big = RandomBytes(3 * kCipherChunk, 3);
    f.put(QStringLiteral("big.bin"), big);
    f.put(QStringLiteral("c.txt"), "charlie");
    view.onStatus = [this](const QString &text) {
        if (text.startsWith(QStringLiteral("Total")))
            QFile::remove(f.pathOf(QStringLiteral("gone.txt")));
    };
    VaultRun run =
        runOf({QStringLiteral("a.txt"), QStringLiteral("sub"), QStringLiteral("pipe"),
               QStringLiteral("gone.txt"), QStringLiteral("big.bin"), QStringLiteral("c.txt")},
              QStringLiteral("password"));
    run.addPassword = true;
    {
        FileSizeLimit limit(2 * kCipherChunk);
        process(run);
    }
    const QString reading = QStringLiteral("An error reading the file has occurred, skipping ");
    EXPECT_EQ(
        f.ui.messages(),
        QStringList({reading + QStringLiteral("sub"), reading + QStringLiteral("pipe"),
                     reading + QStringLiteral("gone.txt"),
                     QStringLiteral("An error writing the file has occurred, skipping big.bin")}));
    EXPECT_EQ(read(QStringLiteral("big.bin")), big);
    EXPECT_EQ(read(QStringLiteral("c.txt")), Crypt().Encrypt("charlie", "password"));
    EXPECT_EQ(ReadRecords(f.state.LoginFile).size(), 2);
    EXPECT_EQ(LogTexts(f.state.LogFile).size(), 2);
    EXPECT_EQ(view.statuses.last(), kComplete);
    EXPECT_EQ(FolderEntries(f.folder).size(), 5);
}

TEST_F(FileVaultRun, NamesAnEntryCannotHoldAreSkippedOnlyWhenAnEntryIsWanted)
{
    const QString name = QStringLiteral("\u65e5\u8a18.txt");
    f.put(name, "diary");
    VaultRun run = runOf({name}, QStringLiteral("password"));
    run.addPassword = true;
    process(run);
    EXPECT_EQ(read(name), "diary");
    EXPECT_EQ(f.ui.messages().size(), 1);
    run.addPassword = false;
    process(run);
    EXPECT_EQ(read(name), Crypt().Encrypt("diary", "password"));
}

TEST_F(FileVaultRun, ProgressStepsByCountAndNeverPassesTheTop)
{
    const QList<QPair<int, int>> table{{1, 25}, {2, 12}, {3, 8},  {4, 6}, {8, 3},
                                       {10, 2}, {40, 1}, {50, 0}, {60, 0}};
    for (const auto &[count, step] : table)
        EXPECT_EQ(ProgressStep(count), step) << count;

    QStringList names;
    for (int i = 0; i < 40; ++i)
        names << f.put(QStringLiteral("e%1").arg(i), {}).section(QLatin1Char('/'), -1);
    process(runOf(names, QStringLiteral("password")));
    EXPECT_EQ(*std::max_element(view.progress.begin(), view.progress.end()), 100);
    EXPECT_TRUE(f.ui.shown.isEmpty());

    view.progress.clear();
    names << QStringLiteral("e40") << QStringLiteral("e41") << QStringLiteral("e42")
          << QStringLiteral("e43") << QStringLiteral("e44") << QStringLiteral("e45")
          << QStringLiteral("e46") << QStringLiteral("e47") << QStringLiteral("e48")
          << QStringLiteral("e49");
    for (int i = 40; i < 50; ++i)
        f.put(QStringLiteral("e%1").arg(i), {});
    process(runOf(names, QStringLiteral("password")));
    EXPECT_EQ(view.progress.count(1), view.progress.size() - 1);
}

TEST_F(FileVaultRun, NoSelectionEndsAtOnce)
{
    f.put(QStringLiteral("a.txt"), "alpha");
    VaultRun run = runOf({}, QStringLiteral("password"));
    run.files << qMakePair(QStringLiteral("a.txt"), false);
    process(run);
    EXPECT_EQ(view.statuses.last(), kComplete);
    EXPECT_EQ(view.progress, QList<int>{0});
    EXPECT_EQ(view.buttons, QList<bool>({false, true}));
    EXPECT_EQ(read(QStringLiteral("a.txt")), "alpha");
}

TEST_F(FileVaultRun, LogsEachFileAndItsEntry)
{
    f.state.LogFileEncryption = true;
    f.state.LogPwdChanges = true;
    f.put(QStringLiteral("a.txt"), "alpha");
    VaultRun run = runOf({QStringLiteral("a.txt")}, QStringLiteral("password"));
    run.addPassword = true;
    process(run);
    process(run, false);
    const QString user = GetLoginUserName();
    const QDateTime now = Clock::now();
    const QString added = LogEvents::Added(QStringLiteral("FileEncryption"), user, now).Text;
    EXPECT_EQ(
        LogTexts(f.state.LogFile),
        QStringList({added, LogRecord::fit("Encrypted: a.txt, " + user + "3/1/2024 10:00:00 AM"),
                     added, LogRecord::fit("Decrypted: a.txt, " + user + "3/1/2024 10:00:00 AM")}));
}

TEST_F(FileVaultRun, OtherFailureEndsTheRunAndLeavesTheBarAndStatus)
{
    f.put(QStringLiteral("a.txt"), "alpha");
    f.put(QStringLiteral("b.txt"), "bravo");
    view.onStatus = [](const QString &text) {
        if (text.endsWith(QStringLiteral("b.txt")))
            raiseError(VbErr::DeviceIoError);
    };
    process(runOf({QStringLiteral("a.txt"), QStringLiteral("b.txt")}, QStringLiteral("password")));
    EXPECT_EQ(f.ui.messages(),
              QStringList{QStringLiteral("An error has occurred.57 Device I/O error")});
    EXPECT_EQ(read(QStringLiteral("b.txt")), "bravo");
    EXPECT_EQ(view.statuses.last(), QStringLiteral("Processing... b.txt"));
    EXPECT_NE(view.progress.last(), 0);
    EXPECT_EQ(view.buttons, QList<bool>({false, true}));
    EXPECT_EQ(f.ui.busyDepth, 0);
    EXPECT_EQ(FolderEntries(f.folder).size(), 2);
}
