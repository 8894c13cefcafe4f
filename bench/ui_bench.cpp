// The entry list of a full store, and start-up to the shown main window (without the splash
// wait), headless.
#include "BenchFixture.h"
#include "app/AppState.h"
#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "master/MasterPasswords.h"
#include "ui/AppContext.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

Bench::Scratch &home()
{
    static Bench::Scratch folder;
    return folder;
}

void BM_LoadListFullStore(benchmark::State &state)
{
    Bench::SilentUi ui(false);
    Settings settings(home().file("list.ini"));
    AppState app;
    app.LoginFile = home().file("full.lgn");
    Bench::WriteFile(app.LoginFile, Bench::Store(32767, "entry key"));
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
    Bench::SilentUi ui(false);
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
    home();
    QApplication app(argc, argv);
    SetProgramFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
