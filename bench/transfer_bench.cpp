#include "app/AppState.h"
#include "app/Settings.h"
#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "master/MasterPasswords.h"
#include "platform/Ui.h"
#include "transfer/TextExport.h"
#include "transfer/TransferExport.h"
#include "transfer/TransferImport.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kFullStore = 32767;
// An empty store numbers from 1000, so it takes at most this many before the ids run out.
constexpr int kMostImportable = 32767 - 1000 + 1;

class QuietUi : public Ui
{
public:
    int messages = 0;
    void message(const QString &, const QString &) override { ++messages; }
    bool ask(const QString &, const QString &) override { return false; }
    QString prompt(const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &,
                         const QString &) override
    {
        return {};
    }
    void pushBusy() override {}
    void popBusy() override {}
};

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
struct Scratch
{
    QTemporaryDir dir;
    Settings settings{dir.filePath(QStringLiteral("Pellora.ini"))};
    AppState state;
    QuietUi ui;

    explicit Scratch(int n)
    {
        Cipher::setKeyFolder(dir.filePath(QStringLiteral("keys/")));
        state.LoginFile = dir.filePath(QStringLiteral("Pellora.lgn"));
        state.LogFile = dir.filePath(QStringLiteral("Pellora.log"));
        state.ActiveMaster1 = stored("first-master");
        state.ActiveMaster2 = stored("second-master");
        QByteArray records;
        records.reserve(qsizetype(n) * LoginRecord::Size);
        for (int i = 0; i < n; ++i) {
            LoginRecord r;
            r.LoginID = qint16(i + 1);
            r.Login = FitText("user" + QByteArray::number(i) + "@example.org");
            r.Description = FitText("account number " + QByteArray::number(i));
            r.Password =
                *EncodePasswordField("pw-" + QByteArray::number(i * 7919), state.entryKey());
            r.ExpireDays = 90;
            r.MinLength = 8;
            r.MaxLength = 20;
            records += r.encode();
        }
        QFile f(state.LoginFile);
        if (f.open(QIODevice::WriteOnly))
            f.write(records);
    }
    QString file(const char *name) const { return dir.filePath(QLatin1String(name)); }
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
    if (imported != kMostImportable || target.ui.messages != 0)
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
