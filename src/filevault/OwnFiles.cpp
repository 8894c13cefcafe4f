#include "filevault/OwnFiles.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "crypto/CryptoSelfTest.h"
#include "filevault/VaultDataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {
// The path with every link resolved, also for a file that does not exist yet.
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                            : JoinPath(folder, info.fileName());
}

bool under(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}
} // namespace

OwnFiles::OwnFiles(const AppState &state)
{
    const QString settingsFile = Settings::defaultPath();
    for (const QString &folder : {VaultDataFolder(state), QFileInfo(settingsFile).absolutePath()})
        m_folders << QDir::cleanPath(resolved(folder));
    QStringList files{state.LoginFile, state.LogFile, settingsFile};
    // Without an application there is no program folder, nor a check file in it.
    if (QCoreApplication::instance())
        files << JoinPath(ProgramFolder(), QString::fromLatin1(kCheckFileName));
    for (const QString &file : files) {
        if (file.isEmpty())
            continue;
        m_files << resolved(file);
        struct stat st
        {
        };
        if (::stat(QFile::encodeName(file).constData(), &st) == 0)
            m_identities.append({quint64(st.st_dev), quint64(st.st_ino)});
    }
}

bool OwnFiles::contains(const QString &path) const
{
    const QString real = resolved(path);
    for (const QString &folder : m_folders) {
        if (under(real, folder))
            return true;
    }
    if (m_files.contains(real))
        return true;
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    for (const Identity &own : m_identities) {
        if (own.device == quint64(st.st_dev) && own.inode == quint64(st.st_ino))
            return true;
    }
    return false;
}

QStringList OwnFiles::among(const QStringList &paths) const
{
    QStringList own;
    for (const QString &path : paths) {
        if (contains(path))
            own << path;
    }
    return own;
}

QString OwnFilesRefusal(const QStringList &paths)
{
    return QStringLiteral("These are Pellora's own files, which it never encrypts or decrypts, so "
                          "nothing has been changed:\n") +
           paths.join(QLatin1Char('\n'));
}
