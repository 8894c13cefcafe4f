#pragma once

class MainWindow;

// The transfer-file export and import and the plain-text export.
void InstallTransferCommands(MainWindow &main);
