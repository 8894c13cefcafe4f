#include "cli/EntryListing.h"

#include "app/Settings.h"
#include "entries/Expiry.h"
#include "entries/LoginRecord.h"
#include "platform/Ansi.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cstring>

namespace {
// Each byte's character, case-folded: comparing folded characters orders the stored texts
// exactly as the list's comparison that ignores letter case does.
std::array<char16_t, 256> foldedCharacters()
{
    std::array<char16_t, 256> folded{};
    for (int b = 0; b < 256; ++b)
        folded[size_t(b)] =
            char16_t(QChar::toCaseFolded(Ansi::toText(QByteArray(1, char(b))).at(0).unicode()));
    return folded;
}

int compareFolded(const std::array<char16_t, 256> &folded, const char *a, const char *b)
{
    for (int i = 0; i < LoginRecord::TextWidth; ++i) {
        const char16_t x = folded[uchar(a[i])];
        const char16_t y = folded[uchar(b[i])];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

// A cell text that orders as a plain byte string: the id or the expiry key, both ASCII.
using TextKey = std::array<char, 16>;

TextKey textKey(const QByteArray &text)
{
    TextKey key{};
    std::memcpy(key.data(), text.constData(), size_t(qMin<qsizetype>(text.size(), 15)));
    return key;
}

TextKey cellKey(const char *record, ListColumn column)
{
    if (column == ListColumn::Expiry)
        return textKey(ExpirySortKey(LoginRecord::decode(record)).toLatin1());
    return textKey(QByteArray::number(ReadInt16(record + RecordOffset::LoginID)));
}

template <typename T, typename Less>
void stableSort(std::vector<T> &items, bool descending, const Less &less)
{
    if (descending)
        std::stable_sort(items.begin(), items.end(),
                         [&less](const T &a, const T &b) { return less(b, a); });
    else
        std::stable_sort(items.begin(), items.end(), less);
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

EntryListing::EntryListing(const QString &loginFile)
    : m_store(loginFile)
{
    m_rows.reserve(size_t(m_store.count()));
    for (qint64 n = m_store.count() - 1; n >= 0; --n) {
        const char *record = m_store.record(n);
        if (ReadInt16(record + RecordOffset::Deleted) == 0)
            m_rows.push_back(record);
    }
}

void EntryListing::keepOnly(const std::function<bool(const char *)> &wanted)
{
    std::erase_if(m_rows, [&wanted](const char *record) { return !wanted(record); });
}

void EntryListing::sort(const ListOrder &order)
{
    if (order.column == ListColumn::Description || order.column == ListColumn::Login) {
        const int offset = order.column == ListColumn::Description ? RecordOffset::Description
                                                                   : RecordOffset::Login;
        const std::array<char16_t, 256> folded = foldedCharacters();
        stableSort(m_rows, order.descending, [&folded, offset](const char *a, const char *b) {
            return compareFolded(folded, a + offset, b + offset) < 0;
        });
        return;
    }
    // Ids and expiry keys are worked out once per row, not once per comparison.
    std::vector<std::pair<const char *, TextKey>> keyed;
    keyed.reserve(m_rows.size());
    for (const char *record : m_rows)
        keyed.emplace_back(record, cellKey(record, order.column));
    stableSort(
        keyed, order.descending,
        [](const std::pair<const char *, TextKey> &a, const std::pair<const char *, TextKey> &b) {
            return std::strcmp(a.second.data(), b.second.data()) < 0;
        });
    for (size_t i = 0; i < keyed.size(); ++i)
        m_rows[i] = keyed[i].first;
}
