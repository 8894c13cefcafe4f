#include "ui/FileVaultCommands.h"

#include "filevault/DropFiles.h"
#include "ui/EntryListView.h"
#include "ui/FileVaultWindow.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"

#include <QPointer>
#include <QTimer>
#include <memory>

namespace {
void ShowFileVault(MainWindow &main, QPointer<FileVaultWindow> &open)
{
    // One window at a time: asking again brings the open one forward.
    if (open) {
        open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }
    open = new FileVaultWindow(main.context(), main, &main);
    open->setAttribute(Qt::WA_DeleteOnClose);
    main.trackWindow(open);
    open->show();
}

void CipherDroppedFiles(MainWindow &main, const QStringList &paths, bool decrypt,
                        std::optional<qint16> loginId)
{
    EntryListView *list = main.entryList();
    // Files dropped while a drop is at work would be ciphered twice over; the list refuses them.
    list->setAcceptDrops(false);
    ProgressWindow progress(&main);
    DropFiles(main.context().ui, main.context().state, progress.view(), paths, decrypt, loginId);
    list->setAcceptDrops(true);
    list->setFocus();
}
} // namespace

void InstallFileVaultCommands(MainWindow &main)
{
    auto open = std::make_shared<QPointer<FileVaultWindow>>();
    main.setCommand(MainCommand::FileVault, [&main, open] { ShowFileVault(main, *open); });

    QObject::connect(main.entryList(), &EntryListView::filesDropped, &main,
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
