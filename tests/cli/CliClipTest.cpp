#include "CliVault.h"

TEST(CliClip, CopiesWithTheHintAndClearsAfterTheTimeoutUnlessItIsZero)
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
        QStandardPaths::findExecutable("xclip").isEmpty())
        GTEST_SKIP() << "Xvfb and xclip are needed for a clipboard";
    CliVault vault;
    vault.add("Bank", "joe", "secret1");
    // A private X display, killed with its QProcess.
    QProcess server;
    server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
    for (int i = 0; i < 100 && !server.canReadLine(); ++i)
        server.waitForReadyRead(100);
    QProcessEnvironment display = CliVault::environment();
    display.insert("DISPLAY", ':' + QString::fromLatin1(server.readLine()).trimmed());
    ASSERT_NE(display.value("DISPLAY"), ":");
    // What the clipboard offers as target, or an empty text when nobody owns it.
    const auto clipboard = [&display](const char *target = "UTF8_STRING") {
        QProcess xclip;
        xclip.setProcessEnvironment(display);
        xclip.start("xclip", {"-o", "-selection", "clipboard", "-t", target});
        xclip.waitForFinished(5000);
        return QString::fromUtf8(xclip.readAllStandardOutput());
    };
    // With no timeout the command ends at once; the text stays after it.
    EXPECT_EQ(vault.run({"--masters-stdin", "clip", "1000", "--login", "--timeout=0"},
                        CliVault::kMasters, display),
              (CliRun{0, "", "Login copied\n"}));
    EXPECT_EQ(clipboard(), QStringLiteral("joe"));

    QProcess clip;
    clip.setProcessEnvironment(display);
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
    EXPECT_EQ(clipboard(), QStringLiteral("secret1"));
    EXPECT_PRED2(Has, clipboard("TARGETS"), "x-kde-passwordManagerHint");
    ASSERT_TRUE(clip.waitForFinished(10000));
    EXPECT_EQ(clip.exitCode(), 0);
    EXPECT_EQ(clipboard(), QString());
}
