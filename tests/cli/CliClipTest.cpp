#include "CliVault.h"

namespace {
// A private X display for the clipboard, gone with the object.
class VirtualDisplay
{
public:
    QProcessEnvironment environment = CliVault::environment();

    VirtualDisplay()
    {
        m_server.start("Xvfb",
                       {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
        for (int i = 0; i < 100 && !m_server.canReadLine(); ++i)
            m_server.waitForReadyRead(100);
        environment.insert("DISPLAY", ':' + QString::fromLatin1(m_server.readLine()).trimmed());
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }

    // What the clipboard offers as target, or an empty text when nobody owns it.
    QString clipboard(const QString &target = QStringLiteral("UTF8_STRING")) const
    {
        QProcess xclip;
        xclip.setProcessEnvironment(environment);
        xclip.start("xclip", {"-o", "-selection", "clipboard", "-t", target});
        xclip.waitForFinished(5000);
        return QString::fromUtf8(xclip.readAllStandardOutput());
    }

private:
    QProcess m_server;
};
} // namespace

TEST(CliClip, CopiesWithTheHintAndClearsAfterTheTimeoutUnlessItIsZero)
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
        QStandardPaths::findExecutable("xclip").isEmpty())
        GTEST_SKIP() << "Xvfb and xclip are needed for a clipboard";
    CliVault vault;
    vault.add("Bank", "joe", "secret1");
    VirtualDisplay display;
    ASSERT_NE(display.environment.value("DISPLAY"), ":");
    // With no timeout the command ends at once; the text stays after it.
    EXPECT_EQ(vault.run({"--masters-stdin", "clip", "1000", "--login", "--timeout=0"},
                        CliVault::kMasters, display.environment),
              (CliRun{0, "", "Login copied\n"}));
    EXPECT_EQ(display.clipboard(), QStringLiteral("joe"));

    QProcess clip;
    clip.setProcessEnvironment(display.environment);
    clip.start(QStringLiteral(PELLORA_CLI_PATH),
               {"--masters-stdin", "clip", "1000", "--timeout", "2"});
    clip.write(CliVault::kMasters);
    clip.closeWriteChannel();
    QByteArray said;
    for (int i = 0; i < 100 && !said.contains('\n'); ++i) {
        clip.waitForReadyRead(100);
        said += clip.readAllStandardError();
    }
    EXPECT_EQ(said, QByteArray("Password copied; clears in 2 s\n"));
    EXPECT_EQ(display.clipboard(), QStringLiteral("secret1"));
    EXPECT_PRED2(Has, display.clipboard("TARGETS"), "x-kde-passwordManagerHint");
    ASSERT_TRUE(clip.waitForFinished(10000));
    EXPECT_EQ(clip.exitCode(), 0);
    EXPECT_EQ(display.clipboard(), QString());
}
