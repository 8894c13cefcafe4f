#include "crypto/cPQCrypt.h"

#include "crypto/Rc4Key.h"
#include "crypto/clsPQCrypt.h"

#include <array>
#include <memory>

namespace {
std::unique_ptr<cPQCrypt> &shared()
{
    static std::unique_ptr<cPQCrypt> instance;
    return instance;
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

const QByteArray &KeystreamHead(const QByteArray &password)
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

namespace {

QByteArray applyHead(const QByteArray &data, const QByteArray &password)
{
    const QByteArray &head = KeystreamHead(password);
    QByteArray out(data.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < data.size(); ++i)
        out[i] = char(data[i] ^ head[i]);
    return out;
}
} // namespace

cPQCrypt::cPQCrypt()
{
    // The buffer cipher makes the user's key pairs on first use; a short text must not skip that.
    clsPQCrypt keys;
}

QByteArray cPQCrypt::Encrypt(const QByteArray &szSecret, const QByteArray &szPassword)
{
    if (szSecret.size() <= kHeadLength) {
        m_status = clsPQCrypt::Finished;
        return applyHead(szSecret, szPassword);
    }
    clsPQCrypt cipher;
    m_status = 0;
    cipher.setPassword(szPassword);
    cipher.setInBuffer(szSecret);
    cipher.Encrypt();
    m_status = cipher.Status();
    return cipher.OutBuffer();
}

QByteArray cPQCrypt::DeCrypt(const QByteArray &szSecret, const QByteArray &szPassword)
{
    if (szSecret.size() <= kHeadLength) {
        m_status = clsPQCrypt::Finished;
        return applyHead(szSecret, szPassword);
    }
    clsPQCrypt cipher;
    m_status = 0;
    cipher.setPassword(szPassword);
    cipher.setInBuffer(szSecret);
    cipher.DeCrypt();
    m_status = cipher.Status();
    return cipher.OutBuffer();
}

cPQCrypt &Crypt()
{
    if (!shared())
        shared() = std::make_unique<cPQCrypt>();
    return *shared();
}

void ReleaseCrypt()
{
    shared().reset();
}
