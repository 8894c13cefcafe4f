#pragma once

#include "entries/LoginRecord.h"

#include <QFile>
#include <QString>
#include <functional>

// A file of whole 218-byte records numbered from 1; a shorter tail is ignored. Every failure
// raises the classic ClassicError of the file operation, so callers report it in their own words.
class RecordFile
{
public:
    // The most records a 16-bit record number reaches.
    static constexpr qint64 MaxRecords = 32767;

    enum class Mode { Read, ReadWrite, ReadWriteCreate };

    RecordFile(const QString &path, Mode mode);
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    qint64 count() const;
    // Raises 6 "Overflow" when the file holds more records than a record number can address.
    void requireAddressable() const;
    QByteArray read(qint64 recordNo);
    // Every whole record, in file order, in one read.
    QByteArray readAll();
    // Calls visit from the last record down to the first, reading in large blocks, until it
    // returns true; returns the record number it stopped at, or 0.
    qint64 scanBackward(const std::function<bool(qint64, const char *)> &visit);
    // Hands over the records from the first to the last in blocks: the number of the block's
    // first record, its bytes and its record count. Stops early when visit returns true.
    void scanBlocks(const std::function<bool(qint64, const char *, qint64)> &visit);
    void write(qint64 recordNo, const QByteArray &record);
    void writeAt(qint64 recordNo, int offset, const QByteArray &bytes);
    // Back to a former length after a failed append.
    void truncate(qint64 size);
    qint64 size() const { return m_file.size(); }

private:
    void seek(qint64 pos);
    const char *readBlock(qint64 first, qint64 n);
    [[noreturn]] void fail() const;

    QFile m_file;
    QByteArray m_block; // reused, so large scans do not fault in fresh pages per block
};

// Raises the classic error that matches a failed operation on f.
[[noreturn]] void RaiseFileError(const QFileDevice &f);
