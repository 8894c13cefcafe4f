#pragma once

#include <QString>
#include <QtGlobal>

// Every whole record of the store as it was at one moment, read in one go into memory made
// ready in a single step, in large pages where the system offers them: a list of tens of
// thousands of entries would otherwise spend more time taking in fresh pages one fault at a time
// than reading them. Unlike a mapping of the file itself, a copy cannot be cut short under the
// reader by a writer.
class StoreSnapshot
{
public:
    // No store is an empty snapshot. Raises the classic ClassicError when the store cannot be read,
    // and 6 when it holds more records than a record number can address.
    explicit StoreSnapshot(const QString &loginFile);
    ~StoreSnapshot();
    StoreSnapshot(const StoreSnapshot &) = delete;
    StoreSnapshot &operator=(const StoreSnapshot &) = delete;

    qint64 count() const { return m_count; }
    // Record n, counted from 0.
    const char *record(qint64 n) const;

private:
    char *m_bytes = nullptr;
    qint64 m_size = 0;
    qint64 m_count = 0;
};
