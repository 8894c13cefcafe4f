#include "crypto/Cipher.h"
#include "TempHome.h"
#include "crypto/Rc4Key.h"
#include "crypto/UserKeys.h"

#include <gtest/gtest.h>

// Published keystream vectors, then cipher texts the stored files already hold.
TEST(Cipher, KnownAnswersKeyFilesAndSignatures)
{
    const std::tuple<QByteArray, int, QByteArray> streams[] = {
        {"0102030405", 0, "b2396305f03dc027ccc3524a0a1118a8"},
        {"0102030405", 240, "28cb1132c96ce286421dcaadb8b69eae"},
        {"0102030405", 4096, "ff25b58995996707e51fbdf08b34d875"},
        {"0102030405060708090a0b0c0d0e0f10", 4096, "a36a4c301ae8ac13610ccbc12256cacc"}};
    for (const auto &[key, offset, expected] : streams) {
        const QByteArray k = QByteArray::fromHex(key);
        QByteArray out(offset + 16, '\0');
        Rc4Stream(reinterpret_cast<const uint8_t *>(k.constData()), size_t(k.size()))
            .apply(reinterpret_cast<uint8_t *>(out.data()), size_t(out.size()));
        EXPECT_EQ(out.mid(offset).toHex(), expected) << offset;
    }
    const QByteArray phrase("qwhe7&*/:]{3k  tbnsoo!$eprdxuhmjlqtr 8hj2 k731z");
    const std::tuple<QByteArray, QByteArray, QByteArray> texts[] = {
        {"Hello, World!", "secret", "47af0e9668f602fd67097e1741"},
        {"06abcdef", phrase, "729b13866584a1dc"},
        {QByteArray::fromHex("00ff0d0a80207077"), QByteArray::fromHex("4be979006b6579"),
         "2e0de5882b09635d"}};
    for (const auto &[plain, password, expected] : texts) {
        EXPECT_EQ(Cipher::crypt(plain, password).toHex(), expected);
        EXPECT_EQ(Cipher::crypt(QByteArray::fromHex(expected), password), plain);
    }
    // Key files are made on first use, private to the user; a signature validates only its buffer.
    TempHome home;
    const QString folder = home.file(QStringLiteral("own-keys/"));
    Cipher::setKeyFolder(folder);
    Cipher::crypt("x", "pw");
    const QFileInfo sig(folder + QStringLiteral("signature.key"));
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_TRUE(sig.exists() && !(sig.permissions() & others) &&
                QFileInfo::exists(folder + QStringLiteral("exchange.key")));
    const auto signature = UserKeys::sign(folder, "the buffer");
    ASSERT_TRUE(signature && !signature->isEmpty());
    EXPECT_TRUE(UserKeys::verify(folder, "the buffer", *signature));
    EXPECT_FALSE(UserKeys::verify(folder, "the buffeR", *signature));
}
