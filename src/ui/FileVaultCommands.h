#pragma once

class MainWindow;

// The file vault window from the Tools menu and the toolbar, and the encryption of files dropped
// on the entry list.
void InstallFileVaultCommands(MainWindow &main);
