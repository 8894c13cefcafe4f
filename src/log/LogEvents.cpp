#include "log/LogEvents.h"

#include "platform/Convert.h"

namespace {
// The words, the name and the date run together: there is no separator before the date.
LogRecord event(const QString &words, const QString &user, const QDateTime &now)
{
    return LogRecord::make(words + user + Convert::GeneralDate(now), now);
}

QString trimmed(const QString &login)
{
    qsizetype b = 0;
    qsizetype e = login.size();
    while (b < e && login[b] == QLatin1Char(' '))
        ++b;
    while (e > b && login[e - 1] == QLatin1Char(' '))
        --e;
    return login.mid(b, e - b);
}
} // namespace

namespace LogEvents {

LogRecord SuccessfulStartup(const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Successful Startup, "), user, now);
}

LogRecord MasterLoginFailure(const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Master Login Failure "), user, now);
}

LogRecord MasterPasswordChange(const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Successful Master Password Change, "), user, now);
}

LogRecord Added(const QString &login, const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Added ") + trimmed(login) + QStringLiteral(", "), user, now);
}

LogRecord Updated(const QString &login, const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Updated ") + trimmed(login) + QStringLiteral(", "), user, now);
}

LogRecord Deleted(const QString &login, const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Deleted ") + trimmed(login) + QStringLiteral(", "), user, now);
}

LogRecord ExportedTo(const QString &path, const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Exported To: ") + path + QStringLiteral(" ,"), user, now);
}

LogRecord ExportedPlainTextTo(const QString &path, const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Exported Plain Text To: ") + path + QStringLiteral(" ,"), user,
                 now);
}

LogRecord FileEncrypted(const QString &fileName, const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Encrypted: ") + fileName + QStringLiteral(", "), user, now);
}

LogRecord FileDecrypted(const QString &fileName, const QString &user, const QDateTime &now)
{
    return event(QStringLiteral("Decrypted: ") + fileName + QStringLiteral(", "), user, now);
}

LogRecord DroppedFileEncrypted(qint16 loginId, const QString &fileName, const QString &user,
                               const QDateTime &now)
{
    return event(QStringLiteral("Encrypted: %1 ").arg(loginId) + fileName + QStringLiteral(", "),
                 user, now);
}

LogRecord DroppedFileDecrypted(qint16 loginId, const QString &fileName, const QString &user,
                               const QDateTime &now)
{
    return event(QStringLiteral("Decrypted: %1 ").arg(loginId) + fileName + QStringLiteral(", "),
                 user, now);
}

} // namespace LogEvents
