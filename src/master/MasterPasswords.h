#pragma once

#include <QByteArray>
#include <QString>

// The two master passwords are never kept in plain: each is stored and held as its encryption
// under a built-in pass phrase, and the two values joined are the entry key.
namespace Master {
inline constexpr char kPassPhrase[] = "qwhe7&*/:]{3k  tbnsoo!$eprdxuhmjlqtr 8hj2 k731z";
// What an absent "Master1" reads as, and what a reset writes back.
inline constexpr char kNoMasters[] = "480275";
inline constexpr int kMinStoredLength = 5;
} // namespace Master

QByteArray MasterValue(const QByteArray &plainMaster);
QByteArray PlainMaster(const QByteArray &value);
// Masters exist once "Master1" holds something other than the marker of at least 5 characters;
// "Master2" is not consulted.
bool MastersExist(const QByteArray &storedMaster1);
// Both typed masters, encrypted, equal the stored values in the same boxes. Text that
// windows-1252 cannot hold was never accepted as a master, so it never matches.
bool LoginMatches(const QString &typed1, const QString &typed2, const QByteArray &stored1,
                  const QByteArray &stored2);
