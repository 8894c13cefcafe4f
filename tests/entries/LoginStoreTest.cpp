#include "entries/LoginStore.h"
#include "StoreFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

class LoginStoreTest : public ::testing::Test
{
protected:
    StoreFixture f;
    LoginStore store{f.loginFile, f.ui};

    qint16 add(const QByteArray &login)
    {
        LoginRecord r = MakeRecord(login);
        return store.Addlogin(r);
    }
};

TEST_F(LoginStoreTest, FirstAddCreatesThePrivateStoreWithId1000)
{
    LoginRecord r = MakeRecord("alice");
    EXPECT_EQ(store.Addlogin(r), 1000);
    EXPECT_EQ(r.LoginID, 1000);
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 218);
    struct stat st
    {
    };
    ASSERT_EQ(stat(f.loginFile.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(add("bob"), 1001);
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST_F(LoginStoreTest, AddAfterDeletingNewestReusesItsIdAndDropsTheTombstone)
{
    add("a");
    add("b");
    add("c");
    ASSERT_TRUE(store.deletelogin(1002));
    ASSERT_EQ(ReadRecords(f.loginFile).size(), 3);
    EXPECT_EQ(add("d"), 1002);
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(TrimSpaces(records[2].Login), "d");
    EXPECT_FALSE(records[2].Deleted);
}

TEST_F(LoginStoreTest, ImportAddNumbersAfterTheTombstoneWithoutCompacting)
{
    add("a");
    add("b");
    add("c");
    store.deletelogin(1002);
    LoginRecord r = MakeRecord("imported");
    EXPECT_EQ(store.ImportAdd(r), std::optional<qint16>(1003));
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 4);
    EXPECT_TRUE(records[2].Deleted);
}

TEST_F(LoginStoreTest, TrailingPartialRecordIsIgnoredAndOverwrittenByTheNextAdd)
{
    add("a");
    add("b");
    QFile file(f.loginFile);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("X");
    file.close();
    ASSERT_EQ(QFileInfo(f.loginFile).size(), 437);
    EXPECT_EQ(add("c"), 1002);
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 654) << "record 3 starts at offset 436";
    EXPECT_EQ(ReadRecords(f.loginFile)[2].LoginID, 1002);
}

TEST_F(LoginStoreTest, LoadItemFindsOnlyLiveEntries)
{
    add("a");
    add("b");
    EXPECT_EQ(TrimSpaces(store.LoadItem(1000).Login), "a");
    store.deletelogin(1000);
    EXPECT_TRUE(store.LoadItem(1000).isZero());
    EXPECT_TRUE(store.LoadItem(4242).isZero());
    EXPECT_TRUE(f.ui.shown.isEmpty());
}

TEST_F(LoginStoreTest, UpdateRewritesFieldsAndRevivesADeletedEntry)
{
    add("a");
    store.deletelogin(1000);
    LoginRecord changed = MakeRecord("renamed", "new description");
    changed.LoginID = 1000;
    changed.RequireMix = true;
    ASSERT_TRUE(store.updatelogin(changed));
    const LoginRecord back = store.LoadItem(1000);
    EXPECT_EQ(TrimSpaces(back.Login), "renamed");
    EXPECT_TRUE(back.RequireMix);
    EXPECT_FALSE(back.Deleted);
}

TEST_F(LoginStoreTest, UpdateOfAnUnknownIdFailsWithItsMessage)
{
    add("a");
    LoginRecord ghost = MakeRecord("ghost");
    ghost.LoginID = 2000;
    EXPECT_FALSE(store.updatelogin(ghost));
    EXPECT_EQ(f.ui.messages(), QStringList{QStringLiteral(
                                   "An error has occurred in updatelogin 63 Bad record number")});
    EXPECT_EQ(ReadRecords(f.loginFile).size(), 1);
}

TEST_F(LoginStoreTest, DeleteMatchesTheCurrentRowIdToo)
{
    add("a");
    add("b");
    EXPECT_TRUE(store.deletelogin(0, qint16(1000)));
    EXPECT_TRUE(ReadRecords(f.loginFile)[0].Deleted);
    EXPECT_FALSE(ReadRecords(f.loginFile)[1].Deleted);
    EXPECT_TRUE(store.deletelogin(5555)) << "nothing matched: nothing written, still success";
}

TEST_F(LoginStoreTest, DeleteOnAnEmptyStoreReportsTheFailure)
{
    EXPECT_FALSE(store.deletelogin(1000));
    EXPECT_EQ(f.ui.messages(), QStringList{QStringLiteral(
                                   "An error has occurred in deletelogin 63 Bad record number")});
}

TEST_F(LoginStoreTest, CleanupKeepsOrderAndIdsAndWritesNothingWithoutTombstones)
{
    add("a");
    add("b");
    add("c");
    const QDateTime before = QFileInfo(f.loginFile).lastModified();
    const ino_t inode = [&] {
        struct stat st
        {
        };
        stat(f.loginFile.toLocal8Bit().constData(), &st);
        return st.st_ino;
    }();
    store.cleanup();
    struct stat st
    {
    };
    stat(f.loginFile.toLocal8Bit().constData(), &st);
    EXPECT_EQ(st.st_ino, inode) << "an untouched store is not rewritten";
    EXPECT_EQ(QFileInfo(f.loginFile).lastModified(), before);

    store.deletelogin(1001);
    store.cleanup();
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].LoginID, 1000);
    EXPECT_EQ(records[1].LoginID, 1002);
    EXPECT_TRUE(f.ui.shown.isEmpty());
}

TEST_F(LoginStoreTest, CleanupOfAStoreOfOnlyTombstonesLeavesAnEmptyFile)
{
    add("a");
    store.deletelogin(1000);
    store.cleanup();
    EXPECT_TRUE(QFileInfo::exists(f.loginFile));
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 0);
}

TEST_F(LoginStoreTest, CleanupOfAMissingStoreIsSilent)
{
    store.cleanup();
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(f.loginFile));
}

TEST_F(LoginStoreTest, AddAfterId32767FailsWithOverflowAndWritesNothing)
{
    LoginRecord r = MakeRecord("max");
    r.LoginID = 32767;
    WriteFile(f.loginFile, r.encode());
    EXPECT_EQ(add("next"), 0);
    EXPECT_EQ(f.ui.messages(),
              QStringList{QStringLiteral("An error has occurred in Addlogin 6 Overflow")});
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 218);
}

TEST_F(LoginStoreTest, StoreBeyondAddressableRecordsFailsWithOverflow)
{
    QByteArray big;
    LoginRecord r = MakeRecord("x");
    const QByteArray one = r.encode();
    big.reserve(32768 * 218);
    for (int i = 0; i < 32768; ++i)
        big += one;
    WriteFile(f.loginFile, big);
    EXPECT_TRUE(store.LoadItem(1000).isZero());
    EXPECT_EQ(f.ui.messages(),
              QStringList{QStringLiteral("An error has occurred in LoadItem 6 Overflow")});
}

TEST_F(LoginStoreTest, RandomBytesAndZeroStoresNeverCrash)
{
    QByteArray junk(218 * 5 + 17, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 2654435761u) >> 13);
    WriteFile(f.loginFile, junk);
    store.LoadItem(1000);
    store.cleanup();
    LoginRecord r = MakeRecord("after junk");
    store.Addlogin(r);
    EXPECT_EQ(f.ui.busyDepth, 0);

    WriteFile(f.loginFile, QByteArray(218 * 3, '\0'));
    EXPECT_EQ(add("z"), 1);
}

TEST_F(LoginStoreTest, AStorePathThatIsAFolderIsReportedNotCrashed)
{
    QDir().mkpath(f.loginFile);
    EXPECT_EQ(add("b"), 0);
    EXPECT_EQ(f.ui.shown.last().text,
              QStringLiteral("An error has occurred in Addlogin 75 Path/File access error"));
    EXPECT_EQ(f.ui.busyDepth, 0);
}
