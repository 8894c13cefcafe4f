#include "transfer/ImportRecrypt.h"

#include "crypto/cPQCrypt.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"

#include <cstring>

bool recryptimportfile(QByteArray &entries, const TransferMasters &exporting,
                       const QByteArray &entryKey)
{
    const QByteArray oldKey = exporting.master1 + exporting.master2;
    char *data = entries.data();
    for (qsizetype off = 0; off + LoginRecord::Size <= entries.size(); off += LoginRecord::Size) {
        char *field = data + off + RecordOffset::Password;
        const QByteArray plain = Crypt().DeCrypt(QByteArray(field, LoginRecord::TextWidth), oldKey);
        const bool live = ReadInt16(data + off + RecordOffset::Deleted) == 0;
        if (live && !PasswordLengthPrefix(plain))
            return false;
        const QByteArray renewed = Crypt().Encrypt(plain, entryKey);
        std::memcpy(field, renewed.constData(), LoginRecord::TextWidth);
    }
    return true;
}
