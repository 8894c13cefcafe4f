#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct AppState;

// Pellora's own files, which the file vault and the text export never change: everything in the
// data folder (store, log, lock, journals, keys, the decrypted check file) and in the settings'
// folder, and wherever they lie, the store, the log, the settings file and the shipped check file,
// by any name that reaches them (a link, a hard link).
class OwnFiles
{
public:
    explicit OwnFiles(const AppState &state);

    bool contains(const QString &path) const;
    // The ones among paths, in their order.
    QStringList among(const QStringList &paths) const;

private:
    struct Identity
    {
        quint64 device;
        quint64 inode;
    };

    QStringList m_folders;
    QStringList m_files;
    QList<Identity> m_identities;
};

// The message that refuses own files, naming each.
QString OwnFilesRefusal(const QStringList &paths);
