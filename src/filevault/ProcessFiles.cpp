#include "filevault/ProcessFiles.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "app/VaultLock.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "filevault/AddFileLogin.h"
#include "filevault/InPlaceCipher.h"
#include "filevault/OwnFiles.h"
#include "filevault/RunProgress.h"
#include "filevault/VaultDataFolder.h"
#include "filevault/VaultMessages.h"
#include "filevault/VaultRecovery.h"
#include "log/LogEvents.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

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
const QString kNoEntryNoChange =
    QStringLiteral("No entry could be stored for the password of %1, so %1 has not been changed.");

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
        RunProgress progress(total);
        m_view.setProgress(progress.value());
        for (const auto &[name, selected] : m_run.files) {
            if (!selected)
                continue;
            const qint64 size = QFileInfo(pathOf(name)).size();
            if (size > kMaxVaultFileSize) {
                m_ui.message(QStringLiteral("File ") + pathOf(name) +
                             QStringLiteral(" is too large, skipping."));
                return;
            }
            processOne(name, progress);
            if (progress.finishFile(size))
                m_view.setProgress(progress.value());
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
        InPlaceCipher file(pathOf(name));
        const InPlaceCipher::Access access = file.open();
        if (access == InPlaceCipher::Access::Unreadable) {
            m_ui.message(VaultReadingFailed(name));
            return;
        }
        m_view.setStatus(QStringLiteral("Processing... ") + name);
        if (access == InPlaceCipher::Access::Unwritable) {
            m_ui.message(VaultWritingFailed(name));
            return;
        }
        // The password is kept before the file changes, so no crash can leave the file
        // enciphered under a password that is nowhere.
        if (m_addEntries &&
            AddFileLogin(m_ui, m_state, "FileEncryption", *storedName, m_key, m_reloadList) == 0) {
            m_ui.message(kNoEntryNoChange.arg(name));
            return;
        }
        const CipherOutcome outcome = file.run(
            m_key, m_encrypt, {VaultDataFolder(m_state), m_state.entryKey()}, [&](qint64 done) {
                if (progress.reach(done))
                    m_view.setProgress(progress.value());
            });
        if (outcome != CipherOutcome::Done) {
            m_ui.message(
                VaultFailureMessage(name, outcome, file.failure(), m_encrypt, m_addEntries));
            return;
        }
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
    QStringList chosen;
    for (const auto &[name, selected] : run.files) {
        if (selected)
            chosen << run.folder + QLatin1Char('/') + name;
    }
    if (const QStringList own = OwnFiles(state).among(chosen); !own.isEmpty()) {
        ui.message(OwnFilesRefusal(own));
        return;
    }
    BusyPointer busy(ui);
    // No second run can start while this one is going.
    view.setButtonsEnabled(false);
    try {
        const QString dataFolder = VaultDataFolder(state);
        WriteGuard guard(dataFolder);
        RecoverVaultRuns(ui, dataFolder, state.entryKey());
        VaultPass(ui, state, view, run, *key, encrypt, reloadList).walk();
        view.setProgress(0);
        view.setStatus(QStringLiteral("Processing Complete"));
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred.") + e.text());
    } catch (const std::bad_alloc &) {
        ui.message(QStringLiteral("An error has occurred.") +
                   ClassicError::of(ErrorNumber::OutOfMemory).text());
    }
    view.setButtonsEnabled(true);
}
