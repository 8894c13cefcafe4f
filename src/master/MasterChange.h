#pragma once

#include <QString>

struct AppState;
class Settings;
class Ui;

// The masters' half of the options dialog's Apply, run after Validation passed. When the boxes
// were edited (changeFlag) or give other values than those held, the store is re-encrypted
// under the new entry key first; the new values are then stored, held, and the change logged
// when LogMasterChange is on. On any failure the store, the held and the stored masters keep
// agreeing with each other, changeFlag stays set so the next Apply tries again, and false is
// returned: the caller stops its Apply.
bool ApplyMasters(Ui &ui, AppState &state, Settings &settings, const QString &box1,
                  const QString &box2, bool &changeFlag);
