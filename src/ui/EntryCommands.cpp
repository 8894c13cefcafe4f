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
    const QTreeWidgetItem *row = main.selectedRow();
    if (!row)
        return;
    frmLogins editor(main);
    std::optional<OpenedEntry> entry;
    {
        BusyPointer busy(c.ui);
        c.state.EditMode = QStringLiteral("UPDATE");
        editor.Form_Load();
        main.CurrentEntryRow = EntryListView::keyOf(row);
        entry = readEntry(c, row->text(EntryListView::ColLoginID));
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
    const QTreeWidgetItem *row = main.selectedRow();
    if (!row)
        return;
    try {
        const QString idText = row->text(EntryListView::ColLoginID);
        const QString login = row->text(EntryListView::ColLogin);
        const qint16 id = Convert::CInt(idText);
        main.CurrentEntryRow = EntryListView::keyOf(row);
        if (!LoginStore(c.state.LoginFile, c.ui).deletelogin(id, id))
            return;
        if (c.state.LogPwdChanges) {
            LogRecord event = LogEvents::Deleted(login, GetLoginUserName(), Clock::now());
            WriteLog(c.ui, c.state.logTarget(), event);
        }
        main.ListView1()->removeRow(QStringLiteral("PQ") + idText);
    } catch (const VbError &e) {
        c.ui.message(QStringLiteral("An error has occurred in frmMainMnuDelete ") + e.text());
    }
}

void InstallEntryCommands(frmMain &main)
{
    main.setCommand(MainCommand::NewLogin, [&main] { mnuFileNew_Click(main); });
    main.setCommand(MainCommand::EditLogin, [&main] { mnuChange_Click(main); });
    main.setCommand(MainCommand::DeleteLogin, [&main] { mnuDelete_Click(main); });
}
