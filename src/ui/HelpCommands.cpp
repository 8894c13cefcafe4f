#include "ui/HelpCommands.h"

#include "ui/AboutDialog.h"
#include "ui/HelpWindow.h"
#include "ui/LogViewer.h"
#include "ui/MainWindow.h"

void InstallHelpCommands(MainWindow &main)
{
    main.setCommand(MainCommand::HelpContents, [&main] { ShowHelp(main, HelpCommand::Contents); });
    main.setCommand(MainCommand::HelpSearch, [&main] { ShowHelp(main, HelpCommand::Search); });
    main.setCommand(MainCommand::About, [&main] { ShowAbout(main); });
    main.setCommand(MainCommand::ViewLogs, [&main] { ShowLogViewer(main.context()); });
}
