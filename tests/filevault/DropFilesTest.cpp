#include "StoreFixture.h"
#include "VaultTestFiles.h"
#include "app/DataFolder.h"
#include "crypto/cPQCrypt.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "filevault/InPlaceCipher.h"
#include "platform/VbError.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
const QString kComplete = QStringLiteral("Processing Complete");
}

class DropFilesRun : public ::testing::Test
{
protected:
    VaultFixture f;
    RecordingDropView view;

    qint16 entryWith(const QByteArray &password)
    {
        LoginRecord r =
            MakeRecord("site", "desc", *EncodePasswordField(password, f.state.entryKey()));
        return LoginStore(f.state.LoginFile, f.ui).Addlogin(r);
    }
    void drop(const QStringList &paths, bool decrypt, std::optional<qint16> selected)
    {
        DropFiles(f.ui, f.state, view, paths, decrypt, selected);
    }
};

TEST(DropModifiers, ShiftCtrlOrAltDecipher)
{
    EXPECT_FALSE(DropDeciphers(Qt::NoModifier));
    EXPECT_TRUE(DropDeciphers(Qt::ShiftModifier));
    EXPECT_TRUE(DropDeciphers(Qt::ControlModifier));
    EXPECT_TRUE(DropDeciphers(Qt::AltModifier | Qt::KeypadModifier));
    EXPECT_FALSE(DropDeciphers(Qt::KeypadModifier));
}

TEST_F(DropFilesRun, DropThenModifiedDropRestoresAndLogsTheEntry)
{
    f.state.LogFileEncryption = true;
    const qint16 id = entryWith("entry pw");
    const QString a = f.put(QStringLiteral("a.txt"), "alpha");
    const QString b = f.put(QStringLiteral("b.txt"), "bravo");
    drop({a, b}, DropDeciphers(Qt::NoModifier), id);
    EXPECT_EQ(ReadFile(a), Crypt().Encrypt("alpha", "entry pw"));
    EXPECT_EQ(view.statuses, QStringList({QStringLiteral("Total Bytes for processing: 10"),
                                          QStringLiteral("Processing... ") + a,
                                          QStringLiteral("Processing... ") + b, kComplete}));
    EXPECT_EQ(view.progress, QList<int>({1, 13, 25, 37, 37, 49, 61, 73, 73, 0}));
    EXPECT_EQ(view.opened, 1);
    EXPECT_EQ(view.closed, 1);

    drop({a, b}, DropDeciphers(Qt::ShiftModifier), id);
    EXPECT_EQ(ReadFile(a), "alpha");
    EXPECT_EQ(ReadFile(b), "bravo");
    const QString tail =
        QStringLiteral(", ") + GetLoginUserName() + QStringLiteral("3/1/2024 10:00:00 AM");
    const QStringList log = LogTexts(f.state.LogFile);
    ASSERT_EQ(log.size(), 4);
    EXPECT_EQ(log[0], LogRecord::fit(QStringLiteral("Encrypted: 1000 a.txt") + tail));
    EXPECT_EQ(log[3], LogRecord::fit(QStringLiteral("Decrypted: 1000 b.txt") + tail));
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST_F(DropFilesRun, AnotherEntryScramblesFurther)
{
    const qint16 first = entryWith("first pw");
    const qint16 second = entryWith("second pw");
    const QString a = f.put(QStringLiteral("a.txt"), "alpha");
    drop({a}, false, first);
    drop({a}, true, second);
    EXPECT_EQ(ReadFile(a), Crypt().Encrypt(Crypt().Encrypt("alpha", "first pw"), "second pw"));
}

TEST_F(DropFilesRun, WithoutAUsableEntryNothingIsWritten)
{
    LoginRecord garbled = MakeRecord("site", "desc", "not a field");
    const qint16 bad = LoginStore(f.state.LoginFile, f.ui).Addlogin(garbled);
    ASSERT_FALSE(DecodePasswordField(garbled.Password, f.state.entryKey()));
    MakeSparse(f.pathOf(QStringLiteral("huge.bin")), 3000000000);
    const QString a = f.put(QStringLiteral("a.txt"), "alpha");
    const QStringList paths{f.pathOf(QStringLiteral("huge.bin")), a};

    drop(paths, false, std::nullopt);
    EXPECT_EQ(view.statuses.first(), QStringLiteral("Total Bytes for processing: 3000000005"));
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(view.statuses.last(), kComplete);
    EXPECT_EQ(view.closed, 1);
    for (const std::optional<qint16> id : {std::optional<qint16>(bad), std::optional<qint16>(4242)})
        drop(paths, false, id);
    EXPECT_EQ(f.ui.messages().size(), 2);
    EXPECT_EQ(ReadFile(a), "alpha");
    EXPECT_EQ(FolderEntries(f.folder).size(), 2);
}

TEST_F(DropFilesRun, FailedFilesAreNamedByFullPathAndTheDropGoesOn)
{
    const qint16 id = entryWith("entry pw");
    const QString sub = f.folder + QStringLiteral("/sub");
    QDir().mkpath(sub);
    const QByteArray big = RandomBytes(3 * kCipherChunk, 5);
    const QString bigPath = f.put(QStringLiteral("big.bin"), big);
    const QString a = f.put(QStringLiteral("a.txt"), "alpha");
    {
        FileSizeLimit limit(2 * kCipherChunk);
        drop({sub, bigPath, a}, false, id);
    }
    EXPECT_EQ(f.ui.messages(),
              QStringList(
                  {QStringLiteral("An error reading the file has occurred, skipping ") + sub,
                   QStringLiteral("An error writing the file has occurred, skipping ") + bigPath}));
    EXPECT_EQ(ReadFile(bigPath), big);
    EXPECT_EQ(ReadFile(a), Crypt().Encrypt("alpha", "entry pw"));
}

TEST_F(DropFilesRun, OtherFailureEndsTheDropWithItsClosingActions)
{
    const qint16 id = entryWith("entry pw");
    const QString a = f.put(QStringLiteral("a.txt"), "alpha");
    const QString b = f.put(QStringLiteral("b.txt"), "bravo");
    view.onStatus = [&](const QString &text) {
        if (text.endsWith(QStringLiteral("a.txt")))
            raiseError(VbErr::DeviceIoError);
    };
    drop({a, b}, false, id);
    EXPECT_EQ(f.ui.messages(),
              QStringList{QStringLiteral("An error occurred 57 Device I/O error")});
    EXPECT_EQ(ReadFile(a), "alpha");
    EXPECT_EQ(ReadFile(b), "bravo");
    EXPECT_EQ(view.progress.last(), 0);
    EXPECT_EQ(view.statuses.last(), kComplete);
    EXPECT_EQ(view.closed, 1);
    EXPECT_EQ(f.ui.busyDepth, 0);
}
