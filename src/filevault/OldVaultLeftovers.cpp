#include "filevault/OldVaultLeftovers.h"

#include <QDir>
#include <QFile>
#include <QList>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kPrefix[] = ".pellora-";
constexpr qint64 kOldChunk = qint64(1) << 20;

bool isLeftoverName(const QString &name)
{
    const QString prefix = QString::fromLatin1(kPrefix);
    if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
        return false;
    for (qsizetype i = prefix.size(); i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (!(c.unicode() < 128 && c.isLetterOrNumber()))
            return false;
    }
    return true;
}

struct Entry
{
    QString name;
    mode_t mode;
    qint64 size;
};

// The user's own regular files in folder, links not followed.
QList<Entry> ownRegularFiles(const QDir &dir, const QStringList &names)
{
    QList<Entry> out;
    for (const QString &name : names) {
        struct stat st
        {
        };
        if (::lstat(QFile::encodeName(dir.filePath(name)).constData(), &st) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
            out.append({name, mode_t(st.st_mode & 07777), qint64(st.st_size)});
    }
    return out;
}

bool hasIntactOriginal(const Entry &leftover, const QList<Entry> &files)
{
    for (const Entry &f : files) {
        if (isLeftoverName(f.name))
            continue;
        if (leftover.size == 0)
            return true;
        if (f.mode != leftover.mode)
            continue;
        if (f.size == leftover.size || (leftover.size % kOldChunk == 0 && leftover.size < f.size))
            return true;
    }
    return false;
}
} // namespace

int RemoveOldVaultLeftoversIn(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (std::none_of(names.begin(), names.end(), isLeftoverName))
        return 0;
    const QList<Entry> files = ownRegularFiles(dir, names);
    int removed = 0;
    for (const Entry &f : files) {
        if (isLeftoverName(f.name) && hasIntactOriginal(f, files) &&
            QFile::remove(dir.filePath(f.name)))
            ++removed;
    }
    return removed;
}

void RemoveOldVaultLeftovers(const QString &dataFolder)
{
    RemoveOldVaultLeftoversIn(dataFolder);
    const QDir home = QDir::home();
    RemoveOldVaultLeftoversIn(home.path());
    for (const QString &sub : home.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        RemoveOldVaultLeftoversIn(home.filePath(sub));
}
