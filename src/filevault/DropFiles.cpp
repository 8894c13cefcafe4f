#include "filevault/DropFiles.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "filevault/InPlaceCipher.h"
#include "filevault/RunProgress.h"
#include "log/LogEvents.h"
#include "platform/Clock.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QFileInfo>
#include <new>

namespace {
const QString kNoEntryKey = QStringLiteral(
    "The password of the selected entry cannot be read, so no file has been changed.");

// The selected entry's password in clear; nothing when the entry is gone or its field was not
// written under the entry key.
std::optional<QByteArray> EntryPassword(Ui &ui, const AppState &state, qint16 loginId)
{
    const LoginRecord record = LoginStore(state.LoginFile, ui).LoadItem(loginId);
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
        RunProgress progress(paths.size());
        m_view.setProgress(progress.value());
        for (const QString &path : paths) {
            if (!processOne(path, progress))
                return;
        }
    }

private:
    // False when the drop ends here.
    bool processOne(const QString &path, RunProgress &progress)
    {
        const QString readFailed =
            QStringLiteral("An error reading the file has occurred, skipping ") + path;
        InPlaceCipher file(path);
        if (!file.openSource()) {
            m_ui.message(readFailed);
            return true;
        }
        m_view.setStatus(QStringLiteral("Processing... ") + path);
        m_view.setProgress(progress.advance());
        if (!m_loginId)
            return false;
        if (!m_key) {
            m_key = EntryPassword(m_ui, m_state, *m_loginId);
            if (!m_key) {
                m_ui.message(kNoEntryKey);
                return false;
            }
        }
        const CipherOutcome outcome = file.run(*m_key);
        if (outcome == CipherOutcome::ReadFailed) {
            m_ui.message(readFailed);
            return true;
        }
        m_view.setProgress(progress.advance());
        if (outcome == CipherOutcome::WriteFailed) {
            m_ui.message(QStringLiteral("An error writing the file has occurred, skipping ") +
                         path);
            return true;
        }
        m_view.setProgress(progress.advance());
        if (m_state.LogFileEncryption) {
            const QString user = GetLoginUserName();
            const QDateTime now = Clock::now();
            const QString name = FileNameOf(path);
            LogRecord event = m_decrypt
                                  ? LogEvents::DroppedFileDecrypted(*m_loginId, name, user, now)
                                  : LogEvents::DroppedFileEncrypted(*m_loginId, name, user, now);
            WriteLog(m_ui, m_state.logTarget(), event);
        }
        m_view.setProgress(progress.finishFile());
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
    BusyPointer busy(ui);
    try {
        DropPass(ui, state, view, decrypt, selectedLoginId).walk(paths);
    } catch (const VbError &e) {
        ui.message(QStringLiteral("An error occurred ") + e.text());
    } catch (const std::bad_alloc &) {
        ui.message(QStringLiteral("An error occurred ") + VbError::of(VbErr::OutOfMemory).text());
    }
    view.setProgress(0);
    view.setStatus(QStringLiteral("Processing Complete"));
    view.close();
}
