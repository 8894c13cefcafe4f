#include "ui/frmMain.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "entries/Expiry.h"
#include "entries/RecordFile.h"
#include "platform/Ansi.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "ui/EntryListView.h"
#include "ui/QtUi.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>

frmMain::frmMain(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmMain"));
    BusyPointer busy(m_context.ui);
    setCentralWidget(new QWidget(this));
    centralWidget()->setObjectName(QStringLiteral("centralArea"));
    m_list = new EntryListView(centralWidget());
    buildMenus();
    buildToolbar();
    buildStatusBar();
    connect(m_list, &EntryListView::popupRequested, this,
            [this](const QPoint &at) { m_popup->exec(at); });
    connect(m_list, &EntryListView::editRequested, this, [this] { run(MainCommand::EditLogin); });
    restoreGeometryFromSettings();
    setWindowTitle(QString::fromLatin1(kAppTitle));
}

frmMain::~frmMain()
{
    // Unloading clears the clipboard a second time, after the close sequence.
    QApplication::clipboard()->clear();
}

QAction *frmMain::action(MainCommand command) const
{
    const QList<QAction *> all = m_actions.values(command);
    return all.isEmpty() ? nullptr : all.last();
}

void frmMain::setCommand(MainCommand command, std::function<void()> handler)
{
    m_handlers.insert(command, std::move(handler));
    for (QAction *a : m_actions.values(command))
        a->setEnabled(true);
}

void frmMain::run(MainCommand command)
{
    const auto it = m_handlers.constFind(command);
    if (it != m_handlers.constEnd() && *it)
        (*it)();
}

QTreeWidgetItem *frmMain::selectedRow() const
{
    const QList<QTreeWidgetItem *> rows = m_list->selectedItems();
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

std::optional<qint16> frmMain::selectedLoginId() const
{
    const QTreeWidgetItem *row = selectedRow();
    if (!row)
        return std::nullopt;
    try {
        return Convert::CInt(row->text(EntryListView::ColLoginID));
    } catch (const VbError &) {
        return std::nullopt;
    }
}

void frmMain::refreshCurrentRow(const LoginRecord &record)
{
    QTreeWidgetItem *row = m_list->findRow(CurrentEntryRow);
    if (!row)
        return;
    row->setText(EntryListView::ColDescription, Ansi::toText(FitText(record.Description)));
    row->setText(EntryListView::ColLogin, Ansi::toText(FitText(record.Login)));
    row->setText(EntryListView::ColExpiry, ExpiryText(record));
    row->setText(EntryListView::ColExpirySort, ExpirySortKey(record));
    m_list->resort();
}

void frmMain::trackWindow(QWidget *window)
{
    m_windows.append(QPointer<QWidget>(window));
}

void frmMain::LoadList()
{
    BusyPointer busy(m_context.ui);
    m_list->setUpdatesEnabled(false);
    try {
        m_list->clear();
        const int width = frameGeometry().width();
        m_list->setColumnCount(5);
        m_list->setHeaderLabels({QStringLiteral("LoginID"), QStringLiteral("Description"),
                                 QStringLiteral("Login"), QStringLiteral("Expiry"), QString()});
        m_list->setColumnWidth(EntryListView::ColLoginID, width / 10);
        m_list->setColumnWidth(EntryListView::ColDescription, width / 3);
        m_list->setColumnWidth(EntryListView::ColLogin, width / 6);
        m_list->setColumnWidth(EntryListView::ColExpiry, width / 6);
        m_list->setColumnHidden(EntryListView::ColExpirySort, true);

        // Listing never needs write access, so a read-only store still lists.
        const QString &path = m_context.state.LoginFile;
        RecordFile store(path, QFileInfo::exists(path) ? RecordFile::Mode::Read
                                                       : RecordFile::Mode::ReadWriteCreate);
        store.requireAddressable();
        QList<QTreeWidgetItem *> rows;
        rows.reserve(int(store.count()));
        store.scanBackward([&rows](qint64, const char *bytes) {
            const LoginRecord r = LoginRecord::decode(bytes);
            if (r.Deleted)
                return false;
            auto *row =
                new EntryRow(QStringList{QString::number(r.LoginID), Ansi::toText(r.Description),
                                         Ansi::toText(r.Login), ExpiryText(r), ExpirySortKey(r)});
            EntryListView::setKey(row, EntryListView::rowKey(r.LoginID));
            rows.append(row);
            return false;
        });
        m_list->addTopLevelItems(rows);
        readSortSettings();
        m_list->resort();
    } catch (const VbError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred in frmMain_LoadList ") +
                             e.text());
    }
    m_list->setUpdatesEnabled(true);
}

void frmMain::readSortSettings()
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

void frmMain::restoreGeometryFromSettings()
{
    const Settings &s = m_context.settings;
    // A value the program did not write falls back to its default.
    auto twips = [&s](const SettingKey &key) {
        try {
            return s.getDouble(key);
        } catch (const VbError &) {
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

void frmMain::saveGeometryToSettings()
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
    } catch (const VbError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred in frmMain_Unload ") + e.text());
    }
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyResizeRule();
}

void frmMain::applyResizeRule()
{
    const QRect outer = frameGeometry();
    const int width = Twips::toPixels(Twips::fromPixels(outer.width(), this) - 400, this);
    const int height = Twips::toPixels(Twips::fromPixels(outer.height(), this) - 1500, this);
    const QSize area = centralWidget()->size();
    QSize size = m_list->size();
    // A size that cannot be applied keeps the previous one; the list never spills past its area.
    if (width > 0)
        size.setWidth(std::min(width, area.width()));
    if (height > 0)
        size.setHeight(std::min(height, area.height()));
    m_list->setGeometry(QRect(QPoint(0, 0), size));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    QApplication::clipboard()->clear();
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        if (*it)
            (*it)->close();
    }
    m_windows.clear();
    if (!isMinimized())
        saveGeometryToSettings();
    event->accept();
}

QAction *frmMain::makeAction(MainCommand command, const QString &text, const QString &objectName)
{
    auto *a = new QAction(text, this);
    a->setObjectName(objectName);
    a->setEnabled(m_handlers.contains(command));
    connect(a, &QAction::triggered, this, [this, command] { run(command); });
    m_actions.insert(command, a);
    return a;
}
