#pragma once

#include "platform/Ui.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// What the benchmark programs share: a Ui that never waits for a person, a private scratch
// folder, and full stores.
namespace Bench {

// A message means the timed work failed, so by default it stops the benchmark.
class SilentUi : public Ui
{
public:
    explicit SilentUi(bool messageIsFailure = true)
        : m_messageIsFailure(messageIsFailure)
    {}
    void message(const QString &text, const QString &) override;
    bool ask(const QString &, const QString &) override { return false; }
    QString prompt(const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &,
                         const QString &) override
    {
        return {};
    }
    void pushBusy() override {}
    void popBusy() override {}
    int messages() const { return m_messages; }

private:
    bool m_messageIsFailure;
    int m_messages = 0;
};

// A temporary home: HOME and the XDG folders point into it, and so do the cipher's key pairs.
struct Scratch
{
    QTemporaryDir dir;
    Scratch();
    QString file(const char *name) const { return dir.filePath(QLatin1String(name)); }
};

// count records numbered from 1, sorted descriptions shuffled, every deleteEvery-th deleted
// (0 for none); passwords encoded under entryKey.
QByteArray Store(int count, const QByteArray &entryKey, int deleteEvery = 0);

void WriteFile(const QString &path, const QByteArray &bytes);

} // namespace Bench
