#include "crypto/UserKeys.h"

#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <nettle/bignum.h>
#include <nettle/buffer.h>
#include <nettle/md5.h>
#include <nettle/rsa.h>

namespace {

constexpr unsigned kKeyBits = 1024;

struct KeyPair
{
    rsa_public_key pub{};
    rsa_private_key priv{};
    KeyPair()
    {
        rsa_public_key_init(&pub);
        rsa_private_key_init(&priv);
    }
    ~KeyPair()
    {
        rsa_public_key_clear(&pub);
        rsa_private_key_clear(&priv);
    }
    KeyPair(const KeyPair &) = delete;
    KeyPair &operator=(const KeyPair &) = delete;
};

QString keyFile(const QString &folder, UserKeys::Kind kind)
{
    return JoinPath(folder, kind == UserKeys::Kind::Signature ? QStringLiteral("signature.key")
                                                              : QStringLiteral("exchange.key"));
}

void systemRandom(void *, size_t length, uint8_t *dst)
{
    QRandomGenerator::system()->generate(dst, dst + length);
}

bool load(const QString &path, KeyPair &pair)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray data = f.readAll();
    return rsa_keypair_from_sexp(&pair.pub, &pair.priv, 0, size_t(data.size()),
                                 reinterpret_cast<const uint8_t *>(data.constData())) == 1;
}

bool generate(const QString &path)
{
    KeyPair pair;
    mpz_set_ui(pair.pub.e, 65537);
    if (!rsa_generate_keypair(&pair.pub, &pair.priv, nullptr, systemRandom, nullptr, nullptr,
                              kKeyBits, 0))
        return false;
    nettle_buffer buffer;
    nettle_buffer_init(&buffer);
    const bool encoded = rsa_keypair_to_sexp(&buffer, nullptr, &pair.pub, &pair.priv) != 0;
    const QByteArray bytes(reinterpret_cast<const char *>(buffer.contents), qsizetype(buffer.size));
    nettle_buffer_clear(&buffer);
    if (!encoded)
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return f.write(bytes) == bytes.size() && f.commit();
}

bool ensureOne(const QString &folder, UserKeys::Kind kind)
{
    const QString path = keyFile(folder, kind);
    if (QFile::exists(path)) {
        KeyPair pair;
        return load(path, pair);
    }
    return generate(path);
}

void md5Of(const QByteArray &data, md5_ctx &ctx)
{
    md5_init(&ctx);
    md5_update(&ctx, size_t(data.size()), reinterpret_cast<const uint8_t *>(data.constData()));
}

} // namespace

namespace UserKeys {

QString defaultFolder()
{
    return DataFolderPath() + QLatin1String("keys/");
}

bool ensure(const QString &keyFolder)
{
    if (!QDir(keyFolder).exists()) {
        MakePath(keyFolder);
        if (!QDir(keyFolder).exists())
            return false;
    }
    return ensureOne(keyFolder, Kind::Signature) && ensureOne(keyFolder, Kind::KeyExchange);
}

std::optional<QByteArray> sign(const QString &keyFolder, const QByteArray &data)
{
    KeyPair pair;
    if (!load(keyFile(keyFolder, Kind::Signature), pair))
        return std::nullopt;
    md5_ctx ctx;
    md5Of(data, ctx);
    mpz_t s;
    mpz_init(s);
    std::optional<QByteArray> out;
    if (rsa_md5_sign_tr(&pair.pub, &pair.priv, nullptr, systemRandom, &ctx, s)) {
        QByteArray bytes(qsizetype(pair.pub.size), '\0');
        nettle_mpz_get_str_256(pair.pub.size, reinterpret_cast<uint8_t *>(bytes.data()), s);
        out = bytes;
    }
    mpz_clear(s);
    return out;
}

bool verify(const QString &keyFolder, const QByteArray &data, const QByteArray &signature)
{
    KeyPair pair;
    if (signature.isEmpty() || !load(keyFile(keyFolder, Kind::Signature), pair))
        return false;
    md5_ctx ctx;
    md5Of(data, ctx);
    mpz_t s;
    mpz_init(s);
    nettle_mpz_set_str_256_u(s, size_t(signature.size()),
                             reinterpret_cast<const uint8_t *>(signature.constData()));
    const bool ok = rsa_md5_verify(&pair.pub, &ctx, s) != 0;
    mpz_clear(s);
    return ok;
}

} // namespace UserKeys
