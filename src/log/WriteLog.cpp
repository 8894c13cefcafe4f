#include "log/WriteLog.h"

#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QFile>

#include <syslog.h>

namespace {
void toSystemLog(const QString &text)
{
    openlog("Pellora", LOG_PID, LOG_USER);
    syslog(LOG_INFO, "%s", text.toUtf8().constData());
    closelog();
}

void toFile(const QString &path, const LogRecord &record)
{
    QFile f(path);
    const bool created = !f.exists();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    if (created)
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const QDateTime when = record.When.isValid() ? record.When : QDateTime::currentDateTime();
    const QString line = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('\t') +
                         record.Text + QLatin1Char('\n');
    f.write(line.toUtf8());
}
} // namespace

void WriteLog(Ui &ui, const LogTarget &target, LogRecord &record)
{
    BusyPointer busy(ui);
    try {
        record.Text = LogRecord::fit(record.Text);
        if (target.useSystemLog)
            toSystemLog(record.Text);
        else
            toFile(target.logFile, record);
    } catch (const VbError &e) {
        ui.message(QStringLiteral("An error has occurred in WriteLog ") + e.text());
    }
}
