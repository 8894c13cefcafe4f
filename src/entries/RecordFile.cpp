#include "entries/RecordFile.h"

#include "platform/ClassicError.h"
#include "platform/DurableFile.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr qint64 kBlockRecords = 1024;
}

void RaiseFileError(const QFileDevice &f)
{
    // Qt keeps the system's own text of the failure; it tells a full disk or a read-only file
    // system apart where Qt's error kinds do not.
    for (const int err : {ENOSPC, EDQUOT, EFBIG, EROFS, EACCES, EPERM, EIO}) {
        if (f.errorString() == QString::fromLocal8Bit(std::strerror(err)))
            DurableFile::raiseErrno(err);
    }
    switch (f.error()) {
    case QFileDevice::ResourceError:
        raiseError(ErrorNumber::DiskFull);
    case QFileDevice::PermissionsError:
        raiseError(ErrorNumber::PermissionDenied);
    case QFileDevice::ReadError:
        raiseError(ErrorNumber::DeviceIoError);
    case QFileDevice::WriteError:
        raiseError(ErrorNumber::DeviceIoError);
    case QFileDevice::OpenError: {
        const QFileInfo info(f.fileName());
        if (info.isDir())
            raiseError(ErrorNumber::PathFileAccessError);
        if (!info.exists())
            raiseError(info.dir().exists() ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound);
        raiseError(ErrorNumber::PermissionDenied);
    }
    default:
        raiseError(ErrorNumber::PathFileAccessError);
    }
}

RecordFile::RecordFile(const QString &path, Mode mode)
    : m_file(path)
{
    if (QFileInfo(path).isDir())
        raiseError(ErrorNumber::PathFileAccessError);
    if (mode != Mode::ReadWriteCreate && !m_file.exists())
        raiseError(ErrorNumber::FileNotFound);
    const bool created = !m_file.exists();
    const auto openMode = mode == Mode::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite;
    if (!m_file.open(openMode))
        fail();
    if (created)
        m_file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

qint64 RecordFile::count() const
{
    return m_file.size() / LoginRecord::Size;
}

void RecordFile::requireAddressable() const
{
    if (count() > MaxRecords)
        raiseError(ErrorNumber::Overflow);
}

void RecordFile::seek(qint64 pos)
{
    if (!m_file.seek(pos))
        fail();
}

void RecordFile::fail() const
{
    RaiseFileError(m_file);
}

QByteArray RecordFile::read(qint64 recordNo)
{
    if (recordNo < 1)
        raiseError(ErrorNumber::BadRecordNumber);
    if (recordNo > count())
        return QByteArray(LoginRecord::Size, '\0');
    seek((recordNo - 1) * LoginRecord::Size);
    QByteArray bytes = m_file.read(LoginRecord::Size);
    if (bytes.size() != LoginRecord::Size)
        fail();
    return bytes;
}

QByteArray RecordFile::readAll()
{
    const qint64 bytes = count() * LoginRecord::Size;
    seek(0);
    QByteArray data = m_file.read(bytes);
    if (data.size() != bytes)
        fail();
    return data;
}

const char *RecordFile::readBlock(qint64 first, qint64 n)
{
    const qint64 bytes = n * LoginRecord::Size;
    if (m_block.size() < bytes)
        m_block.resize(bytes);
    seek((first - 1) * LoginRecord::Size);
    if (m_file.read(m_block.data(), bytes) != bytes)
        fail();
    return m_block.constData();
}

qint64 RecordFile::scanBackward(const std::function<bool(qint64, const char *)> &visit)
{
    qint64 last = count();
    while (last >= 1) {
        const qint64 first = std::max<qint64>(1, last - kBlockRecords + 1);
        const qint64 n = last - first + 1;
        const char *block = readBlock(first, n);
        for (qint64 i = n - 1; i >= 0; --i) {
            if (visit(first + i, block + i * LoginRecord::Size))
                return first + i;
        }
        last = first - 1;
    }
    return 0;
}

void RecordFile::scanBlocks(const std::function<bool(qint64, const char *, qint64)> &visit)
{
    const qint64 total = count();
    for (qint64 first = 1; first <= total; first += kBlockRecords) {
        const qint64 n = std::min(kBlockRecords, total - first + 1);
        if (visit(first, readBlock(first, n), n))
            return;
    }
}

void RecordFile::write(qint64 recordNo, const QByteArray &record)
{
    writeAt(recordNo, 0, record);
}

void RecordFile::writeAt(qint64 recordNo, int offset, const QByteArray &bytes)
{
    if (recordNo < 1)
        raiseError(ErrorNumber::BadRecordNumber);
    // Straight to the descriptor: a buffered write that half succeeds forgets why it failed.
    const qint64 pos = (recordNo - 1) * LoginRecord::Size + offset;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_file.handle(), bytes.constData() + done,
                                   size_t(bytes.size() - done), pos + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            DurableFile::raiseErrno(errno);
        if (n == 0)
            raiseError(ErrorNumber::DiskFull);
        done += n;
    }
    // Reported as saved means on the disk, power cut or not.
    DurableFile::syncData(m_file.handle());
}

void RecordFile::truncate(qint64 size)
{
    if (!m_file.resize(size))
        return;
    try {
        DurableFile::syncData(m_file);
    } catch (const ClassicError &) {
        // Only ever called on the way out of a failure, which is what gets reported.
    }
}
