#include "ui/EntrySortProxy.h"

#include "platform/Clock.h"
#include "ui/EntryTableModel.h"

EntrySortProxy::EntrySortProxy(EntryTableModel *entries, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_entries(entries)
{
    setSourceModel(entries);
    // A search or a reload keeps the order in force.
    setDynamicSortFilter(true);
}

void EntrySortProxy::setSearchText(const QString &text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    m_needle = EntryTableModel::fold(text);
    invalidateFilter();
}

bool EntrySortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return m_entries->compare(left.row(), right.row(), sortColumn()) < 0;
}

bool EntrySortProxy::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_searchText.isEmpty())
        return true;
    return m_needle && m_entries->contains(sourceRow, *m_needle);
}

EntrySortProxy::Mark EntrySortProxy::markOf(const QModelIndex &index) const
{
    const QDateTime due = index.data(EntryTableModel::ExpiryRole).toDateTime();
    if (!due.isValid())
        return Mark::None;
    const QDateTime now = Clock::now();
    if (due <= now)
        return Mark::Expired;
    return due <= now.addDays(DueSoonDays) ? Mark::DueSoon : Mark::None;
}

QVariant EntrySortProxy::data(const QModelIndex &index, int role) const
{
    if (role == MarkRole)
        return int(markOf(index));
    if (role == Qt::ToolTipRole && index.column() == EntryTableModel::ColExpiry) {
        switch (markOf(index)) {
        case Mark::Expired:
            return tr("The password has expired: time to change it");
        case Mark::DueSoon:
            return tr("The password is due for a change within %1 days").arg(DueSoonDays);
        case Mark::None:
            return {};
        }
    }
    return QSortFilterProxyModel::data(index, role);
}
