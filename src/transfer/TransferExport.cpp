#include "transfer/TransferExport.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/LoginRecord.h"
#include "log/LogEvents.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/DurableFile.h"
#include "platform/Ui.h"
#include "transfer/ExportFailure.h"
#include "transfer/ExportLog.h"
#include "transfer/StoreRecords.h"
#include "transfer/TransferHeader.h"

#include <QFileInfo>

namespace {
bool exportable(const QByteArray &master)
{
    return !master.isEmpty() && master.size() <= LoginRecord::TextWidth;
}

void writeTransferFile(const QString &fileName, const QByteArray &content,
                       const QString &dataFolder)
{
    CheckExportTarget(fileName);
    DurableFile::replace(fileName, content, ExportNotePath(dataFolder));
}
} // namespace

bool ExportFile(Ui &ui, const AppState &state, const Settings &settings, const QString &fileName)
{
    BusyPointer busy(ui);
    if (!exportable(state.ActiveMaster1) || !exportable(state.ActiveMaster2)) {
        ui.message(QString::fromLatin1(kMastersNotExportable));
        return false;
    }
    bool atOutputFile = false;
    bool written = false;
    try {
        const QByteArray live = LiveRecords(ReadStoreRecords(state.LoginFile));
        atOutputFile = true;
        writeTransferFile(fileName,
                          MakeTransferHeader(state.ActiveMaster1, state.ActiveMaster2) + live,
                          QFileInfo(state.LoginFile).absolutePath());
        atOutputFile = false;
        written = true;
        LogExportWhenEnabled(ui, state, settings,
                             LogEvents::ExportedTo(fileName, GetLoginUserName(), Clock::now()));
        return true;
    } catch (const ClassicError &e) {
        ReportExportFailure(ui, e, atOutputFile);
        return written;
    }
}
