#include "ui/EntryCommands.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/EditorLogic.h"
#include "entries/LoginStore.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "ui/EntryListView.h"
#include "ui/frmLogins.h"
#include "ui/frmMain.h"

namespace {
struct OpenedEntry
{
    qint16 id;
    LoginEditorInput input;
};

// The entry of a row as the editor shows it; nullopt when it cannot be read.
std::optional<OpenedEntry> readEntry(AppContext &c, const QString &idText)
{
    qint16 id = 0;
    try {
        id = Convert::CInt(idText);
    } catch (const VbError &) {
        return std::nullopt;
    }
    auto input =
        InputFromRecord(LoginStore(c.state.LoginFile, c.ui).LoadItem(id), c.state.entryKey());
    if (!input)
        return std::nullopt;
    return OpenedEntry{id, *input};
}
} // namespace

void mnuFileNew_Click(frmMain &main)
{
    main.context().state.EditMode = QStringLiteral("ADD");
    frmLogins editor(main);
    editor.Form_Load();
    editor.exec();
}

void mnuChange_Click(frmMain &main)
{
    AppContext &c = main.context();
    const int row = main.selectedRow();
    if (row < 0)
        return;
    frmLogins editor(main);
    std::optional<OpenedEntry> entry;
    {
        BusyPointer busy(c.ui);
        c.state.EditMode = QStringLiteral("UPDATE");
        editor.Form_Load();
        main.CurrentEntryRow = main.ListView1()->keyOf(row);
        entry = readEntry(c, main.selectedText(EntryListView::ColLoginID));
        if (entry)
            editor.showEntry(entry->id, entry->input);
    }
    if (!entry) {
        c.ui.message(QString::fromLatin1(kReadItemFailedMessage));
        return;
    }
    editor.exec();
}

void mnuDelete_Click(frmMain &main)
{
    AppContext &c = main.context();
    BusyPointer busy(c.ui);
    const int row = main.selectedRow();
    if (row < 0)
        return;
    try {
        const QString idText = main.selectedText(EntryListView::ColLoginID);
        const QString login = main.selectedText(EntryListView::ColLogin);
        const qint16 id = Convert::CInt(idText);
        main.CurrentEntryRow = main.ListView1()->keyOf(row);
        LoginStore store(c.state.LoginFile, c.ui);
        const LoginRecord entry = main.ListView1()->entries()->record(
            main.ListView1()->entries()->findRow(main.CurrentEntryRow));
        if (!store.deletelogin(id, id))
            return;
        main.deletedEntries().remember(entry);
        main.setCommandEnabled(MainCommand::UndoDelete, true);
        if (c.state.LogPwdChanges) {
            LogRecord event = LogEvents::Deleted(login, GetLoginUserName(), Clock::now());
            WriteLog(c.ui, c.state.logTarget(), event);
        }
        main.ListView1()->removeRow(QStringLiteral("PQ") + idText);
        // Nothing is selected afterwards, so a second press cannot take the next entry too.
        main.ListView1()->selectRow(-1);
        main.showStatus(QObject::tr("Entry %1 deleted; Edit > Undo Delete (Ctrl+Z) brings it back")
                            .arg(idText));
    } catch (const VbError &e) {
        c.ui.message(QStringLiteral("An error has occurred in frmMainMnuDelete ") + e.text());
    }
}

void UndoDelete(frmMain &main)
{
    AppContext &c = main.context();
    std::optional<qint16> restored;
    {
        BusyPointer busy(c.ui);
        LoginStore store(c.state.LoginFile, c.ui);
        restored = main.deletedEntries().restoreNewest(store);
    }
    if (restored) {
        main.LoadList();
        main.selectEntry(*restored);
        main.showStatus(QObject::tr("Entry %1 restored").arg(*restored));
    } else {
        main.showStatus(QObject::tr("Nothing to undo: deleted entries are removed from the "
                                    "store for good when it is tidied"));
    }
    main.setCommandEnabled(MainCommand::UndoDelete, !main.deletedEntries().isEmpty());
}

void InstallEntryCommands(frmMain &main)
{
    main.setCommand(MainCommand::NewLogin, [&main] { mnuFileNew_Click(main); });
    main.setCommand(MainCommand::EditLogin, [&main] { mnuChange_Click(main); });
    main.setCommand(MainCommand::DeleteLogin, [&main] { mnuDelete_Click(main); });
    main.setCommand(MainCommand::UndoDelete, [&main] { UndoDelete(main); });
    main.setCommandEnabled(MainCommand::UndoDelete, false);
}
