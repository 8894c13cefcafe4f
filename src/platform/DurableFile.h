#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// Writes that survive a crash or a power cut: a replaced file is either wholly old or wholly
// new, and what returned successfully is on the disk. Every failure raises the classic error
// that matches its cause (61 for a full disk, 70 for a refused or read-only target, 57 for an
// I/O error).
namespace DurableFile {

// The classic error number for a failed system call's errno.
int classicErrorOf(int err);
[[noreturn]] void raiseErrno(int err);

// Replaces path with content through a temporary file in the same folder (path + ".XXXXXX"):
// written, synced, read back and compared, renamed over path, then the folder synced. On
// failure the temporary file is removed and path is left byte-identical. Once the rename is
// done the replacement stands: a folder that then refuses to sync is tried once more and is no
// failure of the data, which is on the disk.
// For a file outside the program's own folders (an export), noteFile names a note in the data
// folder that holds the temporary file's name while it exists, so that the next start can
// remove what a crash left there (RemoveNotedLeftovers).
void replace(const QString &path, const QByteArray &content, const QString &noteFile = {});
// Removes the temporary files a note names, then the note.
void removeNotedLeftovers(const QString &noteFile);

// Writes all of data at offset (pwrite), however many calls that takes.
void writeAt(int fd, const char *data, qint64 length, qint64 offset);

// Flushes an open file's data to the disk (fdatasync).
void syncData(QFileDevice &file);
void syncData(int fd);
// Makes a rename, creation or removal inside folder durable.
void syncFolder(const QString &folder);
// Renames and syncs the folder (as replace() does after its rename); both paths lie in one
// folder.
void rename(const QString &from, const QString &to);
// Removes path when it exists, then syncs its folder.
void remove(const QString &path);

// True for a temporary file that replace() or QSaveFile leaves when killed mid-write:
// ownName + "." + six letters or digits of mixed kinds (a plain word is the user's own).
bool isLeftoverOf(const QString &fileName, const QString &ownName);

} // namespace DurableFile
