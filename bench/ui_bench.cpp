// The entry list of a full store, and start-up to the shown main window (without the splash
// wait), headless.
#include "app/AppState.h"
#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"
#include "master/MasterPasswords.h"
#include "platform/Ui.h"
#include "ui/AppContext.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

class SilentUi : public Ui
{
public:
    void message(const QString &, const QString &) override {}
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

QTemporaryDir &home()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_LoadListFullStore(benchmark::State &state)
{
    SilentUi ui;
    Settings settings(home().filePath(QStringLiteral("list.ini")));
    AppState app;
    app.LoginFile = home().filePath(QStringLiteral("full.lgn"));
    QByteArray all;
    for (int i = 0; i < 32767; ++i) {
        LoginRecord r;
        r.LoginID = qint16(i);
        r.Login = FitText("login" + QByteArray::number(i));
        r.Description = FitText("description " + QByteArray::number(i * 7919 % 32767));
        r.ExpireDays = qint16(i % 3 ? 30 : 0);
        r.ExpireStart = 45000 + i % 400;
        all += r.encode();
    }
    QFile f(app.LoginFile);
    f.open(QIODevice::WriteOnly);
    f.write(all);
    f.close();
    AppContext context{ui, app, settings};
    MainWindow main(context);
    for (auto _ : state)
        main.loadList();
}

void answerLogin()
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer] {
        QWidget *login = QApplication::activeModalWidget();
        if (!login)
            return;
        timer->deleteLater();
        timer->stop();
        login->findChild<QLineEdit *>(QStringLiteral("master1"))
            ->setText(QStringLiteral("first master"));
        login->findChild<QLineEdit *>(QStringLiteral("master2"))
            ->setText(QStringLiteral("second master"));
        login->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
    });
    timer->start(0);
}

void BM_StartupEmptyStore(benchmark::State &state)
{
    SilentUi ui;
    Settings settings;
    settings.saveBytes(Setting::Master1, MasterValue("first master"));
    settings.saveBytes(Setting::Master2, MasterValue("second master"));
    settings.save(Setting::ShowTipsAtStartup, QStringLiteral("0"));
    for (auto _ : state) {
        AppState app;
        Startup startup(ui, app, settings, 0);
        answerLogin();
        benchmark::DoNotOptimize(startup.run());
    }
}

} // namespace

BENCHMARK(BM_LoadListFullStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupEmptyStore)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home().path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home().filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home().filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication app(argc, argv);
    SetProgramFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
