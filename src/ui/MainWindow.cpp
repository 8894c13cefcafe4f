#include "ui/MainWindow.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "entries/RecordFile.h"
#include "platform/ClassicError.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "ui/EntryListView.h"
#include "ui/QtUi.h"
#include "ui/SearchBox.h"
#include "ui/SecretClipboard.h"
#include "ui/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_clipboard(new SecretClipboard(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    BusyPointer busy(m_context.ui);
    setCentralWidget(new QWidget(this));
    centralWidget()->setObjectName(QStringLiteral("centralArea"));
    m_list = new EntryListView(centralWidget());
    buildSearchBox();
    auto *layout = new QVBoxLayout(centralWidget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    followClipboard();
    connect(m_list, &EntryListView::popupRequested, this,
            [this](const QPoint &at) { m_popup->exec(at); });
    connect(m_list, &EntryListView::editRequested, this, [this] { run(MainCommand::EditLogin); });
    restoreGeometryFromSettings();
    setWindowTitle(QString::fromLatin1(kAppTitle));
}

MainWindow::~MainWindow()
{
    // Unloading clears the clipboard a second time, after the close sequence.
    m_clipboard->clearIfOurs();
}

void MainWindow::buildSearchBox()
{
    auto *search = new SearchBox(centralWidget());
    m_search = search;
    connect(search, &QLineEdit::textChanged, m_list, &EntryListView::setSearchText);
    connect(search, &SearchBox::leaveRequested, m_list, [this] { m_list->setFocus(); });
    connect(search, &SearchBox::copyRequested, this, [this] { run(MainCommand::ClipPassword); });
    connect(search, &SearchBox::editFirstRequested, this, [this] {
        if (m_list->rowCount() == 0)
            return;
        m_list->selectRow(0);
        run(MainCommand::EditLogin);
    });
}

void MainWindow::followClipboard()
{
    connect(m_clipboard, &SecretClipboard::countdown, this, [this](int left) {
        showStatus(tr("%1 copied; clears in %2 s").arg(m_clipboard->what()).arg(left));
    });
    connect(m_clipboard, &SecretClipboard::expired, this, [this](bool ours) {
        if (ours)
            showStatus(tr("Clipboard cleared"));
    });
}

QAction *MainWindow::action(MainCommand command) const
{
    const QList<QAction *> all = m_actions.values(command);
    return all.isEmpty() ? nullptr : all.last();
}

void MainWindow::setCommand(MainCommand command, std::function<void()> handler)
{
    m_handlers.insert(command, std::move(handler));
    for (QAction *a : m_actions.values(command))
        a->setEnabled(true);
}

void MainWindow::setCommandEnabled(MainCommand command, bool enabled)
{
    for (QAction *a : m_actions.values(command))
        a->setEnabled(enabled && m_handlers.contains(command));
}

void MainWindow::run(MainCommand command)
{
    const auto it = m_handlers.constFind(command);
    if (it != m_handlers.constEnd() && *it)
        (*it)();
}

int MainWindow::selectedRow() const
{
    return m_list->selectedRow();
}

QString MainWindow::selectedText(int column) const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_list->text(row, column);
}

std::optional<qint16> MainWindow::selectedLoginId() const
{
    if (selectedRow() < 0)
        return std::nullopt;
    try {
        return Convert::CInt(selectedText(EntryListView::ColLoginID));
    } catch (const ClassicError &) {
        return std::nullopt;
    }
}

void MainWindow::selectEntry(qint16 loginId)
{
    const int row = m_list->findRow(EntryListView::rowKey(loginId));
    if (row >= 0)
        m_list->selectRow(row);
}

void MainWindow::refreshCurrentRow(const LoginRecord &record)
{
    m_list->updateRow(CurrentEntryRow, record);
}

void MainWindow::showStatus(const QString &text)
{
    m_status->setText(text);
}

QString MainWindow::statusText() const
{
    return m_status->text();
}

void MainWindow::trackWindow(QWidget *window)
{
    m_windows.append(QPointer<QWidget>(window));
}

void MainWindow::loadList()
{
    BusyPointer busy(m_context.ui);
    const QString selected = m_list->keyOf(m_list->selectedRow());
    m_list->setUpdatesEnabled(false);
    try {
        m_list->entries()->clear();
        setColumnWidths();
        // Listing never needs write access, so a read-only store still lists.
        const QString &path = m_context.state.LoginFile;
        RecordFile store(path, QFileInfo::exists(path) ? RecordFile::Mode::Read
                                                       : RecordFile::Mode::ReadWriteCreate);
        store.requireAddressable();
        m_list->entries()->load(store.readAll());
        readSortSettings();
        m_list->resort();
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred in frmMain_LoadList ") +
                             e.text());
    }
    m_list->setUpdatesEnabled(true);
    const int row = m_list->findRow(selected);
    m_list->selectRow(row >= 0 ? row : 0);
    m_deleted.forgetCompacted(m_context.state.LoginFile);
    setCommandEnabled(MainCommand::UndoDelete, !m_deleted.isEmpty());
}

// The Parts' proportions of the window's width, a header never cut, the last column stretching.
void MainWindow::setColumnWidths()
{
    const int width = frameGeometry().width();
    QHeaderView *header = m_list->header();
    m_list->setColumnWidth(
        EntryListView::ColLoginID,
        std::max(width / 10, header->sectionSizeHint(EntryListView::ColLoginID)));
    m_list->setColumnWidth(EntryListView::ColDescription, width / 3);
    m_list->setColumnWidth(EntryListView::ColLogin, width / 6);
    m_list->setColumnWidth(EntryListView::ColExpiry, width / 6);
}

void MainWindow::readSortSettings()
{
    const Settings &s = m_context.settings;
    const QString yes = QStringLiteral("True");
    // A later match overrides an earlier one: Expiry, then Login, then Description, then ID.
    if (s.get(Setting::OrderByID) == yes)
        m_list->setSortKey(EntryListView::ColLoginID);
    if (s.get(Setting::OrderByDescription) == yes)
        m_list->setSortKey(EntryListView::ColDescription);
    if (s.get(Setting::OrderByLogin) == yes)
        m_list->setSortKey(EntryListView::ColLogin);
    if (s.get(Setting::OrderByExpiry) == yes)
        m_list->setSortKey(EntryListView::ColExpirySort);
    const qint32 direction = s.getLong(Setting::OrderDirection);
    m_list->setSortDirection(direction == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void MainWindow::restoreGeometryFromSettings()
{
    const Settings &s = m_context.settings;
    // A value the program did not write falls back to its default.
    auto twips = [&s](const SettingKey &key) {
        try {
            return s.getDouble(key);
        } catch (const ClassicError &) {
            return Convert::CDbl(QString::fromLatin1(key.defaultValue));
        }
    };
    const QRect wanted(Twips::toPixels(twips(Setting::MainLeft), this),
                       Twips::toPixels(twips(Setting::MainTop), this),
                       std::max(1, Twips::toPixels(twips(Setting::MainWidth), this)),
                       std::max(1, Twips::toPixels(twips(Setting::MainHeight), this)));
    const QRect placed = OnScreen(wanted);
    move(placed.topLeft());
    resize(placed.size());
}

void MainWindow::saveGeometryToSettings()
{
    // Position of the frame, size of the window's inside: exactly what the restore applies.
    const QRect g(pos(), size());
    Settings &s = m_context.settings;
    auto number = [this](int pixels) {
        return QString::number(float(Twips::fromPixels(pixels, this)));
    };
    try {
        s.save(Setting::MainLeft, number(g.left()));
        s.save(Setting::MainTop, number(g.top()));
        s.save(Setting::MainWidth, number(g.width()));
        s.save(Setting::MainHeight, number(g.height()));
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred in frmMain_Unload ") + e.text());
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_clipboard->clearIfOurs();
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        if (*it)
            (*it)->close();
    }
    m_windows.clear();
    if (!isMinimized())
        saveGeometryToSettings();
    event->accept();
}

QAction *MainWindow::makeAction(MainCommand command, const QString &text, const QString &objectName)
{
    auto *a = new QAction(text, this);
    a->setObjectName(objectName);
    a->setProperty("command", int(command));
    a->setEnabled(m_handlers.contains(command));
    connect(a, &QAction::triggered, this, [this, command] { run(command); });
    m_actions.insert(command, a);
    return a;
}
