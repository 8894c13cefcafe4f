#pragma once

class frmMain;

// Copies the selected entry's password to the clipboard, which clears itself after the delay
// set in Options.
void ClipPassword(frmMain &main);
// Copies the selected entry's login the same way.
void CopyLogin(frmMain &main);
// Asks for a text and selects the first row whose description or login contains it.
void FindEntry(frmMain &main);
// Copy Password, Copy Login, the Find button and the search box's command.
void InstallListCommands(frmMain &main);
