#pragma once

#include "filevault/CipherPump.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/types.h>

// Enciphers or deciphers one file where it lies. The new content goes to a temporary file in the
// same folder, reaches the disk, and is then renamed over the original, which keeps its name and
// permissions: a crash or failure at any point leaves the original byte for byte as it was.
class InPlaceCipher
{
public:
    explicit InPlaceCipher(const QString &path);
    ~InPlaceCipher();
    InPlaceCipher(const InPlaceCipher &) = delete;
    InPlaceCipher &operator=(const InPlaceCipher &) = delete;

    // Opens the original for reading; false when it is missing, unreadable or not a regular file
    // (a folder or a pipe is refused without waiting on it).
    bool openSource();
    // The RC4 pass under key, opening the original first when openSource has not. An empty file
    // stays as it is.
    CipherOutcome run(const QByteArray &key);

private:
    CipherOutcome replace(const QByteArray &key);
    void discardTemp();

    QString m_path;
    QFile m_source;
    mode_t m_mode = 0;
    uid_t m_owner = 0;
    gid_t m_group = 0;
    qint64 m_size = 0;
    QByteArray m_tempPath;
};

// One whole pass over the file at path.
CipherOutcome CipherFileInPlace(const QString &path, const QByteArray &key);
