#pragma once

#include "filevault/VaultRun.h"

#include <functional>

class Ui;
struct AppState;

// The longest a file may be; a longer one ends the run where it stands in the list.
inline constexpr qint64 kMaxVaultFileSize = 999999999;
// The fewest characters a file password may have.
inline constexpr int kMinFilePassword = 8;

// Enciphers (encrypt) or deciphers the selected files of run in place, in list order, under the
// typed password or, with useMasterPasswords, the entry key. Reports through view and ui; with
// addPassword each processed file's password is stored as an entry and reloadList is called.
void ProcessFiles(Ui &ui, const AppState &state, VaultView &view, const VaultRun &run, bool encrypt,
                  const std::function<void()> &reloadList);
