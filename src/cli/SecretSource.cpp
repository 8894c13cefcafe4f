#include "cli/SecretSource.h"

#include "cli/TerminalPrompt.h"

#include <cerrno>
#include <unistd.h>

SecretSource::SecretSource(bool fromStandardInput)
    : m_fromStandardInput(fromStandardInput)
{}

QString SecretSource::next(const QString &label)
{
    if (!m_fromStandardInput) {
        const auto typed = ReadHiddenLine(label + QStringLiteral(": "));
        if (!typed)
            throw SecretUnavailable{
                QStringLiteral("\"%1\" could not be read from the terminal; without one, give "
                               "the secrets on standard input with --masters-stdin.")
                    .arg(label)};
        return QString::fromUtf8(*typed);
    }
    QByteArray line;
    if (!nextStandardInputLine(line))
        throw SecretUnavailable{
            QStringLiteral("Standard input ended before the line for \"%1\".").arg(label)};
    return QString::fromUtf8(line);
}

// Reads only as far as needed; what follows the line waits for the next secret.
bool SecretSource::nextStandardInputLine(QByteArray &line)
{
    for (;;) {
        const qsizetype end = m_pending.indexOf('\n');
        if (end >= 0) {
            line = m_pending.left(end);
            m_pending.remove(0, end + 1);
            if (line.endsWith('\r'))
                line.chop(1);
            return true;
        }
        if (m_inputEnded) {
            if (m_pending.isEmpty())
                return false;
            line = std::exchange(m_pending, {});
            return true;
        }
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            m_inputEnded = true;
        else
            m_pending.append(buffer, n);
    }
}
