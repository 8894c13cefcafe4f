#pragma once

#include <QString>

// Removes the hidden ".pellora-XXXXXX" files that the earlier copy-and-rename method left beside
// a file when it was stopped before its rename, from the data folder, the home folder and the
// home folder's own (not hidden) folders.
void RemoveOldVaultLeftovers(const QString &dataFolder);

// The same for one folder; the number removed. A leftover goes only when it is what that method
// left and its original beside it is therefore intact: a regular file of this user's, either
// empty, or with the mode of a file beside it and that file's length or a whole number of the
// method's 1 MiB chunks short of it. Anything else is left alone.
int RemoveOldVaultLeftoversIn(const QString &folder);
