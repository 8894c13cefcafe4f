#include "transfer/ExportLog.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "log/WriteLog.h"

void LogExportWhenEnabled(Ui &ui, const AppState &state, const Settings &settings, LogRecord record)
{
    if (settings.getBool(Setting::LogExports))
        WriteLog(ui, state.logTarget(), record);
}
