#include "master/MasterChange.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "app/Settings.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "master/MasterPasswords.h"
#include "master/MasterValidation.h"
#include "master/RedoCrypt.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

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

void store(Settings &settings, const MasterPair &pair)
{
    settings.saveBytes(Setting::Master1, pair.value1);
    settings.saveBytes(Setting::Master2, pair.value2);
}

// A failed save may have changed the values held in memory; put the former ones back there.
void restore(Settings &settings, const MasterPair &former)
{
    try {
        store(settings, former);
    } catch (const VbError &) {
    }
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
    const MasterPair stored{settings.getBytes(Setting::Master1),
                            settings.getBytes(Setting::Master2)};
    const bool reencrypt = changeFlag || fresh->entryKey() != held.entryKey();
    if (reencrypt && !RedoCrypt(ui, state.LoginFile, held.entryKey(), fresh->entryKey())) {
        changeFlag = true;
        return false;
    }
    try {
        store(settings, *fresh);
    } catch (const VbError &e) {
        ui.message(QStringLiteral("An error has occurred in frmOptionsApply ") + e.text());
        changeFlag = changeFlag || reencrypt;
        if (reencrypt && !RedoCrypt(ui, state.LoginFile, fresh->entryKey(), held.entryKey())) {
            // The store stayed under the new key: hold that key so the entries stay readable.
            state.ActiveMaster1 = fresh->value1;
            state.ActiveMaster2 = fresh->value2;
            return false;
        }
        restore(settings, stored);
        return false;
    }
    changeFlag = false;
    state.FirstRun = false;
    state.ActiveMaster1 = fresh->value1;
    state.ActiveMaster2 = fresh->value2;
    if (reencrypt)
        logChange(ui, state);
    return true;
}
