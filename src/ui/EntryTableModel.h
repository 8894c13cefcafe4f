#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QDateTime>
#include <optional>
#include <string>
#include <vector>

struct LoginRecord;

// The live entries of the store as a table of five columns: LoginID, Description, Login, Expiry
// and the hidden expiry sort key. It keeps the store's raw records and makes each cell's text
// only when asked, so a full store loads in a few milliseconds.
class EntryTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { ColLoginID = 0, ColDescription, ColLogin, ColExpiry, ColExpirySort, ColumnCount };
    enum Role {
        KeyRole = Qt::UserRole + 1, // "PQ" + LoginID
        ExpiryRole,                 // the moment the password is due; invalid when never
    };

    explicit EntryTableModel(QObject *parent = nullptr);

    // Replaces every row by the live records among whole 218-byte records, taken last first.
    void load(const QByteArray &records);
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static QString rowKey(qint16 loginId);
    qint16 loginId(int row) const;
    LoginRecord record(int row) const;
    // The row of a key, or -1.
    int findRow(const QString &key) const;
    // Shows a stored entry's new fields in its row.
    void setRecord(int row, const LoginRecord &record);
    void removeRow(int row);

    // Orders two rows by a column's text, letter case aside; negative, zero or positive.
    int compare(int left, int right, int column) const;
    // Whether the row's description or login holds the folded needle.
    bool contains(int row, const std::u16string &foldedNeedle) const;
    // A text folded as the comparisons fold it; nullopt when windows-1252 cannot hold it.
    static std::optional<std::u16string> fold(const QString &text);

private:
    const char *bytes(int row) const;
    void measure(int row);

    QByteArray m_records;
    std::vector<int> m_offsets;       // where each row's record starts in m_records
    std::vector<qint64> m_expiryDays; // the hidden key as a day number, so sorting needs no text
    std::vector<quint64> m_idKeys;    // the id's text as a number, for the same reason
};
