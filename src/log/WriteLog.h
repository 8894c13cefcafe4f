#pragma once

#include "log/LogRecord.h"

#include <QString>

class Ui;

// Where events go: the log file, or the system log (syslog, ident "Pellora") when useSystemLog.
struct LogTarget
{
    QString logFile;
    bool useSystemLog = false;
};

// Writes one information event with the record's 45-character text (control characters
// escaped, so no text starts a line of its own); with the system log chosen but not listening,
// the event goes to the file. A file that cannot be
// written loses the event silently; any other failure is reported and the caller goes on.
void WriteLog(Ui &ui, const LogTarget &target, LogRecord &record);
