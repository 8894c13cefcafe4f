#include "app/InstanceLock.h"
#include "TempHome.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

TEST(InstanceLockTest, SecondCopyIsRefusedUntilTheFirstLetsGo)
{
    TempHome home;
    auto first = std::make_unique<InstanceLock>(home.dataFolder());
    ASSERT_TRUE(first->acquire());
    InstanceLock second(home.dataFolder());
    EXPECT_FALSE(second.acquire());
    EXPECT_EQ(second.failureMessage(),
              QStringLiteral("Pellora is already running. Only one copy can use the vault at a "
                             "time."));
    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(InstanceLockTest, LockOfACopyThatDiedIsTakenOver)
{
    TempHome home;
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    QByteArray held;
    {
        InstanceLock original(home.dataFolder());
        ASSERT_TRUE(original.acquire());
        held = ReadFile(original.path());
    }
    QList<QByteArray> lines = held.split('\n');
    ASSERT_GE(lines.size(), 3);
    lines[0] = QByteArray::number(deadPid);
    WriteFile(home.dataFolder() + QStringLiteral("Pellora.lock"), lines.join('\n'));

    InstanceLock next(home.dataFolder());
    EXPECT_TRUE(next.acquire());
    EXPECT_TRUE(ReadFile(next.path())
                    .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
}
