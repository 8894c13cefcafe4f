#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <functional>

class Ui;
struct AppState;

// Stores a file's password as an entry: Login and Description as given, the password trimmed and
// encoded under the entry key, never expiring, case-sensitive, spaces allowed, 8 to 64 characters.
// Logs "Added " when LogPwdChanges is on and the entry was stored, makes sure the store is on the
// disk, then reloads the list. Returns the new LoginID, or 0 when the entry was not stored or may
// not outlive a crash (a password longer than an entry holds is refused with a message instead of
// being cut).
qint16 AddFileLogin(Ui &ui, const AppState &state, const QByteArray &login,
                    const QByteArray &description, const QByteArray &password,
                    const std::function<void()> &reloadList);
