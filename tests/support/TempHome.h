#pragma once

#include <QDir>
#include <QTemporaryDir>

// Points HOME and the XDG folders into a fresh temporary folder, so no test touches real files.
class TempHome
{
public:
    TempHome();
    ~TempHome() { QDir::setCurrent(m_oldCwd); }
    TempHome(const TempHome &) = delete;
    TempHome &operator=(const TempHome &) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // The data folder, created, ending in '/'.
    QString dataFolder() const;

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
};

// Writes bytes to a file, replacing it.
void WriteFile(const QString &path, const QByteArray &bytes);
QByteArray ReadFile(const QString &path);
// The file's permission bits (st_mode & 0777), or -1 when it cannot be read.
int FileMode(const QString &path);
// The file's inode: a file replaced through a rename gets a new one.
quint64 FileInode(const QString &path);
