#include "filevault/FileKey.h"

#include "crypto/Rc4Key.h"

#include <QRandomGenerator>

#include <algorithm>
#include <nettle/md5.h>

namespace {
constexpr char kCheck[] = "PVaultK1";
constexpr size_t kCheckSize = sizeof(kCheck) - 1;
static_assert(kCheckSize + sizeof(FileKey) == SealedFileKey::SealedSize);
// The first bytes of an RC4 keystream lean towards some values; they are passed over.
constexpr size_t kDropped = 768;

Rc4Stream SealingStream(const QByteArray &nonce, const QByteArray &entryKey)
{
    md5_ctx ctx;
    md5_init(&ctx);
    md5_update(&ctx, size_t(entryKey.size()), reinterpret_cast<const uint8_t *>(entryKey.data()));
    md5_update(&ctx, size_t(nonce.size()), reinterpret_cast<const uint8_t *>(nonce.data()));
    uint8_t digest[MD5_DIGEST_SIZE];
    md5_digest(&ctx, MD5_DIGEST_SIZE, digest);
    Rc4Stream stream(digest, MD5_DIGEST_SIZE);
    uint8_t dropped[kDropped] = {};
    stream.apply(dropped, kDropped);
    return stream;
}
} // namespace

FileKey FileKeyFor(const QByteArray &password)
{
    return Rc4KeyFor(password);
}

SealedFileKey SealFileKey(const FileKey &key, const QByteArray &entryKey)
{
    SealedFileKey out;
    out.nonce.resize(SealedFileKey::NonceSize);
    QRandomGenerator::system()->generate(out.nonce.begin(), out.nonce.end());
    out.sealed = QByteArray(kCheck, kCheckSize) +
                 QByteArray(reinterpret_cast<const char *>(key.data()), key.size());
    SealingStream(out.nonce, entryKey)
        .apply(reinterpret_cast<uint8_t *>(out.sealed.data()), size_t(out.sealed.size()));
    return out;
}

std::optional<FileKey> UnsealFileKey(const SealedFileKey &sealed, const QByteArray &entryKey)
{
    if (sealed.nonce.size() != SealedFileKey::NonceSize ||
        sealed.sealed.size() != SealedFileKey::SealedSize)
        return std::nullopt;
    QByteArray open = sealed.sealed;
    SealingStream(sealed.nonce, entryKey)
        .apply(reinterpret_cast<uint8_t *>(open.data()), size_t(open.size()));
    if (!open.startsWith(QByteArray(kCheck, kCheckSize)))
        return std::nullopt;
    FileKey key{};
    std::copy_n(open.constData() + kCheckSize, key.size(), key.begin());
    return key;
}
