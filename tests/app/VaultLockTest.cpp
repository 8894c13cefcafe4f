#include "app/VaultLock.h"
#include "TempHome.h"
#include "platform/VbError.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {
// Another process holding the vault: flock(1) keeps the lock while its command runs.
class OtherHolder
{
public:
    explicit OtherHolder(const QString &lockPath)
    {
        m_process.start(QStringLiteral("flock"),
                        {QStringLiteral("-o"), lockPath, QStringLiteral("sh"), QStringLiteral("-c"),
                         QStringLiteral("echo held; sleep 30")});
        m_process.waitForReadyRead(5000);
    }
    ~OtherHolder() { kill(); }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};
} // namespace

TEST(VaultLockTest, AnotherProcessKeepsWritersOutUntilItDies)
{
    TempHome home;
    VaultLock probe(home.dataFolder());
    OtherHolder other(probe.path());

    VaultLock window(home.dataFolder());
    EXPECT_FALSE(window.acquire(100));
    EXPECT_EQ(window.failureMessage(), QString::fromLatin1(kAlreadyRunningMessage));
    try {
        WriteGuard guard(home.dataFolder());
        ADD_FAILURE() << "a second writer got in";
    } catch (const VbError &e) {
        EXPECT_EQ(e.number, 70);
        EXPECT_TRUE(e.description.contains(QStringLiteral("another copy of Pellora")));
    }

    other.kill();
    EXPECT_TRUE(window.acquire());
}

TEST(VaultLockTest, HoldsNestWithinOneProcess)
{
    TempHome home;
    {
        VaultLock run(home.dataFolder());
        ASSERT_TRUE(run.acquire());
        {
            WriteGuard operation(home.dataFolder());
        }
        // The operation's end must not release the run's hold.
        QProcess probe;
        probe.start(QStringLiteral("flock"),
                    {QStringLiteral("-n"), run.path(), QStringLiteral("true")});
        probe.waitForFinished();
        EXPECT_NE(probe.exitCode(), 0);
    }
    QProcess probe;
    probe.start(QStringLiteral("flock"), {QStringLiteral("-n"), VaultLock(home.dataFolder()).path(),
                                          QStringLiteral("true")});
    probe.waitForFinished();
    EXPECT_EQ(probe.exitCode(), 0);
}
