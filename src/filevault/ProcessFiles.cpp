#include "filevault/ProcessFiles.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "filevault/AddFileLogin.h"
#include "filevault/InPlaceCipher.h"
#include "filevault/RunProgress.h"
#include "log/LogEvents.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QFileInfo>
#include <new>

namespace {
const QString kTooShort = QStringLiteral("Please enter a password of between 8 and 64 characters, "
                                         "or tick the option to use the master passwords");
const QString kUnusablePassword = QStringLiteral(
    "The Password holds a character that cannot be used in a key. Please use another password.");
const QString kEntryPasswordTooLong = QStringLiteral(
    "The password is longer than the %1 characters an entry can hold. Please shorten it, or "
    "untick \"Add password to Pellora\".");
const QString kNameNotStorable = QStringLiteral(
    "The name of %1 cannot be stored in an entry, skipping %1. Rename the file, or untick \"Add "
    "password to Pellora\".");

// The key of a run, or an empty optional after telling the user why there is none.
std::optional<QByteArray> RunKey(Ui &ui, const AppState &state, const VaultRun &run)
{
    if (run.useMasterPasswords)
        return state.entryKey();
    if (run.password.size() < kMinFilePassword) {
        ui.message(kTooShort);
        return std::nullopt;
    }
    const auto typed = Ansi::fromText(run.password);
    if (!typed) {
        ui.message(kUnusablePassword);
        return std::nullopt;
    }
    if (run.addPassword && TrimSpaces(*typed).size() > kMaxStoredPasswordLength) {
        ui.message(kEntryPasswordTooLong.arg(kMaxStoredPasswordLength));
        return std::nullopt;
    }
    return typed;
}

class VaultPass
{
public:
    VaultPass(Ui &ui, const AppState &state, VaultView &view, const VaultRun &run,
              const QByteArray &key, bool encrypt, const std::function<void()> &reloadList)
        : m_ui(ui)
        , m_state(state)
        , m_view(view)
        , m_run(run)
        , m_key(key)
        , m_encrypt(encrypt)
        , m_reloadList(reloadList)
        ,
        // The window keeps the two options apart; the master values are never made an entry.
        m_addEntries(run.addPassword && !run.useMasterPasswords)
    {}

    void walk()
    {
        qint64 total = 0;
        qint64 count = 0;
        for (const auto &[name, selected] : m_run.files) {
            if (!selected)
                continue;
            total += QFileInfo(pathOf(name)).size();
            ++count;
        }
        m_view.setStatus(QStringLiteral("Total Bytes selected for processing: ") +
                         QString::number(total));
        if (count == 0)
            return;
        RunProgress progress(count);
        m_view.setProgress(progress.value());
        for (const auto &[name, selected] : m_run.files) {
            if (!selected)
                continue;
            if (QFileInfo(pathOf(name)).size() > kMaxVaultFileSize) {
                m_ui.message(QStringLiteral("File ") + pathOf(name) +
                             QStringLiteral(" is too large, skipping."));
                return;
            }
            processOne(name, progress);
        }
    }

private:
    QString pathOf(const QString &name) const { return m_run.folder + QLatin1Char('/') + name; }

    void processOne(const QString &name, RunProgress &progress)
    {
        std::optional<QByteArray> storedName;
        if (m_addEntries) {
            storedName = Ansi::fromText(name);
            if (!storedName) {
                m_ui.message(kNameNotStorable.arg(name));
                return;
            }
        }
        const QString readFailed =
            QStringLiteral("An error reading the file has occurred, skipping ") + name;
        InPlaceCipher file(pathOf(name));
        if (!file.openSource()) {
            m_ui.message(readFailed);
            return;
        }
        m_view.setStatus(QStringLiteral("Processing... ") + name);
        const CipherOutcome outcome = file.run(m_key);
        if (outcome == CipherOutcome::ReadFailed) {
            m_ui.message(readFailed);
            return;
        }
        // Read and cipher are done either way; the write is what may have failed.
        m_view.setProgress(progress.advance());
        m_view.setProgress(progress.advance());
        if (outcome == CipherOutcome::WriteFailed) {
            m_ui.message(QStringLiteral("An error writing the file has occurred, skipping ") +
                         name);
            return;
        }
        m_view.setProgress(progress.advance());
        if (m_addEntries)
            AddFileLogin(m_ui, m_state, "FileEncryption", *storedName, m_key, m_reloadList);
        m_view.setProgress(progress.finishFile());
        if (m_state.LogFileEncryption) {
            const QString user = GetLoginUserName();
            const QDateTime now = Clock::now();
            LogRecord event = m_encrypt ? LogEvents::FileEncrypted(name, user, now)
                                        : LogEvents::FileDecrypted(name, user, now);
            WriteLog(m_ui, m_state.logTarget(), event);
        }
    }

    Ui &m_ui;
    const AppState &m_state;
    VaultView &m_view;
    const VaultRun &m_run;
    const QByteArray &m_key;
    const bool m_encrypt;
    const std::function<void()> &m_reloadList;
    const bool m_addEntries;
};
} // namespace

void ProcessFiles(Ui &ui, const AppState &state, VaultView &view, const VaultRun &run, bool encrypt,
                  const std::function<void()> &reloadList)
{
    const auto key = RunKey(ui, state, run);
    if (!key)
        return;
    BusyPointer busy(ui);
    // No second run can start while this one is going.
    view.setButtonsEnabled(false);
    try {
        VaultPass(ui, state, view, run, *key, encrypt, reloadList).walk();
        view.setProgress(0);
        view.setStatus(QStringLiteral("Processing Complete"));
    } catch (const VbError &e) {
        ui.message(QStringLiteral("An error has occurred.") + e.text());
    } catch (const std::bad_alloc &) {
        ui.message(QStringLiteral("An error has occurred.") +
                   VbError::of(VbErr::OutOfMemory).text());
    }
    view.setButtonsEnabled(true);
}
