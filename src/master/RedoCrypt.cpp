#include "master/RedoCrypt.h"

#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"
#include "entries/RecordFile.h"
#include "entries/StoreCheck.h"
#include "platform/ClassicError.h"

#include <QFile>
#include <QFileInfo>

QByteArray ReencryptedStore(const QByteArray &store, const QByteArray &oldEntryKey,
                            const QByteArray &newEntryKey)
{
    // Every field meets the same keystreams, so deciphering under the old key and enciphering
    // under the new one is one XOR with both.
    const QByteArray &oldStream = Cipher::keystreamHead(oldEntryKey);
    const QByteArray &newStream = Cipher::keystreamHead(newEntryKey);
    char both[LoginRecord::TextWidth];
    for (int i = 0; i < LoginRecord::TextWidth; ++i)
        both[i] = char(oldStream[i] ^ newStream[i]);
    QByteArray out = store;
    const qsizetype records = out.size() / LoginRecord::Size;
    for (qsizetype r = 0; r < records; ++r) {
        char *field = out.data() + r * LoginRecord::Size + RecordOffset::Password;
        for (int i = 0; i < LoginRecord::TextWidth; ++i)
            field[i] = char(field[i] ^ both[i]);
    }
    return out;
}

QByteArray ReadStoreForReencryption(const QString &loginFile, const QByteArray &oldEntryKey)
{
    if (!QFile::exists(loginFile))
        return {};
    if (QFileInfo(loginFile).isDir())
        raiseError(ErrorNumber::PathFileAccessError);
    QFile file(loginFile);
    if (!file.open(QIODevice::ReadOnly))
        RaiseFileError(file);
    if (file.size() / LoginRecord::Size > RecordFile::MaxRecords)
        raiseError(ErrorNumber::Overflow);
    const QByteArray all = file.readAll();
    if (all.size() != file.size())
        RaiseFileError(file);
    const StoreCheck check =
        CheckStore(all.left(all.size() - all.size() % LoginRecord::Size), oldEntryKey);
    if (!check.sound())
        raiseError(
            ErrorNumber::PathFileAccessError,
            QStringLiteral("Path/File access error: the store was left unchanged, because ") +
                check.problem());
    return all;
}
