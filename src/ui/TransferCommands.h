#pragma once

class frmMain;

// The transfer-file export and import and the plain-text export.
void InstallTransferCommands(frmMain &main);
