#include "cli/TerminalPrompt.h"

#include <csignal>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
// What a signal handler needs to give the terminal its echo back.
int g_ttyFd = -1;
termios g_saved{};

const int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

extern "C" void restoreAndReraise(int signo)
{
    if (g_ttyFd >= 0)
        ::tcsetattr(g_ttyFd, TCSANOW, &g_saved);
    ::signal(signo, SIG_DFL);
    ::raise(signo);
}

class HiddenInput
{
public:
    explicit HiddenInput(int fd)
        : m_fd(fd)
    {
        if (::tcgetattr(fd, &g_saved) != 0)
            return;
        g_ttyFd = fd;
        struct sigaction action = {};
        action.sa_handler = restoreAndReraise;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &action, &m_previous[i]);
        termios quiet = g_saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSANOW, &quiet);
        m_active = true;
    }
    ~HiddenInput()
    {
        if (!m_active)
            return;
        ::tcsetattr(m_fd, TCSANOW, &g_saved);
        g_ttyFd = -1;
        for (size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    HiddenInput(const HiddenInput &) = delete;
    HiddenInput &operator=(const HiddenInput &) = delete;

private:
    int m_fd;
    bool m_active = false;
    struct sigaction m_previous[std::size(kSignals)] = {};
};

void writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}
} // namespace

std::optional<QByteArray> ReadHiddenLine(const QString &prompt)
{
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray line;
    bool ended = false;
    {
        HiddenInput hidden(fd);
        writeAll(fd, prompt.toUtf8());
        char c = 0;
        for (;;) {
            const ssize_t n = ::read(fd, &c, 1);
            if (n <= 0) {
                ended = line.isEmpty();
                break;
            }
            if (c == '\n')
                break;
            line.append(c);
        }
    }
    ::close(fd);
    if (ended)
        return std::nullopt;
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}
