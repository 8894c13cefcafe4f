#include "app/VaultLock.h"
#include "TempHome.h"
#include "platform/ClassicError.h"

#include <QProcess>
#include <gtest/gtest.h>

TEST(VaultLockTest, AnotherProcessKeepsWritersOutUntilItDies)
{
    TempHome home;
    VaultLock window(home.dataFolder());
    QProcess other; // holds the lock while its command runs
    other.start(QStringLiteral("flock"), {"-o", window.path(), "sh", "-c", "echo held; sleep 30"});
    other.waitForReadyRead(5000);
    EXPECT_FALSE(window.acquire(100));
    EXPECT_EQ(window.failureMessage(), QString::fromLatin1(kAlreadyRunningMessage));
    try {
        WriteGuard guard(home.dataFolder());
        ADD_FAILURE() << "a second writer got in";
    } catch (const ClassicError &e) {
        EXPECT_EQ(e.number, 70);
        EXPECT_TRUE(e.description.contains(QStringLiteral("another copy of Pellora")));
    }
    other.kill();
    other.waitForFinished();
    EXPECT_TRUE(window.acquire());
}
