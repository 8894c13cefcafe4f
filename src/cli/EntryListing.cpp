#include "cli/EntryListing.h"

#include "app/Settings.h"
#include "entries/Expiry.h"
#include "entries/LoginRecord.h"
#include "entries/RecordFile.h"
#include "platform/Ansi.h"

#include <QFile>
#include <algorithm>

namespace {
const QString &cellOf(const ListedEntry &entry, ListColumn column)
{
    switch (column) {
    case ListColumn::Description:
        return entry.description;
    case ListColumn::Login:
        return entry.login;
    case ListColumn::Expiry:
        return entry.expirySortKey;
    case ListColumn::Id:
        break;
    }
    return entry.idText;
}
} // namespace

ListOrder ListOrderFromSettings(const Settings &settings)
{
    const QString yes = QStringLiteral("True");
    ListOrder order;
    if (settings.get(Setting::OrderByID) == yes)
        order.column = ListColumn::Id;
    if (settings.get(Setting::OrderByDescription) == yes)
        order.column = ListColumn::Description;
    if (settings.get(Setting::OrderByLogin) == yes)
        order.column = ListColumn::Login;
    if (settings.get(Setting::OrderByExpiry) == yes)
        order.column = ListColumn::Expiry;
    order.descending = settings.getLong(Setting::OrderDirection) == 1;
    return order;
}

QList<ListedEntry> ReadLiveEntries(const QString &loginFile)
{
    QList<ListedEntry> entries;
    if (!QFile::exists(loginFile))
        return entries;
    RecordFile store(loginFile, RecordFile::Mode::Read);
    store.requireAddressable();
    entries.reserve(store.count());
    store.scanBackward([&entries](qint64, const char *bytes) {
        const LoginRecord r = LoginRecord::decode(bytes);
        if (r.Deleted)
            return false;
        entries.append({r.LoginID, QString::number(r.LoginID), Ansi::toText(r.Description),
                        Ansi::toText(r.Login), ExpiryText(r), ExpirySortKey(r), r.ExpireStart,
                        r.ExpireDays});
        return false;
    });
    return entries;
}

void SortEntries(QList<ListedEntry> &entries, const ListOrder &order)
{
    const ListColumn column = order.column;
    auto less = [column](const ListedEntry &a, const ListedEntry &b) {
        return cellOf(a, column).compare(cellOf(b, column), Qt::CaseInsensitive) < 0;
    };
    if (order.descending)
        std::stable_sort(
            entries.begin(), entries.end(),
            [&less](const ListedEntry &a, const ListedEntry &b) { return less(b, a); });
    else
        std::stable_sort(entries.begin(), entries.end(), less);
}

QString WithoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}
