#pragma once

#include "FaultCheck.h"

#include <functional>
#include <vector>

class Settings;
class Ui;
struct AppState;

// A prepared home, read the way the window program reads it at start.
struct FaultContext
{
    Ui &ui;
    Settings &settings;
    AppState &state;
    QString home;
};

// One writing operation of the fault suite. The suite prepares a home once, then runs the
// operation in a fresh copy of it for every fault point.
struct FaultOperation
{
    const char *name;
    // How many live entries a successful run adds (negative: removes).
    int liveDelta;
    // Files, relative to the home, that a successful run must change.
    QStringList changedFiles;
    // Performs the operation; true when it reported success.
    std::function<bool(FaultContext &)> run;
    // Adds what this operation needs to the common fixture; may be empty.
    std::function<void(FaultContext &)> prepare = nullptr;
    // What else a faulted run must keep, judged like Losses; may be empty.
    std::function<QStringList(const VaultState &before, const VaultState &after,
                              const VaultState &now)>
        invariant = nullptr;
};

// Every operation the suite knows; a new writing operation is one more entry here.
const std::vector<FaultOperation> &FaultOperations();

// The common fixture: masters in the settings, logging on, and a store of live and deleted
// entries under their key.
void PrepareFaultHome(FaultContext &c);
// The run's shared values as the window program sets them after a successful login.
AppState LoadFaultState(Settings &settings, const QString &dataFolder);

// Paths of the fixture, relative to the home.
inline constexpr char kFaultStore[] = "data/Brantwick/Pellora/Pellora.lgn";
inline constexpr char kFaultLog[] = "data/Brantwick/Pellora/Pellora.log";
inline constexpr char kFaultSettings[] = "config/Brantwick/Pellora.ini";
