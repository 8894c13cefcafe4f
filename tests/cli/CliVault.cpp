#include "CliVault.h"

#include "app/DataFolder.h"
#include "entries/EntryStore.h"
#include "entries/LoginValidation.h"
#include "master/MasterPasswords.h"

#include <QLocale>

QProcessEnvironment CliVault::environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    return env;
}

CliVault::CliVault()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    state.DataFolder = home.dataFolder();
    state.LoginFile = state.DataFolder + QStringLiteral("Pellora.lgn");
    state.LogFile = state.DataFolder + QStringLiteral("Pellora.log");
    state.FirstRun = false;
    state.ActiveMaster1 = MasterValue("first master");
    state.ActiveMaster2 = MasterValue("second-master");
    settings.saveBytes(Setting::Master1, state.ActiveMaster1);
    settings.saveBytes(Setting::Master2, state.ActiveMaster2);
}

CliRun CliVault::run(const QStringList &args, const QByteArray &input,
                     const QProcessEnvironment &env) const
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home.path());
    process.start(QStringLiteral(PELLORA_CLI_PATH), args);
    process.waitForStarted();
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

CliRun CliVault::withMasters(const QStringList &args, const QStringList &secrets) const
{
    QByteArray input = kMasters;
    for (const QString &secret : secrets)
        input += secret.toUtf8() + '\n';
    return run(QStringList{QStringLiteral("--masters-stdin")} + args, input);
}

QString CliVault::password(qint16 id) const
{
    const QString shown = withMasters({"show", QString::number(id), "--show-password"}).out;
    return shown.section(QStringLiteral("\npassword: "), 1).section(QLatin1Char('\n'), 0, 0);
}

qint16 CliVault::add(const QString &description, const QString &login, const QString &password,
                     LoginEditorInput input)
{
    FakeUi ui;
    input.description = description;
    input.login = login;
    input.password = password;
    PasswordTraitSet traits;
    if (!validateEntryInput(ui, input, traits))
        return 0;
    auto record = BuildLoginRecord(ui, input, state.entryKey());
    return record ? EntryStore(state.LoginFile, ui).add(*record) : 0;
}

QStringList CliVault::logged() const
{
    QStringList events;
    for (const QString &line :
         QString::fromUtf8(ReadFile(state.LogFile)).split('\n', Qt::SkipEmptyParts))
        events << line.section(QLatin1Char('\t'), 1).section(GetLoginUserName(), 0, 0);
    return events;
}
