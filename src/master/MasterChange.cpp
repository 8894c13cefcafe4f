#include "master/MasterChange.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "app/Settings.h"
#include "app/VaultLock.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "master/MasterChangeJournal.h"
#include "master/MasterPasswords.h"
#include "master/MasterValidation.h"
#include "master/RedoCrypt.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

#include <QFileInfo>
#include <optional>

namespace {
struct MasterPair
{
    QByteArray value1;
    QByteArray value2;
    QByteArray entryKey() const { return value1 + value2; }
};

std::optional<MasterPair> pairFromBoxes(Ui &ui, const QString &box1, const QString &box2)
{
    const auto plain1 = Ansi::fromText(box1);
    if (!plain1) {
        ui.message(UnstorableMasterMessage(1));
        return std::nullopt;
    }
    const auto plain2 = Ansi::fromText(box2);
    if (!plain2) {
        ui.message(UnstorableMasterMessage(2));
        return std::nullopt;
    }
    return MasterPair{MasterValue(*plain1), MasterValue(*plain2)};
}

QString failureText(const char *procedure, const ClassicError &e)
{
    return QStringLiteral("An error has occurred in %1 ").arg(QLatin1String(procedure)) + e.text();
}

// Re-encrypts the store and commits store and settings through the journal. On failure the
// message is shown and the key that the store is under afterwards is returned in held.
bool changeKey(Ui &ui, const QString &loginFile, Settings &settings, const MasterPair &held,
               const MasterPair &fresh)
{
    namespace Journal = MasterChangeJournal;
    const Journal::NewMasters masters{fresh.value1, fresh.value2};
    try {
        const QByteArray store = ReadStoreForReencryption(loginFile, held.entryKey());
        Journal::stage(loginFile, ReencryptedStore(store, held.entryKey(), fresh.entryKey()),
                       masters);
    } catch (const ClassicError &e) {
        ui.message(failureText("frmOptionsRedoCrypt", e));
        return false;
    }
    try {
        Journal::saveMasters(settings, masters);
    } catch (const ClassicError &e) {
        // The settings are as they were, so nothing was changed yet.
        ui.message(failureText("frmOptionsApply", e));
        try {
            Journal::abandon(loginFile);
        } catch (const ClassicError &) {
        }
        return false;
    }
    try {
        Journal::replaceStore(loginFile);
        return true;
    } catch (const ClassicError &e) {
        // Once the new store is in place the change stands; the next start clears the journal.
        if (!QFileInfo::exists(Journal::stagedStorePath(loginFile)))
            return true;
        ui.message(failureText("frmOptionsApply", e));
    }
    // The settings hold the new masters, the store is still the old one: put the old masters
    // back. When even that fails the journal stays and the next start finishes the change.
    try {
        settings.saveAll({{Setting::Master1, held.value1}, {Setting::Master2, held.value2}});
        Journal::abandon(loginFile);
    } catch (const ClassicError &) {
    }
    return false;
}

void logChange(Ui &ui, const AppState &state)
{
    if (!state.LogMasterChange)
        return;
    LogRecord event = LogEvents::MasterPasswordChange(GetLoginUserName(), Clock::now());
    WriteLog(ui, state.logTarget(), event);
}
} // namespace

bool ApplyMasters(Ui &ui, AppState &state, Settings &settings, const QString &box1,
                  const QString &box2, bool &changeFlag)
{
    BusyPointer busy(ui);
    const auto fresh = pairFromBoxes(ui, box1, box2);
    if (!fresh)
        return false;
    const MasterPair held{state.ActiveMaster1, state.ActiveMaster2};
    const bool reencrypt = changeFlag || fresh->entryKey() != held.entryKey();
    if (reencrypt) {
        std::optional<WriteGuard> guard;
        try {
            guard.emplace(QFileInfo(state.LoginFile).absolutePath());
        } catch (const ClassicError &e) {
            ui.message(failureText("frmOptionsRedoCrypt", e));
            changeFlag = true;
            return false;
        }
        if (!changeKey(ui, state.LoginFile, settings, held, *fresh)) {
            changeFlag = true;
            return false;
        }
    } else {
        try {
            settings.saveAll(
                {{Setting::Master1, fresh->value1}, {Setting::Master2, fresh->value2}});
        } catch (const ClassicError &e) {
            ui.message(failureText("frmOptionsApply", e));
            return false;
        }
    }
    changeFlag = false;
    state.FirstRun = false;
    state.ActiveMaster1 = fresh->value1;
    state.ActiveMaster2 = fresh->value2;
    if (reencrypt)
        logChange(ui, state);
    return true;
}
