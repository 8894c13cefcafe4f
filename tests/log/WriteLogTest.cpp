#include "log/WriteLog.h"
#include "FakeUi.h"
#include "FixedTime.h"
#include "TempHome.h"
#include "log/LogEvents.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(LogRecordText, IsFortyFiveCharactersWithTheNameRunIntoTheDate)
{
    EXPECT_EQ(LogRecord::fit(QString(46, 'a')), QString(45, 'a'));
    EXPECT_EQ(LogRecord::fit(QString(20, 'a')), QString(20, 'a') + QString(25, ' '));
    FixedTime time;
    const std::pair<LogRecord, QString> rows[] = {
        {LogEvents::SuccessfulStartup("user1", FixedTime::Now),
         "Successful Startup, user13/1/2024 10:00:00 AM"},
        {LogEvents::MasterLoginFailure("bo", FixedTime::Now),
         "Master Login Failure bo3/1/2024 10:00:00 AM  "},
        {LogEvents::Added("  alice   ", "u", FixedTime::Now), "Added alice, u3/1/2024 10:00:00 AM"},
        {LogEvents::ExportedTo("/tmp/x.pqx", "u", FixedTime::Now),
         "Exported To: /tmp/x.pqx ,u3/1/2024 10:00:00 AM"},
        {LogEvents::DroppedFileDecrypted(1002, "a.txt", "u", FixedTime::Now),
         "Decrypted: 1002 a.txt, u3/1/2024 10:00:00 AM"},
        {LogEvents::MasterPasswordChange("u", FixedTime::Now),
         "Successful Master Password Change, u3/1/2024 10"}};
    for (const auto &[event, text] : rows)
        EXPECT_EQ(event.Text, LogRecord::fit(text));
}

// One private line per event: a file name with a line break must not forge an event of its own,
// and a log that cannot be written loses the event silently.
TEST(WriteLogFile, AppendsOnePrivateLinePerEvent)
{
    TempHome home;
    FakeUi ui;
    const QString logFile = home.dataFolder() + QStringLiteral("Pellora.log");
    LogRecord a = LogRecord::make(QStringLiteral("first"), FixedTime::Now);
    LogRecord b = LogRecord::make(QStringLiteral("Encrypted: x\n2024-01-01 00:00:00\tforged"),
                                  FixedTime::Now);
    WriteLog(ui, {logFile, false}, a);
    WriteLog(ui, {logFile, false}, b);
    LogRecord lost = LogRecord::make(QStringLiteral("lost"), FixedTime::Now);
    WriteLog(ui, {home.path() + QStringLiteral("/no/such/folder/Pellora.log"), false}, lost);
    EXPECT_EQ(ReadFile(logFile), "2024-03-01 10:00:00\t" + LogRecord::fit("first").toUtf8() +
                                     "\n2024-03-01 10:00:00\tEncrypted: x\\n2024-01-01 "
                                     "00:00:00\\tforged    \n");
    EXPECT_EQ(FileMode(logFile), 0600);
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST(WriteLogFile, SystemLogWithoutAListenerFallsBackToTheFile)
{
    if (QFileInfo::exists(QStringLiteral("/dev/log")))
        GTEST_SKIP() << "a system log may be listening";
    TempHome home;
    FakeUi ui;
    const QString logFile = home.dataFolder() + QStringLiteral("Pellora.log");
    LogRecord r = LogRecord::make(QStringLiteral("to\tsyslog"), FixedTime::Now);
    WriteLog(ui, {logFile, true}, r);
    EXPECT_EQ(ReadFile(logFile),
              "2024-03-01 10:00:00\t" + LogRecord::fit("to\\tsyslog").toUtf8() + '\n');
    EXPECT_TRUE(ui.shown.isEmpty());
}
