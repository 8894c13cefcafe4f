#include "ui/FileVaultCommands.h"

#include "filevault/DropFiles.h"
#include "ui/EntryListView.h"
#include "ui/frmFileVault.h"
#include "ui/frmMain.h"
#include "ui/frmProgressStatus.h"

#include <QPointer>
#include <QTimer>
#include <memory>

namespace {
void ShowFileVault(frmMain &main, QPointer<frmFileVault> &open)
{
    // One window at a time: asking again brings the open one forward.
    if (open) {
        open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }
    open = new frmFileVault(main.context(), main, &main);
    open->setAttribute(Qt::WA_DeleteOnClose);
    main.trackWindow(open);
    open->show();
}

void CipherDroppedFiles(frmMain &main, const QStringList &paths, bool decrypt,
                        std::optional<qint16> loginId)
{
    EntryListView *list = main.ListView1();
    // Files dropped while a drop is at work would be ciphered twice over; the list refuses them.
    list->setAcceptDrops(false);
    frmProgressStatus progress(&main);
    DropFiles(main.context().ui, main.context().state, progress.view(), paths, decrypt, loginId);
    list->setAcceptDrops(true);
    list->setFocus();
}
} // namespace

void InstallFileVaultCommands(frmMain &main)
{
    auto open = std::make_shared<QPointer<frmFileVault>>();
    main.setCommand(MainCommand::FileVault, [&main, open] { ShowFileVault(main, *open); });

    QObject::connect(main.ListView1(), &EntryListView::filesDropped, &main,
                     [&main](const QStringList &paths, Qt::KeyboardModifiers modifiers) {
                         // The key and the direction are those of the moment of the drop; the
                         // work waits until the drop is done, so the file manager is not held.
                         const bool decrypt = DropDeciphers(modifiers);
                         const std::optional<qint16> loginId = main.selectedLoginId();
                         QTimer::singleShot(0, &main, [&main, paths, decrypt, loginId] {
                             CipherDroppedFiles(main, paths, decrypt, loginId);
                         });
                     });
}
