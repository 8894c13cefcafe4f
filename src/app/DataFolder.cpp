#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

QString GetDataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString GetLoginUserName()
{
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name).left(144);
    return qEnvironmentVariable("USER").left(144);
}

bool MakePath(const QString &path)
{
    QString p = path;
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    // Walk from the second separator so the root itself is never created.
    for (qsizetype i = p.indexOf(QLatin1Char('/'), 1); i > 0;
         i = p.indexOf(QLatin1Char('/'), i + 1)) {
        const QString prefix = p.left(i);
        if (QDir(prefix).exists())
            continue;
        if (QDir().mkdir(prefix)) {
            QFile::setPermissions(prefix, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    return true;
}

QString DataFolderPath()
{
    QString home = GetDataHome();
    if (home.isEmpty())
        home = QDir::homePath() + QLatin1String("/.local/share");
    return JoinPath(home, QStringLiteral("Brantwick/Pellora/"));
}

QString GetDataFolder()
{
    const QString folder = DataFolderPath();
    if (!QDir::setCurrent(folder)) {
        MakePath(folder);
        QDir::setCurrent(folder);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

QString JoinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}
