#pragma once

class MainWindow;

// Copies the selected entry's password to the clipboard, which clears itself after the delay
// set in Options.
void ClipPassword(MainWindow &main);
// Copies the selected entry's login the same way.
void CopyLogin(MainWindow &main);
// Asks for a text and selects the first row whose description or login contains it.
void FindEntry(MainWindow &main);
// Copy Password, Copy Login, the Find button and the search box's command.
void InstallListCommands(MainWindow &main);
