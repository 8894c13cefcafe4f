#include "entries/LoginStore.h"
#include "StoreFixture.h"
#include "entries/PasswordField.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

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
    QString lastMessage() const { return f.ui.messages().value(f.ui.shown.size() - 1); }
    QString error(const char *procedure, const char *text) const
    {
        return QStringLiteral("An error has occurred in %1 %2").arg(procedure, text);
    }
};

// Ids start at 1000. An add compacts first, so deleting the newest entry frees its id; an import
// numbers after the tombstones and keeps them. A partial record at the end is overwritten.
TEST_F(LoginStoreTest, AddsNumberAfterTheLastEntryInAPrivateStore)
{
    LoginRecord r = MakeRecord("alice");
    EXPECT_EQ(store.Addlogin(r), 1000);
    EXPECT_EQ(r.LoginID, 1000);
    EXPECT_EQ(FileMode(f.loginFile), 0600);
    EXPECT_EQ(add("b"), 1001);
    EXPECT_EQ(add("c"), 1002);
    ASSERT_TRUE(store.deletelogin(1002));
    LoginRecord imported = MakeRecord("imported");
    EXPECT_EQ(store.ImportAdd(imported), std::optional<qint16>(1003));
    EXPECT_TRUE(ReadRecords(f.loginFile).value(2).Deleted);
    ASSERT_TRUE(store.deletelogin(1003));
    EXPECT_EQ(add("d"), 1002);
    EXPECT_EQ(TrimSpaces(ReadRecords(f.loginFile).value(2).Login), "d");
    WriteFile(f.loginFile, ReadFile(f.loginFile) + "X");
    EXPECT_EQ(add("e"), 1003);
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 4 * 218);
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(f.ui.busyDepth, 0);
}

// Entries are found by id; an update revives a deleted one; a delete matches the current row's
// id, and one that matches nothing writes nothing and succeeds.
TEST_F(LoginStoreTest, LoadUpdateAndDeleteFindEntriesById)
{
    EXPECT_FALSE(store.deletelogin(1000));
    EXPECT_EQ(lastMessage(), error("deletelogin", "63 Bad record number"));
    f.ui.shown.clear();
    add("a");
    add("b");
    EXPECT_EQ(TrimSpaces(store.LoadItem(1000).Login), "a");
    EXPECT_TRUE(store.deletelogin(0, qint16(1000)));
    EXPECT_FALSE(ReadRecords(f.loginFile)[1].Deleted);
    EXPECT_TRUE(store.LoadItem(1000).isZero());
    EXPECT_TRUE(store.LoadItem(4242).isZero());
    EXPECT_TRUE(store.deletelogin(5555));

    LoginRecord changed = MakeRecord("renamed");
    changed.LoginID = 1000;
    changed.RequireMix = true;
    ASSERT_TRUE(store.updatelogin(changed));
    EXPECT_EQ(TrimSpaces(store.LoadItem(1000).Login), "renamed");
    EXPECT_TRUE(store.LoadItem(1000).RequireMix);
    EXPECT_TRUE(f.ui.shown.isEmpty());
    changed.LoginID = 2000;
    EXPECT_FALSE(store.updatelogin(changed));
    EXPECT_EQ(lastMessage(), error("updatelogin", "63 Bad record number"));
    EXPECT_EQ(ReadRecords(f.loginFile).size(), 2);
}

TEST_F(LoginStoreTest, CleanupKeepsOrderAndIdsAndRewritesOnlyWithTombstones)
{
    store.cleanup(); // no store yet: silent
    EXPECT_FALSE(QFileInfo::exists(f.loginFile));
    for (const char *login : {"a", "b", "c"})
        add(login);
    const QByteArray before = ReadFile(f.loginFile);
    const QDateTime modified = QFileInfo(f.loginFile).lastModified();
    store.cleanup();
    EXPECT_EQ(QFileInfo(f.loginFile).lastModified(), modified);
    EXPECT_EQ(ReadFile(f.loginFile), before);

    store.deletelogin(1001);
    store.cleanup();
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].LoginID, 1000);
    EXPECT_EQ(records[1].LoginID, 1002);
    store.deletelogin(1000);
    store.deletelogin(1002);
    store.cleanup();
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 0);
    EXPECT_EQ(FileMode(f.loginFile), 0600);
    EXPECT_TRUE(f.ui.shown.isEmpty());
}

TEST_F(LoginStoreTest, SixteenBitLimitsAndFoldersFailWritingNothing)
{
    LoginRecord r = MakeRecord("max");
    r.LoginID = 32767;
    WriteFile(f.loginFile, r.encode());
    EXPECT_EQ(add("next"), 0);
    EXPECT_EQ(lastMessage(), error("Addlogin", "6 Overflow"));
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 218);

    WriteFile(f.loginFile, MakeRecord("x").encode().repeated(32768));
    EXPECT_TRUE(store.LoadItem(1000).isZero());
    EXPECT_EQ(lastMessage(), error("LoadItem", "6 Overflow"));

    QFile::remove(f.loginFile);
    QDir().mkpath(f.loginFile);
    EXPECT_EQ(add("b"), 0);
    EXPECT_EQ(lastMessage(), error("Addlogin", "75 Path/File access error"));
    EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST_F(LoginStoreTest, DamagedStoresAreNeverRewrittenButStillRead)
{
    const QByteArray key = "entry-key";
    auto entry = [&](qint16 id, qint16 deleted, const QByteArray &password) {
        LoginRecord r = MakeRecord("login", "desc", *EncodePasswordField(password, key));
        r.LoginID = id;
        QByteArray bytes = r.encode();
        WriteInt16(bytes.data() + RecordOffset::Deleted, deleted);
        return bytes;
    };
    QByteArray junk(218 * 5 + 17, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 2654435761u) >> 13);
    // A live entry under another key, beside a tombstone to compact.
    QByteArray foreign = entry(1000, -1, "a") + entry(1001, 0, "b") + entry(1002, 0, "x");
    foreign.replace(218 * 2 + RecordOffset::Password, 64, *EncodePasswordField("x", "other key"));
    const std::pair<QByteArray, const char *> cases[] = {
        {junk, "record 1 has the LoginID"},
        {QByteArray(218 * 3, '\0'), "record 1 has the LoginID 0"},
        {entry(1001, -1, "a") + entry(1000, 0, "b"), "does not follow 1001"},
        {entry(1000, -1, "a") + entry(1001, 7, "b"), "has 7 where"},
        {foreign, "1 of its 2 entries cannot be read"},
    };
    LoginStore keyed(f.loginFile, f.ui, key);
    for (const auto &[bytes, problem] : cases) {
        f.ui.shown.clear();
        WriteFile(f.loginFile, bytes);
        EXPECT_FALSE(keyed.cleanup()) << problem;
        LoginRecord r = MakeRecord("new");
        EXPECT_EQ(keyed.Addlogin(r), 0) << problem;
        EXPECT_EQ(ReadFile(f.loginFile), bytes) << problem;
        ASSERT_EQ(f.ui.shown.size(), 2) << problem;
        EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("The store ") + f.loginFile));
        EXPECT_TRUE(lastMessage().contains(QLatin1String(problem))) << lastMessage().toStdString();
    }
    EXPECT_EQ(keyed.LoadItem(1001).LoginID, 1001) << "what decodes stays readable";
}

TEST_F(LoginStoreTest, TwoProcessesAddingAtOnceLoseNothing)
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
    EXPECT_EQ(added, kEach);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every add of the child";
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 2 * kEach);
    for (int i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i].LoginID, 1000 + i);
}
