#include "CliVault.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <optional>

namespace {
// A private X display for the clipboard, gone with the object.
class VirtualDisplay
{
public:
    VirtualDisplay()
    {
        m_server.start("Xvfb",
                       {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
        for (int i = 0; i < 100 && !m_server.canReadLine(); ++i)
            m_server.waitForReadyRead(100);
        const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
        if (!number.isEmpty())
            m_environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + number);
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    const QProcessEnvironment &environment() const { return m_environment; }

    // What the clipboard offers as target, or an empty text when nobody owns it.
    QString clipboard(const QString &target = QStringLiteral("UTF8_STRING")) const
    {
        QProcess xclip;
        xclip.setProcessEnvironment(m_environment);
        xclip.start("xclip", {"-o", "-selection", "clipboard", "-t", target});
        xclip.waitForFinished(5000);
        return QString::fromUtf8(xclip.readAllStandardOutput());
    }

private:
    QProcess m_server;
    QProcessEnvironment m_environment = CliVault::environment();
};

struct ClipFixture : ::testing::Test
{
    CliVault vault;
    std::optional<VirtualDisplay> display;
    QProcess clip;

    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "Xvfb and xclip are needed for a clipboard";
        ASSERT_EQ(vault.add("Bank", "joe", "secret1"), 1000);
        display.emplace();
        ASSERT_TRUE(display->environment().contains(QStringLiteral("DISPLAY")));
    }

    void startClip(const QStringList &options)
    {
        CliVault::start(clip, QStringList{"clip", "1000"} + options, display->environment());
        clip.closeWriteChannel();
    }
};
} // namespace

TEST_F(ClipFixture, CopiesWithTheHintThenClearsAfterTheTimeout)
{
    startClip({"--timeout", "2"});
    QByteArray said;
    for (int i = 0; i < 100 && !said.contains('\n'); ++i) {
        clip.waitForReadyRead(100);
        said += clip.readAllStandardError();
    }
    EXPECT_EQ(said, QByteArray("Password copied; clears in 2 s\n"));
    EXPECT_EQ(display->clipboard(), QStringLiteral("secret1"));
    EXPECT_TRUE(
        display->clipboard("TARGETS").contains(QStringLiteral("x-kde-passwordManagerHint")));
    ASSERT_TRUE(clip.waitForFinished(10000));
    EXPECT_EQ(clip.exitCode(), 0);
    EXPECT_EQ(display->clipboard(), QString());
}

TEST_F(ClipFixture, TimeoutZeroLeavesTheLoginOnTheClipboard)
{
    startClip({"--login", "--timeout=0"});
    // The command itself ends at once; the text stays after it.
    ASSERT_TRUE(clip.waitForFinished(10000));
    EXPECT_EQ(clip.exitCode(), 0);
    EXPECT_EQ(clip.readAllStandardError(), QByteArray("Login copied\n"));
    EXPECT_EQ(display->clipboard(), QStringLiteral("joe"));
}

TEST(CliClip, WithoutADisplayTheCommandSaysSo)
{
    const CliRun run = CliVault().withMasters({"clip", "1000"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("DISPLAY"))) << run.err.toStdString();
}
