#pragma once

#include <QByteArray>
#include <QString>

// Where a command's secrets come from: the master passwords first, then whatever further
// secrets the command needs, in a fixed order. With standard input each secret is one line: it
// ends at LF, a CR right before the LF is dropped, and nothing else is trimmed. Otherwise each
// is typed on the terminal without echo after its prompt.
class SecretSource
{
public:
    explicit SecretSource(bool fromStandardInput);

    // The next secret; label names it in the prompt ("Master password 1"). Raises
    // SecretUnavailable when standard input has no line left for it or there is no terminal.
    QString next(const QString &label);

private:
    bool nextStandardInputLine(QByteArray &line);

    bool m_fromStandardInput;
    QByteArray m_pending;
    bool m_inputEnded = false;
};

// Why a secret could not be had, in the user's words.
struct SecretUnavailable
{
    QString message;
};
