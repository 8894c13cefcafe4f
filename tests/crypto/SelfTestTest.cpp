#include "FileSizeLimit.h"
#include "TempHome.h"
#include "crypto/CryptoSelfTest.h"
#include "crypto/cPQCrypt.h"
#include "entries/LoginRecord.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

class SelfTestTest : public ::testing::Test
{
protected:
    TempHome home;
    QString data = home.dataFolder();
    QString program = home.file(QStringLiteral("program"));

    void SetUp() override { QDir().mkpath(program); }

    void writeCheckFile(const QByteArray &plain)
    {
        WriteFile(program + QStringLiteral("/pqchk"), Crypt().Encrypt(plain, kSelfTestPassword));
    }
    static QByteArray record(const QByteArray &login)
    {
        LoginRecord r;
        r.Login = FitText(login);
        return r.encode();
    }
    bool leftover() const { return QFileInfo::exists(data + QStringLiteral("pqchk.~gn")); }
};

TEST_F(SelfTestTest, ShippedCheckFilePassesAndAFullDiskIsNamed)
{
    const QString shipped = QStringLiteral(PELLORA_SOURCE_DIR "/resources");
    int writeError = -1;
    EXPECT_EQ(CryptoSelfTest(shipped, data, &writeError), 2);
    EXPECT_EQ(writeError, 0);
    EXPECT_FALSE(leftover());
    {
        FileSizeLimit full(100);
        EXPECT_EQ(CryptoSelfTest(shipped, data, &writeError), 0);
    }
    EXPECT_EQ(writeError, 61);
    EXPECT_FALSE(leftover());
}

TEST_F(SelfTestTest, OnlyTheLastWholeRecordCounts)
{
    writeCheckFile(record("anything") + record("  crccheck  ") + QByteArray(100, 'z'));
    EXPECT_EQ(CryptoSelfTest(program, data), 2);
    writeCheckFile(record("crccheck") + record("other"));
    EXPECT_EQ(CryptoSelfTest(program, data), 0);
}

TEST_F(SelfTestTest, MissingShortOrWrongCheckFilesFail)
{
    EXPECT_EQ(CryptoSelfTest(program, data), 0);
    writeCheckFile(record("crccheck").left(217));
    EXPECT_EQ(CryptoSelfTest(program, data), 0);
    WriteFile(program + QStringLiteral("/pqchk"), record("crccheck")); // never enciphered
    EXPECT_EQ(CryptoSelfTest(program, data), 0);
}

TEST_F(SelfTestTest, LeftoverPlaintextDoesNotDisturbTheNextRun)
{
    WriteFile(data + QStringLiteral("pqchk.~gn"), record("crccheck") + "junk");
    writeCheckFile(record("nope"));
    EXPECT_EQ(CryptoSelfTest(program, data), 0);
    writeCheckFile(record("crccheck"));
    EXPECT_EQ(CryptoSelfTest(program, data), 2);
    EXPECT_FALSE(leftover());
}
