#include "cli/StoreSnapshot.h"

#include "entries/LoginRecord.h"
#include "entries/RecordFile.h"
#include "platform/ClassicError.h"

#include <QFile>

#include <sys/mman.h>

StoreSnapshot::StoreSnapshot(const QString &loginFile)
{
    QFile file(loginFile);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        RaiseFileError(file);
    const qint64 count = file.size() / LoginRecord::Size;
    if (count > RecordFile::MaxRecords)
        raiseError(ErrorNumber::Overflow);
    if (count == 0)
        return;
    const qint64 size = count * LoginRecord::Size;
    void *bytes =
        ::mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (bytes == MAP_FAILED)
        raiseError(ErrorNumber::OutOfMemory);
    // Advice only: a system without either simply takes the pages in as they are written.
    ::madvise(bytes, size_t(size), MADV_HUGEPAGE);
    ::madvise(bytes, size_t(size), MADV_POPULATE_WRITE);
    char *const into = static_cast<char *>(bytes);
    qint64 done = 0;
    while (done < size) {
        const qint64 n = file.read(into + done, size - done);
        if (n > 0) {
            done += n;
            continue;
        }
        ::munmap(bytes, size_t(size));
        if (n == 0)
            raiseError(ErrorNumber::InputPastEndOfFile);
        RaiseFileError(file);
    }
    m_bytes = into;
    m_size = size;
    m_count = count;
}

StoreSnapshot::~StoreSnapshot()
{
    if (m_bytes)
        ::munmap(m_bytes, size_t(m_size));
}

const char *StoreSnapshot::record(qint64 n) const
{
    return m_bytes + n * LoginRecord::Size;
}
