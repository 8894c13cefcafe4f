#pragma once

#include <QString>

// Where the file vault window and the file dialogs open: the folder last used, or the user's home
// folder; never one of Pellora's own folders.
QString StartFolder();
void RememberFolder(const QString &folder);
// A name typed without a folder is taken to be in the start folder, not in the program's current
// directory (which is the data folder).
QString InStartFolder(const QString &path);
