#include "log/WriteLog.h"
#include "FakeUi.h"
#include "TempHome.h"
#include "log/LogEvents.h"

#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

namespace {
const QDateTime kNow(QDate(2024, 3, 1), QTime(10, 0));
}

TEST(LogRecordText, IsCutOrPaddedToFortyFiveCharacters)
{
    EXPECT_EQ(LogRecord::fit(QString(45, QLatin1Char('a'))), QString(45, QLatin1Char('a')));
    EXPECT_EQ(LogRecord::fit(QString(46, QLatin1Char('a'))), QString(45, QLatin1Char('a')));
    EXPECT_EQ(LogRecord::fit(QString(20, QLatin1Char('a'))),
              QString(20, QLatin1Char('a')) + QString(25, QLatin1Char(' ')));
}

TEST(LogRecordText, EventTextsRunTheNameIntoTheDate)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(LogEvents::SuccessfulStartup(QStringLiteral("user1"), kNow).Text,
              QStringLiteral("Successful Startup, user13/1/2024 10:00:00 AM"));
    EXPECT_EQ(LogEvents::MasterLoginFailure(QStringLiteral("bo"), kNow).Text,
              QStringLiteral("Master Login Failure bo3/1/2024 10:00:00 AM  "));
    EXPECT_EQ(LogEvents::Added(QStringLiteral("  alice   "), QStringLiteral("u"), kNow).Text,
              LogRecord::fit(QStringLiteral("Added alice, u3/1/2024 10:00:00 AM")));
    EXPECT_EQ(LogEvents::ExportedTo(QStringLiteral("/tmp/x.pqx"), QStringLiteral("u"), kNow).Text,
              LogRecord::fit(QStringLiteral("Exported To: /tmp/x.pqx ,u3/1/2024 10:00:00 AM")));
    EXPECT_EQ(
        LogEvents::DroppedFileDecrypted(1002, QStringLiteral("a.txt"), QStringLiteral("u"), kNow)
            .Text,
        LogRecord::fit(QStringLiteral("Decrypted: 1002 a.txt, u3/1/2024 10:00:00 AM")));
    EXPECT_EQ(LogEvents::MasterPasswordChange(QStringLiteral("u"), kNow).Text,
              QStringLiteral("Successful Master Password Change, u3/1/2024 "));
    QLocale::setDefault(QLocale::c());
}

TEST(WriteLogFile, AppendsOnePrivateLinePerEvent)
{
    TempHome home;
    FakeUi ui;
    const QString logFile = home.dataFolder() + QStringLiteral("Pellora.log");
    LogRecord a = LogRecord::make(QStringLiteral("first"), kNow);
    // A file name with a line break must not forge an event of its own.
    LogRecord b =
        LogRecord::make(QStringLiteral("Encrypted: x\n2024-01-01 00:00:00\tforged"), kNow);
    WriteLog(ui, {logFile, false}, a);
    // With the system log chosen but nobody listening, events still reach the file.
    const bool systemLog = QFileInfo::exists(QStringLiteral("/dev/log"));
    WriteLog(ui, {logFile, !systemLog}, b);
    const QList<QByteArray> lines = ReadFile(logFile).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "2024-03-01 10:00:00\t" + LogRecord::fit(QStringLiteral("first")).toUtf8());
    EXPECT_EQ(lines[1], "2024-03-01 10:00:00\tEncrypted: x\\n2024-01-01 00:00:00\\tforged    ");
    EXPECT_EQ(FileMode(logFile), 0600);
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST(WriteLogFile, UnwritableLogLosesTheEventSilently)
{
    TempHome home;
    FakeUi ui;
    LogRecord r = LogRecord::make(QStringLiteral("lost"), kNow);
    WriteLog(ui, {home.path() + QStringLiteral("/no/such/folder/Pellora.log"), false}, r);
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(r.Text.size(), 45);
}
