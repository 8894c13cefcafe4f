#include "TempHome.h"

#include "app/DataFolder.h"
#include "crypto/Cipher.h"

#include <sys/stat.h>

TempHome::TempHome()
    : m_oldCwd(QDir::currentPath())
{
    qputenv("HOME", m_dir.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_dir.path() + QLatin1String("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (m_dir.path() + QLatin1String("/data")).toLocal8Bit());
    static const QTemporaryDir keys; // key pairs are made once per process
    Cipher::setKeyFolder(keys.path() + QLatin1String("/keys/"));
}

QString TempHome::dataFolder() const
{
    return GetDataFolder();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int FileMode(const QString &path)
{
    struct stat st = {};
    if (stat(path.toLocal8Bit().constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 0777);
}

quint64 FileInode(const QString &path)
{
    struct stat st = {};
    return stat(path.toLocal8Bit().constData(), &st) == 0 ? quint64(st.st_ino) : 0;
}
