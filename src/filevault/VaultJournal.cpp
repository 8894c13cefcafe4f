#include "filevault/VaultJournal.h"

#include "platform/ClassicError.h"
#include "platform/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <nettle/umac.h>
#include <unistd.h>
#include <utility>

namespace {
constexpr char kMagic[] = "PVJRNL01";
constexpr qsizetype kMagicSize = sizeof(kMagic) - 1;
constexpr char kNamePrefix[] = "PelloraVault-";
constexpr char kNameSuffix[] = ".jnl";
// The head, then two slots; each slot is a descriptor area and a chunk's bytes.
constexpr qint64 kHeadArea = 4096;
constexpr qint64 kDescriptorArea = 4096;
constexpr qsizetype kFixedHead =
    kMagicSize + 4 + 4 + 8 * 4 + SealedFileKey::NonceSize + SealedFileKey::SealedSize;
constexpr qsizetype kDescriptorSize = 8 * 4;

qint64 slotStart(quint64 sequence)
{
    return kHeadArea + qint64((sequence - 1) % 2) * (kDescriptorArea + VaultJournal::ChunkSize);
}

// Tells a whole write from a torn one; a fixed key, as it guards against accidents only.
quint64 checksum(quint64 nonce, const QByteArray &fields, const char *bytes, qint64 length)
{
    static const uint8_t kKey[16] = {0x50, 0x65, 0x6c, 0x6c, 0x6f, 0x72, 0x61, 0x20,
                                     0x6a, 0x6f, 0x75, 0x72, 0x6e, 0x61, 0x6c, 0x21};
    umac64_ctx ctx;
    umac64_set_key(&ctx, kKey);
    uint8_t n[8];
    qToLittleEndian(nonce, n);
    umac64_set_nonce(&ctx, sizeof(n), n);
    umac64_update(&ctx, size_t(fields.size()), reinterpret_cast<const uint8_t *>(fields.data()));
    umac64_update(&ctx, size_t(length), reinterpret_cast<const uint8_t *>(bytes));
    uint8_t digest[8];
    umac64_digest(&ctx, sizeof(digest), digest);
    return qFromLittleEndian<quint64>(digest);
}

void appendNumber(QByteArray &out, quint64 value, int size)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, size);
}

quint64 numberAt(const QByteArray &in, qsizetype at, int size)
{
    char bytes[8] = {};
    memcpy(bytes, in.constData() + at, size_t(size));
    return qFromLittleEndian<quint64>(bytes);
}

// As many bytes as the file holds there, up to length.
QByteArray readAt(int fd, qint64 length, qint64 offset)
{
    QByteArray out(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, out.data() + done, size_t(length - done), offset + done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            DurableFile::raiseErrno(errno);
        }
        if (n == 0)
            break;
        done += n;
    }
    out.truncate(done);
    return out;
}

QByteArray encodeHead(const VaultJournal::Subject &s)
{
    QByteArray head(kMagic, kMagicSize);
    appendNumber(head, s.encrypt ? 1 : 0, 4);
    appendNumber(head, quint64(s.path.size()), 4);
    appendNumber(head, s.device, 8);
    appendNumber(head, s.inode, 8);
    appendNumber(head, quint64(s.size), 8);
    appendNumber(head, quint64(VaultJournal::ChunkSize), 8);
    head += s.key.nonce + s.key.sealed + s.path;
    appendNumber(head, checksum(0, head, nullptr, 0), 8);
    return head;
}

std::optional<VaultJournal::Subject> decodeHead(const QByteArray &area)
{
    if (area.size() < kFixedHead + 8 || !area.startsWith(QByteArray(kMagic, kMagicSize)))
        return std::nullopt;
    const qsizetype pathSize = qsizetype(numberAt(area, kMagicSize + 4, 4));
    const qsizetype headSize = kFixedHead + pathSize;
    if (headSize + 8 > area.size() ||
        numberAt(area, kMagicSize + 32, 8) != quint64(VaultJournal::ChunkSize))
        return std::nullopt;
    const QByteArray head = area.left(headSize);
    if (checksum(0, head, nullptr, 0) != numberAt(area, headSize, 8))
        return std::nullopt;
    VaultJournal::Subject s;
    s.encrypt = numberAt(area, kMagicSize, 4) == 1;
    s.device = numberAt(area, kMagicSize + 8, 8);
    s.inode = numberAt(area, kMagicSize + 16, 8);
    s.size = qint64(numberAt(area, kMagicSize + 24, 8));
    qsizetype at = kMagicSize + 40;
    s.key.nonce = area.mid(at, SealedFileKey::NonceSize);
    at += SealedFileKey::NonceSize;
    s.key.sealed = area.mid(at, SealedFileKey::SealedSize);
    at += SealedFileKey::SealedSize;
    s.path = area.mid(at, pathSize);
    return s;
}

QByteArray descriptorFields(quint64 sequence, qint64 offset, qint64 length)
{
    QByteArray fields;
    appendNumber(fields, sequence, 8);
    appendNumber(fields, quint64(offset), 8);
    appendNumber(fields, quint64(length), 8);
    return fields;
}
} // namespace

VaultJournal::VaultJournal(const QString &path, int fd, const Subject &subject)
    : m_path(path)
    , m_fd(fd)
    , m_subject(subject)
{}

VaultJournal::VaultJournal(VaultJournal &&other) noexcept
    : m_path(std::move(other.m_path))
    , m_fd(std::exchange(other.m_fd, -1))
    , m_subject(std::move(other.m_subject))
{}

VaultJournal::~VaultJournal()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

VaultJournal VaultJournal::create(const QString &dataFolder, const Subject &subject)
{
    const QByteArray head = encodeHead(subject);
    if (head.size() > kHeadArea)
        raiseError(ErrorNumber::BadFileNameOrNumber);
    QByteArray name =
        QFile::encodeName(QDir(dataFolder)
                              .filePath(QLatin1String(kNamePrefix) + QStringLiteral("XXXXXX") +
                                        QLatin1String(kNameSuffix)));
    const int fd = ::mkostemps(name.data(), int(sizeof(kNameSuffix) - 1), O_CLOEXEC);
    if (fd < 0)
        DurableFile::raiseErrno(errno);
    VaultJournal journal(QFile::decodeName(name), fd, subject);
    try {
        DurableFile::writeAt(fd, head.constData(), head.size(), 0);
        DurableFile::syncData(fd);
        DurableFile::syncFolder(dataFolder);
    } catch (...) {
        ::unlink(name.constData());
        throw;
    }
    return journal;
}

std::optional<VaultJournal> VaultJournal::open(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        DurableFile::raiseErrno(errno);
    VaultJournal journal(path, fd, {});
    const std::optional<Subject> subject = decodeHead(readAt(fd, kHeadArea, 0));
    if (!subject)
        return std::nullopt;
    journal.m_subject = *subject;
    return journal;
}

QStringList VaultJournal::findIn(const QString &dataFolder)
{
    const QDir dir(dataFolder);
    QStringList paths;
    const QString pattern =
        QLatin1String(kNamePrefix) + QLatin1Char('*') + QLatin1String(kNameSuffix);
    for (const QString &name : dir.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

std::optional<VaultJournal::Record> VaultJournal::lastRecord() const
{
    std::optional<Record> best;
    for (const quint64 slot : {quint64(1), quint64(2)}) {
        const QByteArray d = readAt(m_fd, kDescriptorSize, slotStart(slot));
        if (d.size() < kDescriptorSize)
            continue;
        Record r;
        r.sequence = numberAt(d, 0, 8);
        r.offset = qint64(numberAt(d, 8, 8));
        const qint64 length = qint64(numberAt(d, 16, 8));
        if (r.sequence == 0 || (best && best->sequence > r.sequence) || length <= 0 ||
            length > ChunkSize || r.offset < 0 || r.offset > m_subject.size - length ||
            slotStart(r.sequence) != slotStart(slot))
            continue;
        r.bytes = readAt(m_fd, length, slotStart(slot) + kDescriptorArea);
        if (r.bytes.size() == length &&
            checksum(r.sequence, descriptorFields(r.sequence, r.offset, length),
                     r.bytes.constData(), length) == numberAt(d, 24, 8))
            best = std::move(r);
    }
    return best;
}

void VaultJournal::record(quint64 sequence, qint64 offset, const char *bytes, qint64 length)
{
    const QByteArray fields = descriptorFields(sequence, offset, length);
    QByteArray descriptor = fields;
    appendNumber(descriptor, checksum(sequence, fields, bytes, length), 8);
    const qint64 at = slotStart(sequence);
    DurableFile::writeAt(m_fd, bytes, length, at + kDescriptorArea);
    DurableFile::writeAt(m_fd, descriptor.constData(), descriptor.size(), at);
    DurableFile::syncData(m_fd);
}

void VaultJournal::remove()
{
    ::close(std::exchange(m_fd, -1));
    DurableFile::remove(m_path);
}
