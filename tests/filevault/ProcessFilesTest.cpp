#include "filevault/ProcessFiles.h"
#include "VaultTestFiles.h"
#include "filevault/VaultMessages.h"
#include "platform/ClassicError.h"

class FileVaultRun : public ::testing::Test
{
protected:
    VaultFixture f;
    RecordingView view;
    int reloads = 0;

    VaultRun runOf(const QStringList &names, const QString &password, bool addPassword = false)
    {
        VaultRun run{f.folder, {}, password, false, addPassword};
        for (const QString &name : names)
            run.files << qMakePair(name, true);
        return run;
    }
    void process(const VaultRun &run, bool encrypt = true)
    {
        ProcessFiles(f.ui, f.state, view, run, encrypt, [this] { ++reloads; });
    }
    QByteArray read(const QString &name) const { return ReadFile(f.pathOf(name)); }
};

// Each processed file gets its entry and its log events, after deciphering too.
TEST_F(FileVaultRun, EncryptThenDecryptRestoresStoresEntriesAndLogs)
{
    f.state.LogFileEncryption = f.state.LogPwdChanges = true;
    f.put("a.txt", "alpha");
    f.put("b.txt", "bravo!");
    f.put("c.txt", "not selected");
    VaultRun run = runOf({"a.txt", "b.txt"}, "  spaced pw ", true);
    run.files.insert(1, qMakePair(QStringLiteral("c.txt"), false));
    process(run);
    EXPECT_EQ(read("a.txt") + read("c.txt"),
              Cipher::crypt("alpha", "  spaced pw ") + "not selected");
    EXPECT_EQ(view.statuses,
              QStringList({"Total Bytes selected for processing: 11", "Processing... a.txt",
                           "Processing... b.txt", "Processing Complete"}));
    EXPECT_EQ(view.buttons, QList<bool>({false, true}));
    process(run, false);
    EXPECT_EQ(read("a.txt") + read("b.txt"), "alphabravo!");
    EXPECT_TRUE(f.ui.shown.isEmpty() && f.ui.busyDepth == 0 && reloads == 4);
    const auto records = ReadRecords(f.state.LoginFile);
    ASSERT_EQ(records.size(), 4);
    LoginRecord expected = MakeRecord("FileEncryption", "b.txt", records[3].Password);
    expected.LoginID = 1003, expected.ExpireDays = 0, expected.ExpireStart = 0;
    expected.CaseSensitive = expected.AllowSpace = true;
    expected.MinLength = 8, expected.MaxLength = 64;
    EXPECT_EQ(records[3].encode(), expected.encode());
    EXPECT_EQ(DecodePasswordField(records[3].Password, f.state.entryKey()), "spaced pw");
    QStringList log;
    for (const QString op :
         {"Encrypted: a.txt", "Encrypted: b.txt", "Decrypted: a.txt", "Decrypted: b.txt"})
        log << f.logText("Added FileEncryption") << f.logText(op);
    EXPECT_EQ(LogTexts(f.state.LogFile), log);
}

// Without an entry no maximum holds, and the spaces an entry drops do not count.
TEST_F(FileVaultRun, PasswordsThatCannotServeAreRefusedAndMasterKeysServe)
{
    f.put("a.txt", "alpha");
    for (const VaultRun &run : {runOf({"a.txt"}, "1234567"), runOf({"a.txt"}, "password\u4e2d"),
                                runOf({"a.txt"}, QString(63, 'p'), true)})
        process(run);
    ASSERT_EQ(f.ui.messages().size(), 3);
    EXPECT_EQ(f.ui.messages()[0], "Please enter a password of between 8 and 64 characters, "
                                  "or tick the option to use the master passwords");
    EXPECT_TRUE(view.statuses.isEmpty() && f.ui.busyPushes == 0 && read("a.txt") == "alpha");
    process(runOf({"a.txt"}, QString(70, 'p')));
    EXPECT_EQ(read("a.txt"), Cipher::crypt("alpha", QByteArray(70, 'p')));
    process(runOf({"a.txt"}, QString(62, 'p') + "  ", true));
    EXPECT_EQ(ReadRecords(f.state.LoginFile).size(), 1);
    // Files under the master passwords open after a restart and never become entries.
    f.put("m.txt", "master secret");
    VaultRun run = runOf({"m.txt"}, QString(), true);
    run.useMasterPasswords = true;
    process(run);
    EXPECT_EQ(read("m.txt"), Cipher::crypt("master secret", f.state.entryKey()));
    AppState restarted;
    std::tie(restarted.ActiveMaster1, restarted.ActiveMaster2) =
        std::tie(f.state.ActiveMaster1, f.state.ActiveMaster2);
    ProcessFiles(f.ui, restarted, view, run, false, {});
    EXPECT_TRUE(read("m.txt") == "master secret" && ReadRecords(f.state.LoginFile).size() == 1);
}

// The total is summed past 32 bits; a run with nothing selected ends at once.
TEST_F(FileVaultRun, TooLargeFileOrOtherFailureEndsTheWalkThere)
{
    f.put("a.txt", "alpha");
    QFile::resize(f.put("big.bin"), kMaxVaultFileSize + 1);
    QFile::resize(f.put("huge.bin"), 2 * kMaxVaultFileSize);
    f.put("c.txt", "charlie");
    process(runOf({"a.txt", "big.bin", "huge.bin", "c.txt"}, "password"));
    EXPECT_EQ(view.statuses.first(), "Total Bytes selected for processing: 3000000010");
    EXPECT_EQ(f.ui.messages(),
              QStringList{"File " + f.folder + "/big.bin is too large, skipping."});
    EXPECT_EQ(read("a.txt") + read("c.txt"), Cipher::crypt("alpha", "password") + "charlie");
    EXPECT_EQ(view.statuses.last(), "Processing Complete");

    view = {};
    VaultRun none = runOf({}, "password");
    none.files << qMakePair(QStringLiteral("c.txt"), false);
    process(none);
    EXPECT_EQ(view.statuses.last(), "Processing Complete");
    EXPECT_TRUE(view.progress == QList<int>{0} && read("c.txt") == "charlie");

    // Any other failure ends the run and leaves the bar and the status.
    f.ui.shown.clear();
    view = {};
    f.put("a.txt", "alpha");
    f.put("b.txt", "bravo");
    view.onStatus = [](const QString &text) {
        if (text.endsWith("b.txt"))
            raiseError(ErrorNumber::DeviceIoError);
    };
    process(runOf({"a.txt", "b.txt"}, "password"));
    EXPECT_EQ(f.ui.messages(), QStringList{"An error has occurred.57 Device I/O error"});
    EXPECT_EQ(view.statuses.last(), "Processing... b.txt");
    EXPECT_TRUE(read("b.txt") == "bravo" && f.ui.busyDepth == 0);
    EXPECT_EQ(view.buttons, QList<bool>({false, true}));
}

// A disk full at the journal's head, its first record or a later chunk.
TEST_F(FileVaultRun, FullDiskLeavesTheOldBytesOrAJournalToFinish)
{
    const QByteArray big = RandomBytes(3 * kChunk, 9);
    const QString unchanged = "\n\nPellora could not keep the record that makes the change safe "
                              "(61 Disk full), so the file has not been changed.";
    const QString partly = "\n\nThe file is partly encrypted (61 Disk full). Pellora keeps a "
                           "record of the change and finishes it before the next run or at its "
                           "next start.";
    const std::tuple<qint64, QString, bool> rows[] = {
        {100, unchanged, false}, {8192, QString(), false}, {2 * kChunk + 16384, partly, true}};
    for (const auto &[limit, detail, pending] : rows) {
        f.ui.shown.clear();
        f.put("big.bin", big);
        {
            FileSizeLimit full(limit);
            process(runOf({"big.bin"}, "password"));
        }
        EXPECT_EQ(f.ui.messages(), QStringList{VaultWritingFailed("big.bin") + detail}) << limit;
        EXPECT_EQ(VaultJournal::findIn(f.state.DataFolder).size(), pending ? 1 : 0);
        if (pending)
            process(runOf({}, "password")); // a run first finishes what an earlier one left
        EXPECT_TRUE(read("big.bin") == (pending ? Cipher::crypt(big, "password") : big));
    }
}

// Without an entry the name does not matter; a failed store leaves the file and the log alone.
TEST_F(FileVaultRun, FilesThatCannotBeChangedOrNamedAreSkippedAndTheRunGoesOn)
{
    f.state.LogFileEncryption = f.state.LogPwdChanges = true;
    QDir(f.folder).mkdir("sub");
    ::mkfifo(QFile::encodeName(f.pathOf("pipe")).constData(), 0600);
    QFile::setPermissions(f.put("locked.txt", "read-only"), QFile::ReadOwner);
    const QString name = "\u65e5\u8a18.txt";
    f.put(name, "diary");
    f.put("c.txt", "charlie");
    process(runOf({"sub", "pipe", "locked.txt", name, "c.txt"}, "password", true));
    EXPECT_EQ(f.ui.messages().mid(0, 3),
              QStringList({VaultReadingFailed("sub"), VaultReadingFailed("pipe"),
                           VaultWritingFailed("locked.txt")}));
    EXPECT_EQ(f.ui.shown.size(), 4);
    EXPECT_EQ(read("locked.txt") + read(name) + read("c.txt"),
              "read-onlydiary" + Cipher::crypt("charlie", "password"));
    EXPECT_TRUE(ReadRecords(f.state.LoginFile).size() == 1 &&
                LogTexts(f.state.LogFile).size() == 2);
    EXPECT_EQ(FolderEntries(f.folder).size(), 5); // nothing left beside the files
    process(runOf({name}, "password"));
    EXPECT_EQ(read(name), Cipher::crypt("diary", "password"));

    f.put("a.txt", "alpha");
    QFile::remove(f.state.LoginFile);
    QFile::remove(f.state.LogFile);
    QDir().mkpath(f.state.LoginFile); // a store that cannot be written
    process(runOf({"a.txt"}, "password", true));
    const QStringList told = f.ui.messages();
    EXPECT_TRUE(told.value(told.size() - 2).startsWith("An error has occurred in Addlogin "));
    EXPECT_EQ(told.last(),
              "No entry could be stored for the password of a.txt, so a.txt has not been changed.");
    EXPECT_TRUE(read("a.txt") == "alpha" && !QFile::exists(f.state.LogFile));
}
