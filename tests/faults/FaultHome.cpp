#include "FaultHome.h"

#include "FaultOperations.h"
#include "TempHome.h"

#include <QDir>
#include <QProcess>

#include <filesystem>

// No run takes a second on an idle machine, but a loaded one running an instrumented build can
// take several (the first run of a home also makes its key pairs); a run still going after this
// long waits for something that never comes.
constexpr int kRunTimeoutMilliseconds = 30000;

DriverRun RunDriver(const QString &home, const QStringList &args, const QMap<QString, QString> &env)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    for (auto it = env.begin(); it != env.end(); ++it)
        environment.insert(it.key(), it.value());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(FAULT_OP_PROGRAM), args);
    DriverRun run;
    if (!process.waitForFinished(kRunTimeoutMilliseconds)) {
        run.hung = true;
        process.kill();
        process.waitForFinished(-1);
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QMap<QString, QString> ShimEnvironment(const QString &home)
{
    // The shim comes before the sanitizers' runtime in a sanitized build; that is harmless here.
    const QString asan = qEnvironmentVariable("ASAN_OPTIONS");
    return {{QStringLiteral("LD_PRELOAD"), QStringLiteral(FAULT_SHIM_LIBRARY)},
            {QStringLiteral("FAULT_ROOT"), home},
            {QStringLiteral("ASAN_OPTIONS"),
             asan + (asan.isEmpty() ? "" : ":") + QStringLiteral("verify_asan_link_order=0")}};
}

void CopyHome(const QString &from, const QString &to)
{
    namespace fs = std::filesystem;
    fs::remove_all(to.toStdString());
    fs::copy(from.toStdString(), to.toStdString(), fs::copy_options::recursive);
}

VaultState NextStart(const QString &home)
{
    return ParseVaultState(RunDriver(home, {QStringLiteral("next-start")}).out);
}

Baseline MakeBaseline(const FaultOperation &op, const QString &folder)
{
    Baseline b;
    b.op = &op;
    b.prepared = folder + QStringLiteral("/prepared");
    QDir().mkpath(b.prepared);
    const DriverRun prepared = RunDriver(b.prepared, {QStringLiteral("prepare"), op.name});
    if (prepared.crashed || prepared.exitCode != 0) {
        b.problem = QStringLiteral("prepare failed: ") + QString::fromLocal8Bit(prepared.err);
        return b;
    }
    const QString home = folder + QStringLiteral("/clean");
    CopyHome(b.prepared, home);
    b.before = NextStart(home);
    CopyHome(b.prepared, home);
    QMap<QString, QString> env = ShimEnvironment(home);
    const QString trace = folder + QStringLiteral("/calls");
    env.insert(QStringLiteral("FAULT_TRACE"), trace);
    const DriverRun clean = RunDriver(home, {QStringLiteral("run"), op.name}, env);
    b.after = NextStart(home);
    for (const QByteArray &line : ReadFile(trace).split('\n'))
        if (!line.isEmpty()) {
            QString call = QString::fromLocal8Bit(line.mid(line.indexOf(' ') + 1))
                               .replace(home + QLatin1Char('/'), QString());
            // The home itself, as a rename inside it names it.
            if (call.endsWith(QLatin1Char(' ') + home))
                call = call.left(call.size() - home.size()) + QLatin1Char('.');
            b.calls << call;
        }
    QStringList problems;
    if (clean.crashed || clean.exitCode != 0)
        problems << QStringLiteral("a clean run failed: ") + QString::fromLocal8Bit(clean.err);
    if (!b.before.reported || !b.after.reported)
        problems << QStringLiteral("the next start reported nothing");
    if (b.after.live.size() - b.before.live.size() != op.liveDelta)
        problems << QStringLiteral("a clean run changed the live entries by %1, not %2")
                        .arg(b.after.live.size() - b.before.live.size())
                        .arg(op.liveDelta);
    for (const QString &path : op.changedFiles)
        if (b.after.files.value(path) == b.before.files.value(path))
            problems << QStringLiteral("a clean run left %1 as it was").arg(path);
    if (b.calls.isEmpty())
        problems << QStringLiteral("the shim counted no call");
    b.problem = problems.join(QStringLiteral("; "));
    return b;
}
