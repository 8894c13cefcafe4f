#include "transfer/TransferImport.h"
#include "FileSizeLimit.h"
#include "TransferFixture.h"
#include "transfer/TransferExport.h"
#include "transfer/TransferFile.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {
QString msg(const char *text)
{
    return QString::fromLatin1(text);
}
} // namespace

class TransferImportTest : public ::testing::Test
{
protected:
    TransferFixture f;
    Installation &a = f.exporter;
    Installation &b = f.importer;
    int reloads = 0;

    void exportList() { ASSERT_TRUE(ExportFile(a.ui, a.state, f.settings, f.transferFile)); }

    ImportResult import(const QString &master1 = QStringLiteral("first-master"),
                        const QString &master2 = QStringLiteral("second-master"),
                        const QString &file = {})
    {
        return ImportCommand(b.ui, b.state, file.isNull() ? f.transferFile : file, master1, master2,
                             [this] { ++reloads; });
    }

    // Imports a file that must be refused with exactly one message, touching nothing.
    void expectRefused(const QString &message, const QString &m1 = QStringLiteral("first-master"))
    {
        const QByteArray store = ReadFile(b.state.LoginFile);
        const QByteArray file = ReadFile(f.transferFile);
        b.ui.shown.clear();
        const ImportResult r = import(m1);
        EXPECT_FALSE(r.closeDialog);
        EXPECT_EQ(r.imported, 0);
        EXPECT_EQ(b.ui.messages(), QStringList{message});
        EXPECT_EQ(ReadFile(b.state.LoginFile), store);
        EXPECT_EQ(ReadFile(f.transferFile), file);
        EXPECT_EQ(reloads, 0);
        EXPECT_EQ(b.ui.busyDepth, 0);
    }
};

TEST_F(TransferImportTest, ImportedPasswordsReadTheSameUnderTheImportersMasters)
{
    a.add("alice", "pw-alice");
    a.add("bob", "a much longer password of 40 characters!");
    a.add("gone", "pw-gone");
    a.add("carol", "");
    LoginStore(a.state.LoginFile, a.ui).deletelogin(1002);
    b.add("zed", "pw-zed");
    exportList();
    const QByteArray exported = ReadFile(f.transferFile);

    const ImportResult r = import();
    EXPECT_TRUE(r.closeDialog);
    EXPECT_EQ(r.imported, 3);
    EXPECT_EQ(reloads, 1);
    EXPECT_TRUE(b.ui.shown.isEmpty());
    EXPECT_EQ(b.ui.busyDepth, 0);
    EXPECT_EQ(b.clearEntries(),
              (QStringList{"zed=pw-zed", "alice=pw-alice",
                           "bob=a much longer password of 40 characters!", "carol="}));
    EXPECT_EQ(ReadFile(f.transferFile), exported) << "the transfer file is only read";

    const auto records = Installation::ReadRecordsOf(b.state.LoginFile);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[1].LoginID, 1001);
    EXPECT_EQ(records[3].LoginID, 1003);
    const LoginRecord source = LoginRecord::decode(exported.constData() + 218);
    EXPECT_EQ(records[1].Description, source.Description);
    EXPECT_EQ(records[1].ExpireStart, source.ExpireStart);
    EXPECT_EQ(records[1].MaxLength, source.MaxLength);
    EXPECT_TRUE(records[1].RequireSpecial);

    b.ui.shown.clear();
    EXPECT_EQ(import().imported, 3) << "a second import appends the entries again";
    EXPECT_EQ(b.clearEntries().size(), 7);
    EXPECT_EQ(b.clearEntries().last(), "carol=");
    EXPECT_EQ(Installation::ReadRecordsOf(b.state.LoginFile).last().LoginID, 1006);
}

TEST_F(TransferImportTest, ImportIntoAnEmptyStoreNumbersFrom1000AndIgnoresAPartialTail)
{
    a.add("alice", "pw-alice");
    a.add("bob", "pw-bob");
    exportList();
    WriteFile(f.transferFile, ReadFile(f.transferFile) + QByteArray(217, 'x'));

    EXPECT_EQ(import().imported, 2);
    const auto records = Installation::ReadRecordsOf(b.state.LoginFile);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].LoginID, 1000);
    EXPECT_EQ(records[1].LoginID, 1001);
    EXPECT_EQ(QFileInfo(b.state.LoginFile).size(), 436);
    EXPECT_EQ(b.clearEntries(), (QStringList{"alice=pw-alice", "bob=pw-bob"}));
}

TEST_F(TransferImportTest, NumbersAfterATombstoneWithoutCompacting)
{
    b.add("x", "1");
    b.add("y", "2");
    LoginStore(b.state.LoginFile, b.ui).deletelogin(1001);
    a.add("alice", "pw-alice");
    exportList();
    EXPECT_EQ(import().imported, 1);
    const auto records = Installation::ReadRecordsOf(b.state.LoginFile);
    ASSERT_EQ(records.size(), 3);
    EXPECT_TRUE(records[1].Deleted);
    EXPECT_EQ(records[2].LoginID, 1002);
}

TEST_F(TransferImportTest, HeaderOnlyFileImportsNothingAndCloses)
{
    exportList();
    const ImportResult r = import();
    EXPECT_TRUE(r.closeDialog);
    EXPECT_EQ(r.imported, 0);
    EXPECT_EQ(reloads, 1);
    EXPECT_FALSE(QFileInfo::exists(b.state.LoginFile));
}

TEST_F(TransferImportTest, BoxesAreCheckedInOrderBeforeTheFile)
{
    exportList();
    const QString none;
    const QString missing = f.home.file(QStringLiteral("missing.pqx"));
    const QString empty = f.home.file(QStringLiteral("empty.pqx"));
    WriteFile(empty, {});
    struct Case
    {
        QString file, m1, m2;
        const char *message;
    };
    const QList<Case> cases = {
        {QStringLiteral(""), none, none, ImportMessages::ValidFilename},
        {f.transferFile, none, QStringLiteral("second-master"), ImportMessages::MasterPassword},
        {f.transferFile, QStringLiteral("first-master"), none, ImportMessages::MasterPassword},
        {missing, QStringLiteral("m"), QStringLiteral("m"), ImportMessages::ValidFilename},
        {empty, QStringLiteral("m"), QStringLiteral("m"), ImportMessages::ValidFilename},
        {f.home.path(), QStringLiteral("m"), QStringLiteral("m"), ImportMessages::ValidFilename},
    };
    for (const Case &c : cases) {
        b.ui.shown.clear();
        const ImportResult r = import(c.m1, c.m2, c.file);
        EXPECT_FALSE(r.closeDialog);
        EXPECT_EQ(b.ui.messages(), QStringList{msg(c.message)}) << c.file.toStdString();
    }
    EXPECT_EQ(b.ui.busyPushes, 0) << "refused before the busy pointer";
    EXPECT_FALSE(QFileInfo::exists(b.state.LoginFile));
}

TEST_F(TransferImportTest, WrongOrForeignMastersAreRefused)
{
    a.add("alice", "pw-alice");
    exportList();
    expectRefused(msg(ImportMessages::NoMatch), QStringLiteral("other-one-1"));
    expectRefused(msg(ImportMessages::NoMatch), QStringLiteral("First-master"));
    expectRefused(
        QStringLiteral("Master 1 holds a character that a master password cannot contain."),
        QStringLiteral("first-master\u263A"));

    Installation foreign(f.home.file(QStringLiteral("c")), "first-master", "different-2");
    foreign.add("mallory", "pw");
    ASSERT_TRUE(ExportFile(foreign.ui, foreign.state, f.settings, f.transferFile));
    expectRefused(msg(ImportMessages::NoMatch));
}

TEST_F(TransferImportTest, FilesWithoutAValidHeaderAreRefusedAsInvalid)
{
    a.add("alice", "pw-alice");
    exportList();
    const QByteArray good = ReadFile(f.transferFile);
    b.add("zed", "pw-zed");
    const auto withInt16 = [&](int offset, qint16 value) {
        QByteArray bytes = good;
        WriteInt16(bytes.data() + offset, value);
        return bytes;
    };
    QByteArray random(3 * 218, Qt::Uninitialized);
    QRandomGenerator gen(20240301);
    for (char &c : random)
        c = char(gen.bounded(256));
    const QList<QByteArray> bad = {
        good.left(217),                         // shorter than one record
        withInt16(RecordOffset::MaxLength, -1), // negative length
        withInt16(RecordOffset::MinLength, 65), // past the field
        withInt16(RecordOffset::LoginID, 1000), // an entry, not a header
        withInt16(RecordOffset::Deleted, 0),    // header mark missing
        ReadFile(b.state.LoginFile),            // a store given for a transfer file
        random,
    };
    for (const QByteArray &bytes : bad) {
        WriteFile(f.transferFile, bytes);
        expectRefused(msg(ImportMessages::InvalidFormat));
    }

    WriteFile(f.transferFile, good);
    QFile(f.transferFile).resize((TransferFile::MaxRecords + 1) * 218);
    expectRefused(msg(ImportMessages::InvalidFormat)); // more entries than a store can hold
}

TEST_F(TransferImportTest, EntriesNotUnderTheExportingKeyAreRefusedWhole)
{
    a.add("alice", "pw-alice");
    a.add("bob", "pw-bob");
    exportList();
    QByteArray bytes = ReadFile(f.transferFile);
    const QByteArray oldKey = a.state.entryKey();
    const QByteArray junk = Crypt().Encrypt(QByteArray("xy") + QByteArray(62, ' '), oldKey);
    bytes.replace(2 * 218 + RecordOffset::Password, 64, junk);
    WriteFile(f.transferFile, bytes);
    b.add("zed", "pw-zed");
    expectRefused(msg(ImportMessages::InvalidFormat));
}

TEST_F(TransferImportTest, FailedAppendEndsTheImportAndKeepsWhatWasAppended)
{
    a.add("alice", "pw-alice");
    a.add("bob", "pw-bob");
    a.add("carol", "pw-carol");
    exportList();
    LoginRecord last = LoginRecord::decode(ReadFile(a.state.LoginFile).left(218));
    last.LoginID = 32766;
    WriteFile(b.state.LoginFile, last.encode());

    const ImportResult r = import();
    EXPECT_TRUE(r.closeDialog);
    EXPECT_EQ(r.imported, 1);
    EXPECT_EQ(
        b.ui.messages(),
        (QStringList{QStringLiteral("An error has occurred in Addlogin 6 Overflow"),
                     QStringLiteral("The import was stopped after 1 of 3 entries. The "
                                    "entries imported before the failure stay in the list.")}));
    const auto records = Installation::ReadRecordsOf(b.state.LoginFile);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[1].LoginID, 32767);
    EXPECT_EQ(TrimSpaces(records[1].Login), "alice");
    EXPECT_EQ(reloads, 1) << "the list shows what was appended";
    EXPECT_EQ(b.ui.busyDepth, 0);
}

TEST_F(TransferImportTest, UnwritableStoreAppendsNothing)
{
    a.add("alice", "pw-alice");
    exportList();
    QDir().mkpath(b.state.LoginFile);
    const ImportResult r = import();
    EXPECT_EQ(r.imported, 0);
    EXPECT_EQ(
        b.ui.messages(),
        (QStringList{QStringLiteral("An error has occurred in Addlogin 75 Path/File access error"),
                     QStringLiteral("The import was stopped after 0 of 1 entries. The "
                                    "entries imported before the failure stay in the list.")}));
    EXPECT_EQ(reloads, 0);
}

TEST_F(TransferImportTest, StoreWriteFailureAppendsNothing)
{
    a.add("alice", "pw-alice");
    a.add("bob", "pw-bob");
    exportList();
    b.add("zed", "pw-zed");
    const QByteArray store = ReadFile(b.state.LoginFile);
    ImportResult r;
    {
        FileSizeLimit limit(500);
        r = import();
    }
    EXPECT_EQ(r.imported, 0);
    EXPECT_EQ(ReadFile(b.state.LoginFile), store);
    EXPECT_EQ(
        b.ui.messages(),
        (QStringList{QStringLiteral("An error has occurred in Addlogin 57 Device I/O error"),
                     QStringLiteral("The import was stopped after 0 of 2 entries. The "
                                    "entries imported before the failure stay in the list.")}));
}
