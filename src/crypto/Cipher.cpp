#include "crypto/Cipher.h"

#include "crypto/Rc4Key.h"
#include "crypto/UserKeys.h"

#include <QSet>
#include <array>

namespace {
QString &keyFolderSetting()
{
    static QString folder;
    return folder;
}

// Folders whose key pairs this process has already checked, so a call stays cheap.
void ensureUserKeys()
{
    static QSet<QString> checked;
    const QString folder = Cipher::keyFolder();
    if (!checked.contains(folder) && UserKeys::ensure(folder))
        checked.insert(folder);
}

// Each call starts RC4 afresh, so every short text under one password meets the same keystream
// head. Keeping the heads of the last few passwords spares a digest and a key schedule per
// record when a whole store passes under one entry key.
constexpr qsizetype kHeadLength = 256;
constexpr size_t kCachedPasswords = 4;

struct CachedHead
{
    QByteArray password;
    QByteArray head;
};
} // namespace

namespace Cipher {

void setKeyFolder(const QString &folder)
{
    keyFolderSetting() = folder;
}

QString keyFolder()
{
    return keyFolderSetting().isEmpty() ? UserKeys::defaultFolder() : keyFolderSetting();
}

const QByteArray &keystreamHead(const QByteArray &password)
{
    static std::array<CachedHead, kCachedPasswords> cache;
    static size_t next = 0;
    for (const CachedHead &entry : cache) {
        if (!entry.head.isEmpty() && entry.password == password)
            return entry.head;
    }
    CachedHead &slot = cache[next];
    next = (next + 1) % kCachedPasswords;
    slot.password = password;
    slot.head = QByteArray(kHeadLength, '\0');
    Rc4Stream(password).apply(reinterpret_cast<uint8_t *>(slot.head.data()), size_t(kHeadLength));
    return slot.head;
}

QByteArray crypt(const QByteArray &data, const QByteArray &password)
{
    ensureUserKeys();
    QByteArray out(data.size(), Qt::Uninitialized);
    if (data.size() <= kHeadLength) {
        const QByteArray &head = keystreamHead(password);
        for (qsizetype i = 0; i < data.size(); ++i)
            out[i] = char(data[i] ^ head[i]);
        return out;
    }
    Rc4Stream(password).apply(reinterpret_cast<const uint8_t *>(data.constData()),
                              reinterpret_cast<uint8_t *>(out.data()), size_t(out.size()));
    return out;
}

} // namespace Cipher
