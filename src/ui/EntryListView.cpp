#include "ui/EntryListView.h"

#include "entries/LoginRecord.h"
#include "ui/EntrySortProxy.h"
#include "ui/Twips.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {
QStringList localFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

// The rows hold the store's fixed-width fields; the pad blanks are not shown, so a short text is
// not cut off with an ellipsis. Due passwords stand out in their row: in bold, with a warning
// sign, and red once expired.
class EntryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &locale) const override
    {
        QString text = QStyledItemDelegate::displayText(value, locale);
        qsizetype end = text.size();
        while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
            --end;
        text.truncate(end);
        return text;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto mark = EntrySortProxy::Mark(index.data(EntrySortProxy::MarkRole).toInt());
        if (mark == EntrySortProxy::Mark::None)
            return;
        option->font.setBold(true);
        if (mark == EntrySortProxy::Mark::Expired)
            option->palette.setColor(QPalette::Text, QColor(0xb0, 0x00, 0x20));
        if (index.column() == EntryListView::ColExpiry) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->icon = option->widget->style()->standardIcon(
                mark == EntrySortProxy::Mark::Expired ? QStyle::SP_MessageBoxCritical
                                                      : QStyle::SP_MessageBoxWarning);
            option->decorationSize =
                QSize(option->fontMetrics.height(), option->fontMetrics.height());
        }
    }
};
} // namespace

EntryListView::EntryListView(QWidget *parent)
    : QTreeView(parent)
    , m_entries(new EntryTableModel(this))
    , m_proxy(new EntrySortProxy(m_entries, this))
{
    setObjectName(QStringLiteral("entryList"));
    setModel(m_proxy);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setItemDelegate(new EntryDelegate(this));
    setDropIndicatorShown(false);
    setAccessibleName(tr("Entries"));
    setColumnHidden(ColExpirySort, true);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setStretchLastSection(true);
    connect(header(), &QHeaderView::sectionClicked, this, &EntryListView::headerClicked);
}

int EntryListView::rowCount() const
{
    return m_proxy->rowCount();
}

QString EntryListView::text(int row, int column) const
{
    return m_proxy->index(row, column).data().toString();
}

QString EntryListView::keyOf(int row) const
{
    return m_proxy->index(row, 0).data(EntryTableModel::KeyRole).toString();
}

int EntryListView::findRow(const QString &key) const
{
    const int source = m_entries->findRow(key);
    if (source < 0)
        return -1;
    return m_proxy->mapFromSource(m_entries->index(source, 0)).row();
}

QRect EntryListView::rowRect(int row) const
{
    return visualRect(m_proxy->index(row, 0));
}

int EntryListView::selectedRow() const
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current))
        return current.row();
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void EntryListView::selectRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        return;
    }
    const QModelIndex at = m_proxy->index(row, 0);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    scrollTo(at);
}

void EntryListView::removeRow(const QString &key)
{
    const int source = m_entries->findRow(key);
    if (source >= 0)
        m_entries->removeRow(source);
}

void EntryListView::updateRow(const QString &key, const LoginRecord &record)
{
    const int source = m_entries->findRow(key);
    if (source < 0)
        return;
    m_entries->setRecord(source, record);
    resort();
    selectRow(findRow(key));
}

void EntryListView::setSortKey(int key)
{
    m_sortKey = key;
}

void EntryListView::setSortDirection(Qt::SortOrder direction)
{
    m_direction = direction;
}

void EntryListView::resort()
{
    m_proxy->sort(m_sortKey, m_direction);
    // The arrow stands on the column shown; the expiry key column itself is hidden.
    header()->setSortIndicator(m_sortKey == ColExpirySort ? ColExpiry : m_sortKey, m_direction);
}

void EntryListView::headerClicked(int section)
{
    // The displayed expiry text does not sort by date; the hidden column does.
    const int key = section == ColExpiry ? ColExpirySort : section;
    if (key == m_sortKey)
        m_direction = m_direction == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_sortKey = key;
    resort();
}

void EntryListView::setSearchText(const QString &text)
{
    const QString selected = keyOf(selectedRow());
    m_proxy->setSearchText(text);
    // The selection follows what is shown, so the commands act on a visible row.
    const int row = findRow(selected);
    selectRow(row >= 0 ? row : 0);
}

int EntryListView::rowAtHeight(int y) const
{
    const int x = Twips::toPixels(100, this);
    const QModelIndex at = indexAt(QPoint(x, y));
    return at.isValid() ? at.row() : -1;
}

void EntryListView::selectRowAt(int y)
{
    const int row = rowAtHeight(y);
    if (row >= 0)
        selectRow(row);
}

void EntryListView::mousePressEvent(QMouseEvent *event)
{
    selectRowAt(event->position().toPoint().y());
    QTreeView::mousePressEvent(event);
}

void EntryListView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && selectedRow() >= 0)
        Q_EMIT popupRequested(event->globalPosition().toPoint());
}

// The keyboard's ways to what the mouse does: Enter edits like a double-click, the menu key
// and Shift+F10 open the context menu at the row.
void EntryListView::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && selectedRow() >= 0) {
        Q_EMIT editRequested();
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier &&
        selectedRow() >= 0) {
        popupAtCurrentRow();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void EntryListView::contextMenuEvent(QContextMenuEvent *event)
{
    // The mouse's menu comes with the right button's release, not here.
    if (event->reason() != QContextMenuEvent::Keyboard || selectedRow() < 0) {
        event->ignore();
        return;
    }
    popupAtCurrentRow();
}

void EntryListView::popupAtCurrentRow()
{
    const QRect row = rowRect(selectedRow());
    Q_EMIT popupRequested(viewport()->mapToGlobal(row.bottomLeft()));
}

void EntryListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT editRequested();
}

void EntryListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void EntryListView::dragMoveEvent(QDragMoveEvent *event)
{
    selectRowAt(event->position().toPoint().y());
    if (localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void EntryListView::dropEvent(QDropEvent *event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Q_EMIT filesDropped(paths, event->modifiers());
}
