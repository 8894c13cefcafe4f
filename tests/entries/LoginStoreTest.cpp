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
    void addThree()
    {
        add("a");
        add("b");
        add("c");
    }
    QString lastMessage() const
    {
        return f.ui.shown.isEmpty() ? QString() : f.ui.shown.last().text;
    }
};

TEST_F(LoginStoreTest, FirstAddCreatesThePrivateStoreWithId1000)
{
    LoginRecord r = MakeRecord("alice");
    EXPECT_EQ(store.Addlogin(r), 1000);
    EXPECT_EQ(r.LoginID, 1000);
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 218);
    EXPECT_EQ(FileMode(f.loginFile), 0600);
    EXPECT_EQ(add("bob"), 1001);
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST_F(LoginStoreTest, AddCompactsFirstSoDeletingTheNewestReusesItsId)
{
    addThree();
    ASSERT_TRUE(store.deletelogin(1002));
    EXPECT_EQ(add("d"), 1002);
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(TrimSpaces(records[2].Login), "d");
}

TEST_F(LoginStoreTest, ImportAddNumbersAfterTheTombstoneWithoutCompacting)
{
    addThree();
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
    EXPECT_EQ(add("c"), 1002);
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 654); // record 3 starts at offset 436
}

TEST_F(LoginStoreTest, LoadItemAndUpdateFindEntriesByIdAndUpdateRevives)
{
    add("a");
    add("b");
    EXPECT_EQ(TrimSpaces(store.LoadItem(1000).Login), "a");
    store.deletelogin(1000);
    EXPECT_TRUE(store.LoadItem(1000).isZero());
    EXPECT_TRUE(store.LoadItem(4242).isZero());

    LoginRecord changed = MakeRecord("renamed");
    changed.LoginID = 1000;
    changed.RequireMix = true;
    ASSERT_TRUE(store.updatelogin(changed));
    EXPECT_EQ(TrimSpaces(store.LoadItem(1000).Login), "renamed");
    EXPECT_TRUE(store.LoadItem(1000).RequireMix);
    EXPECT_TRUE(f.ui.shown.isEmpty());

    changed.LoginID = 2000;
    EXPECT_FALSE(store.updatelogin(changed));
    EXPECT_EQ(lastMessage(),
              QStringLiteral("An error has occurred in updatelogin 63 Bad record number"));
    EXPECT_EQ(ReadRecords(f.loginFile).size(), 2);
}

TEST_F(LoginStoreTest, DeleteMatchesTheCurrentRowIdAndFailsOnAnEmptyStore)
{
    EXPECT_FALSE(store.deletelogin(1000));
    EXPECT_EQ(lastMessage(),
              QStringLiteral("An error has occurred in deletelogin 63 Bad record number"));
    add("a");
    add("b");
    EXPECT_TRUE(store.deletelogin(0, qint16(1000)));
    EXPECT_TRUE(ReadRecords(f.loginFile)[0].Deleted);
    EXPECT_FALSE(ReadRecords(f.loginFile)[1].Deleted);
    EXPECT_TRUE(store.deletelogin(5555)); // nothing matched: nothing written, still success
}

TEST_F(LoginStoreTest, CleanupKeepsOrderAndIdsAndRewritesOnlyWithTombstones)
{
    store.cleanup(); // no store yet: silent
    EXPECT_FALSE(QFileInfo::exists(f.loginFile));
    addThree();
    const QByteArray before = ReadFile(f.loginFile);
    const QDateTime modified = QFileInfo(f.loginFile).lastModified();
    store.cleanup();
    EXPECT_EQ(QFileInfo(f.loginFile).lastModified(), modified);
    EXPECT_EQ(ReadFile(f.loginFile), before);

    store.deletelogin(1001);
    store.cleanup();
    auto records = ReadRecords(f.loginFile);
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

TEST_F(LoginStoreTest, SixteenBitLimitsFailWithOverflowAndWriteNothing)
{
    LoginRecord r = MakeRecord("max");
    r.LoginID = 32767;
    WriteFile(f.loginFile, r.encode());
    EXPECT_EQ(add("next"), 0);
    EXPECT_EQ(lastMessage(), QStringLiteral("An error has occurred in Addlogin 6 Overflow"));
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 218);

    WriteFile(f.loginFile, MakeRecord("x").encode().repeated(32768));
    EXPECT_TRUE(store.LoadItem(1000).isZero());
    EXPECT_EQ(lastMessage(), QStringLiteral("An error has occurred in LoadItem 6 Overflow"));
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
    const struct
    {
        const char *name;
        QByteArray store;
        const char *problem;
    } cases[] = {
        {"random bytes", junk, "record 1 has the LoginID"},
        {"all-zero records", QByteArray(218 * 3, '\0'), "record 1 has the LoginID 0"},
        {"ids out of order", entry(1001, -1, "a") + entry(1000, 0, "b"), "does not follow 1001"},
        {"foreign deleted flag", entry(1000, -1, "a") + entry(1001, 7, "b"), "has 7 where"},
        {"other masters", entry(1000, -1, "a") + entry(1001, 0, "b") + entry(1002, 0, "x"),
         nullptr},
    };
    LoginStore keyed(f.loginFile, f.ui, key);
    for (const auto &c : cases) {
        f.ui.shown.clear();
        QByteArray bytes = c.store;
        if (!c.problem) // a live entry under another key, beside a tombstone to compact
            bytes.replace(218 * 2 + RecordOffset::Password, 64,
                          *EncodePasswordField("x", "other key"));
        WriteFile(f.loginFile, bytes);
        EXPECT_FALSE(keyed.cleanup()) << c.name;
        LoginRecord r = MakeRecord("new");
        EXPECT_EQ(keyed.Addlogin(r), 0) << c.name;
        EXPECT_EQ(ReadFile(f.loginFile), bytes) << c.name;
        ASSERT_EQ(f.ui.shown.size(), 2) << c.name;
        const QString problem = c.problem ? QString::fromLatin1(c.problem)
                                          : QStringLiteral("1 of its 2 entries cannot be read");
        EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("The store ") + f.loginFile)) << c.name;
        EXPECT_TRUE(lastMessage().contains(problem)) << qPrintable(lastMessage());
    }
    EXPECT_EQ(keyed.LoadItem(1001).LoginID, 1001) << "what decodes stays readable";

    QFile::remove(f.loginFile);
    QDir().mkpath(f.loginFile);
    EXPECT_EQ(add("b"), 0);
    EXPECT_EQ(lastMessage(),
              QStringLiteral("An error has occurred in Addlogin 75 Path/File access error"));
    EXPECT_EQ(f.ui.busyDepth, 0);
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
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "every add of the child succeeded";
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 2 * kEach);
    for (int i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i].LoginID, 1000 + i);
}
