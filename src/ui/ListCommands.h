#pragma once

class frmMain;

// Copies the selected entry's password to the clipboard.
void ClipPassword(frmMain &main);
// Asks for a text and selects the first row whose description or login contains it.
void FindEntry(frmMain &main);
void InstallListCommands(frmMain &main);
