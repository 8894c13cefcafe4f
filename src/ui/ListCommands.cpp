#include "ui/ListCommands.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "crypto/Cipher.h"
#include "entries/EntryStore.h"
#include "entries/PasswordField.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "ui/EntryListView.h"
#include "ui/MainWindow.h"
#include "ui/SecretClipboard.h"

#include <QLineEdit>

namespace {
// How long a copy stays; a foreign setting keeps the default rather than the secret for good.
int clearAfterSeconds(const Settings &settings)
{
    try {
        return qBound(0, int(settings.getLong(Setting::ClearClipboardSeconds)), 3600);
    } catch (const ClassicError &) {
        return Convert::CInt(QString::fromLatin1(Setting::ClearClipboardSeconds.defaultValue));
    }
}

void putOnClipboard(MainWindow &main, const QString &text, const QString &what)
{
    const int seconds = clearAfterSeconds(main.context().settings);
    main.clipboard().put(text, seconds, what);
    main.showStatus(seconds > 0 ? QObject::tr("%1 copied; clears in %2 s").arg(what).arg(seconds)
                                : QObject::tr("%1 copied").arg(what));
}
} // namespace

void ClipPassword(MainWindow &main)
{
    AppContext &c = main.context();
    int step = 0;
    try {
        if (main.selectedRow() < 0)
            return;
        step = 1;
        main.CurrentEntryRow = main.entryList()->keyOf(main.selectedRow());
        step = 3;
        const qint16 id = Convert::CInt(main.selectedText(EntryListView::ColLoginID));
        const LoginRecord record = EntryStore(c.state.LoginFile, c.ui).load(id);
        step = 4;
        const QByteArray plain = Cipher::crypt(record.Password, c.state.entryKey());
        const auto length = PasswordLengthPrefix(plain);
        if (!length)
            raiseError(ErrorNumber::TypeMismatch);
        step = 5;
        const QByteArray password = plain.mid(2, *length);
        step = 6;
        putOnClipboard(main, Ansi::toText(password), QObject::tr("Password"));
    } catch (const ClassicError &e) {
        c.ui.message(QStringLiteral("An error has occurred in ClipPassword ") + e.text() +
                     QStringLiteral("\r\nLinenum = ") + QString::number(step));
    }
}

void CopyLogin(MainWindow &main)
{
    if (main.selectedRow() < 0)
        return;
    // The list holds the stored field; its pad blanks are no part of the login.
    QString login = main.selectedText(EntryListView::ColLogin);
    while (login.endsWith(QLatin1Char(' ')))
        login.chop(1);
    putOnClipboard(main, login, QObject::tr("Login"));
}

void FindEntry(MainWindow &main)
{
    AppContext &c = main.context();
    const QString wanted =
        c.ui.prompt(QStringLiteral("Enter the text that you are searching for:"));
    if (wanted.isEmpty())
        return;
    EntryListView *list = main.entryList();
    for (int row = 0; row < list->rowCount(); ++row) {
        if (list->text(row, EntryListView::ColDescription).contains(wanted, Qt::CaseSensitive) ||
            list->text(row, EntryListView::ColLogin).contains(wanted, Qt::CaseSensitive)) {
            c.ui.message(QStringLiteral("Found, and selected the item for you."));
            list->selectRow(row);
            list->setFocus();
            return;
        }
    }
    c.ui.message(QStringLiteral("No match found"));
}

void InstallListCommands(MainWindow &main)
{
    main.setCommand(MainCommand::ClipPassword, [&main] { ClipPassword(main); });
    main.setCommand(MainCommand::CopyLogin, [&main] { CopyLogin(main); });
    main.setCommand(MainCommand::Find, [&main] { FindEntry(main); });
    main.setCommand(MainCommand::Search, [&main] {
        main.searchBox()->setFocus(Qt::ShortcutFocusReason);
        main.searchBox()->selectAll();
    });
}
