#pragma once

#include <QString>

class Settings;
class Ui;

// What a start does before anything else reads the vault: finishes or rolls back a master
// change that a crash interrupted, then removes the temporary files that a crash left beside
// the program's own files. Every program that opens the vault (the window program, each
// command of the command-line program) calls it first, holding the vault lock.
void RecoverInterruptedWork(Ui &ui, const QString &dataFolder, Settings &settings);

// Removes the program's own temporary files (an own file's name + "." + six letters or digits)
// from the data folder and the settings' folder; nothing else is touched.
void RemoveLeftovers(const QString &dataFolder, const QString &settingsFolder);
