#include "transfer/TransferImport.h"
#include "TransferFixture.h"
#include "transfer/TransferExport.h"
#include "transfer/TransferFile.h"

class TransferImportTest : public ::testing::Test
{
protected:
    TransferFixture f;
    Installation &a = f.exporter;
    Installation &b = f.importer;
    int reloads = 0;

    void SetUp() override
    {
        a.add("alice", "pw-alice");
        a.add("bob", "a much longer password of 40 characters!");
        a.add("gone", "pw-gone");
        a.add("carol", "");
        EntryStore(a.state.LoginFile, a.ui).remove(1002);
        ASSERT_TRUE(ExportFile(a.ui, a.state, f.settings, f.transferFile));
    }

    ImportResult import(const QString &file, const QString &m1 = QStringLiteral("first-master"),
                        const QString &m2 = QStringLiteral("second-master"))
    {
        return ImportCommand(b.ui, b.state, file, m1, m2, [this] { ++reloads; });
    }

    // The transfer file must be refused with exactly this message, touching nothing.
    void expectRefused(const QString &message, const QString &m1 = QStringLiteral("first-master"),
                       const QString &m2 = QStringLiteral("second-master"))
    {
        const QByteArray store = ReadFile(b.state.LoginFile);
        b.ui.shown.clear();
        EXPECT_FALSE(import(f.transferFile, m1, m2).closeDialog);
        EXPECT_EQ(b.ui.messages(), QStringList{message});
        EXPECT_EQ(ReadFile(b.state.LoginFile), store);
        EXPECT_TRUE(reloads == 0 && b.ui.busyDepth == 0);
    }
};

TEST_F(TransferImportTest, ImportedPasswordsReadTheSameUnderTheImportersMasters)
{
    WriteFile(f.transferFile, ReadFile(f.transferFile) + QByteArray(217, 'x')); // partial tail
    const QByteArray exported = ReadFile(f.transferFile);
    const QByteArrayList clear = {"pw-alice", "a much longer password of 40 characters!", ""};
    const ImportResult r = import(f.transferFile);
    EXPECT_TRUE(r.closeDialog && r.imported == 3);
    EXPECT_EQ(import(f.transferFile).imported, 3) << "a second import appends them again";
    EXPECT_EQ(Passwords(b.state.LoginFile, b.state.entryKey()), clear + clear);
    EXPECT_TRUE(reloads == 2 && b.ui.shown.isEmpty() && b.ui.busyDepth == 0);
    EXPECT_EQ(ReadFile(f.transferFile), exported) << "the transfer file is only read";

    const auto records = ReadRecords(b.state.LoginFile);
    ASSERT_EQ(records.size(), 6);
    EXPECT_EQ(records[5].LoginID, 1005);
    LoginRecord source = LoginRecord::decode(exported.constData() + 218);
    source.Password = records[0].Password; // only the password is enciphered anew
    EXPECT_EQ(records[0].encode(), source.encode());
}

TEST_F(TransferImportTest, WrongMastersAndBadFilesAreRefused)
{
    const QByteArray good = ReadFile(f.transferFile);
    WriteFile(f.home.file(QStringLiteral("empty.pqx")), {});
    for (const QString &file : {QString(), f.home.file(QStringLiteral("missing.pqx")),
                                f.home.file(QStringLiteral("empty.pqx")), f.home.path()})
        EXPECT_FALSE(import(file).closeDialog);
    EXPECT_EQ(b.ui.messages(), QStringList(4, ImportMessages::ValidFilename));
    b.add("zed", "pw-zed");
    expectRefused(ImportMessages::NoMatch, QStringLiteral("other-one-1"));
    expectRefused(ImportMessages::NoMatch, QStringLiteral("First-master"));
    expectRefused(QString(ImportMessages::MasterNotRepresentable).arg("Master 1"),
                  QStringLiteral("first-master\u263A"));

    Installation foreign(f.home.file(QStringLiteral("c")), "first-master", "different-2");
    foreign.add("mallory", "pw");
    ASSERT_TRUE(ExportFile(foreign.ui, foreign.state, f.settings, f.transferFile));
    const QByteArray foreignHeader = ReadFile(f.transferFile).left(218);
    expectRefused(ImportMessages::NoMatch);

    const auto withInt16 = [&](int offset, qint16 value) {
        QByteArray bytes = good;
        WriteInt16(bytes.data() + offset, value);
        return bytes;
    };
    const QList<QByteArray> bad = {
        QByteArray::fromHex("9e3779b97f4a7c15").repeated(88),
        good.left(217),
        withInt16(RecordOffset::MaxLength, -1),
        withInt16(RecordOffset::MinLength, 65),
        withInt16(RecordOffset::LoginID, 1000), // an entry, not a header
        ReadFile(b.state.LoginFile),            // a store, not a transfer file
        good.leftJustified(218 * (TransferFile::MaxRecords + 1), '\0'),
    };
    for (const QByteArray &bytes : bad) {
        WriteFile(f.transferFile, bytes);
        expectRefused(ImportMessages::InvalidFormat);
    }
    WriteFile(f.transferFile, foreignHeader + good.mid(218)); // header from another installation
    expectRefused(ImportMessages::InvalidFormat, "first-master", "different-2");
}

TEST_F(TransferImportTest, FailedAppendKeepsWhatCameBeforeAndSaysHowMany)
{
    LoginRecord last = LoginRecord::decode(ReadFile(a.state.LoginFile).left(218));
    last.LoginID = 32766;
    WriteFile(b.state.LoginFile, last.encode());
    {
        FileSizeLimit limit(300);
        EXPECT_EQ(import(f.transferFile).imported, 0);
    }
    EXPECT_EQ(ReadFile(b.state.LoginFile), last.encode()) << "a partial append is undone";
    EXPECT_EQ(reloads, 0);

    const ImportResult r = import(f.transferFile);
    EXPECT_TRUE(r.closeDialog && r.imported == 1);
    const QString stopped = ImportMessages::Stopped;
    EXPECT_EQ(b.ui.messages(),
              (QStringList{"An error has occurred in Addlogin 61 Disk full", stopped.arg(0).arg(3),
                           "An error has occurred in Addlogin 6 Overflow", stopped.arg(1).arg(3)}));
    const auto records = ReadRecords(b.state.LoginFile);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[1].LoginID, 32767);
    EXPECT_EQ(TrimSpaces(records[1].Login), "alice");
    EXPECT_TRUE(reloads == 1 && b.ui.busyDepth == 0) << "the list shows what was appended";
}
