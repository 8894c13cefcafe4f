#include "app/AppState.h"
#include "cli/ArgumentValues.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/EntryLookup.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "crypto/Cipher.h"
#include "entries/PasswordField.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int kDefaultTimeout = 10;
constexpr char kHelperName[] = "pellora-clipboard";

struct ClipRequest
{
    qint16 id = 0;
    bool login = false;
    int timeout = kDefaultTimeout;
};

// The entry's password as ClipPassword takes it: the field deciphered, its two leading digits
// the length. Raises 13 when they are no number.
QString passwordOf(CommandContext &c, const LoginRecord &record)
{
    const QByteArray plain = Cipher::crypt(record.Password, c.state.entryKey());
    const auto length = PasswordLengthPrefix(plain);
    if (!length)
        raiseError(ErrorNumber::TypeMismatch);
    return Ansi::toText(plain.mid(2, *length));
}

// Beside this program in a build tree; in <prefix>/libexec/pellora once installed.
QString helperPath()
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QLatin1Char('/') + QLatin1String(kHelperName);
    if (QFileInfo(beside).isExecutable())
        return beside;
    return folder + QStringLiteral("/../") + QLatin1String(PELLORA_LIBEXEC_SUBDIR) +
           QLatin1Char('/') + QLatin1String(kHelperName);
}

void writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += n;
    }
}

// Starts the helper with the text on its standard input. One that is to outlive this command
// gets a session of its own and no way to write to this command's output. -1 when it did not
// take the clipboard; otherwise its pid.
pid_t startHelper(const QString &text, int seconds)
{
    const QByteArray program = QFile::encodeName(helperPath());
    const QByteArray secondsText = QByteArray::number(seconds);
    int input[2];
    int ready[2];
    if (::pipe2(input, O_CLOEXEC) != 0)
        return -1;
    if (::pipe2(ready, O_CLOEXEC) != 0) {
        ::close(input[0]);
        ::close(input[1]);
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(input[0], STDIN_FILENO);
        ::dup2(ready[1], STDOUT_FILENO);
        if (seconds == 0) {
            ::setsid();
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDERR_FILENO);
        }
        ::execl(program.constData(), kHelperName, secondsText.constData(), nullptr);
        ::_exit(127);
    }
    ::close(input[0]);
    ::close(ready[1]);
    if (child > 0)
        writeAll(input[1], text.toUtf8());
    ::close(input[1]);
    char line[8] = {};
    const bool copied = child > 0 && ::read(ready[0], line, sizeof line) > 0;
    ::close(ready[0]);
    if (child > 0 && !copied)
        ::waitpid(child, nullptr, 0);
    return copied ? child : -1;
}

int clip(CommandContext &c, const ClipRequest &request)
{
    const auto record = FindLiveEntry(c, request.id);
    if (!record)
        return ExitCode::Failed;
    QString text;
    try {
        text = request.login ? Ansi::toText(TrimSpaces(record->Login)) : passwordOf(c, *record);
    } catch (const ClassicError &e) {
        c.ui.message(QStringLiteral("An error has occurred in ClipPassword ") + e.text() +
                     QStringLiteral("\r\nLinenum = 4"));
        return ExitCode::Failed;
    }
    const pid_t helper = startHelper(text, request.timeout);
    if (helper < 0) {
        c.ui.message(QStringLiteral("The clipboard could not be reached."));
        return ExitCode::Failed;
    }
    const QString what = request.login ? QStringLiteral("Login") : QStringLiteral("Password");
    if (request.timeout == 0) {
        Output::err(what + QStringLiteral(" copied\n"));
        return ExitCode::Done;
    }
    Output::err(what + QStringLiteral(" copied; clears in %1 s\n").arg(request.timeout));
    int status = 0;
    while (::waitpid(helper, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ExitCode::Done : ExitCode::Failed;
}
} // namespace

CommandBody PrepareClip(const Invocation &inv)
{
    const ClipRequest request{ArgumentValues::entryId(inv, inv.arguments.constFirst()),
                              inv.has("login"),
                              ArgumentValues::seconds(inv, "timeout", kDefaultTimeout)};
    return [request](CommandContext &c) { return clip(c, request); };
}
