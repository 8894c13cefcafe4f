#include "TempHome.h"
#include "ui/CommandLine.h"
#include "ui/SingleInstance.h"

#include <QTest>
#include <future>

// A second start reaches the running copy through its socket; the command line's two questions
// are answered without a window.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aSecondStartAsksTheRunningCopyToShowItself()
    {
        TempHome home;
        const QString socket = InstanceSocketPath(home.dataFolder());
        WriteFile(socket, "left by a crash");
        int shown = 0;
        InstanceServer server(socket, [&shown] { ++shown; });
        QVERIFY(server.isListening());
        auto asked =
            std::async(std::launch::async, [socket] { return ShowRunningInstance(socket); });
        while (asked.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        QVERIFY(asked.get());
        QCOMPARE(shown, 1);
        QVERIFY(!ShowRunningInstance(home.file(QStringLiteral("nobody.socket"))));
    }

    void versionAndHelpAreAnsweredAndAnythingElseStartsTheProgram()
    {
        const QString program = QStringLiteral("pellora");
        QCOMPARE(CommandLineAnswer({program, QStringLiteral("--version")}),
                 std::optional<QString>(QStringLiteral("pellora " PELLORA_VERSION "\n")));
        for (const char *help : {"--help", "-h"}) {
            const auto usage = CommandLineAnswer({program, QString::fromLatin1(help)});
            QVERIFY(usage && usage->startsWith(QStringLiteral("Usage: pellora")));
        }
        QCOMPARE(CommandLineAnswer({program}), std::nullopt);
        QCOMPARE(CommandLineAnswer({program, QStringLiteral("-platform"), QStringLiteral("xcb")}),
                 std::nullopt);
    }
};

QTEST_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
