// The main window's menu bar, toolbar and status bar.
#include "ui/EntryListView.h"
#include "ui/MainWindow.h"

#include "app/Settings.h"
#include "platform/ClassicError.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>

namespace {
struct ToolButton
{
    const char *key;
    const char *tooltip;
    MainCommand command;
    const char *themeIcon;
    QStyle::StandardPixmap fallback;
    bool separatorAfter;
};

// In order; the dispatch compares the key text exactly.
const ToolButton kToolButtons[] = {
    {"Import", "Import File", MainCommand::Import, "document-import", QStyle::SP_DialogOpenButton,
     false},
    {"Export", "Export Data", MainCommand::Export, "document-export", QStyle::SP_DialogSaveButton,
     true},
    {"NewLogin", "Add a new login", MainCommand::NewLogin, "list-add", QStyle::SP_FileIcon, false},
    {"Clip", "Put the selected password into the clipboard", MainCommand::ClipPassword, "edit-copy",
     QStyle::SP_FileDialogDetailedView, false},
    {"Delete", "Delete the current item", MainCommand::DeleteLogin, "list-remove",
     QStyle::SP_TrashIcon, true},
    {"Find", "Find an item with a search string", MainCommand::Find, "edit-find",
     QStyle::SP_FileDialogContentsView, false},
    {"Asc", "Sort the list in ascending order", MainCommand::Asc, "view-sort-ascending",
     QStyle::SP_ArrowUp, false},
    {"Desc", "Sort the list in descending order", MainCommand::Desc, "view-sort-descending",
     QStyle::SP_ArrowDown, true},
    {"Options", "Change Options", MainCommand::Options, "preferences-system",
     QStyle::SP_FileDialogListView, false},
    {"LogViewer", "Display the log viewer", MainCommand::ViewLogs, "text-x-generic",
     QStyle::SP_FileDialogInfoView, false},
    {"FileVault", "Open the file encryption utility", MainCommand::FileVault, "security-high",
     QStyle::SP_DriveHDIcon, true},
    {"Help", "Display Help", MainCommand::HelpContents, "help-contents",
     QStyle::SP_DialogHelpButton, false},
};
} // namespace

namespace {
// Shows the key in the menu; the menu bar's item is the one that listens for it.
QAction *withKey(QAction *action, const QKeySequence &key)
{
    action->setShortcut(key);
    return action;
}

// The desktop's own key for the command, or the usual one where the desktop names none.
QKeySequence standardKey(QKeySequence::StandardKey key, QKeyCombination usual)
{
    const QList<QKeySequence> bound = QKeySequence::keyBindings(key);
    return bound.isEmpty() ? QKeySequence(usual) : bound.constFirst();
}

// The context menu shows the same keys without listening for them, so no key has two items.
void showKeysOnly(QMenu *menu, const QList<QAction *> &menuBarItems)
{
    for (QAction *item : menu->actions()) {
        for (QAction *twin : menuBarItems) {
            if (twin->shortcut().isEmpty() ||
                twin->property("command") != item->property("command"))
                continue;
            item->setShortcut(twin->shortcut());
            item->setShortcutContext(Qt::WidgetShortcut);
        }
    }
}
} // namespace

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addAction(
        makeAction(MainCommand::Import, QStringLiteral("&Import"), QStringLiteral("importAction")));
    file->addAction(
        makeAction(MainCommand::Export, QStringLiteral("&Export"), QStringLiteral("exportAction")));
    file->addAction(makeAction(MainCommand::ExportText, QStringLiteral("Export to &Text"),
                               QStringLiteral("exportTextAction")));
    file->addSeparator();
    file->addAction(withKey(
        makeAction(MainCommand::Exit, QStringLiteral("E&xit"), QStringLiteral("exitAction")),
        standardKey(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q)));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->addAction(withKey(makeAction(MainCommand::NewLogin, QStringLiteral("&New Login"),
                                       QStringLiteral("newLoginAction")),
                            standardKey(QKeySequence::New, Qt::CTRL | Qt::Key_N)));
    // Enter belongs to the list (and to whatever else has the focus); the menu only names it.
    edit->addAction(makeAction(MainCommand::EditLogin, QStringLiteral("Edit &Login\tEnter"),
                               QStringLiteral("editLoginAction")));
    edit->addAction(withKey(makeAction(MainCommand::ClipPassword, QStringLiteral("&Copy Password"),
                                       QStringLiteral("copyPasswordAction")),
                            standardKey(QKeySequence::Copy, Qt::CTRL | Qt::Key_C)));
    edit->addAction(withKey(makeAction(MainCommand::CopyLogin, QStringLiteral("Copy Lo&gin"),
                                       QStringLiteral("copyLoginAction")),
                            QKeySequence(Qt::CTRL | Qt::Key_B)));
    edit->addAction(withKey(makeAction(MainCommand::DeleteLogin, QStringLiteral("&Delete Login"),
                                       QStringLiteral("deleteLoginAction")),
                            QKeySequence(Qt::Key_Delete)));
    edit->addAction(withKey(makeAction(MainCommand::UndoDelete, QStringLiteral("&Undo Delete"),
                                       QStringLiteral("undoDeleteAction")),
                            standardKey(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z)));
    edit->addSeparator();
    edit->addAction(withKey(
        makeAction(MainCommand::Search, QStringLiteral("&Find"), QStringLiteral("findAction")),
        standardKey(QKeySequence::Find, Qt::CTRL | Qt::Key_F)));

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    QAction *statusBarItem = makeAction(MainCommand::ToggleStatusBar, QStringLiteral("Status &Bar"),
                                        QStringLiteral("statusBarAction"));
    statusBarItem->setCheckable(true);
    statusBarItem->setChecked(true);
    view->addAction(statusBarItem);
    view->addSeparator();
    view->addAction(makeAction(MainCommand::ViewLogs, QStringLiteral("View &Logs"),
                               QStringLiteral("viewLogsAction")));
    view->addAction(withKey(makeAction(MainCommand::Options, QStringLiteral("&Options..."),
                                       QStringLiteral("optionsAction")),
                            QKeySequence(Qt::CTRL | Qt::Key_Comma)));
    QAction *tipsItem = makeAction(MainCommand::ToggleTips, QStringLiteral("Show Tips on Startup"),
                                   QStringLiteral("tipsAction"));
    tipsItem->setCheckable(true);
    // The mark shows what the next start will do.
    try {
        tipsItem->setChecked(m_context.settings.getLong(Setting::ShowTipsAtStartup) != 0);
    } catch (const ClassicError &) {
        tipsItem->setChecked(true);
    }
    view->addAction(tipsItem);
    view->addAction(withKey(makeAction(MainCommand::Refresh, QStringLiteral("&Refresh"),
                                       QStringLiteral("refreshAction")),
                            QKeySequence(Qt::Key_F5)));

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("toolsMenu"));
    tools->addAction(makeAction(MainCommand::FileVault, QStringLiteral("File Encrypt/Decrypt"),
                                QStringLiteral("fileVaultAction")));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    help->addAction(withKey(makeAction(MainCommand::HelpContents, QStringLiteral("&Contents"),
                                       QStringLiteral("helpContentsAction")),
                            standardKey(QKeySequence::HelpContents, Qt::Key_F1)));
    help->addAction(makeAction(MainCommand::HelpSearch, QStringLiteral("&Search For Help On..."),
                               QStringLiteral("helpSearchAction")));
    help->addSeparator();
    help->addAction(makeAction(MainCommand::About, QStringLiteral("&About Pellora"),
                               QStringLiteral("aboutAction")));

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("popupMenu"));
    m_popup->addAction(
        makeAction(MainCommand::NewLogin, QStringLiteral("New"), QStringLiteral("popupNewAction")));
    m_popup->addAction(makeAction(MainCommand::ClipPassword, QStringLiteral("Clip Password"),
                                  QStringLiteral("popupCopyPasswordAction")));
    m_popup->addAction(makeAction(MainCommand::CopyLogin, QStringLiteral("Copy Login"),
                                  QStringLiteral("popupCopyLoginAction")));
    m_popup->addAction(makeAction(MainCommand::EditLogin, QStringLiteral("Edit"),
                                  QStringLiteral("popupEditAction")));
    m_popup->addAction(makeAction(MainCommand::DeleteLogin, QStringLiteral("Delete"),
                                  QStringLiteral("popupDeleteAction")));
    showKeysOnly(m_popup, edit->actions());
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->setMovable(false);
    for (const ToolButton &b : kToolButtons) {
        const QString key = QString::fromLatin1(b.key);
        const QIcon icon =
            QIcon::fromTheme(QString::fromLatin1(b.themeIcon), style()->standardIcon(b.fallback));
        QAction *a = m_toolbar->addAction(icon, key);
        a->setObjectName(key);
        a->setToolTip(QString::fromLatin1(b.tooltip));
        a->setEnabled(m_handlers.contains(b.command));
        connect(a, &QAction::triggered, this, [this, key] { runToolbarButton(key); });
        m_actions.insert(b.command, a);
        if (b.separatorAfter)
            m_toolbar->addSeparator();
    }
}

void MainWindow::runToolbarButton(const QString &key)
{
    for (const ToolButton &b : kToolButtons) {
        if (key == QLatin1String(b.key)) {
            run(b.command);
            return;
        }
    }
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_status = new QLabel(QStringLiteral("Status"), bar);
    m_status->setObjectName(QStringLiteral("statusText"));
    m_statusDate = new QLabel(bar);
    m_statusDate->setObjectName(QStringLiteral("statusDate"));
    m_statusTime = new QLabel(bar);
    m_statusTime->setObjectName(QStringLiteral("statusTime"));
    bar->addWidget(m_status, 1);
    bar->addPermanentWidget(m_statusDate);
    bar->addPermanentWidget(m_statusTime);
    auto refresh = [this] {
        const QLocale locale;
        m_statusDate->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
        m_statusTime->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    };
    refresh();
    auto *clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, refresh);
    clock->start(1000);
}
