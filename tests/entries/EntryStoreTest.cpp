#include "entries/EntryStore.h"
#include "StoreFixture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

class EntryStoreTest : public ::testing::Test
{
protected:
    StoreFixture f;
    EntryStore store{f.loginFile, f.ui};

    qint16 add(const QByteArray &login)
    {
        LoginRecord r = MakeRecord(login);
        return store.add(r);
    }
    QString error(const char *procedure, const char *text) const
    {
        return QStringLiteral("An error has occurred in %1 %2").arg(procedure, text);
    }
};

// An add compacts first, so deleting the newest entry frees its id; an import keeps tombstones.
TEST_F(EntryStoreTest, AddsNumberAfterTheLastEntryAndFindsEntriesById)
{
    EXPECT_FALSE(store.remove(1000));
    EXPECT_EQ(f.ui.messages(), QStringList{error("deletelogin", "63 Bad record number")});
    f.ui.shown.clear();
    LoginRecord r = MakeRecord("alice");
    EXPECT_EQ(QList<qint16>({store.add(r), r.LoginID, add("b"), add("c")}),
              QList<qint16>({1000, 1000, 1001, 1002}));
    EXPECT_EQ(FileMode(f.loginFile), 0600);
    ASSERT_TRUE(store.remove(1002));
    LoginRecord imported = MakeRecord("imported");
    EXPECT_EQ(store.appendImported(imported), std::optional<qint16>(1003));
    EXPECT_TRUE(ReadRecords(f.loginFile).value(2).Deleted);
    ASSERT_TRUE(store.remove(1003));
    EXPECT_EQ(add("d"), 1002);
    WriteFile(f.loginFile, ReadFile(f.loginFile) + "X");
    EXPECT_EQ(add("e"), 1003);
    EXPECT_EQ(TrimSpaces(ReadRecords(f.loginFile).value(2).Login), "d");
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 4 * 218);

    EXPECT_TRUE(store.remove(0, qint16(1000)));
    EXPECT_TRUE(!ReadRecords(f.loginFile)[1].Deleted && store.load(1000).isZero() &&
                store.load(4242).isZero());
    EXPECT_TRUE(store.remove(5555));
    LoginRecord changed = MakeRecord("renamed");
    changed.LoginID = 1000;
    ASSERT_TRUE(store.update(changed));
    EXPECT_EQ(store.load(1000).encode(), changed.encode());
    EXPECT_TRUE(f.ui.shown.isEmpty() && f.ui.busyDepth == 0);
    changed.LoginID = 2000;
    EXPECT_FALSE(store.update(changed));
    EXPECT_EQ(f.ui.messages(), QStringList{error("updatelogin", "63 Bad record number")});
    EXPECT_EQ(ReadRecords(f.loginFile).size(), 4);
}

// A damaged store is never rewritten, but what decodes stays readable.
TEST_F(EntryStoreTest, LimitsFoldersAndDamagedStoresFailWritingNothing)
{
    const QByteArray key = "entry-key";
    QByteArray foreign = StoreBytes( // a live entry under another key, beside a tombstone
        {Entry(1000, "a", "a", key, true), Entry(1001, "b", "b", key),
         Entry(1002, "x", "x", "other")});
    QByteArray seven = StoreBytes({Entry(1000, "a", "a", key, true), Entry(1001, "b", "b", key)});
    WriteInt16(seven.data() + 218 + RecordOffset::Deleted, 7);
    const std::pair<QByteArray, QString> cases[] = {
        {Entry(32767, "max", "pw", key).encode(), error("Addlogin", "6 Overflow")},
        {QByteArray(), error("Addlogin", "75 Path/File access error")},
        {QByteArray::fromHex("379e79b97f4a7c15").repeated(137).left(218 * 5 + 17),
         "record 1 has the LoginID"},
        {QByteArray(218 * 3, '\0'), "record 1 has the LoginID 0"},
        {StoreBytes({Entry(1001, "a", "a", key, true), Entry(1000, "b", "b", key)}),
         "does not follow 1001"},
        {seven, "has 7 where"},
        {foreign, "1 of its 2 entries cannot be read"},
    };
    EntryStore keyed(f.loginFile, f.ui, key);
    for (const auto &[bytes, problem] : cases) {
        f.ui.shown.clear();
        QDir(f.loginFile).removeRecursively();
        QFile::remove(f.loginFile);
        if (bytes.isEmpty())
            QDir().mkpath(f.loginFile);
        else
            WriteFile(f.loginFile, bytes);
        LoginRecord r = MakeRecord("new");
        EXPECT_EQ(keyed.add(r), 0) << problem.toStdString();
        EXPECT_EQ(ReadFile(f.loginFile), bytes) << problem.toStdString();
        EXPECT_TRUE(f.ui.lastMessage().contains(problem) && f.ui.busyDepth == 0);
        if (problem.startsWith("An error"))
            continue;
        EXPECT_FALSE(keyed.compact());
        EXPECT_TRUE(f.ui.lastMessage().startsWith("The store " + f.loginFile));
    }
    EXPECT_EQ(keyed.load(1001).LoginID, 1001) << "what decodes stays readable";
    WriteFile(f.loginFile, MakeRecord("x").encode().repeated(32768));
    EXPECT_TRUE(store.load(1000).isZero());
    EXPECT_EQ(f.ui.lastMessage(), error("LoadItem", "6 Overflow"));
}

TEST_F(EntryStoreTest, TwoProcessesAddingAtOnceLoseNothing)
{
    constexpr int kEach = 300;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    const QByteArray who = child == 0 ? "child" : "parent";
    int added = 0;
    for (int i = 0; i < kEach; ++i)
        added += add(who + QByteArray::number(i)) != 0;
    if (child == 0)
        _exit(added == kEach ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(added == kEach && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 2 * kEach);
    for (int i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i].LoginID, 1000 + i);
}
