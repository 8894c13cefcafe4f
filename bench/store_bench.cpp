// Store operations on a full store of 32767 records, and the string cipher on 1 MiB inputs.
#include "app/DataFolder.h"
#include "crypto/Cipher.h"
#include "entries/EntryStore.h"
#include "platform/Ui.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <unistd.h>

namespace {

class SilentUi : public Ui
{
public:
    // A failed operation would time its error path, not the work.
    void message(const QString &text, const QString &) override
    {
        throw std::runtime_error(text.toStdString());
    }
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

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString storePath()
{
    return workDir().filePath(QStringLiteral("Pellora.lgn"));
}

// A full store; every deleteEvery-th record is a tombstone (0 for none).
void writeFullStore(int deleteEvery)
{
    QByteArray all;
    all.reserve(32767 * LoginRecord::Size);
    for (int i = 0; i < 32767; ++i) {
        LoginRecord r;
        r.LoginID = qint16(i + 1);
        r.Login = FitText("login" + QByteArray::number(i));
        r.Description = FitText("description " + QByteArray::number(i));
        r.Password = FitText(QByteArray(20, 'p'));
        r.Deleted = deleteEvery > 0 && i % deleteEvery == 1;
        r.MaxLength = 128;
        all += r.encode();
    }
    QFile f(storePath());
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(all);
}

void truncateTo(qint64 records)
{
    QFile(storePath()).resize(records * LoginRecord::Size);
}

void BM_LoadItemOldest(benchmark::State &state)
{
    writeFullStore(0);
    SilentUi ui;
    EntryStore store(storePath(), ui);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.load(1));
}

void BM_Addlogin(benchmark::State &state)
{
    writeFullStore(0);
    SilentUi ui;
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

void BM_updatelogin(benchmark::State &state)
{
    writeFullStore(0);
    SilentUi ui;
    EntryStore store(storePath(), ui);
    LoginRecord r;
    r.LoginID = 1;
    r.Login = FitText("changed");
    for (auto _ : state)
        benchmark::DoNotOptimize(store.update(r));
}

void BM_deletelogin(benchmark::State &state)
{
    writeFullStore(0);
    SilentUi ui;
    EntryStore store(storePath(), ui);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.remove(1));
}

void BM_cleanupWithoutTombstones(benchmark::State &state)
{
    writeFullStore(0);
    SilentUi ui;
    EntryStore store(storePath(), ui);
    for (auto _ : state)
        store.compact();
}

void BM_cleanupWithTombstones(benchmark::State &state)
{
    SilentUi ui;
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

BENCHMARK(BM_LoadItemOldest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Addlogin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_updatelogin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_deletelogin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_cleanupWithoutTombstones)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_cleanupWithTombstones)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringCipher1MiB)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    Cipher::setKeyFolder(workDir().filePath(QStringLiteral("keys/")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
