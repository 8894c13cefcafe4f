#include "transfer/TransferExport.h"
#include "FileSizeLimit.h"
#include "TransferFixture.h"
#include "transfer/TransferImport.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
int modeOf(const QString &path)
{
    struct stat st
    {
    };
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}
} // namespace

class TransferExportTest : public ::testing::Test
{
protected:
    TransferFixture f;
    Installation &a = f.exporter;

    bool exportTo(const QString &path) { return ExportFile(a.ui, a.state, f.settings, path); }
};

TEST_F(TransferExportTest, WritesTheHeaderThenEveryLiveRecordUnchanged)
{
    a.add("alice", "pw-alice");
    a.add("bob", "pw-bob");
    a.add("carol", "pw-carol");
    LoginStore(a.state.LoginFile, a.ui).deletelogin(1001);
    const QByteArray store = ReadFile(a.state.LoginFile);

    ASSERT_TRUE(exportTo(f.transferFile));
    const QByteArray out = ReadFile(f.transferFile);
    ASSERT_EQ(out.size(), 3 * 218);
    EXPECT_EQ(out.mid(218, 218), store.mid(0, 218));
    EXPECT_EQ(out.mid(436, 218), store.mid(436, 218)) << "the deleted bob is skipped";

    const QByteArray h = out.left(218);
    const QByteArray m1 = a.state.ActiveMaster1;
    const QByteArray m2 = a.state.ActiveMaster2;
    EXPECT_EQ(ReadInt16(h.constData()), 0);
    EXPECT_EQ(h.mid(2, 64), m1 + QByteArray(64 - m1.size(), ' '));
    EXPECT_EQ(h.mid(66, 64), m2 + QByteArray(64 - m2.size(), ' '));
    EXPECT_EQ(h.mid(130, 64), QByteArray(64, '\0'));
    EXPECT_EQ(ReadInt16(h.constData() + 194), -1);
    EXPECT_EQ(h.mid(196, 18), QByteArray(18, '\0'));
    EXPECT_EQ(ReadInt16(h.constData() + 214), m2.size());
    EXPECT_EQ(ReadInt16(h.constData() + 216), m1.size());

    EXPECT_EQ(modeOf(f.transferFile), 0600);
    EXPECT_TRUE(a.ui.shown.isEmpty());
    EXPECT_EQ(a.ui.busyDepth, 0);
}

TEST_F(TransferExportTest, StoreWithoutLiveEntriesOrNoStoreGivesTheHeaderAlone)
{
    ASSERT_TRUE(exportTo(f.transferFile));
    EXPECT_EQ(QFileInfo(f.transferFile).size(), 218);
    EXPECT_FALSE(QFileInfo::exists(a.state.LoginFile)) << "exporting creates no store";

    a.add("alice", "pw");
    LoginStore(a.state.LoginFile, a.ui).deletelogin(1000);
    ASSERT_TRUE(exportTo(f.transferFile));
    EXPECT_EQ(QFileInfo(f.transferFile).size(), 218) << "the earlier content is replaced";
    EXPECT_TRUE(a.ui.shown.isEmpty());
}

TEST_F(TransferExportTest, LogsOnlyWhenTheStoredSettingSaysSo)
{
    a.state.LogExports = true; // the held flag is not what counts
    ASSERT_TRUE(exportTo(f.transferFile));
    EXPECT_FALSE(QFileInfo::exists(a.state.LogFile));

    f.settings.save(Setting::LogExports, QStringLiteral("True"));
    a.state.LogExports = false;
    ASSERT_TRUE(exportTo(f.transferFile));
    EXPECT_TRUE(
        ReadFile(a.state.LogFile).contains("\tExported To: " + f.transferFile.left(10).toUtf8()));

    f.settings.save(Setting::LogExports, QStringLiteral("maybe"));
    EXPECT_TRUE(exportTo(f.transferFile)) << "the file was written before the log failed";
    EXPECT_EQ(a.ui.messages(),
              QStringList{QStringLiteral("An error has occurred in ExportFile 13 Type mismatch")});
}

TEST_F(TransferExportTest, BadTargetsGiveTheClassicMessagesAndWriteNothing)
{
    a.add("alice", "pw");
    const QString regular = f.home.file(QStringLiteral("plain.txt"));
    WriteFile(regular, "not a folder");
    struct Case
    {
        QString path;
        QStringList messages;
    };
    const QList<Case> cases = {
        {f.home.path(),
         {QStringLiteral("The filename is not valid"),
          QStringLiteral("An error has occurred in ExportFile 75 Path/File access error")}},
        {regular + QStringLiteral("/list.pqx"),
         {QStringLiteral("An error has occurred in ExportFile 76 Path not found")}},
        {f.home.file(QStringLiteral("missing/list.pqx")),
         {QStringLiteral("An error has occurred in ExportFile 76 Path not found")}},
        {QString(), {}},
    };
    for (const Case &c : cases) {
        a.ui.shown.clear();
        EXPECT_FALSE(exportTo(c.path)) << c.path.toStdString();
        EXPECT_EQ(a.ui.messages(), c.messages) << c.path.toStdString();
        EXPECT_EQ(a.ui.busyDepth, 0);
    }
    EXPECT_EQ(ReadFile(regular), "not a folder");
    EXPECT_FALSE(QFileInfo::exists(f.home.file(QStringLiteral("missing"))));
}

TEST_F(TransferExportTest, UnreadableStoreIsNotBlamedOnTheFileName)
{
    QDir().mkpath(a.state.LoginFile);
    EXPECT_FALSE(exportTo(f.transferFile));
    EXPECT_EQ(a.ui.messages(),
              QStringList{
                  QStringLiteral("An error has occurred in ExportFile 75 Path/File access error")});
    EXPECT_FALSE(QFileInfo::exists(f.transferFile));
}

TEST_F(TransferExportTest, MastersThatCouldNeverBeImportedAreRefused)
{
    a.state.ActiveMaster1 = QByteArray(65, 'x');
    EXPECT_FALSE(exportTo(f.transferFile));
    a.state.ActiveMaster1 = "abcdefgh";
    a.state.ActiveMaster2.clear();
    EXPECT_FALSE(exportTo(f.transferFile));
    EXPECT_EQ(a.ui.messages(), QStringList(2, QString::fromLatin1(kMastersNotExportable)));
    EXPECT_FALSE(QFileInfo::exists(f.transferFile));
}

TEST_F(TransferExportTest, NamesWithSpacesAndNonAsciiCharactersWork)
{
    a.add("alice", "pw");
    const QString folder = f.home.file(QStringLiteral("my exports ÄÖ €"));
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/liste für später.pqx");
    ASSERT_TRUE(exportTo(path));
    EXPECT_EQ(QFileInfo(path).size(), 2 * 218);
    EXPECT_TRUE(a.ui.shown.isEmpty());

    Installation &b = f.importer;
    const ImportResult r = ImportCommand(b.ui, b.state, path, QStringLiteral("first-master"),
                                         QStringLiteral("second-master"), [] {});
    EXPECT_EQ(r.imported, 1);
    EXPECT_EQ(b.clearEntries(), QStringList{QStringLiteral("alice=pw")});
}

TEST_F(TransferExportTest, FailedWriteLeavesTheEarlierFileWhole)
{
    ASSERT_TRUE(exportTo(f.transferFile));
    const QByteArray earlier = ReadFile(f.transferFile);
    a.add("alice", "pw");
    a.add("bob", "pw");
    {
        FileSizeLimit limit(300);
        EXPECT_FALSE(exportTo(f.transferFile));
    }
    EXPECT_EQ(ReadFile(f.transferFile), earlier);
    EXPECT_EQ(a.ui.messages(), QStringList{QStringLiteral(
                                   "An error has occurred in ExportFile 57 Device I/O error")});
    EXPECT_EQ(QDir(f.home.path()).entryList(QDir::Files).filter(QStringLiteral("list.pqx")),
              QStringList{QStringLiteral("list.pqx")})
        << "no temporary file is left behind";
}
