#include "ui/EntryListView.h"

#include "ui/Twips.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyledItemDelegate>

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

// The rows hold the store's fixed-width fields; the pad blanks are not shown, so a short text
// is not cut off with an ellipsis.
class UnpaddedText : public QStyledItemDelegate
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
};
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
    setItemDelegate(new UnpaddedText(this));
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

bool EntryListView::hasSelectedCurrentRow() const
{
    return currentItem() && currentItem()->isSelected();
}

void EntryListView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && hasSelectedCurrentRow())
        Q_EMIT popupRequested(event->globalPosition().toPoint());
}

// The keyboard's ways to what the mouse does: Enter edits like a double-click, the menu key
// and Shift+F10 open the context menu at the row.
void EntryListView::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && hasSelectedCurrentRow()) {
        Q_EMIT editRequested();
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier &&
        hasSelectedCurrentRow()) {
        popupAtCurrentRow();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void EntryListView::contextMenuEvent(QContextMenuEvent *event)
{
    // The mouse's menu comes with the right button's release, not here.
    if (event->reason() != QContextMenuEvent::Keyboard || !hasSelectedCurrentRow()) {
        event->ignore();
        return;
    }
    popupAtCurrentRow();
}

void EntryListView::popupAtCurrentRow()
{
    const QRect row = visualItemRect(currentItem());
    Q_EMIT popupRequested(viewport()->mapToGlobal(row.bottomLeft()));
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
