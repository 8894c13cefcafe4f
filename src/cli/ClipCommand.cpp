#include "app/AppState.h"
#include "cli/ArgumentValues.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/EntryLookup.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "crypto/cPQCrypt.h"
#include "entries/PasswordField.h"
#include "platform/Ansi.h"
#include "platform/VbError.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kDefaultTimeout = 10;

struct ClipRequest
{
    qint16 id = 0;
    bool login = false;
    int timeout = kDefaultTimeout;
};

std::atomic<bool> g_interrupted{false};

extern "C" void noteInterrupt(int)
{
    g_interrupted = true;
}

// The entry's password as ClipPassword takes it: the field deciphered, its two leading digits
// the length. Raises 13 when they are no number.
QString passwordOf(CommandContext &c, const LoginRecord &record)
{
    const QByteArray plain = Crypt().DeCrypt(record.Password, c.state.entryKey());
    const auto length = PasswordLengthPrefix(plain);
    if (!length)
        raiseError(VbErr::TypeMismatch);
    return Ansi::toText(plain.mid(2, *length));
}

// The clipboard belongs to a process: it is served only while that process runs.
class ClipboardOwner
{
public:
    ClipboardOwner()
        : m_app(m_argc, m_argv)
    {}

    void put(const QString &text)
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        auto *data = new QMimeData;
        data->setText(text);
        // Clipboard managers that honour this hint keep the password out of their history.
        data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
        clipboard->setMimeData(data);
        m_text = text;
    }

    // Serves the clipboard until the timeout or an interrupt, then clears it unless something
    // else was copied meanwhile.
    void serveThenClear(int seconds)
    {
        for (const int signo : {SIGINT, SIGTERM, SIGHUP})
            std::signal(signo, noteInterrupt);
        QTimer::singleShot(seconds * 1000, &m_app, &QCoreApplication::quit);
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &m_app, [] {
            if (g_interrupted)
                QCoreApplication::quit();
        });
        watch.start(100);
        QCoreApplication::exec();
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (clipboard->text() == m_text)
            clipboard->clear();
    }

    // Serves the clipboard until another program takes it over.
    void serveUntilReplaced()
    {
        QObject::connect(
            QGuiApplication::clipboard(), &QClipboard::changed, &m_app, [](QClipboard::Mode mode) {
                if (mode == QClipboard::Clipboard && !QGuiApplication::clipboard()->ownsClipboard())
                    QCoreApplication::quit();
            });
        QCoreApplication::exec();
    }

private:
    int m_argc = 1;
    char m_name[12] = "pellora-cli";
    char *m_argv[2] = {m_name, nullptr};
    QGuiApplication m_app;
    QString m_text;
};

// Leaves the text on the clipboard after the command ends: a detached child serves it, and the
// command returns once the child owns the clipboard.
bool leaveOnClipboard(const QString &text)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        ::close(ready[0]);
        ::setsid();
        const int null = ::open("/dev/null", O_RDWR);
        for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
            ::dup2(null, fd);
        ClipboardOwner owner;
        owner.put(text);
        const char done = 1;
        (void)!::write(ready[1], &done, 1);
        ::close(ready[1]);
        owner.serveUntilReplaced();
        ::_exit(0);
    }
    ::close(ready[1]);
    char done = 0;
    const bool served = ::read(ready[0], &done, 1) == 1;
    ::close(ready[0]);
    return served;
}

int clip(CommandContext &c, const ClipRequest &request)
{
    const auto record = FindLiveEntry(c, request.id);
    if (!record)
        return ExitCode::Failed;
    QString text;
    try {
        text = request.login ? Ansi::toText(TrimSpaces(record->Login)) : passwordOf(c, *record);
    } catch (const VbError &e) {
        c.ui.message(QStringLiteral("An error has occurred in ClipPassword ") + e.text() +
                     QStringLiteral("\r\nLinenum = 4"));
        return ExitCode::Failed;
    }
    const QString what = request.login ? QStringLiteral("Login") : QStringLiteral("Password");
    if (request.timeout == 0) {
        if (!leaveOnClipboard(text)) {
            c.ui.message(QStringLiteral("The clipboard could not be reached."));
            return ExitCode::Failed;
        }
        Output::err(what + QStringLiteral(" copied\n"));
        return ExitCode::Done;
    }
    ClipboardOwner owner;
    owner.put(text);
    Output::err(what + QStringLiteral(" copied; clears in %1 s\n").arg(request.timeout));
    owner.serveThenClear(request.timeout);
    return ExitCode::Done;
}
} // namespace

CommandBody PrepareClip(const Invocation &inv)
{
    const ClipRequest request{ArgumentValues::entryId(inv, inv.arguments.constFirst()),
                              inv.has("login"),
                              ArgumentValues::seconds(inv, "timeout", kDefaultTimeout)};
    return [request](CommandContext &c) { return clip(c, request); };
}
