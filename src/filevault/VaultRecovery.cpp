#include "filevault/VaultRecovery.h"

#include "app/VaultLock.h"
#include "crypto/Rc4Key.h"
#include "filevault/ChunkPass.h"
#include "filevault/FileKey.h"
#include "filevault/VaultJournal.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"
#include "platform/FileDescriptor.h"
#include "platform/Ui.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kFinished = QStringLiteral(
    "An earlier run of the file vault was interrupted. Pellora has finished its work, so these "
    "files are now as that run would have left them:");
const QString kUnfinished = QStringLiteral(
    "An earlier run of the file vault was interrupted, and Pellora cannot finish these files yet. "
    "It tries again before the next run and at its next start:");

struct Outcome
{
    QStringList finished;
    QStringList unfinished;
};

QString fileOf(const VaultJournal &journal)
{
    return QFile::decodeName(journal.subject().path);
}

// Finishes one journaled file; raises a failure with the reason in the user's words.
void finish(VaultJournal &journal, const VaultJournal::Record &last, const QByteArray &entryKey)
{
    const VaultJournal::Subject &subject = journal.subject();
    const std::optional<FileKey> key = UnsealFileKey(subject.key, entryKey);
    if (!key)
        raiseError(ErrorNumber::PermissionDenied,
                   QStringLiteral("it was begun under other master passwords"));
    const FileDescriptor fd(::open(subject.path.constData(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0)
        DurableFile::raiseErrno(errno);
    struct stat st
    {
    };
    if (::fstat(fd.get(), &st) != 0 || quint64(st.st_dev) != subject.device ||
        quint64(st.st_ino) != subject.inode || st.st_size != subject.size)
        raiseError(ErrorNumber::FileNotFound,
                   QStringLiteral("it has been moved or replaced since; put it back to have it "
                                  "finished"));
    OverwriteAt(fd.get(), last.bytes.constData(), last.bytes.size(), last.offset);
    const qint64 from = last.offset + last.bytes.size();
    Rc4Stream stream(key->data(), key->size());
    SkipKeystream(stream, from);
    ChunkPass pass(fd.get(), subject.size, journal, stream);
    if (pass.run(from, last.sequence + 1, {}) != ChunkPass::Outcome::Done)
        throw pass.failure();
    journal.remove();
}

void recoverOne(const QString &path, const QByteArray &entryKey, Outcome &outcome)
{
    QString file = path;
    try {
        std::optional<VaultJournal> journal = VaultJournal::open(path);
        if (!journal) {
            // Cut short while it was being made: its file was never touched.
            DurableFile::remove(path);
            return;
        }
        file = fileOf(*journal);
        const std::optional<VaultJournal::Record> last = journal->lastRecord();
        if (!last) {
            journal->remove();
            return;
        }
        finish(*journal, *last, entryKey);
        outcome.finished << file + (journal->subject().encrypt ? QStringLiteral(" (encrypted)")
                                                               : QStringLiteral(" (decrypted)"));
    } catch (const ClassicError &e) {
        outcome.unfinished << file + QStringLiteral(": ") + e.description;
    }
}
} // namespace

void RecoverVaultRuns(Ui &ui, const QString &dataFolder, const QByteArray &entryKey)
{
    const QStringList journals = VaultJournal::findIn(dataFolder);
    if (journals.isEmpty())
        return;
    Outcome outcome;
    try {
        WriteGuard guard(dataFolder);
        BusyPointer busy(ui);
        for (const QString &path : journals)
            recoverOne(path, entryKey, outcome);
    } catch (const ClassicError &e) {
        outcome.unfinished << dataFolder + QStringLiteral(": ") + e.description;
    }
    QStringList parts;
    if (!outcome.finished.isEmpty())
        parts << kFinished + QLatin1Char('\n') + outcome.finished.join(QLatin1Char('\n'));
    if (!outcome.unfinished.isEmpty())
        parts << kUnfinished + QLatin1Char('\n') + outcome.unfinished.join(QLatin1Char('\n'));
    if (!parts.isEmpty())
        ui.message(parts.join(QStringLiteral("\n\n")));
}
