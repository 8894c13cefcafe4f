#include "ui/EntryListView.h"

#include "ui/Twips.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;

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
} // namespace

bool EntryRow::operator<(const QTreeWidgetItem &other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
}

EntryListView::EntryListView(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("ListView1"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setAccessibleName(tr("Entries"));
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        // The displayed expiry text does not sort by date; the hidden column does.
        setSortKey(section == ColExpiry ? ColExpirySort : section);
        resort();
    });
}

QString EntryListView::rowKey(qint16 loginId)
{
    return QStringLiteral("PQ") + QString::number(loginId);
}

QString EntryListView::keyOf(const QTreeWidgetItem *row)
{
    return row ? row->data(ColLoginID, kKeyRole).toString() : QString();
}

void EntryListView::setKey(QTreeWidgetItem *row, const QString &key)
{
    row->setData(ColLoginID, kKeyRole, key);
}

QTreeWidgetItem *EntryListView::findRow(const QString &key) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (keyOf(topLevelItem(i)) == key)
            return topLevelItem(i);
    }
    return nullptr;
}

void EntryListView::removeRow(const QString &key)
{
    delete findRow(key);
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
    sortItems(m_sortKey, m_direction);
}

QTreeWidgetItem *EntryListView::rowAtHeight(int y) const
{
    const int x = Twips::toPixels(100, this);
    return itemAt(QPoint(x, y));
}

void EntryListView::selectRowAt(int y)
{
    if (QTreeWidgetItem *row = rowAtHeight(y))
        setCurrentItem(row);
}

void EntryListView::mousePressEvent(QMouseEvent *event)
{
    selectRowAt(event->position().toPoint().y());
    QTreeWidget::mousePressEvent(event);
}

void EntryListView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && currentItem() && currentItem()->isSelected())
        Q_EMIT popupRequested(event->globalPosition().toPoint());
}

void EntryListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
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
