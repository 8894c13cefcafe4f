#include "filevault/DropFiles.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "app/VaultLock.h"
#include "entries/EntryStore.h"
#include "entries/PasswordField.h"
#include "filevault/InPlaceCipher.h"
#include "filevault/OwnFiles.h"
#include "filevault/RunProgress.h"
#include "filevault/VaultDataFolder.h"
#include "filevault/VaultMessages.h"
#include "filevault/VaultRecovery.h"
#include "log/LogEvents.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

#include <QFileInfo>
#include <new>

namespace {
const QString kNoEntryKey = QStringLiteral(
    "The password of the selected entry cannot be read, so no file has been changed.");

// The selected entry's password in clear; nothing when the entry is gone or its field was not
// written under the entry key.
std::optional<QByteArray> EntryPassword(Ui &ui, const AppState &state, qint16 loginId)
{
    const LoginRecord record = EntryStore(state.LoginFile, ui).load(loginId);
    if (record.isZero() || record.LoginID != loginId)
        return std::nullopt;
    return DecodePasswordField(record.Password, state.entryKey());
}

QString FileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

class DropPass
{
public:
    DropPass(Ui &ui, const AppState &state, DropView &view, bool decrypt,
             std::optional<qint16> loginId)
        : m_ui(ui)
        , m_state(state)
        , m_view(view)
        , m_decrypt(decrypt)
        , m_loginId(loginId)
    {}

    void walk(const QStringList &paths)
    {
        qint64 total = 0;
        for (const QString &path : paths)
            total += QFileInfo(path).size();
        m_view.open();
        m_view.setStatus(QStringLiteral("Total Bytes for processing: ") + QString::number(total));
        RunProgress progress(total);
        m_view.setProgress(progress.value());
        for (const QString &path : paths) {
            const qint64 size = QFileInfo(path).size();
            if (!processOne(path, progress))
                return;
            if (progress.finishFile(size))
                m_view.setProgress(progress.value());
        }
    }

private:
    // False when the drop ends here.
    bool processOne(const QString &path, RunProgress &progress)
    {
        InPlaceCipher file(path);
        const InPlaceCipher::Access access = file.open();
        if (access == InPlaceCipher::Access::Unreadable) {
            m_ui.message(VaultReadingFailed(path));
            return true;
        }
        m_view.setStatus(QStringLiteral("Processing... ") + path);
        if (!m_loginId)
            return false;
        if (!m_key) {
            m_key = EntryPassword(m_ui, m_state, *m_loginId);
            if (!m_key) {
                m_ui.message(kNoEntryKey);
                return false;
            }
        }
        if (access == InPlaceCipher::Access::Unwritable) {
            m_ui.message(VaultWritingFailed(path));
            return true;
        }
        const CipherOutcome outcome = file.run(
            *m_key, !m_decrypt, {VaultDataFolder(m_state), m_state.entryKey()}, [&](qint64 done) {
                if (progress.reach(done))
                    m_view.setProgress(progress.value());
            });
        if (outcome != CipherOutcome::Done) {
            m_ui.message(VaultFailureMessage(path, outcome, file.failure(), !m_decrypt, false));
            return true;
        }
        if (m_state.LogFileEncryption) {
            const QString user = GetLoginUserName();
            const QDateTime now = Clock::now();
            const QString name = FileNameOf(path);
            LogRecord event = m_decrypt
                                  ? LogEvents::DroppedFileDecrypted(*m_loginId, name, user, now)
                                  : LogEvents::DroppedFileEncrypted(*m_loginId, name, user, now);
            WriteLog(m_ui, m_state.logTarget(), event);
        }
        return true;
    }

    Ui &m_ui;
    const AppState &m_state;
    DropView &m_view;
    const bool m_decrypt;
    const std::optional<qint16> m_loginId;
    // Fetched once, at the first file read, and kept for the whole drop.
    std::optional<QByteArray> m_key;
};
} // namespace

bool DropDeciphers(Qt::KeyboardModifiers held)
{
    return held.testAnyFlags(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

void DropFiles(Ui &ui, const AppState &state, DropView &view, const QStringList &paths,
               bool decrypt, std::optional<qint16> selectedLoginId)
{
    if (paths.isEmpty())
        return;
    if (const QStringList own = OwnFiles(state).among(paths); !own.isEmpty()) {
        ui.message(OwnFilesRefusal(own));
        return;
    }
    BusyPointer busy(ui);
    try {
        const QString dataFolder = VaultDataFolder(state);
        WriteGuard guard(dataFolder);
        RecoverVaultRuns(ui, dataFolder, state.entryKey());
        DropPass(ui, state, view, decrypt, selectedLoginId).walk(paths);
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error occurred ") + e.text());
    } catch (const std::bad_alloc &) {
        ui.message(QStringLiteral("An error occurred ") +
                   ClassicError::of(ErrorNumber::OutOfMemory).text());
    }
    view.setProgress(0);
    view.setStatus(QStringLiteral("Processing Complete"));
    view.close();
}
