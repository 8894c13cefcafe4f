#pragma once

#include "FaultCheck.h"

struct FaultOperation;

// One run of pellora_fault_op.
struct DriverRun
{
    bool crashed = false; // ended by a signal
    bool hung = false;    // killed after waiting too long
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    bool reportedFailure() const { return err.contains("message: "); }
};

// Runs pellora_fault_op with HOME and the XDG folders inside home; env adds variables.
DriverRun RunDriver(const QString &home, const QStringList &args,
                    const QMap<QString, QString> &env = {});
// The environment that runs the driver under the shim, watching home.
QMap<QString, QString> ShimEnvironment(const QString &home);
// Replaces to with a copy of the prepared home from.
void CopyHome(const QString &from, const QString &to);
// The next start in home, and what it found.
VaultState NextStart(const QString &home);

// An operation's prepared home and what it holds before and after a clean run.
struct Baseline
{
    const FaultOperation *op = nullptr;
    QString prepared; // never run on; each run works on a copy
    VaultState before;
    VaultState after;
    QStringList calls; // the clean run's counted calls, in order ("call path")
    QString problem;   // why the operation cannot be judged; empty when it can
};

// Prepares the operation's home inside folder and runs it once cleanly.
Baseline MakeBaseline(const FaultOperation &op, const QString &folder);
