#include "app/ProgramFolder.h"

#include "app/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString &overrideFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString installed =
        QDir::cleanPath(exeDir + QLatin1String("/../") + QLatin1String(PELLORA_SHARE_SUBDIR));
    if (QFileInfo::exists(JoinPath(installed, QStringLiteral("pqchk"))))
        return installed;
    return exeDir;
}

void SetProgramFolder(const QString &folder)
{
    overrideFolder() = folder;
}
