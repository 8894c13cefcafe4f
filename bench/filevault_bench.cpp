// Enciphering a 512 MiB file in place, journaled and synced chunk by chunk, against the openssl
// command line doing the same RC4 pass into a second file, in one run. Run the Release build; on
// a shared machine with --benchmark_repetitions=6 --benchmark_enable_random_interleaving=true
// and compare the medians.
#include "crypto/Cipher.h"
#include "crypto/Rc4Key.h"
#include "filevault/InPlaceCipher.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

namespace {
constexpr qint64 kFileSize = qint64(512) << 20;
constexpr qint64 kBlock = qint64(1) << 20;
const QByteArray kPassword = "benchmark password";

struct BenchFiles
{
    QTemporaryDir dir;
    QString plain = dir.filePath(QStringLiteral("plain.bin"));
    QString openSslOut = dir.filePath(QStringLiteral("openssl.bin"));
    // The journals go to a data folder on the same disk, as they would in a home folder.
    JournalPlace place{dir.filePath(QStringLiteral("data")), "entry key of the benchmark"};
    QByteArray firstBlock;

    BenchFiles()
    {
        QDir().mkpath(place.dataFolder);
        QFile out(plain);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        QByteArray block(kBlock, Qt::Uninitialized);
        for (qint64 i = 0; i < kFileSize / kBlock; ++i) {
            for (qsizetype b = 0; b < block.size(); ++b)
                block[b] = char((b * 131 + i * 7) ^ (b >> 9));
            if (i == 0)
                firstBlock = block;
            out.write(block);
        }
        // The file is at rest on the disk before either side starts, as a user's file would be.
        out.flush();
        ::fsync(out.handle());
    }
};

BenchFiles &Files()
{
    static BenchFiles files;
    return files;
}

long PeakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string OpenSslCommand(const BenchFiles &f)
{
    const auto key = Rc4KeyFor(kPassword);
    const QByteArray hex =
        QByteArray(reinterpret_cast<const char *>(key.data()), key.size()).toHex();
    return "openssl enc -rc4 -K " + hex.toStdString() +
           " -nosalt -provider legacy -provider default -in '" + f.plain.toStdString() +
           "' -out '" + f.openSslOut.toStdString() + "' 2>/dev/null";
}

void BM_OpenSslRc4File512MiB(benchmark::State &state)
{
    BenchFiles &f = Files();
    const std::string command = OpenSslCommand(f);
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("openssl with the legacy provider (RC4) is not available");
            return;
        }
    }
    QFile out(f.openSslOut);
    out.open(QIODevice::ReadOnly);
    // Both sides must produce the same bytes for the comparison to mean anything.
    if (out.read(kBlock) != Cipher::crypt(f.firstBlock, kPassword))
        state.SkipWithError("openssl output differs from the vault cipher");
    QFile::remove(f.openSslOut);
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

// Iterations take turns enciphering and deciphering, so the file ends as it began.
void BM_VaultCipherFile512MiB(benchmark::State &state)
{
    BenchFiles &f = Files();
    bool encrypt = true;
    for (auto _ : state) {
        if (InPlaceCipher(f.plain).run(kPassword, encrypt, f.place) != CipherOutcome::Done) {
            state.SkipWithError("the vault pass failed");
            return;
        }
        encrypt = !encrypt;
    }
    // The whole process at its highest, file generation included.
    state.counters["peak_rss_MiB"] = double(PeakRssKiB()) / 1024.0;
    state.SetBytesProcessed(state.iterations() * kFileSize);
}
} // namespace

BENCHMARK(BM_OpenSslRc4File512MiB)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VaultCipherFile512MiB)->Iterations(4)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
