#pragma once

class frmMain;

// New: opens the editor for a new entry.
void mnuFileNew_Click(frmMain &main);
// Edit: opens the editor on the selected entry; nothing without a selection.
void mnuChange_Click(frmMain &main);
// Delete: marks the selected entry deleted and drops its row, without a question.
void mnuDelete_Click(frmMain &main);
// Undo Delete: brings back the entry deleted last in this run, while the store still holds it.
void UndoDelete(frmMain &main);
// Makes New, Edit, Delete and Undo Delete available from the menus, the list and the toolbar.
void InstallEntryCommands(frmMain &main);
