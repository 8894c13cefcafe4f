#pragma once

#include <QString>

class EntryStore;
class Settings;
class Ui;

inline constexpr char kPreviousInstallationQuestion[] =
    "Warning! \r\n\r\n"
    "A Pellora file from a previous installation has been found! \r\n"
    "If your master passwords are the same as the prior version of Pellora, this file "
    "can automatically be loaded, otherwise select No to prevent errors. \r\n\r\n"
    "It is recommended that you export your older data from "
    "the earlier installation, and then import your new data, to prevent any errors. "
    "Try to add the older data? ";
inline constexpr char kPreviousLoadFailed[] =
    "Previous Pellora Installation passwords load unsuccessful.";
inline constexpr char kPreviousLoaded[] = "Previous Pellora Installation passwords loaded.";
inline constexpr char kMovedOldStoreName[] = "Pelloralgn.old";

// The first "*.lgn" left in the program folder by a previous installation: offered for loading
// into the current store, then moved to the data folder as "Pelloralgn.old" whatever the answer,
// so the question comes only once. A file that cannot be copied stays where it is.
void MigratePreviousInstallation(Ui &ui, const QString &programFolder, const QString &dataFolder,
                                 Settings &settings, EntryStore &store);
