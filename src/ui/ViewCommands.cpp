#include "ui/ViewCommands.h"

#include "app/Settings.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "ui/EntryListView.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QStatusBar>

void InstallViewCommands(frmMain &main)
{
    main.setCommand(MainCommand::Exit, [&main] { main.close(); });
    main.setCommand(MainCommand::Refresh, [&main] {
        main.LoadList();
        main.showStatus(QObject::tr("List refreshed: %n entries", nullptr,
                                    main.ListView1()->entries()->rowCount()));
    });
    // The direction lasts until the next load; the saved setting is not touched.
    main.setCommand(MainCommand::Asc, [&main] {
        main.ListView1()->setSortDirection(Qt::AscendingOrder);
        main.ListView1()->resort();
    });
    main.setCommand(MainCommand::Desc, [&main] {
        main.ListView1()->setSortDirection(Qt::DescendingOrder);
        main.ListView1()->resort();
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
        } catch (const VbError &e) {
            main.context().ui.message(e.description);
        }
    });
}
