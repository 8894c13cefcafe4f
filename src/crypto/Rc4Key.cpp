#include "crypto/Rc4Key.h"

#include <nettle/md5.h>

std::array<uint8_t, 16> Rc4KeyFor(const QByteArray &password)
{
    md5_ctx ctx;
    md5_init(&ctx);
    md5_update(&ctx, size_t(password.size()),
               reinterpret_cast<const uint8_t *>(password.constData()));
    uint8_t digest[MD5_DIGEST_SIZE];
    md5_digest(&ctx, MD5_DIGEST_SIZE, digest);
    std::array<uint8_t, 16> key{};
    for (int i = 0; i < 5; ++i)
        key[i] = digest[i];
    return key;
}

Rc4Stream::Rc4Stream(const QByteArray &password)
{
    const auto key = Rc4KeyFor(password);
    arcfour_set_key(&m_ctx, key.size(), key.data());
}

Rc4Stream::Rc4Stream(const uint8_t *key, size_t keyLength)
{
    arcfour_set_key(&m_ctx, keyLength, key);
}

void Rc4Stream::apply(uint8_t *data, size_t length)
{
    arcfour_crypt(&m_ctx, length, data, data);
}

void Rc4Stream::apply(const uint8_t *in, uint8_t *out, size_t length)
{
    arcfour_crypt(&m_ctx, length, out, in);
}
