#include "ui/LogViewer.h"

#include "app/AppState.h"
#include "platform/Ui.h"
#include "ui/AppContext.h"

#include <QDesktopServices>
#include <QFileInfo>

UrlOpener DesktopUrlOpener()
{
    return [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

void ShowLogViewer(AppContext &context, const UrlOpener &open)
{
    const QString path = context.state.LogFile;
    if (!QFileInfo(path).isFile()) {
        if (context.state.UseNTEventLog) {
            context.ui.message(
                QStringLiteral("Events are sent to the system log, not to the log file ") + path +
                QStringLiteral(". Read them with the command: journalctl -t Pellora"));
        } else {
            context.ui.message(QStringLiteral("Nothing has been logged yet: the activity log ") +
                               path +
                               QStringLiteral(" does not exist. Choose the events to log on the "
                                              "Logging tab of View > Options..."));
        }
        return;
    }
    if (!open(QUrl::fromLocalFile(path)))
        context.ui.message(QStringLiteral("No program could be found to show the activity log ") +
                           path + QStringLiteral("."));
}
