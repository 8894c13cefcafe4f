#pragma once

class MainWindow;

// The Help menu (Contents, Search For Help On..., About Pellora) and View Logs; the "Help" and
// "LogViewer" toolbar buttons run the same commands.
void InstallHelpCommands(MainWindow &main);
