#include "TempHome.h"
#include "crypto/Rc4Key.h"
#include "crypto/cPQCrypt.h"
#include "crypto/clsPQCrypt.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
QByteArray keystream(const QByteArray &key, int length)
{
    QByteArray out(length, '\0');
    Rc4Stream(reinterpret_cast<const uint8_t *>(key.constData()), size_t(key.size()))
        .apply(reinterpret_cast<uint8_t *>(out.data()), size_t(out.size()));
    return out;
}

const QByteArray kPassPhrase("qwhe7&*/:]{3k  tbnsoo!$eprdxuhmjlqtr 8hj2 k731z");
} // namespace

TEST(Rc4, MatchesPublishedKeystreamVectors)
{
    const QByteArray key40 = QByteArray::fromHex("0102030405");
    const QByteArray s40 = keystream(key40, 4112);
    EXPECT_EQ(s40.mid(0, 16).toHex(), "b2396305f03dc027ccc3524a0a1118a8");
    EXPECT_EQ(s40.mid(16, 16).toHex(), "6982944f18fc82d589c403a47a0d0919");
    EXPECT_EQ(s40.mid(240, 16).toHex(), "28cb1132c96ce286421dcaadb8b69eae");
    EXPECT_EQ(s40.mid(4096, 16).toHex(), "ff25b58995996707e51fbdf08b34d875");

    const QByteArray key128 = QByteArray::fromHex("0102030405060708090a0b0c0d0e0f10");
    const QByteArray s128 = keystream(key128, 4112);
    EXPECT_EQ(s128.mid(0, 16).toHex(), "9ac7cc9a609d1ef7b2932899cde41b97");
    EXPECT_EQ(s128.mid(4096, 16).toHex(), "a36a4c301ae8ac13610ccbc12256cacc");
}

TEST(Rc4, KeyIsFirstFiveDigestBytesThenElevenZeros)
{
    const auto key = Rc4KeyFor("secret"); // MD5 5ebe2294ecd0e0f0...
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(key.data()), 16).toHex(),
              "5ebe2294ec0000000000000000000000");
}

TEST(Rc4, PiecewiseApplicationEqualsOnePass)
{
    QByteArray data(100000, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i * 7);
    QByteArray whole = data;
    Rc4Stream("pw").apply(reinterpret_cast<uint8_t *>(whole.data()), size_t(whole.size()));
    QByteArray pieces = data;
    Rc4Stream s("pw");
    for (int off = 0; off < pieces.size(); off += 4093) {
        const int n = std::min<int>(4093, int(pieces.size()) - off);
        s.apply(reinterpret_cast<uint8_t *>(pieces.data()) + off, size_t(n));
    }
    EXPECT_EQ(whole, pieces);
}

class StringCipher : public ::testing::Test
{
protected:
    TempHome home;
};

TEST_F(StringCipher, ProducesTheKnownCipherTextForPasswords)
{
    EXPECT_EQ(Crypt().Encrypt("Hello, World!", "secret").toHex(), "47af0e9668f602fd67097e1741");
    EXPECT_EQ(Crypt().Encrypt("06abcdef", kPassPhrase).toHex(), "729b13866584a1dc");
    EXPECT_EQ(Crypt().Encrypt("master-one", kPassPhrase).toHex(), "2fcc01906392e9d54af7");
    const QByteArray binaryPlain = QByteArray::fromHex("00ff0d0a80207077");
    const QByteArray binaryKey = QByteArray::fromHex("4be979006b6579");
    EXPECT_EQ(Crypt().Encrypt(binaryPlain, binaryKey).toHex(), "2e0de5882b09635d");
}

TEST_F(StringCipher, RoundTripsEveryByteValueAndKeepsLength)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    for (const QByteArray &password : {QByteArray(), QByteArray("p"), all}) {
        const QByteArray c = Crypt().Encrypt(all, password);
        EXPECT_EQ(c.size(), all.size());
        EXPECT_EQ(Crypt().DeCrypt(c, password), all);
        EXPECT_EQ(Crypt().DeCrypt(all, password), c) << "decrypt and encrypt are one transform";
        EXPECT_EQ(Crypt().Encrypt(all, password), c) << "no salt, no IV";
    }
    EXPECT_EQ(Crypt().Encrypt(all, "").left(4).toHex(), "02947821");
    EXPECT_TRUE(Crypt().Encrypt("", "pw").isEmpty());
}

TEST_F(StringCipher, BufferCipherReportsStatus)
{
    clsPQCrypt c;
    EXPECT_EQ(c.Status(), clsPQCrypt::Finished);
    c.setPassword("pw");
    c.setInBuffer("");
    c.Encrypt();
    EXPECT_TRUE(c.OutBuffer().isEmpty());
    EXPECT_EQ(c.Status(), clsPQCrypt::Finished);
}

TEST_F(StringCipher, SignatureValidatesOnlyForTheSignedBuffer)
{
    clsPQCrypt c;
    c.setInBuffer("the buffer");
    c.Sign();
    ASSERT_FALSE(c.Signature().isEmpty());
    EXPECT_EQ(c.Status(), clsPQCrypt::Finished);
    c.Validate();
    EXPECT_EQ(c.Status(), clsPQCrypt::SignatureValid);
    c.setInBuffer("the buffeR");
    c.Validate();
    EXPECT_EQ(c.Status(), clsPQCrypt::Finished);
}

TEST(UserKeyFiles, AreMadeOnFirstUsePrivateToTheUser)
{
    TempHome home;
    const QString folder = home.file(QStringLiteral("own-keys/"));
    clsPQCrypt::setKeyFolder(folder);
    clsPQCrypt c;
    EXPECT_EQ(c.Status(), clsPQCrypt::Finished);
    const QFileInfo sig(folder + QStringLiteral("signature.key"));
    ASSERT_TRUE(sig.exists());
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_FALSE(sig.permissions() & others);
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("exchange.key")));
}
