#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class Settings;

// A live entry as a row of the window program's list: the store's fields as read, pad blanks
// included, and the expiry texts.
struct ListedEntry
{
    qint16 id = 0;
    QString idText;
    QString description;
    QString login;
    QString expiry;
    QString expirySortKey;
    double expireStart = 0.0;
    qint16 expireDays = 0;
};

enum class ListColumn { Id, Description, Login, Expiry };

struct ListOrder
{
    ListColumn column = ListColumn::Id;
    bool descending = false;
};

// The list's order from the settings: the order keys compared with "True" exactly, Expiry
// before Login before Description before ID, and "OrderDirection" 1 for descending. Raises
// VbError 13 for a direction that is no number.
ListOrder ListOrderFromSettings(const Settings &settings);

// The live entries, newest record first, as the list takes them in. No store yet is an empty
// list. Raises VbError when the store cannot be read or holds more records than ids can number.
QList<ListedEntry> ReadLiveEntries(const QString &loginFile);

// The list's sort: the column's cell texts compared alphabetically, ignoring letter case; ids
// therefore sort as text and expiry by its "yyyymmdd" key. Rows that compare equal keep the
// order they came in.
void SortEntries(QList<ListedEntry> &entries, const ListOrder &order);

// The text without the blanks that pad it at its end.
QString WithoutTrailingBlanks(const QString &text);
