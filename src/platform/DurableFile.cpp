#include "platform/DurableFile.h"

#include "platform/ClassicError.h"
#include "platform/FileDescriptor.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DurableFile {
namespace {
QByteArray local(const QString &path)
{
    return QFile::encodeName(path);
}

void writeAll(int fd, const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            raiseErrno(errno);
        }
        if (n == 0)
            raiseError(ErrorNumber::DiskFull);
        done += n;
    }
}

QByteArray randomSuffix()
{
    static const char chars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray out;
    // Mixed kinds of characters, as isLeftoverOf() expects of a name this program made.
    out += chars[QRandomGenerator::global()->bounded(26)];
    out += chars[26 + QRandomGenerator::global()->bounded(26)];
    out += chars[52 + QRandomGenerator::global()->bounded(10)];
    for (int i = 0; i < 3; ++i)
        out += chars[QRandomGenerator::global()->bounded(62)];
    return out;
}

void syncAfterRename(const QString &folder)
{
    try {
        syncFolder(folder);
    } catch (const ClassicError &) {
        try {
            syncFolder(folder);
        } catch (const ClassicError &) {
        }
    }
}

void verify(int fd, const QByteArray &content)
{
    QByteArray back(content.size(), Qt::Uninitialized);
    qint64 done = 0;
    while (done < back.size()) {
        const ssize_t n = ::pread(fd, back.data() + done, size_t(back.size() - done), done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            raiseErrno(errno);
        }
        if (n == 0)
            break;
        done += n;
    }
    if (done != content.size() || back != content)
        raiseError(ErrorNumber::DeviceIoError);
}
} // namespace

int classicErrorOf(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrorNumber::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return ErrorNumber::PermissionDenied;
    case ENOENT:
        return ErrorNumber::FileNotFound;
    case ENOTDIR:
        return ErrorNumber::PathNotFound;
    case EISDIR:
        return ErrorNumber::PathFileAccessError;
    default:
        return ErrorNumber::DeviceIoError;
    }
}

void raiseErrno(int err)
{
    raiseError(classicErrorOf(err));
}

void replace(const QString &path, const QByteArray &content, const QString &noteFile)
{
    const QFileInfo info(path);
    if (info.isDir())
        raiseError(ErrorNumber::PathFileAccessError);
    // Not mkostemp: its names are sometimes one kind of character only, which the next start
    // could not tell from a user's own file.
    const QByteArray tmpl = local(path) + '.' + randomSuffix();
    if (!noteFile.isEmpty())
        replace(noteFile, tmpl);
    FileDescriptor fd(::open(tmpl.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    const auto dropNote = [&] {
        if (noteFile.isEmpty())
            return;
        try {
            remove(noteFile);
        } catch (const ClassicError &) {
            // A note left behind only makes the next start look for a file that is gone.
        }
    };
    if (fd.get() < 0) {
        const int err = errno;
        dropNote();
        raiseErrno(err);
    }
    try {
        if (::fchmod(fd.get(), S_IRUSR | S_IWUSR) != 0)
            raiseErrno(errno);
        writeAll(fd.get(), content.constData(), content.size());
        syncData(fd.get());
        verify(fd.get(), content);
        fd.closeChecked();
        if (::rename(tmpl.constData(), local(path).constData()) != 0)
            raiseErrno(errno);
    } catch (...) {
        ::unlink(tmpl.constData());
        dropNote();
        throw;
    }
    syncAfterRename(info.absolutePath());
    dropNote();
}

void removeNotedLeftovers(const QString &noteFile)
{
    QFile note(noteFile);
    if (!note.open(QIODevice::ReadOnly))
        return;
    const QString leftover = QFile::decodeName(note.readAll());
    const QFileInfo info(leftover);
    // Only a name this program makes: the export's own name and a random suffix.
    const QString name = info.fileName();
    if (name.size() > 7 && isLeftoverOf(name, name.left(name.size() - 7)))
        QFile::remove(leftover);
    note.close();
    QFile::remove(noteFile);
}

void syncData(QFileDevice &file)
{
    if (!file.flush())
        raiseError(file.error() == QFileDevice::ResourceError ? ErrorNumber::DiskFull
                                                              : ErrorNumber::DeviceIoError);
    syncData(file.handle());
}

void writeAt(int fd, const char *data, qint64 length, qint64 offset)
{
    while (length > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(length), offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            raiseErrno(errno);
        }
        if (n == 0)
            raiseError(ErrorNumber::DiskFull);
        data += n;
        length -= n;
        offset += n;
    }
}

void syncData(int fd)
{
    while (::fdatasync(fd) != 0) {
        if (errno != EINTR)
            raiseErrno(errno);
    }
}

void syncFolder(const QString &folder)
{
    FileDescriptor fd(::open(local(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        raiseErrno(errno);
    // Some file systems cannot sync a folder; that is no failure of the data.
    if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != EROFS)
        raiseErrno(errno);
}

void rename(const QString &from, const QString &to)
{
    if (::rename(local(from).constData(), local(to).constData()) != 0)
        raiseErrno(errno);
    syncAfterRename(QFileInfo(to).absolutePath());
}

void remove(const QString &path)
{
    if (::unlink(local(path).constData()) != 0) {
        if (errno == ENOENT)
            return;
        raiseErrno(errno);
    }
    syncAfterRename(QFileInfo(path).absolutePath());
}

bool isLeftoverOf(const QString &fileName, const QString &ownName)
{
    if (fileName.size() != ownName.size() + 7 || !fileName.startsWith(ownName + QLatin1Char('.')))
        return false;
    bool lower = false, upper = false, digit = false;
    for (qsizetype i = ownName.size() + 1; i < fileName.size(); ++i) {
        const char16_t c = fileName.at(i).unicode();
        lower |= c >= 'a' && c <= 'z';
        upper |= c >= 'A' && c <= 'Z';
        digit |= c >= '0' && c <= '9';
        if (!(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9'))
            return false;
    }
    // Random names mix kinds of characters; a user's "Pellora.lgn.backup" does not.
    return int(lower) + int(upper) + int(digit) >= 2;
}

} // namespace DurableFile
