#include "ui/TransferCommands.h"

#include "platform/Ui.h"
#include "transfer/TransferExport.h"
#include "ui/EntryListView.h"
#include "ui/ImportDialog.h"
#include "ui/MainWindow.h"
#include "ui/TextExportDialog.h"
#include "ui/TransferFileDialog.h"

namespace {
void ExportCommand(MainWindow &main)
{
    AppContext &c = main.context();
    const QString fileName =
        c.ui.saveFileName(QString::fromLatin1(TransferFileDialog::Title),
                          QString::fromLatin1(TransferFileDialog::Filter),
                          QString::fromLatin1(TransferFileDialog::InitialName));
    if (fileName.isEmpty())
        return;
    BusyPointer busy(c.ui);
    if (ExportFile(c.ui, c.state, c.settings, fileName))
        main.showStatus(QObject::tr("%n entries exported to %1", nullptr,
                                    main.entryList()->entries()->rowCount())
                            .arg(fileName));
}
} // namespace

void InstallTransferCommands(MainWindow &main)
{
    main.setCommand(MainCommand::Export, [&main] { ExportCommand(main); });
    main.setCommand(MainCommand::Import, [&main] {
        const int before = main.entryList()->entries()->rowCount();
        ImportDialog dialog(
            main.context(),
            [&main, before] {
                main.loadList();
                main.showStatus(QObject::tr("%n entries imported", nullptr,
                                            main.entryList()->entries()->rowCount() - before));
            },
            &main);
        dialog.exec();
    });
    main.setCommand(MainCommand::ExportText, [&main] {
        TextExportDialog dialog(main.context(), &main);
        dialog.exec();
    });
}
