#include "ui/StartFolder.h"

#include "app/AppState.h"
#include "filevault/OwnFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString &lastFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString StartFolder()
{
    const QString last = lastFolder();
    if (!last.isEmpty() && QFileInfo(last).isDir() && !OwnFiles(AppState()).contains(last))
        return last;
    return QDir::homePath();
}

void RememberFolder(const QString &folder)
{
    lastFolder() = folder;
}

QString InStartFolder(const QString &path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return QDir(StartFolder()).filePath(path);
}
