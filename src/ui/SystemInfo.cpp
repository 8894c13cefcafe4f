#include "ui/SystemInfo.h"

#include "platform/Ui.h"

#include <QProcess>
#include <QStandardPaths>

ExecutableFinder PathExecutableFinder()
{
    return [](const QString &name) { return QStandardPaths::findExecutable(name); };
}

ProcessStarter DetachedProcessStarter()
{
    return [](const QString &program) { return QProcess::startDetached(program, {}); };
}

QStringList SystemInfoCandidates()
{
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor")};
}

QString FindSystemInfoProgram(const ExecutableFinder &find)
{
    for (const QString &name : SystemInfoCandidates()) {
        const QString path = find(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void StartSystemInfo(Ui &ui, const ExecutableFinder &find, const ProcessStarter &start)
{
    const QString program = FindSystemInfoProgram(find);
    // A program that is found but will not start is as unavailable as a missing one.
    if (program.isEmpty() || !start(program))
        ui.message(QString::fromLatin1(kSystemInfoUnavailable));
}
