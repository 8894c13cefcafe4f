#include "transfer/ExportFailure.h"

#include "entries/RecordFile.h"
#include "platform/ClassicError.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFileInfo>

void ReportExportFailure(Ui &ui, const ClassicError &error, bool atOutputFile)
{
    if (error.number == ErrorNumber::BadFileNameOrNumber)
        return;
    if (error.number == ErrorNumber::PathFileAccessError && atOutputFile)
        ui.message(QStringLiteral("The filename is not valid"));
    ui.message(QStringLiteral("An error has occurred in ExportFile ") + error.text());
}

void CheckExportTarget(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        raiseError(ErrorNumber::BadFileNameOrNumber);
    const QFileInfo info(path);
    // A folder, a device or a pipe is never replaced by a file of ours.
    if (info.exists() && !info.isFile())
        raiseError(ErrorNumber::PathFileAccessError);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        raiseError(ErrorNumber::PathNotFound);
}

void RaiseExportTargetError(const QFileDevice &file)
{
    const QFileInfo info(file.fileName());
    const QFileInfo folder(info.absolutePath());
    if (file.error() == QFileDevice::OpenError &&
        (info.exists() ? !info.isWritable() : !folder.isWritable()))
        raiseError(ErrorNumber::PermissionDenied);
    RaiseFileError(file);
}

QString ExportNotePath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("Pellora.pending"));
}
