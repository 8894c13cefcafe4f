#include "BenchFixture.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "master/MasterChange.h"
#include "master/MasterPasswords.h"
#include "master/RedoCrypt.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {
// A full store under the first masters, one entry in seven deleted.
struct FullStoreFolder : Bench::Scratch
{
    QString loginFile = file("Pellora.lgn");
    QByteArray from = MasterValue("first-master") + MasterValue("second-master");

    FullStoreFolder() { Bench::WriteFile(loginFile, Bench::Store(32767, from, 7)); }
};
} // namespace

// The change's own work: read and check the store, re-encrypt every field.
static void BM_ReencryptFullStore(benchmark::State &state)
{
    FullStoreFolder folder;
    const QByteArray to = MasterValue("new master one") + MasterValue("new master two");
    for (auto _ : state) {
        const QByteArray store = ReadStoreForReencryption(folder.loginFile, folder.from);
        benchmark::DoNotOptimize(ReencryptedStore(store, folder.from, to));
    }
    state.SetItemsProcessed(state.iterations() * 32767);
}
BENCHMARK(BM_ReencryptFullStore)->Unit(benchmark::kMillisecond);

// The whole change as Options applies it, with the journal and every sync.
static void BM_MasterChangeFullStore(benchmark::State &state)
{
    FullStoreFolder folder;
    Settings settings;
    AppState app;
    app.LoginFile = folder.loginFile;
    app.ActiveMaster1 = MasterValue("first-master");
    app.ActiveMaster2 = MasterValue("second-master");
    Bench::SilentUi ui;
    const QString masters[2][2] = {
        {QStringLiteral("new master one"), QStringLiteral("new master two")},
        {QStringLiteral("first-master"), QStringLiteral("second-master")}};
    int next = 0;
    for (auto _ : state) {
        bool changed = false;
        if (!ApplyMasters(ui, app, settings, masters[next][0], masters[next][1], changed))
            throw std::runtime_error("the master change failed");
        next = 1 - next;
    }
    state.SetItemsProcessed(state.iterations() * 32767);
}
BENCHMARK(BM_MasterChangeFullStore)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
