#include "app/InstanceLock.h"
#include "TempHome.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

class InstanceLockTest : public ::testing::Test
{
protected:
    TempHome home;
    QString folder = home.dataFolder();
};

TEST_F(InstanceLockTest, SecondCopyIsRefusedUntilTheFirstLetsGo)
{
    auto first = std::make_unique<InstanceLock>(folder);
    ASSERT_TRUE(first->acquire());
    EXPECT_TRUE(first->acquire()) << "acquiring again keeps the lock";
    EXPECT_EQ(first->path(), folder + QStringLiteral("Pellora.lock"));

    InstanceLock second(folder);
    EXPECT_FALSE(second.acquire());
    EXPECT_FALSE(second.isHeld());
    EXPECT_EQ(second.failureMessage(),
              QStringLiteral("Pellora is already running. Only one copy can use the vault at a "
                             "time."));

    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST_F(InstanceLockTest, LockOfACopyThatDiedIsTakenOver)
{
    QByteArray held;
    {
        InstanceLock original(folder);
        ASSERT_TRUE(original.acquire());
        held = ReadFile(original.path());
    }
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());

    QList<QByteArray> lines = held.split('\n');
    ASSERT_GE(lines.size(), 3);
    lines[0] = QByteArray::number(deadPid);
    WriteFile(folder + QStringLiteral("Pellora.lock"), lines.join('\n'));

    InstanceLock next(folder);
    EXPECT_TRUE(next.acquire());
    EXPECT_TRUE(ReadFile(next.path())
                    .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
}

TEST_F(InstanceLockTest, FolderThatCannotHoldTheLockIsSaidSo)
{
    WriteFile(home.file(QStringLiteral("plain-file")), "x");
    InstanceLock lock(home.file(QStringLiteral("plain-file")));
    EXPECT_FALSE(lock.acquire());
    EXPECT_TRUE(
        lock.failureMessage().startsWith(QStringLiteral("Pellora cannot create its lock file ")));
}
