#pragma once

#include <QString>

// Where the program keeps its per-user files.
inline constexpr char kProductName[] = "Pellora";

// The base under which the data folder lies ($XDG_DATA_HOME, normally ~/.local/share).
QString GetDataHome();
// The logon name; empty when it cannot be read.
QString GetLoginUserName();
// Creates every missing folder along path (mode 0700); always true, failures surface later.
bool MakePath(const QString &path);
// Data home + "/Brantwick/Pellora/", created when missing and made the current directory.
QString GetDataFolder();
// The same path without touching the file system.
QString DataFolderPath();
// Joins a folder and a file name with exactly one separator.
QString JoinPath(const QString &folder, const QString &name);
