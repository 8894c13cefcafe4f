#pragma once

class frmMain;

// The main window's own list and view commands: Exit, Refresh, Asc, Desc and the two toggles.
void InstallViewCommands(frmMain &main);
