#include "log/WriteLog.h"

#include "app/VaultLock.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"
#include "platform/Ui.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <sys/socket.h>
#include <sys/un.h>
#include <syslog.h>
#include <unistd.h>

namespace {
// A file name may hold a line break; written raw it would start a forged second event.
QString escapeControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}

// syslog(3) drops events without a word when nothing listens, so the socket is tried first.
bool systemLogAvailable()
{
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const char path[] = "/dev/log";
    std::copy(std::begin(path), std::end(path), address.sun_path);
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

void toSystemLog(const QString &text)
{
    openlog("Pellora", LOG_PID, LOG_USER);
    syslog(LOG_INFO, "%s", text.toUtf8().constData());
    closelog();
}

// A log file that cannot be written loses the event without a message, as it always has.
void toFile(const QString &path, const LogRecord &record)
{
    try {
        WriteGuard guard(QFileInfo(path).absolutePath());
        QFile f(path);
        const bool created = !f.exists();
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        if (created)
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        const QDateTime when = record.When.isValid() ? record.When : QDateTime::currentDateTime();
        const QByteArray line = (when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                                 QLatin1Char('\t') + record.Text + QLatin1Char('\n'))
                                    .toUtf8();
        if (f.write(line) == line.size())
            DurableFile::syncData(f);
    } catch (const ClassicError &) {
    }
}
} // namespace

void WriteLog(Ui &ui, const LogTarget &target, LogRecord &record)
{
    BusyPointer busy(ui);
    try {
        record.Text = LogRecord::fit(escapeControls(record.Text));
        if (target.useSystemLog && systemLogAvailable())
            toSystemLog(record.Text);
        else
            toFile(target.logFile, record);
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred in WriteLog ") + e.text());
    }
}
