#include "ui/TransferCommands.h"

#include "platform/Ui.h"
#include "transfer/TransferExport.h"
#include "ui/EntryListView.h"
#include "ui/TransferFileDialog.h"
#include "ui/frmExportTextDialog.h"
#include "ui/frmImportFile.h"
#include "ui/frmMain.h"

namespace {
void ExportCommand(frmMain &main)
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
                                    main.ListView1()->entries()->rowCount())
                            .arg(fileName));
}
} // namespace

void InstallTransferCommands(frmMain &main)
{
    main.setCommand(MainCommand::Export, [&main] { ExportCommand(main); });
    main.setCommand(MainCommand::Import, [&main] {
        const int before = main.ListView1()->entries()->rowCount();
        frmImportFile dialog(
            main.context(),
            [&main, before] {
                main.LoadList();
                main.showStatus(QObject::tr("%n entries imported", nullptr,
                                            main.ListView1()->entries()->rowCount() - before));
            },
            &main);
        dialog.exec();
    });
    main.setCommand(MainCommand::ExportText, [&main] {
        frmExportTextDialog dialog(main.context(), &main);
        dialog.exec();
    });
}
