// Store operations on a full store of 32767 records, and the string cipher on 1 MiB inputs.
#include "BenchFixture.h"
#include "crypto/Cipher.h"
#include "entries/EntryStore.h"

#include <QFile>
#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

Bench::Scratch &scratch()
{
    static Bench::Scratch folder;
    return folder;
}

QString storePath()
{
    return scratch().file("Pellora.lgn");
}

// A full store; every deleteEvery-th record is a tombstone (0 for none).
void writeFullStore(int deleteEvery)
{
    Bench::WriteFile(storePath(), Bench::Store(32767, "entry key", deleteEvery));
}

void truncateTo(qint64 records)
{
    QFile(storePath()).resize(records * LoginRecord::Size);
}

void BM_LoadOldest(benchmark::State &state)
{
    writeFullStore(0);
    Bench::SilentUi ui;
    EntryStore store(storePath(), ui);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.load(1));
}

void BM_Add(benchmark::State &state)
{
    writeFullStore(0);
    Bench::SilentUi ui;
    EntryStore store(storePath(), ui);
    for (auto _ : state) {
        state.PauseTiming();
        truncateTo(32766);
        state.ResumeTiming();
        LoginRecord r;
        r.Login = FitText("new");
        benchmark::DoNotOptimize(store.add(r));
    }
}

void BM_Update(benchmark::State &state)
{
    writeFullStore(0);
    Bench::SilentUi ui;
    EntryStore store(storePath(), ui);
    LoginRecord r;
    r.LoginID = 1;
    r.Login = FitText("changed");
    for (auto _ : state)
        benchmark::DoNotOptimize(store.update(r));
}

void BM_Remove(benchmark::State &state)
{
    writeFullStore(0);
    Bench::SilentUi ui;
    EntryStore store(storePath(), ui);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.remove(1));
}

void BM_CompactWithoutTombstones(benchmark::State &state)
{
    writeFullStore(0);
    Bench::SilentUi ui;
    EntryStore store(storePath(), ui);
    for (auto _ : state)
        store.compact();
}

void BM_CompactWithTombstones(benchmark::State &state)
{
    Bench::SilentUi ui;
    EntryStore store(storePath(), ui);
    for (auto _ : state) {
        state.PauseTiming();
        writeFullStore(100);
        ::sync(); // the set-up's own dirty pages must not be charged to the compaction
        state.ResumeTiming();
        store.compact();
    }
}

void BM_StringCipher1MiB(benchmark::State &state)
{
    const QByteArray plain(1 << 20, 'x');
    const QByteArray password("entry key");
    for (auto _ : state)
        benchmark::DoNotOptimize(Cipher::crypt(plain, password));
    state.SetBytesProcessed(state.iterations() * plain.size());
}

} // namespace

BENCHMARK(BM_LoadOldest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Add)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Update)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Remove)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompactWithoutTombstones)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompactWithTombstones)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringCipher1MiB)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    scratch();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
