#include "transfer/TransferExport.h"
#include "TransferFixture.h"

class TransferExportTest : public ::testing::Test
{
protected:
    TransferFixture f;
    Installation &a = f.exporter;

    bool exportTo(const QString &path) { return ExportFile(a.ui, a.state, f.settings, path); }
};

// A store without live entries gives the header alone and creates no store.
TEST_F(TransferExportTest, WritesTheHeaderThenEveryLiveRecordUnchangedAndRefusesBadTargets)
{
    ASSERT_TRUE(exportTo(f.transferFile));
    EXPECT_FALSE(QFileInfo::exists(a.state.LoginFile));
    const QByteArray m1 = a.state.ActiveMaster1, m2 = a.state.ActiveMaster2;
    QByteArray header(218, '\0');
    header.replace(2, 64, m1.leftJustified(64, ' '));
    header.replace(66, 64, m2.leftJustified(64, ' '));
    WriteInt16(header.data() + 194, -1);
    WriteInt16(header.data() + 214, qint16(m2.size()));
    WriteInt16(header.data() + 216, qint16(m1.size()));
    EXPECT_EQ(ReadFile(f.transferFile), header);
    EXPECT_EQ(FileMode(f.transferFile), 0600);

    for (const char *login : {"alice", "bob", "carol"})
        a.add(login, "pw");
    EntryStore(a.state.LoginFile, a.ui).remove(1001);
    const QByteArray store = ReadFile(a.state.LoginFile);
    f.settings.save(Setting::LogExports, QStringLiteral("True")); // the held flag says no
    ASSERT_TRUE(exportTo(f.transferFile));
    EXPECT_TRUE(ReadFile(a.state.LogFile).contains("\tExported To: "));
    const QByteArray written = ReadFile(f.transferFile);
    EXPECT_EQ(written, header + store.left(218) + store.mid(436)) << "the deleted bob is skipped";
    EXPECT_TRUE(a.ui.shown.isEmpty());

    a.add("dave", "pw");
    {
        FileSizeLimit limit(700);
        EXPECT_FALSE(exportTo(f.transferFile));
    }
    EXPECT_EQ(ReadFile(f.transferFile), written);
    EXPECT_EQ(QDir(f.folder).entryList(QDir::Files),
              QStringList{QFileInfo(f.transferFile).fileName()})
        << "no temporary file is left behind";
    f.settings.save(Setting::LogExports, QStringLiteral("maybe"));
    EXPECT_TRUE(exportTo(f.transferFile)) << "the file was written before the log failed";
    EXPECT_EQ(a.ui.messages(),
              QStringList({"An error has occurred in ExportFile 61 Disk full",
                           "An error has occurred in ExportFile 13 Type mismatch"}));

    // Bad targets, stores and masters are refused, writing nothing.
    a.ui.shown.clear();
    const QString fresh = f.folder + QStringLiteral("/fresh.pqx");
    EXPECT_FALSE(exportTo(QString())); // a cancelled save dialog says nothing
    EXPECT_FALSE(exportTo(f.home.path()));
    EXPECT_FALSE(exportTo(f.home.file(QStringLiteral("missing/list.pqx"))));
    a.state.ActiveMaster1 = QByteArray(65, 'x'); // never importable again
    EXPECT_FALSE(exportTo(fresh));
    a.state.ActiveMaster1 = "abcdefgh";
    a.state.ActiveMaster2.clear();
    EXPECT_FALSE(exportTo(fresh));
    a.state.ActiveMaster2 = "ijklmnop";
    QFile::remove(a.state.LoginFile);
    QDir().mkpath(a.state.LoginFile); // an unreadable store is not blamed on the file name
    EXPECT_FALSE(exportTo(fresh));
    const QString access =
        QStringLiteral("An error has occurred in ExportFile 75 Path/File access error");
    EXPECT_EQ(a.ui.messages(), (QStringList{"The filename is not valid", access,
                                            "An error has occurred in ExportFile 76 Path not found",
                                            kMastersNotExportable, kMastersNotExportable, access}));
    EXPECT_FALSE(QFileInfo::exists(fresh));
    EXPECT_EQ(a.ui.busyDepth, 0);
}
