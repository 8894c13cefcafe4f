#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
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
        r.LoginID = qint16(1000 + i % 31767);
        r.Login = FitText("login" + QByteArray::number(i));
        r.Description = FitText("description of entry " + QByteArray::number(i));
        r.Password = *EncodePasswordField("password-" + QByteArray::number(i), entryKey);
        r.Deleted = i % 7 == 0;
        r.MaxLength = 128;
        store += r.encode();
    }
    return store;
}
} // namespace

static void BM_RedoCryptFullStore(benchmark::State &state)
{
    // The cipher finds its key pairs under the data folder, as in the program; keep it private.
    QTemporaryDir dir;
    qputenv("HOME", dir.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    const QString loginFile = dir.filePath(QStringLiteral("Pellora.lgn"));
    QByteArray from = MasterValue("first-master") + MasterValue("second-master");
    QByteArray to = MasterValue("new master one") + MasterValue("new master two");
    {
        QFile f(loginFile);
        if (!f.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the store");
        f.write(FullStore(from));
    }
    SilentUi ui;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RedoCrypt(ui, loginFile, from, to));
        std::swap(from, to);
    }
    state.SetItemsProcessed(state.iterations() * 32767);
}
BENCHMARK(BM_RedoCryptFullStore)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
