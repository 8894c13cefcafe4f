#pragma once

#include <QTreeWidget>

// ListView1: the report list of entries. Five columns, the fifth hidden; rows are found by their
// key "PQ" + LoginID. Sorting is alphabetical on one column's text, in one direction.
class EntryListView : public QTreeWidget
{
    Q_OBJECT

public:
    enum Column { ColLoginID = 0, ColDescription, ColLogin, ColExpiry, ColExpirySort };

    explicit EntryListView(QWidget *parent = nullptr);

    static QString rowKey(qint16 loginId);
    QTreeWidgetItem *findRow(const QString &key) const;
    void removeRow(const QString &key);
    static QString keyOf(const QTreeWidgetItem *row);
    static void setKey(QTreeWidgetItem *row, const QString &key);

    int sortKey() const { return m_sortKey; }
    Qt::SortOrder sortDirection() const { return m_direction; }
    void setSortKey(int key);
    void setSortDirection(Qt::SortOrder direction);
    void resort();

    // The row under a vertical position, hit-tested near the list's left edge.
    QTreeWidgetItem *rowAtHeight(int y) const;

Q_SIGNALS:
    void popupRequested(const QPoint &globalPos);
    void editRequested();
    void filesDropped(const QStringList &paths, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void selectRowAt(int y);
    bool hasSelectedCurrentRow() const;
    void popupAtCurrentRow();

    int m_sortKey = ColLoginID;
    Qt::SortOrder m_direction = Qt::AscendingOrder;
};

// A row that sorts by the plain text of the sort column, ignoring letter case.
class EntryRow : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override;
};
