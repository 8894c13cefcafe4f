#include "ui/EntryTableModel.h"

#include "entries/Expiry.h"
#include "entries/LoginRecord.h"
#include "platform/Ansi.h"
#include "platform/Convert.h"

#include <array>
#include <limits>

namespace {
// Each windows-1252 byte as the letter-case-blind comparison of texts sees it.
const std::array<char16_t, 256> &foldTable()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = Ansi::toText(QByteArray(1, char(b))).at(0).toCaseFolded().unicode();
        return t;
    }();
    return table;
}

// A field without the blanks that pad it to its width.
int usedWidth(const char *field)
{
    int n = LoginRecord::TextWidth;
    while (n > 0 && field[n - 1] == ' ')
        --n;
    return n;
}

bool holds(const char *field, const std::u16string &needle)
{
    const auto &fold = foldTable();
    const int n = usedWidth(field);
    const int m = int(needle.size());
    for (int start = 0; start + m <= n; ++start) {
        int i = 0;
        while (i < m && fold[uchar(field[start + i])] == needle[size_t(i)])
            ++i;
        if (i == m)
            return true;
    }
    return false;
}

// Read in place: decoding every record whole would cost a full store's load several times over.
constexpr int kExpireDaysOffset = RecordOffset::Deleted + 2;
constexpr int kExpireStartOffset = kExpireDaysOffset + 2;

qint64 expiryDay(const char *record)
{
    const qint16 days = ReadInt16(record + kExpireDaysOffset);
    if (days == 0) // "25000101"
        return QDate(2500, 1, 1).toJulianDay();
    const auto start = qFromLittleEndian<double>(record + kExpireStartOffset);
    const QDate date = Convert::OleDateParts(start).first;
    if (!date.isValid())
        return std::numeric_limits<qint64>::min();
    return date.addDays(days).toJulianDay();
}

// The id's decimal text packed big-endian into a number, so comparing numbers compares texts.
quint64 idTextKey(qint16 id)
{
    char text[8] = {};
    qsnprintf(text, sizeof text, "%d", int(id));
    quint64 key = 0;
    for (const char c : text)
        key = (key << 8) | uchar(c);
    return key;
}
} // namespace

EntryTableModel::EntryTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

QString EntryTableModel::rowKey(qint16 loginId)
{
    return QStringLiteral("PQ") + QString::number(loginId);
}

void EntryTableModel::load(const QByteArray &records)
{
    beginResetModel();
    m_records = records;
    m_offsets.clear();
    m_expiryDays.clear();
    const int count = int(records.size() / LoginRecord::Size);
    m_offsets.reserve(size_t(count));
    for (int i = count - 1; i >= 0; --i) {
        const int at = i * LoginRecord::Size;
        if (ReadInt16(records.constData() + at + RecordOffset::Deleted) == 0)
            m_offsets.push_back(at);
    }
    m_expiryDays.resize(m_offsets.size());
    m_idKeys.resize(m_offsets.size());
    for (int row = 0; row < int(m_offsets.size()); ++row)
        measure(row);
    endResetModel();
}

void EntryTableModel::clear()
{
    load({});
}

void EntryTableModel::measure(int row)
{
    m_expiryDays[size_t(row)] = expiryDay(bytes(row));
    m_idKeys[size_t(row)] = idTextKey(loginId(row));
}

const char *EntryTableModel::bytes(int row) const
{
    return m_records.constData() + m_offsets[size_t(row)];
}

int EntryTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_offsets.size());
}

int EntryTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

qint16 EntryTableModel::loginId(int row) const
{
    return ReadInt16(bytes(row) + RecordOffset::LoginID);
}

LoginRecord EntryTableModel::record(int row) const
{
    return LoginRecord::decode(bytes(row));
}

QVariant EntryTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    if (role == KeyRole)
        return rowKey(loginId(row));
    if (role == ExpiryRole) {
        const LoginRecord r = record(row);
        if (r.ExpireDays == 0)
            return QDateTime();
        const auto [date, time] = Convert::OleDateParts(r.ExpireStart);
        return QDateTime(date.addDays(r.ExpireDays), time);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const char *r = bytes(row);
    switch (index.column()) {
    case ColLoginID:
        return QString::number(loginId(row));
    case ColDescription:
        return Ansi::toText(QByteArray(r + RecordOffset::Description, LoginRecord::TextWidth));
    case ColLogin:
        return Ansi::toText(QByteArray(r + RecordOffset::Login, LoginRecord::TextWidth));
    case ColExpiry:
        return ExpiryText(record(row));
    case ColExpirySort:
        return ExpirySortKey(record(row));
    default:
        return {};
    }
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {"LoginID", "Description", "Login", "Expiry", ""};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section])
                                                 : QVariant();
}

int EntryTableModel::findRow(const QString &key) const
{
    bool ok = false;
    const int id = key.startsWith(QLatin1String("PQ")) ? key.mid(2).toInt(&ok) : 0;
    if (!ok || rowKey(qint16(id)) != key)
        return -1;
    for (int row = 0; row < rowCount(); ++row) {
        if (loginId(row) == id)
            return row;
    }
    return -1;
}

void EntryTableModel::setRecord(int row, const LoginRecord &record)
{
    m_records.replace(m_offsets[size_t(row)], LoginRecord::Size, record.encode());
    measure(row);
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void EntryTableModel::removeRow(int row)
{
    beginRemoveRows({}, row, row);
    m_offsets.erase(m_offsets.begin() + row);
    m_expiryDays.erase(m_expiryDays.begin() + row);
    m_idKeys.erase(m_idKeys.begin() + row);
    endRemoveRows();
}

int EntryTableModel::compare(int left, int right, int column) const
{
    const char *a = bytes(left);
    const char *b = bytes(right);
    switch (column) {
    case ColLoginID: {
        // Ids sort as their decimal text: "10000" comes before "1001".
        const quint64 x = m_idKeys[size_t(left)];
        const quint64 y = m_idKeys[size_t(right)];
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case ColDescription:
    case ColLogin: {
        const int at = column == ColLogin ? RecordOffset::Login : RecordOffset::Description;
        const auto &fold = foldTable();
        for (int i = 0; i < LoginRecord::TextWidth; ++i) {
            const int d = int(fold[uchar(a[at + i])]) - int(fold[uchar(b[at + i])]);
            if (d != 0)
                return d;
        }
        return 0;
    }
    case ColExpirySort: {
        const qint64 x = m_expiryDays[size_t(left)];
        const qint64 y = m_expiryDays[size_t(right)];
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    default:
        return data(index(left, column))
            .toString()
            .compare(data(index(right, column)).toString(), Qt::CaseInsensitive);
    }
}

bool EntryTableModel::contains(int row, const std::u16string &foldedNeedle) const
{
    const char *r = bytes(row);
    return holds(r + RecordOffset::Description, foldedNeedle) ||
           holds(r + RecordOffset::Login, foldedNeedle);
}

std::optional<std::u16string> EntryTableModel::fold(const QString &text)
{
    if (!Ansi::representable(text))
        return std::nullopt;
    // Character by character, as the table folds the stored bytes.
    std::u16string folded;
    for (const QChar c : text)
        folded.push_back(c.toCaseFolded().unicode());
    return folded;
}
