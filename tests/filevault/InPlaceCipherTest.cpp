#include "filevault/InPlaceCipher.h"
#include "VaultTestFiles.h"
#include "crypto/Rc4Key.h"
#include "crypto/cPQCrypt.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QByteArray kKey = "file password";

QByteArray HashOf(const QString &path)
{
    QFile f(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    f.open(QIODevice::ReadOnly);
    hash.addData(&f);
    return hash.result();
}

// A device that gives or takes failAfter bytes and then fails.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 failAfter)
        : m_left(failAfter)
    {}

protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (m_left == 0)
            return -1;
        const qint64 n = std::min(max, m_left);
        std::fill_n(data, n, 'x');
        m_left -= n;
        return n;
    }
    qint64 writeData(const char *, qint64 len) override
    {
        if (len > m_left)
            return -1;
        m_left -= len;
        return len;
    }

private:
    qint64 m_left;
};
} // namespace

class FileVaultCipher : public ::testing::Test
{
protected:
    VaultFixture f;
};

TEST_F(FileVaultCipher, PassesEqualTheOneShotCipherAndRestoreEveryByte)
{
    for (const qint64 size : {qint64(0), qint64(1), kCipherChunk - 1, kCipherChunk,
                              kCipherChunk + 1, 3 * kCipherChunk + 17}) {
        const QByteArray plain = RandomBytes(size, quint32(size));
        const QString path = f.put(QStringLiteral("data.bin"), plain);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        ASSERT_EQ(CipherFileInPlace(path, kKey), CipherOutcome::Done) << size;
        EXPECT_EQ(ReadFile(path), Crypt().Encrypt(plain, kKey)) << size;
        ASSERT_EQ(CipherFileInPlace(path, kKey), CipherOutcome::Done) << size;
        EXPECT_EQ(ReadFile(path), plain) << size;
        EXPECT_EQ(ModeOf(path), 0640u) << size;
        EXPECT_EQ(FolderEntries(f.folder), QStringList{QStringLiteral("data.bin")}) << size;
    }
}

TEST_F(FileVaultCipher, HundredMegabyteFileRoundTrips)
{
    const QString path = f.pathOf(QStringLiteral("big.bin"));
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        for (int i = 0; i < 100; ++i)
            out.write(RandomBytes(1000 * 1000, quint32(i)));
    }
    const QByteArray before = HashOf(path);
    ASSERT_EQ(CipherFileInPlace(path, kKey), CipherOutcome::Done);
    EXPECT_NE(HashOf(path), before);
    EXPECT_EQ(QFileInfo(path).size(), 100 * 1000 * 1000);
    ASSERT_EQ(CipherFileInPlace(path, kKey), CipherOutcome::Done);
    EXPECT_EQ(HashOf(path), before);
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

TEST_F(FileVaultCipher, WhatIsNoReadableFileIsAReadFailureWithoutWaiting)
{
    QDir(f.folder).mkdir(QStringLiteral("sub"));
    MakeFifo(f.pathOf(QStringLiteral("pipe")));
    for (const QString &name :
         {QStringLiteral("sub"), QStringLiteral("pipe"), QStringLiteral("gone")}) {
        InPlaceCipher file(f.pathOf(name));
        EXPECT_FALSE(file.openSource()) << name.toStdString();
        EXPECT_EQ(file.run(kKey), CipherOutcome::ReadFailed) << name.toStdString();
    }
    EXPECT_EQ(FolderEntries(f.folder).size(), 2);
}

TEST_F(FileVaultCipher, FullDiskKeepsTheOriginalAndLeavesNoTemporaryFile)
{
    const QByteArray plain = RandomBytes(3 * kCipherChunk, 7);
    const QString path = f.put(QStringLiteral("data.bin"), plain);
    const quint64 inode = InodeOf(path);
    {
        FileSizeLimit limit(2 * kCipherChunk);
        EXPECT_EQ(CipherFileInPlace(path, kKey), CipherOutcome::WriteFailed);
    }
    EXPECT_EQ(ReadFile(path), plain);
    EXPECT_EQ(InodeOf(path), inode);
    EXPECT_EQ(FolderEntries(f.folder), QStringList{QStringLiteral("data.bin")});
}

TEST_F(FileVaultCipher, FolderReplacedByAFileIsAWriteFailure)
{
    const QString sub = f.folder + QStringLiteral("/sub");
    QDir().mkpath(sub);
    WriteFile(sub + QStringLiteral("/a.txt"), "keep me");
    InPlaceCipher file(sub + QStringLiteral("/a.txt"));
    ASSERT_TRUE(file.openSource());
    ASSERT_TRUE(QDir().rename(sub, sub + QStringLiteral(".moved")));
    WriteFile(sub, "now a file");
    EXPECT_EQ(file.run(kKey), CipherOutcome::WriteFailed);
    EXPECT_EQ(ReadFile(sub + QStringLiteral(".moved/a.txt")), "keep me");
    EXPECT_EQ(FolderEntries(sub + QStringLiteral(".moved")), QStringList{QStringLiteral("a.txt")});
}

TEST_F(FileVaultCipher, PumpTellsAFailedReadFromAFailedWrite)
{
    Rc4Stream stream(kKey);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    FailingDevice brokenSource(10);
    brokenSource.open(QIODevice::ReadOnly);
    EXPECT_EQ(PumpCipher(brokenSource, sink, stream, 4), CipherOutcome::ReadFailed);

    QByteArray plain(100, 'p');
    QBuffer source(&plain);
    source.open(QIODevice::ReadOnly);
    FailingDevice fullSink(50);
    fullSink.open(QIODevice::WriteOnly);
    EXPECT_EQ(PumpCipher(source, fullSink, stream, 32), CipherOutcome::WriteFailed);
}
