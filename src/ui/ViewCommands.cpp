#include "ui/ViewCommands.h"

#include "app/Settings.h"
#include "platform/ClassicError.h"
#include "platform/Ui.h"
#include "ui/EntryListView.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QStatusBar>

void InstallViewCommands(MainWindow &main)
{
    main.setCommand(MainCommand::Exit, [&main] { main.close(); });
    main.setCommand(MainCommand::Refresh, [&main] {
        main.loadList();
        main.showStatus(QObject::tr("List refreshed: %n entries", nullptr,
                                    main.entryList()->entries()->rowCount()));
    });
    // The direction lasts until the next load; the saved setting is not touched.
    main.setCommand(MainCommand::Asc, [&main] {
        main.entryList()->setSortDirection(Qt::AscendingOrder);
        main.entryList()->resort();
    });
    main.setCommand(MainCommand::Desc, [&main] {
        main.entryList()->setSortDirection(Qt::DescendingOrder);
        main.entryList()->resort();
    });
    main.setCommand(MainCommand::ToggleStatusBar, [&main] {
        main.statusBar()->setVisible(main.action(MainCommand::ToggleStatusBar)->isChecked());
    });
    // Checking stores "1"; unchecking stores nothing, so only the tip window turns tips off.
    main.setCommand(MainCommand::ToggleTips, [&main] {
        if (!main.action(MainCommand::ToggleTips)->isChecked())
            return;
        try {
            main.context().settings.save(Setting::ShowTipsAtStartup, QStringLiteral("1"));
        } catch (const ClassicError &e) {
            main.context().ui.message(e.description);
        }
    });
}
