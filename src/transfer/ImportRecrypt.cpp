#include "transfer/ImportRecrypt.h"

#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"

bool recryptimportfile(QByteArray &entries, const TransferMasters &exporting,
                       const QByteArray &entryKey)
{
    // Every field meets the same two keystreams: decipher and re-encipher is one XOR each.
    const QByteArray &oldStream = Cipher::keystreamHead(exporting.master1 + exporting.master2);
    const QByteArray &newStream = Cipher::keystreamHead(entryKey);
    char *data = entries.data();
    for (qsizetype off = 0; off + LoginRecord::Size <= entries.size(); off += LoginRecord::Size) {
        char *field = data + off + RecordOffset::Password;
        const bool live = ReadInt16(data + off + RecordOffset::Deleted) == 0;
        if (live) {
            const char prefix[2] = {char(field[0] ^ oldStream[0]), char(field[1] ^ oldStream[1])};
            if (!PasswordLengthPrefix(QByteArray(prefix, 2)))
                return false;
        }
        for (int i = 0; i < LoginRecord::TextWidth; ++i)
            field[i] = char(field[i] ^ oldStream[i] ^ newStream[i]);
    }
    return true;
}
