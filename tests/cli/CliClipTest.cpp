#include "CliVault.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
// A private X display for the clipboard, gone with the object.
class VirtualDisplay
{
public:
    VirtualDisplay()
    {
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("320x240x24")});
        for (int i = 0; i < 100 && !m_server.canReadLine(); ++i)
            m_server.waitForReadyRead(100);
        const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
        if (!number.isEmpty())
            m_name = QLatin1Char(':') + number;
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    QString name() const { return m_name; }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = CliVault::environment();
        env.insert(QStringLiteral("DISPLAY"), m_name);
        return env;
    }

    // What the clipboard offers as target, or an empty text when nobody owns it.
    QString clipboard(const QString &target = QStringLiteral("UTF8_STRING")) const
    {
        QProcess xclip;
        xclip.setProcessEnvironment(environment());
        xclip.start(QStringLiteral("xclip"),
                    {QStringLiteral("-o"), QStringLiteral("-selection"),
                     QStringLiteral("clipboard"), QStringLiteral("-t"), target});
        xclip.waitForFinished(5000);
        return QString::fromUtf8(xclip.readAllStandardOutput());
    }

private:
    QProcess m_server;
    QString m_name;
};

bool haveTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty();
}
} // namespace

TEST(CliClip, CopiesWithTheHintThenClearsAfterTheTimeout)
{
    if (!haveTools())
        GTEST_SKIP() << "Xvfb and xclip are needed for a clipboard";
    CliVault vault;
    const qint16 id =
        vault.add(QStringLiteral("Bank"), QStringLiteral("joe"), QStringLiteral("secret1"));
    VirtualDisplay display;
    ASSERT_FALSE(display.name().isEmpty());

    QProcess clip;
    clip.setProcessEnvironment(display.environment());
    clip.start(CliVault::program(),
               {QStringLiteral("--masters-stdin"), QStringLiteral("clip"), QString::number(id),
                QStringLiteral("--timeout"), QStringLiteral("2")});
    clip.write(QByteArray(CliVault::kMaster1) + '\n' + CliVault::kMaster2 + '\n');
    clip.closeWriteChannel();
    QByteArray said;
    for (int i = 0; i < 100 && !said.contains('\n'); ++i) {
        clip.waitForReadyRead(100);
        said += clip.readAllStandardError();
    }
    EXPECT_EQ(said, QByteArray("Password copied; clears in 2 s\n"));
    EXPECT_EQ(display.clipboard(), QStringLiteral("secret1"));
    EXPECT_TRUE(display.clipboard(QStringLiteral("TARGETS"))
                    .contains(QStringLiteral("x-kde-passwordManagerHint")));
    ASSERT_TRUE(clip.waitForFinished(10000));
    EXPECT_EQ(clip.exitCode(), 0);
    EXPECT_EQ(display.clipboard(), QString());
}

TEST(CliClip, TimeoutZeroLeavesTheLoginOnTheClipboard)
{
    if (!haveTools())
        GTEST_SKIP() << "Xvfb and xclip are needed for a clipboard";
    CliVault vault;
    const qint16 id =
        vault.add(QStringLiteral("Bank"), QStringLiteral("joe"), QStringLiteral("secret1"));
    VirtualDisplay display;
    ASSERT_FALSE(display.name().isEmpty());

    QProcess clip;
    clip.setProcessEnvironment(display.environment());
    clip.start(CliVault::program(),
               {QStringLiteral("--masters-stdin"), QStringLiteral("clip"), QString::number(id),
                QStringLiteral("--login"), QStringLiteral("--timeout=0")});
    clip.write(QByteArray(CliVault::kMaster1) + '\n' + CliVault::kMaster2 + '\n');
    clip.closeWriteChannel();
    // The command itself ends at once; the text stays after it.
    ASSERT_TRUE(clip.waitForFinished(10000));
    EXPECT_EQ(clip.exitCode(), 0);
    EXPECT_EQ(clip.readAllStandardError(), QByteArray("Login copied\n"));
    EXPECT_EQ(display.clipboard(), QStringLiteral("joe"));
}

TEST(CliClip, WithoutADisplayTheCommandSaysSo)
{
    CliVault vault;
    const CliRun run = vault.withMasters({QStringLiteral("clip"), QStringLiteral("1000")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("DISPLAY"))) << run.err.toStdString();
}
