#include "FileSizeLimit.h"
#include "StoreFixture.h"
#include "crypto/Cipher.h"
#include "crypto/CryptoSelfTest.h"

#include <gtest/gtest.h>

// Only the last whole record counts; a plaintext left by an earlier run disturbs nothing.
TEST(SelfTestTest, OnlyACheckFileEndingInTheCheckRecordPasses)
{
    TempHome home;
    const QString data = home.dataFolder(), program = home.file(QStringLiteral("program"));
    const QString plain = data + QStringLiteral("pqchk.~gn");
    QDir().mkpath(program);
    // The self-test's result over a check file enciphering these bytes.
    const auto over = [&](const QByteArray &bytes) {
        WriteFile(program + QStringLiteral("/pqchk"), Cipher::crypt(bytes, kSelfTestPassword));
        return CryptoSelfTest(program, data);
    };
    const auto record = [](const QByteArray &login) { return MakeRecord(login).encode(); };
    const QString shipped = QStringLiteral(PELLORA_SOURCE_DIR "/resources");
    int writeError = -1;
    EXPECT_TRUE(CryptoSelfTest(shipped, data, &writeError) == 2 && writeError == 0);
    {
        FileSizeLimit full(100);
        EXPECT_EQ(CryptoSelfTest(shipped, data, &writeError), 0);
    }
    EXPECT_TRUE(writeError == 61 && !QFileInfo::exists(plain));
    EXPECT_EQ(CryptoSelfTest(program, data), 0);
    WriteFile(plain, record("crccheck") + "junk");
    EXPECT_EQ(over(record("nope")), 0);
    EXPECT_EQ(over(record("anything") + record("  crccheck  ") + QByteArray(100, 'z')), 2);
    EXPECT_FALSE(QFileInfo::exists(plain));
    EXPECT_EQ(over(record("crccheck") + record("other")), 0);
    EXPECT_EQ(over(record("crccheck").left(217)), 0);
    EXPECT_EQ(FileMode(plain), 0600) << "the short plaintext left behind is private";
    WriteFile(program + QStringLiteral("/pqchk"), record("crccheck"));
    EXPECT_EQ(CryptoSelfTest(program, data), 0);
}
