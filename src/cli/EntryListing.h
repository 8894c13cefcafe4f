#pragma once

#include "cli/StoreSnapshot.h"

#include <QString>
#include <functional>
#include <vector>

class Settings;

enum class ListColumn { Id, Description, Login, Expiry };

struct ListOrder
{
    ListColumn column = ListColumn::Id;
    bool descending = false;
};

// The list's order from the settings: the order keys compared with "True" exactly, Expiry
// before Login before Description before ID, and "OrderDirection" 1 for descending. Raises
// ClassicError 13 for a direction that is no number.
ListOrder ListOrderFromSettings(const Settings &settings);

// The live entries of the store in the window program's list: taken in newest record first,
// then sorted as the list sorts. The rows are the snapshot's records.
class EntryListing
{
public:
    // Raises ClassicError as StoreSnapshot does.
    explicit EntryListing(const QString &loginFile);

    const std::vector<const char *> &rows() const { return m_rows; }
    void keepOnly(const std::function<bool(const char *record)> &wanted);
    // The list's sort: the column's cell texts compared alphabetically, ignoring letter case;
    // ids therefore sort as text and expiry by its "yyyymmdd" key. Rows that compare equal keep
    // the order they came in.
    void sort(const ListOrder &order);

private:
    StoreSnapshot m_store;
    std::vector<const char *> m_rows;
};
