#include "ui/EntryCommands.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/EditorLogic.h"
#include "entries/EntryStore.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "ui/EntryEditor.h"
#include "ui/EntryListView.h"
#include "ui/MainWindow.h"

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
    } catch (const ClassicError &) {
        return std::nullopt;
    }
    auto input = InputFromRecord(EntryStore(c.state.LoginFile, c.ui).load(id), c.state.entryKey());
    if (!input)
        return std::nullopt;
    return OpenedEntry{id, *input};
}
} // namespace

void newEntry(MainWindow &main)
{
    main.context().state.EditMode = QStringLiteral("ADD");
    EntryEditor editor(main);
    editor.prepare();
    editor.exec();
}

void editEntry(MainWindow &main)
{
    AppContext &c = main.context();
    const int row = main.selectedRow();
    if (row < 0)
        return;
    EntryEditor editor(main);
    std::optional<OpenedEntry> entry;
    {
        BusyPointer busy(c.ui);
        c.state.EditMode = QStringLiteral("UPDATE");
        editor.prepare();
        main.CurrentEntryRow = main.entryList()->keyOf(row);
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

void deleteEntry(MainWindow &main)
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
        main.CurrentEntryRow = main.entryList()->keyOf(row);
        EntryStore store(c.state.LoginFile, c.ui);
        const LoginRecord entry = main.entryList()->entries()->record(
            main.entryList()->entries()->findRow(main.CurrentEntryRow));
        if (!store.remove(id, id))
            return;
        main.deletedEntries().remember(entry);
        main.setCommandEnabled(MainCommand::UndoDelete, true);
        if (c.state.LogPwdChanges) {
            LogRecord event = LogEvents::Deleted(login, GetLoginUserName(), Clock::now());
            WriteLog(c.ui, c.state.logTarget(), event);
        }
        main.entryList()->removeRow(QStringLiteral("PQ") + idText);
        // Nothing is selected afterwards, so a second press cannot take the next entry too.
        main.entryList()->selectRow(-1);
        main.showStatus(QObject::tr("Entry %1 deleted; Edit > Undo Delete (Ctrl+Z) brings it back")
                            .arg(idText));
    } catch (const ClassicError &e) {
        c.ui.message(QStringLiteral("An error has occurred in frmMainMnuDelete ") + e.text());
    }
}

void UndoDelete(MainWindow &main)
{
    AppContext &c = main.context();
    std::optional<qint16> restored;
    {
        BusyPointer busy(c.ui);
        EntryStore store(c.state.LoginFile, c.ui);
        restored = main.deletedEntries().restoreNewest(store);
    }
    if (restored) {
        main.loadList();
        main.selectEntry(*restored);
        main.showStatus(QObject::tr("Entry %1 restored").arg(*restored));
    } else {
        main.showStatus(QObject::tr("Nothing to undo: deleted entries are removed from the "
                                    "store for good when it is tidied"));
    }
    main.setCommandEnabled(MainCommand::UndoDelete, !main.deletedEntries().isEmpty());
}

void InstallEntryCommands(MainWindow &main)
{
    main.setCommand(MainCommand::NewLogin, [&main] { newEntry(main); });
    main.setCommand(MainCommand::EditLogin, [&main] { editEntry(main); });
    main.setCommand(MainCommand::DeleteLogin, [&main] { deleteEntry(main); });
    main.setCommand(MainCommand::UndoDelete, [&main] { UndoDelete(main); });
    main.setCommandEnabled(MainCommand::UndoDelete, false);
}
