#pragma once

#include "log/LogRecord.h"

#include <QDateTime>
#include <QString>

// The text of every activity event, so no caller assembles one by hand. Each takes the logon
// name and the moment, and returns the record fitted to 45 characters.
namespace LogEvents {
LogRecord SuccessfulStartup(const QString &user, const QDateTime &now);
LogRecord MasterLoginFailure(const QString &user, const QDateTime &now);
LogRecord MasterPasswordChange(const QString &user, const QDateTime &now);
LogRecord Added(const QString &login, const QString &user, const QDateTime &now);
LogRecord Updated(const QString &login, const QString &user, const QDateTime &now);
LogRecord Deleted(const QString &login, const QString &user, const QDateTime &now);
LogRecord ExportedTo(const QString &path, const QString &user, const QDateTime &now);
LogRecord ExportedPlainTextTo(const QString &path, const QString &user, const QDateTime &now);
LogRecord FileEncrypted(const QString &fileName, const QString &user, const QDateTime &now);
LogRecord FileDecrypted(const QString &fileName, const QString &user, const QDateTime &now);
LogRecord DroppedFileEncrypted(qint16 loginId, const QString &fileName, const QString &user,
                               const QDateTime &now);
LogRecord DroppedFileDecrypted(qint16 loginId, const QString &fileName, const QString &user,
                               const QDateTime &now);
} // namespace LogEvents
