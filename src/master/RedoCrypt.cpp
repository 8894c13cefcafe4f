#include "master/RedoCrypt.h"

#include "crypto/cPQCrypt.h"
#include "entries/LoginRecord.h"
#include "entries/RecordFile.h"
#include "entries/StoreCheck.h"
#include "platform/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

QByteArray ReencryptedStore(const QByteArray &store, const QByteArray &oldEntryKey,
                            const QByteArray &newEntryKey)
{
    QByteArray out = store;
    cPQCrypt &crypt = Crypt();
    const qsizetype records = out.size() / LoginRecord::Size;
    for (qsizetype i = 0; i < records; ++i) {
        char *field = out.data() + i * LoginRecord::Size + RecordOffset::Password;
        const QByteArray old = QByteArray::fromRawData(field, LoginRecord::TextWidth);
        const QByteArray plain = FitText(crypt.DeCrypt(old, oldEntryKey));
        const QByteArray fresh = FitText(crypt.Encrypt(plain, newEntryKey));
        std::memcpy(field, fresh.constData(), LoginRecord::TextWidth);
    }
    return out;
}

QByteArray ReadStoreForReencryption(const QString &loginFile, const QByteArray &oldEntryKey)
{
    if (!QFile::exists(loginFile))
        return {};
    if (QFileInfo(loginFile).isDir())
        raiseError(VbErr::PathFileAccessError);
    QFile file(loginFile);
    if (!file.open(QIODevice::ReadOnly))
        RaiseFileError(file);
    if (file.size() / LoginRecord::Size > RecordFile::MaxRecords)
        raiseError(VbErr::Overflow);
    const QByteArray all = file.readAll();
    if (all.size() != file.size())
        RaiseFileError(file);
    const StoreCheck check =
        CheckStore(all.left(all.size() - all.size() % LoginRecord::Size), oldEntryKey);
    if (!check.sound())
        raiseError(
            VbErr::PathFileAccessError,
            QStringLiteral("Path/File access error: the store was left unchanged, because ") +
                check.problem());
    return all;
}
