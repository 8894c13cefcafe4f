#include "ui/TransferCommands.h"

#include "platform/Ui.h"
#include "transfer/TransferExport.h"
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
    ExportFile(c.ui, c.state, c.settings, fileName);
}
} // namespace

void InstallTransferCommands(frmMain &main)
{
    main.setCommand(MainCommand::Export, [&main] { ExportCommand(main); });
    main.setCommand(MainCommand::Import, [&main] {
        frmImportFile dialog(
            main.context(), [&main] { main.LoadList(); }, &main);
        dialog.exec();
    });
    main.setCommand(MainCommand::ExportText, [&main] {
        frmExportTextDialog dialog(main.context(), &main);
        dialog.exec();
    });
}
