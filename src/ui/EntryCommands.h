#pragma once

class MainWindow;

// New: opens the editor for a new entry.
void newEntry(MainWindow &main);
// Edit: opens the editor on the selected entry; nothing without a selection.
void editEntry(MainWindow &main);
// Delete: marks the selected entry deleted and drops its row, without a question.
void deleteEntry(MainWindow &main);
// Undo Delete: brings back the entry deleted last in this run, while the store still holds it.
void UndoDelete(MainWindow &main);
// Makes New, Edit, Delete and Undo Delete available from the menus, the list and the toolbar.
void InstallEntryCommands(MainWindow &main);
