// The fault suite: every writing operation, killed before each of its write-side calls in turn
// and failed at each with ENOSPC and with EIO, must leave a vault that the next start finds
// whole, readable under the settings' masters, and either as it was or as the operation makes
// it. A clean run must also have synced whatever it changed, so that a power cut right after it
// undoes nothing. Prints a table and fails when anything was lost.
//   pellora_fault_suite              the fault points
//   pellora_fault_suite --full-disk  each operation on a nearly full small file system
// FAULT_SAMPLE=n > 1 tries every n-th point of each mode, staggered so that each point is tried
// in one mode (the sanitized build sets it). Two runs go at once, in homes under /dev/shm where
// it exists: the runs sync often, and a faulted call is the same call on any file system.
#include "FaultHome.h"
#include "FaultOperations.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <sys/mount.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {
constexpr int kSkipped = 77;
const char *const kModes[] = {"kill", "enospc", "eio"};
constexpr int kPage = 4096;
// Room left on the disk when the operation starts, in pages.
const int kFreePages[] = {0, 1, 2, 3, 4, 6, 8, 16};

// How one operation fared over its fault points (or disk levels). Its findings are the runs that
// lost something, in the table's order: where the fault was (e.g. "kill@7 (rename
// data/Brantwick/Pellora/Pellora.lgn)") and what was lost.
struct Tally
{
    int points = 0;
    int runs = 0;
    std::map<int, std::pair<QString, QStringList>> findings;

    void add(int order, const QString &where, const QStringList &losses)
    {
        ++runs;
        if (!losses.isEmpty())
            findings[order] = {where, losses};
    }
};

// Judges a run in home that was faulted with mode ("kill", "enospc", "eio" or "full disk") by
// what the next start finds: a failed call must be reported unless the result is complete
// anyway, and never reported as success.
QStringList judge(const Baseline &b, const QString &mode, const DriverRun &run, const QString &home)
{
    const VaultState now = NextStart(home);
    QStringList losses = Losses(b.before, b.after, now);
    if (b.op->invariant && now.reported)
        losses << b.op->invariant(b.before, b.after, now);
    if (run.hung)
        return losses << QStringLiteral("hung");
    if (mode == QLatin1String("kill") || IsComplete(b.after, now))
        return losses;
    if (run.crashed || (run.exitCode != 0 && run.exitCode != 3))
        losses << QStringLiteral("crashed");
    else if (run.exitCode == 0)
        losses << QStringLiteral("success reported, result incomplete");
    else if (!run.reportedFailure())
        losses << QStringLiteral("failure not reported");
    return losses;
}

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

// Each operation on a small file system with little or no room left. Returns false (after
// saying why) when no such file system can be mounted here.
bool runFullDisk(const std::vector<Baseline> &baselines, const QString &folder,
                 std::vector<Tally> &tallies)
{
    const QString disk = folder + QStringLiteral("/disk");
    QDir().mkpath(disk);
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
        for (const int pages : kFreePages) {
            CopyHome(baselines[i].prepared, home);
            fill(filler, off_t(pages) * kPage);
            const DriverRun run = RunDriver(home, {"run", baselines[i].op->name});
            // The user makes room before starting again.
            QFile::remove(filler);
            ++tallies[i].points;
            tallies[i].add(pages, QStringLiteral("%1 pages free").arg(pages),
                           judge(baselines[i], QStringLiteral("full disk"), run, home));
        }
    }
    umount2(disk.toLocal8Bit().constData(), MNT_DETACH);
    return true;
}

void runPoints(const std::vector<Baseline> &baselines, const QString &folder,
               std::vector<Tally> &tallies)
{
    const int sample = qMax(1, qEnvironmentVariableIntValue("FAULT_SAMPLE"));
    std::vector<std::tuple<size_t, int, int>> points; // operation, mode, k
    for (size_t i = 0; i < baselines.size(); ++i) {
        const int calls = int(baselines[i].calls.size());
        tallies[i].points = calls;
        const QStringList unsynced = UnsyncedChanges(baselines[i].calls);
        if (!unsynced.isEmpty())
            tallies[i].findings[0] = {QStringLiteral("power cut after a clean run"), unsynced};
        for (int mode = 0; mode < 3; ++mode)
            for (int k = 1; k <= calls; ++k)
                if ((k + mode) % sample == 0)
                    points.push_back({i, mode, k});
    }
    std::atomic<size_t> next{0};
    std::mutex lock;
    const auto work = [&](int worker) {
        const QString home = folder + QStringLiteral("/run%1").arg(worker);
        for (size_t n = next++; n < points.size(); n = next++) {
            const auto [i, m, k] = points[n];
            const Baseline &b = baselines[i];
            const QString mode = QString::fromLatin1(kModes[m]);
            CopyHome(b.prepared, home);
            QMap<QString, QString> env = ShimEnvironment(home);
            env.insert(QStringLiteral("FAULT_AT"), QString::number(k));
            env.insert(QStringLiteral("FAULT_MODE"), mode);
            const QStringList losses =
                judge(b, mode, RunDriver(home, {"run", b.op->name}, env), home);
            const std::lock_guard<std::mutex> hold(lock);
            tallies[i].add(m * 100000 + k,
                           QStringLiteral("%1@%2 (%3)").arg(mode).arg(k).arg(b.calls[k - 1]),
                           losses);
        }
    };
    std::thread first(work, 0), second(work, 1);
    first.join();
    second.join();
}

// Each loss once, with how many runs had it; temporary names count as one.
QString summary(const Tally &t)
{
    static const QRegularExpression temporarySuffix(QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    QMap<QString, int> counts;
    for (const auto &[order, finding] : t.findings)
        for (const QString &loss : finding.second)
            ++counts[QString(loss).replace(temporarySuffix, QStringLiteral(".XXXXXX"))];
    QStringList parts;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        parts << QStringLiteral("%1 x%2").arg(it.key()).arg(it.value());
    return parts.join(QStringLiteral("; "));
}

// Prints the table, then up to eight findings of each operation, then the totals; returns the
// findings.
int printTable(const std::vector<Baseline> &baselines, const std::vector<Tally> &tallies,
               const char *pointsHeading, double seconds)
{
    int lost = 0;
    int runs = 0;
    std::printf("%-14s %6s %5s %5s  %s\n", "operation", pointsHeading, "runs", "lost",
                "what was lost");
    for (size_t i = 0; i < baselines.size(); ++i) {
        const Tally &t = tallies[i];
        lost += int(t.findings.size());
        runs += t.runs;
        std::printf("%-14s %6d %5d %5zu  %s\n", baselines[i].op->name, t.points, t.runs,
                    t.findings.size(), qPrintable(summary(t)));
    }
    for (size_t i = 0; i < baselines.size(); ++i) {
        int shown = 0;
        for (const auto &[order, finding] : tallies[i].findings)
            if (shown++ < 8)
                std::printf("  %s %s: %s\n", baselines[i].op->name, qPrintable(finding.first),
                            qPrintable(finding.second.join(QStringLiteral("; "))));
        if (tallies[i].findings.size() > 8)
            std::printf("  %s: %zu more\n", baselines[i].op->name, tallies[i].findings.size() - 8);
    }
    std::printf("%d runs in %.1f s; %d lost something\n", runs, seconds, lost);
    return lost;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool fullDisk = app.arguments().contains(QStringLiteral("--full-disk"));
    QElapsedTimer clock;
    clock.start();
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir work((QDir(shm).exists() ? shm : QDir::tempPath()) + "/pellora-faults-XXXXXX");
    // The shim compares paths as written; the harness writes them without symlinks.
    const QString folder = std::filesystem::canonical(work.path().toStdString()).c_str();

    std::vector<Baseline> baselines;
    bool broken = false;
    for (const FaultOperation &op : FaultOperations()) {
        baselines.push_back(MakeBaseline(op, folder + QLatin1Char('/') + op.name));
        if (!baselines.back().problem.isEmpty()) {
            std::printf("%s cannot be tried: %s\n", op.name, qPrintable(baselines.back().problem));
            broken = true;
        }
    }
    std::vector<Tally> tallies(baselines.size());
    if (fullDisk) {
        if (!runFullDisk(baselines, folder, tallies))
            return kSkipped;
    } else {
        runPoints(baselines, folder, tallies);
    }
    const int lost =
        printTable(baselines, tallies, fullDisk ? "levels" : "points", clock.elapsed() / 1000.0);
    return lost == 0 && !broken ? 0 : 1;
}
