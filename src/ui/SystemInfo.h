#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Ui;

inline constexpr char kSystemInfoUnavailable[] = "System Information Is Unavailable At This Time";

// Looks a program up by name on PATH; empty when it is not installed.
using ExecutableFinder = std::function<QString(const QString &name)>;
// Starts a program without waiting for it; false when it could not be started.
using ProcessStarter = std::function<bool(const QString &program)>;

ExecutableFinder PathExecutableFinder();
ProcessStarter DetachedProcessStarter();

// The desktop's system information programs, most thorough first.
QStringList SystemInfoCandidates();
// The first candidate that is installed; empty when none is.
QString FindSystemInfoProgram(const ExecutableFinder &find);
// Starts the system information program, or says it is unavailable.
void StartSystemInfo(Ui &ui, const ExecutableFinder &find, const ProcessStarter &start);
