#include "log/WriteLog.h"
#include "FakeUi.h"
#include "FixedTime.h"
#include "TempHome.h"
#include "log/LogEvents.h"

#include <gtest/gtest.h>

// Texts are 45 characters with the name run into the date.
TEST(WriteLogFile, AppendsOnePrivateFortyFiveCharacterLinePerEvent)
{
    FixedTime time;
    const QDateTime now = FixedTime::Now;
    const std::pair<LogRecord, QString> rows[] = {
        {LogEvents::SuccessfulStartup("user1", now),
         "Successful Startup, user13/1/2024 10:00:00 AM"},
        {LogEvents::MasterLoginFailure("bo", now), "Master Login Failure bo3/1/2024 10:00:00 AM  "},
        {LogEvents::Added("  alice   ", "u", now), "Added alice, u3/1/2024 10:00:00 AM"},
        {LogEvents::ExportedTo("/tmp/x.pqx", "u", now),
         "Exported To: /tmp/x.pqx ,u3/1/2024 10:00:00 AM"},
        {LogEvents::DroppedFileDecrypted(1002, "a.txt", "u", now),
         "Decrypted: 1002 a.txt, u3/1/2024 10:00:00 AM"},
        {LogEvents::MasterPasswordChange("u", now),
         "Successful Master Password Change, u3/1/2024 10"}};
    for (const auto &[event, text] : rows)
        EXPECT_EQ(event.Text, text.leftJustified(45, ' ', true));
    // A line break must not forge an event; without a system log listening, the file takes it.
    TempHome home;
    FakeUi ui;
    const QString logFile = home.dataFolder() + QStringLiteral("Pellora.log");
    const auto write = [&](const char *text, const QString &file, bool system = false) {
        LogRecord r = LogRecord::make(QString::fromUtf8(text), FixedTime::Now);
        WriteLog(ui, {file, system}, r);
    };
    write("first", logFile);
    write("Encrypted: x\n2024-01-01 00:00:00\tforged", logFile);
    write("lost", home.path() + QStringLiteral("/no/such/folder/Pellora.log"));
    const bool systemLog = QFileInfo::exists(QStringLiteral("/dev/log"));
    if (!systemLog)
        write("to\tsyslog", logFile, true);
    EXPECT_EQ(ReadFile(logFile),
              "2024-03-01 10:00:00\t" + LogRecord::fit("first").toUtf8() +
                  "\n2024-03-01 10:00:00\tEncrypted: x\\n2024-01-01 "
                  "00:00:00\\tforged    \n" +
                  (systemLog
                       ? QByteArray()
                       : "2024-03-01 10:00:00\t" + LogRecord::fit("to\\tsyslog").toUtf8() + '\n'));
    EXPECT_EQ(FileMode(logFile), 0600);
    EXPECT_TRUE(ui.shown.isEmpty() && ui.busyDepth == 0);
}
