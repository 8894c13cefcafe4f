#include "FaultCheck.h"

#include "FaultOperations.h"

#include <QFileInfo>
#include <QSet>

VaultState ParseVaultState(const QByteArray &report)
{
    VaultState state;
    for (const QByteArray &line : report.split('\n')) {
        // "kind first last"; a file's path (first) may hold blanks.
        const qsizetype firstBlank = line.indexOf(' ');
        const qsizetype lastBlank = line.lastIndexOf(' ');
        if (firstBlank < 0 || lastBlank <= firstBlank)
            continue;
        const QByteArray words[] = {line.left(firstBlank),
                                    line.mid(firstBlank + 1, lastBlank - firstBlank - 1),
                                    line.mid(lastBlank + 1)};
        if (words[0] == "store") {
            state.reported = true;
            state.records = words[1].toLongLong();
            state.whole = words[2] == "1";
        } else if (words[0] == "live") {
            state.live << QString::fromLatin1(words[1] + ' ' + words[2]);
            state.unreadable += words[2] == "?";
        } else if (words[0] == "file") {
            state.files.insert(QString::fromLocal8Bit(words[1]), words[2]);
        }
    }
    state.live.sort();
    return state;
}

QStringList Losses(const VaultState &before, const VaultState &after, const VaultState &now)
{
    if (!now.reported)
        return {QStringLiteral("next start failed")};
    QStringList losses;
    if (!now.whole)
        losses << QStringLiteral("store not whole records");
    if (now.unreadable > 0)
        losses << QStringLiteral("%1 entries unreadable").arg(now.unreadable);
    if (now.live != before.live && now.live != after.live)
        losses << QStringLiteral("live set neither old nor new");
    QMap<QString, QByteArray> paths = before.files;
    paths.insert(after.files);
    paths.insert(now.files);
    for (const QString &path : paths.keys()) {
        if (path == QLatin1String(kFaultStore) || path == QLatin1String(kFaultLog))
            continue;
        const QByteArray digest = now.files.value(path);
        if (!before.files.contains(path) && !after.files.contains(path))
            losses << QStringLiteral("leftover ") + path;
        else if (digest != before.files.value(path) && digest != after.files.value(path))
            losses << QStringLiteral("torn ") + path;
    }
    return losses;
}

bool IsComplete(const VaultState &after, const VaultState &now)
{
    QMap<QString, QByteArray> nowFiles = now.files;
    QMap<QString, QByteArray> afterFiles = after.files;
    nowFiles.remove(QLatin1String(kFaultLog));
    afterFiles.remove(QLatin1String(kFaultLog));
    return now.reported && now.records == after.records && now.live == after.live &&
           nowFiles == afterFiles;
}

QStringList UnsyncedChanges(const QStringList &calls)
{
    static const QSet<QString> writes{
        "write",     "pwrite",     "pwrite64",        "writev",          "pwritev",
        "pwritev64", "ftruncate",  "ftruncate64",     "fallocate",       "fallocate64",
        "sendfile",  "sendfile64", "copy_file_range", "posix_fallocate", "posix_fallocate64"};
    static const QSet<QString> renames{"rename", "renameat", "renameat2", "link",    "linkat",
                                       "unlink", "unlinkat", "mkdir",     "mkdirat", "rmdir"};
    QStringList files;
    QStringList folders;
    for (const QString &call : calls) {
        const QString name = call.section(QLatin1Char(' '), 0, 0);
        const QString path = call.section(QLatin1Char(' '), 1);
        if (path.endsWith(QLatin1String(".lock")))
            continue;
        if (name == QLatin1String("fsync") || name == QLatin1String("fdatasync")) {
            files.removeAll(path);
            folders.removeAll(path);
        } else if (writes.contains(name) && !files.contains(path)) {
            files << path;
        } else if (renames.contains(name)) {
            const QString folder = QFileInfo(path).path();
            if (!folders.contains(folder))
                folders << folder;
        }
    }
    QStringList losses;
    for (const QString &file : files)
        losses << QStringLiteral("not synced: ") + file;
    for (const QString &folder : folders)
        losses << QStringLiteral("folder not synced: ") +
                      (folder == QLatin1String(".") ? QStringLiteral("the home") : folder);
    return losses;
}
