#pragma once

#include <QSortFilterProxyModel>
#include <optional>
#include <string>

class EntryTableModel;

// The list's order and search over the entry table: alphabetical on one column's text (letter
// case aside), rows kept whose description or login holds the search text, and a mark on
// entries whose password is due.
class EntrySortProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    enum class Mark { None = 0, DueSoon, Expired };
    static constexpr int MarkRole = Qt::UserRole + 10;
    // How far ahead an entry counts as due soon.
    static constexpr int DueSoonDays = 7;

    explicit EntrySortProxy(EntryTableModel *entries, QObject *parent = nullptr);

    // Keeps only rows whose description or login holds the text, in any letter case.
    void setSearchText(const QString &text);
    const QString &searchText() const { return m_searchText; }

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Mark markOf(const QModelIndex &index) const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    EntryTableModel *m_entries;
    QString m_searchText;
    std::optional<std::u16string> m_needle;
};
