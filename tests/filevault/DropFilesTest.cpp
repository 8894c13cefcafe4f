#include "VaultTestFiles.h"
#include "entries/EntryStore.h"
#include "platform/ClassicError.h"

class DropFilesRun : public ::testing::Test
{
protected:
    VaultFixture f;
    RecordingView view;
    const QString a = f.put("a.txt", "alpha");

    qint16 add(LoginRecord r) { return EntryStore(f.state.LoginFile, f.ui).add(r); }
};

// Files that cannot be read are named by their full path, and the drop goes on.
TEST_F(DropFilesRun, DropThenModifiedDropRestoresAndLogsTheEntry)
{
    EXPECT_FALSE(DropDeciphers(Qt::NoModifier) || DropDeciphers(Qt::KeypadModifier));
    f.state.LogFileEncryption = true;
    const qint16 id = add(Entry(0, "site", "entry pw", f.state.entryKey()));
    const QString gone = f.pathOf("gone.txt");
    const QString b = f.put("b.txt", "bravo");
    DropFiles(f.ui, f.state, view, {a, gone, b}, false, id);
    EXPECT_EQ(ReadFile(a), Cipher::crypt("alpha", "entry pw"));
    EXPECT_EQ(view.statuses, QStringList({"Total Bytes for processing: 10", "Processing... " + a,
                                          "Processing... " + b, "Processing Complete"}));
    EXPECT_EQ(view.opened + view.closed, 2);

    DropFiles(f.ui, f.state, view, {a, gone, b}, true, id);
    EXPECT_EQ(ReadFile(a) + ReadFile(b), "alphabravo");
    EXPECT_EQ(
        LogTexts(f.state.LogFile),
        QStringList({f.logText("Encrypted: 1000 a.txt"), f.logText("Encrypted: 1000 b.txt"),
                     f.logText("Decrypted: 1000 a.txt"), f.logText("Decrypted: 1000 b.txt")}));
    EXPECT_EQ(f.ui.messages(),
              QStringList(2, "An error reading the file has occurred, skipping " + gone));
}

// No entry selected ends silently; the total is summed past 32 bits.
TEST_F(DropFilesRun, WithoutAUsableEntryOrOnAFailureNothingIsWritten)
{
    const QStringList paths{f.put("huge.bin"), a};
    QFile::resize(paths[0], 3000000000);
    DropFiles(f.ui, f.state, view, paths, false, std::nullopt);
    EXPECT_EQ(view.statuses.first(), "Total Bytes for processing: 3000000005");
    EXPECT_EQ(view.statuses.last(), "Processing Complete");
    EXPECT_TRUE(f.ui.shown.isEmpty());
    for (const qint16 id : {add(MakeRecord("site", "desc", "not a field")), qint16(4242)})
        DropFiles(f.ui, f.state, view, paths, false, id);
    EXPECT_TRUE(f.ui.messages().size() == 2 && view.closed == 3 && ReadFile(a) == "alpha");
    // Any other failure ends the drop with its closing actions.
    f.ui.shown.clear();
    view.onStatus = [&](const QString &text) {
        if (text.endsWith("a.txt"))
            raiseError(ErrorNumber::DeviceIoError);
    };
    DropFiles(f.ui, f.state, view, {a, f.put("b.txt", "bravo")}, false,
              add(Entry(0, "site", "pw", f.state.entryKey())));
    EXPECT_EQ(f.ui.messages(), QStringList{"An error occurred 57 Device I/O error"});
    EXPECT_EQ(view.statuses.last(), "Processing Complete");
    EXPECT_TRUE(ReadFile(a) == "alpha" && view.progress.last() == 0 && view.closed == 4);
    EXPECT_EQ(f.ui.busyDepth, 0);
}
