#pragma once

class frmMain;

// The file vault window from the Tools menu and the toolbar, and the encryption of files dropped
// on the entry list.
void InstallFileVaultCommands(frmMain &main);
