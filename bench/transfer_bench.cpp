#include "BenchFixture.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "crypto/Cipher.h"
#include "master/MasterPasswords.h"
#include "transfer/TextExport.h"
#include "transfer/TransferExport.h"
#include "transfer/TransferImport.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {
constexpr int kFullStore = 32767;
// An empty store numbers from 1000, so it takes at most this many before the ids run out.
constexpr int kMostImportable = 32767 - 1000 + 1;

class NoView : public TextExportView
{
public:
    void setProgress(int) override {}
    void showProgress(bool) override {}
    void showFinished(bool) override {}
};

QByteArray stored(const QByteArray &master)
{
    return Cipher::crypt(master, QByteArray(Master::kPassPhrase));
}

// A scratch folder with a store of n live entries under the exporting masters.
struct Scratch : Bench::Scratch
{
    Settings settings{file("Pellora.ini")};
    AppState state;
    Bench::SilentUi ui{false};

    explicit Scratch(int n)
    {
        state.LoginFile = file("Pellora.lgn");
        state.LogFile = file("Pellora.log");
        state.ActiveMaster1 = stored("first-master");
        state.ActiveMaster2 = stored("second-master");
        Bench::WriteFile(state.LoginFile, Bench::Store(n, state.entryKey()));
    }
};

void BM_TransferExport(benchmark::State &bench)
{
    Scratch s(kFullStore);
    const QString out = s.file("list.pqx");
    for (auto _ : bench)
        benchmark::DoNotOptimize(ExportFile(s.ui, s.state, s.settings, out));
    bench.counters["entries"] = kFullStore;
}
BENCHMARK(BM_TransferExport)->Unit(benchmark::kMillisecond);

void BM_TransferImportIntoEmptyStore(benchmark::State &bench)
{
    Scratch source(kMostImportable);
    const QString transfer = source.file("list.pqx");
    ExportFile(source.ui, source.state, source.settings, transfer);
    Scratch target(0);
    target.state.ActiveMaster1 = stored("another-first");
    target.state.ActiveMaster2 = stored("another-second");
    qsizetype imported = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        QFile::remove(target.state.LoginFile);
        bench.ResumeTiming();
        imported = ImportCommand(target.ui, target.state, transfer, QStringLiteral("first-master"),
                                 QStringLiteral("second-master"), [] {})
                       .imported;
    }
    if (imported != kMostImportable || target.ui.messages() != 0)
        bench.SkipWithError("the import did not complete");
    bench.counters["entries"] = double(imported);
}
BENCHMARK(BM_TransferImportIntoEmptyStore)->Unit(benchmark::kMillisecond);

void BM_TextExport(benchmark::State &bench)
{
    Scratch s(kFullStore);
    const QString out = s.file("list.txt");
    NoView view;
    TextExportOptions options;
    options.description = options.password = options.validationRules = options.headings = true;
    for (auto _ : bench) {
        bench.PauseTiming();
        QFile::remove(out);
        bench.ResumeTiming();
        benchmark::DoNotOptimize(
            ExportTextFile(s.ui, s.state, s.settings, view, out, options, TextExportMode::Append));
    }
    bench.counters["entries"] = kFullStore;
}
BENCHMARK(BM_TextExport)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
