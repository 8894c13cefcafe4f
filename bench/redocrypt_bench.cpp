#include "app/AppState.h"
#include "app/Settings.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "master/MasterChange.h"
#include "master/MasterPasswords.h"
#include "master/RedoCrypt.h"
#include "platform/Ui.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {
class SilentUi : public Ui
{
public:
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

QByteArray FullStore(const QByteArray &entryKey)
{
    QByteArray store;
    for (int i = 0; i < 32767; ++i) {
        LoginRecord r;
        r.LoginID = qint16(1 + i);
        r.Login = FitText("login" + QByteArray::number(i));
        r.Description = FitText("description of entry " + QByteArray::number(i));
        r.Password = *EncodePasswordField("password-" + QByteArray::number(i), entryKey);
        r.Deleted = i % 7 == 0;
        r.MaxLength = 128;
        store += r.encode();
    }
    return store;
}

struct FullStoreFolder
{
    QTemporaryDir dir;
    QString loginFile = dir.filePath(QStringLiteral("Pellora.lgn"));
    QByteArray from = MasterValue("first-master") + MasterValue("second-master");

    FullStoreFolder()
    {
        // The cipher finds its key pairs under the data folder, as in the program; keep it
        // private.
        qputenv("HOME", dir.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        QFile f(loginFile);
        if (!f.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the store");
        f.write(FullStore(from));
    }
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
    SilentUi ui;
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
