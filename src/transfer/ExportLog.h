#pragma once

#include "log/LogRecord.h"

class Settings;
class Ui;
struct AppState;

// Writes an export's event when the LogExports setting, read afresh, is on. A value that is no
// boolean raises 13, which the export reports as its own failure.
void LogExportWhenEnabled(Ui &ui, const AppState &state, const Settings &settings,
                          LogRecord record);
