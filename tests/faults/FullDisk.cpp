#include "FaultOperations.h"
#include "FaultSuite.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {
constexpr int kPage = 4096;
// Room left on the disk when the operation starts, in pages.
const int kFreePages[] = {0, 1, 2, 3, 4, 6, 8, 16};

// Fills the file system that holds path, then gives back freeBytes of it.
void fill(const QString &path, off_t freeBytes)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const QByteArray chunk(kPage, 'f');
    off_t size = 0;
    for (ssize_t n; (n = ::write(fd, chunk.constData(), chunk.size())) > 0;)
        size += n;
    if (ftruncate(fd, qMax<off_t>(0, size - freeBytes)) != 0)
        std::perror("fill");
    ::close(fd);
}
} // namespace

bool RunFullDisk(const std::vector<Baseline> &baselines, const QString &folder,
                 std::vector<Tally> &tallies)
{
    const QString disk = folder + QStringLiteral("/disk");
    QDir().mkpath(disk);
    if (geteuid() != 0) {
        std::printf("full-disk case skipped: mounting a small file system needs root\n");
        return false;
    }
    // Room for the largest prepared home: the file vault's two-chunk file.
    if (mount("pellora-faults", disk.toLocal8Bit().constData(), "tmpfs", MS_NOSUID | MS_NODEV,
              "size=10m,mode=0700") != 0) {
        std::printf("full-disk case skipped: cannot mount a small file system here (%s)\n",
                    std::strerror(errno));
        return false;
    }
    const QString home = disk + QStringLiteral("/home");
    const QString filler = disk + QStringLiteral("/filler");
    for (size_t i = 0; i < baselines.size(); ++i) {
        const Baseline &b = baselines[i];
        for (const int pages : kFreePages) {
            QFile::remove(filler);
            CopyHome(b.prepared, home);
            fill(filler, off_t(pages) * kPage);
            const DriverRun run =
                RunDriver(home, {QStringLiteral("run"), QString::fromLatin1(b.op->name)});
            // The user makes room before starting again.
            QFile::remove(filler);
            const QStringList losses = Judge(b, QStringLiteral("full disk"), run, NextStart(home));
            ++tallies[i].points;
            ++tallies[i].runs;
            if (!losses.isEmpty())
                tallies[i].findings.push_back(
                    {pages, QStringLiteral("%1 pages free").arg(pages), losses});
        }
    }
    umount2(disk.toLocal8Bit().constData(), MNT_DETACH);
    return true;
}
