// libFuzzer target: any bytes handed to the import as a transfer file must either be refused as
// an invalid format or parse into whole entry records that can be re-enciphered.
#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"
#include "platform/ClassicError.h"
#include "transfer/ImportRecrypt.h"
#include "transfer/TransferFile.h"

#include <QDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool keys = [] {
        Cipher::setKeyFolder(QDir::tempPath() + QStringLiteral("/pellora-fuzz-keys/"));
        return true;
    }();
    (void)keys;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        TransferFile file = ParseTransferFile(bytes);
        if (file.entries.size() % LoginRecord::Size != 0 ||
            file.masters.master1.size() > LoginRecord::TextWidth ||
            file.masters.master2.size() > LoginRecord::TextWidth)
            std::abort();
        ImportHeaderMatches(file.masters, "first-master", "second-master");
        const QByteArray before = file.entries;
        if (recryptimportfile(file.entries, file.masters, "a new entry key") &&
            file.entries.size() != before.size())
            std::abort();
    } catch (const ClassicError &e) {
        if (e.number != ErrorNumber::BadRecordLength)
            std::abort();
    }
    return 0;
}
