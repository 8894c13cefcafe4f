#pragma once

#include <QString>

class Settings;
class Ui;
struct AppState;

// The message shown instead of writing a transfer file that could never be imported again.
inline constexpr char kMastersNotExportable[] =
    "This list cannot be exported: both master passwords must be set and be at most 64 "
    "characters long, or the exported file could never be imported.";

// Writes the transfer file: a header carrying the masters in force, then every live store record
// unchanged. An existing file of that name is replaced in one rename, never half-written; a new
// one is private to the user. A missing or empty store gives the header alone. Failures are
// reported through ui; returns true when the file was written.
bool ExportFile(Ui &ui, const AppState &state, const Settings &settings, const QString &fileName);
