#include "ui/HelpCommands.h"

#include "ui/LogViewer.h"
#include "ui/frmAbout.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

void InstallHelpCommands(frmMain &main)
{
    main.setCommand(MainCommand::HelpContents, [&main] { ShowHelp(main, HelpCommand::Contents); });
    main.setCommand(MainCommand::HelpSearch, [&main] { ShowHelp(main, HelpCommand::Search); });
    main.setCommand(MainCommand::About, [&main] { ShowAbout(main); });
    main.setCommand(MainCommand::ViewLogs, [&main] { ShowLogViewer(main.context()); });
}
