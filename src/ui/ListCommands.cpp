#include "ui/ListCommands.h"

#include "app/AppState.h"
#include "crypto/cPQCrypt.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "platform/Ansi.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "ui/EntryListView.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

void ClipPassword(frmMain &main)
{
    AppContext &c = main.context();
    int step = 0;
    try {
        QTreeWidgetItem *row = main.selectedRow();
        if (!row)
            return;
        step = 1;
        main.CurrentEntryRow = EntryListView::keyOf(row);
        step = 3;
        const qint16 id = Convert::CInt(row->text(EntryListView::ColLoginID));
        const LoginRecord record = LoginStore(c.state.LoginFile, c.ui).LoadItem(id);
        step = 4;
        const QByteArray plain = Crypt().DeCrypt(record.Password, c.state.entryKey());
        const auto length = PasswordLengthPrefix(plain);
        if (!length)
            raiseError(VbErr::TypeMismatch);
        step = 5;
        const QByteArray password = plain.mid(2, *length);
        step = 6;
        QApplication::clipboard()->clear();
        step = 7;
        auto *data = new QMimeData;
        data->setText(Ansi::toText(password));
        // Clipboard managers that honour this hint keep the password out of their history.
        data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
        QApplication::clipboard()->setMimeData(data);
    } catch (const VbError &e) {
        c.ui.message(QStringLiteral("An error has occurred in ClipPassword ") + e.text() +
                     QStringLiteral("\r\nLinenum = ") + QString::number(step));
    }
}

void FindEntry(frmMain &main)
{
    AppContext &c = main.context();
    const QString wanted =
        c.ui.prompt(QStringLiteral("Enter the text that you are searching for:"));
    if (wanted.isEmpty())
        return;
    EntryListView *list = main.ListView1();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list->topLevelItem(i);
        if (row->text(EntryListView::ColDescription).contains(wanted, Qt::CaseSensitive) ||
            row->text(EntryListView::ColLogin).contains(wanted, Qt::CaseSensitive)) {
            c.ui.message(QStringLiteral("Found, and selected the item for you."));
            list->scrollToItem(row);
            list->setCurrentItem(row);
            row->setSelected(true);
            list->setFocus();
            return;
        }
    }
    c.ui.message(QStringLiteral("No match found"));
}

void InstallListCommands(frmMain &main)
{
    main.setCommand(MainCommand::ClipPassword, [&main] { ClipPassword(main); });
    main.setCommand(MainCommand::Find, [&main] { FindEntry(main); });
}
