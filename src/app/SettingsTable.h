#pragma once

#include <array>

// Every setting the program reads or writes: section, key and the default for an absent key.
struct SettingKey
{
    const char *section;
    const char *key;
    const char *defaultValue;
};

namespace Setting {
inline constexpr SettingKey Master1{"Settings", "Master1", "480275"};
inline constexpr SettingKey Master2{"Settings", "Master2", "480275"};
inline constexpr SettingKey MainLeft{"Settings", "MainLeft", "1000"};
inline constexpr SettingKey MainTop{"Settings", "MainTop", "1000"};
inline constexpr SettingKey MainWidth{"Settings", "MainWidth", "6500"};
inline constexpr SettingKey MainHeight{"Settings", "MainHeight", "6500"};
inline constexpr SettingKey OrderByID{"Settings", "OrderByID", "True"};
inline constexpr SettingKey OrderByDescription{"Settings", "OrderByDescription", "False"};
inline constexpr SettingKey OrderByLogin{"Settings", "OrderByLogin", "False"};
inline constexpr SettingKey OrderByExpiry{"Settings", "OrderByExpiry", "False"};
inline constexpr SettingKey OrderDirection{"Settings", "OrderDirection", "0"};
inline constexpr SettingKey LogStartup{"Settings", "LogStartup", "0"};
inline constexpr SettingKey LogMasterFailure{"Settings", "LogMasterFailure", "0"};
inline constexpr SettingKey LogMasterChange{"Settings", "LogMasterChange", "0"};
inline constexpr SettingKey LogPwdChanges{"Settings", "LogPwdChanges", "0"};
inline constexpr SettingKey LogExports{"Settings", "LogExports", "0"};
inline constexpr SettingKey LogFileEncryption{"Settings", "LogFileEncryption", "0"};
inline constexpr SettingKey UseNTEventLog{"Settings", "UseNTEventLog", "0"};
inline constexpr SettingKey ShowTipsAtStartup{"Options", "Show Tips at Startup", "1"};
// Seconds a copied password or login stays on the clipboard; 0 keeps it.
inline constexpr SettingKey ClearClipboardSeconds{"Options", "Clear Clipboard Seconds", "10"};

inline constexpr std::array All{
    Master1,           Master2,         MainLeft,          MainTop,
    MainWidth,         MainHeight,      OrderByID,         OrderByDescription,
    OrderByLogin,      OrderByExpiry,   OrderDirection,    LogStartup,
    LogMasterFailure,  LogMasterChange, LogPwdChanges,     LogExports,
    LogFileEncryption, UseNTEventLog,   ShowTipsAtStartup, ClearClipboardSeconds};

// The seven logging switches in the order the options dialog lists them.
inline constexpr std::array LogFlags{LogStartup, LogMasterFailure,  LogMasterChange, LogPwdChanges,
                                     LogExports, LogFileEncryption, UseNTEventLog};
} // namespace Setting
