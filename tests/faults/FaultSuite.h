#pragma once

#include "FaultHome.h"

#include <QString>
#include <QStringList>
#include <vector>

// One faulted run that lost something.
struct Finding
{
    int order;     // where it falls in the table's detail lines
    QString where; // e.g. "kill@7 (rename data/Brantwick/Pellora/Pellora.lgn)"
    QStringList losses;
};

// How one operation fared.
struct Tally
{
    int points = 0; // fault points (or disk levels) tried
    int runs = 0;
    std::vector<Finding> findings;
};

// Judges a run that was faulted with mode ("kill", "enospc", "eio" or "full disk"): a failed
// call must be reported unless the result is complete anyway, and never reported as success.
QStringList Judge(const Baseline &b, const QString &mode, const DriverRun &run,
                  const VaultState &now);

// The full-disk case: each operation on a small file system with little or no room left.
// Returns false (after saying why) when no such file system can be mounted here.
bool RunFullDisk(const std::vector<Baseline> &baselines, const QString &folder,
                 std::vector<Tally> &tallies);
