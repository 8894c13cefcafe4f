#pragma once

#include "ui/EntryTableModel.h"

#include <QTreeView>

class EntrySortProxy;
struct LoginRecord;

// entryList: the report list of entries over a table model and a sort/filter proxy. Five
// columns, the fifth hidden; rows are found by their key "PQ" + LoginID. Rows are addressed in
// display order (the order and search in force).
class EntryListView : public QTreeView
{
    Q_OBJECT

public:
    enum Column {
        ColLoginID = EntryTableModel::ColLoginID,
        ColDescription = EntryTableModel::ColDescription,
        ColLogin = EntryTableModel::ColLogin,
        ColExpiry = EntryTableModel::ColExpiry,
        ColExpirySort = EntryTableModel::ColExpirySort,
    };

    explicit EntryListView(QWidget *parent = nullptr);

    EntryTableModel *entries() const { return m_entries; }
    EntrySortProxy *proxy() const { return m_proxy; }

    static QString rowKey(qint16 loginId) { return EntryTableModel::rowKey(loginId); }
    // Rows shown and their cells, in display order.
    int rowCount() const;
    QString text(int row, int column) const;
    QString keyOf(int row) const;
    // The shown row of a key, or -1.
    int findRow(const QString &key) const;
    QRect rowRect(int row) const;
    // The selected row, or -1.
    int selectedRow() const;
    // Selects the row, makes it current and shows it; -1 clears the selection.
    void selectRow(int row);
    void removeRow(const QString &key);
    // Shows a stored entry's new fields in the row of its key and keeps the order.
    void updateRow(const QString &key, const LoginRecord &record);

    int sortKey() const { return m_sortKey; }
    Qt::SortOrder sortDirection() const { return m_direction; }
    void setSortKey(int key);
    void setSortDirection(Qt::SortOrder direction);
    void resort();

    // Shows only the entries whose description or login holds the text.
    void setSearchText(const QString &text);

    // The row under a vertical position, hit-tested near the list's left edge; -1 for none.
    int rowAtHeight(int y) const;

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
    void headerClicked(int section);
    void popupAtCurrentRow();

    EntryTableModel *m_entries = nullptr;
    EntrySortProxy *m_proxy = nullptr;
    int m_sortKey = ColLoginID;
    Qt::SortOrder m_direction = Qt::AscendingOrder;
};
