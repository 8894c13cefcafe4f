#include "filevault/InPlaceCipher.h"
#include "VaultTestFiles.h"
#include "crypto/Rc4Key.h"
#include "crypto/cPQCrypt.h"

#include <QBuffer>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
const QByteArray kKey = "file password";

// A source whose every read fails, as a failing disk's would.
struct BrokenSource : QIODevice
{
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64) override { return -1; }
};
} // namespace

class FileVaultCipher : public ::testing::Test
{
protected:
    VaultFixture f;
};

// The last size streams through many chunks; every pass must equal one pass of the cipher over
// the whole content, and the file keeps its permissions.
TEST_F(FileVaultCipher, PassesEqualTheOneShotCipherAndRestoreEveryByte)
{
    for (const qint64 size : {qint64(0), qint64(1), kCipherChunk - 1, kCipherChunk,
                              kCipherChunk + 1, 8 * kCipherChunk + 17}) {
        const QByteArray plain = RandomBytes(size, quint32(size));
        const QString path = f.put(QStringLiteral("data.bin"), plain);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        ASSERT_EQ(CipherFileInPlace(path, kKey), CipherOutcome::Done) << size;
        EXPECT_TRUE(ReadFile(path) == Crypt().Encrypt(plain, kKey)) << size;
        ASSERT_EQ(CipherFileInPlace(path, kKey), CipherOutcome::Done) << size;
        EXPECT_TRUE(ReadFile(path) == plain) << size;
        EXPECT_TRUE(QFile::permissions(path) & QFile::ReadGroup) << size;
        EXPECT_EQ(FolderEntries(f.folder), QStringList{QStringLiteral("data.bin")}) << size;
    }
}

TEST_F(FileVaultCipher, ThroughALinkTheTargetChangesAndTheLinkStays)
{
    const QString target = f.put(QStringLiteral("target.txt"), "linked content");
    const QString link = f.pathOf(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(CipherFileInPlace(link, kKey), CipherOutcome::Done);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(target), Crypt().Encrypt("linked content", kKey));
}

// Taking a failed read for the end of the file would cut the file short.
TEST_F(FileVaultCipher, AFailedReadIsAReadFailure)
{
    BrokenSource source;
    source.open(QIODevice::ReadOnly);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    Rc4Stream stream(kKey);
    EXPECT_EQ(PumpCipher(source, sink, stream), CipherOutcome::ReadFailed);
}
