#pragma once

class MainWindow;

// The main window's own list and view commands: Exit, Refresh, Asc, Desc and the two toggles.
void InstallViewCommands(MainWindow &main);
