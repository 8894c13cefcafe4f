#include "filevault/InPlaceCipher.h"
#include "VaultTestFiles.h"
#include "crypto/cPQCrypt.h"
#include "filevault/VaultJournal.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {
const QByteArray kKey = "file password";
constexpr qint64 kChunk = VaultJournal::ChunkSize;

// What a change in place must keep: inode, mode, owner, group, links and an extended attribute.
auto Identity(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st = {};
    ::stat(native.constData(), &st);
    char value[8] = {};
    ::getxattr(native.constData(), "user.pellora", value, sizeof(value));
    return std::tuple(st.st_ino, st.st_mode, st.st_uid, st.st_gid, st.st_nlink, QByteArray(value));
}
} // namespace

class FileVaultCipher : public ::testing::Test
{
protected:
    VaultFixture f;

    CipherOutcome pass(const QString &path, bool encrypt = true)
    {
        return InPlaceCipher(path).run(kKey, encrypt, f.place());
    }
};

// Every pass equals one pass of the cipher over the whole content, over the file's own bytes
// (through a second hard link too), and leaves no journal or temporary file behind.
TEST_F(FileVaultCipher, ChunkedPassesEqualTheOneShotCipherOverTheFileItself)
{
    const QString link = f.pathOf(QStringLiteral("second link"));
    for (const qint64 size :
         {qint64(0), qint64(1), kChunk - 1, kChunk, kChunk + 1, 2 * kChunk + 17}) {
        const QByteArray plain = RandomBytes(size, quint32(size));
        const QString path = f.put(QStringLiteral("data.bin"), plain);
        const QByteArray native = QFile::encodeName(path);
        ::chmod(native.constData(), 0660);
        ASSERT_EQ(::chown(native.constData(), 1234, 4321), 0);
        ::setxattr(native.constData(), "user.pellora", "kept", 4, 0);
        QFile::remove(link);
        ASSERT_EQ(::link(native.constData(), QFile::encodeName(link).constData()), 0);
        const auto before = Identity(path);

        ASSERT_EQ(pass(path), CipherOutcome::Done) << size;
        EXPECT_TRUE(ReadFile(link) == Crypt().Encrypt(plain, kKey)) << size;
        EXPECT_EQ(Identity(path), before) << size;
        ASSERT_EQ(pass(path, false), CipherOutcome::Done) << size;
        EXPECT_TRUE(ReadFile(path) == plain) << size;
        EXPECT_EQ(FolderEntries(f.folder), QStringList({"data.bin", "second link"})) << size;
        EXPECT_TRUE(VaultJournal::findIn(f.state.DataFolder).isEmpty()) << size;
    }
}

// A file that cannot be changed in place is refused before anything is written; a writable file
// in a folder that cannot be written, or behind a link, is changed.
TEST_F(FileVaultCipher, OnlyWhatCanBeChangedInPlaceIsChanged)
{
    const QString readOnly = f.put(QStringLiteral("read-only.txt"), "kept as it is");
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup);
    QDir(f.folder).mkdir(QStringLiteral("sub"));
    ::mkfifo(QFile::encodeName(f.pathOf(QStringLiteral("pipe"))).constData(), 0600);
    const QList<QPair<QString, InPlaceCipher::Access>> table{
        {readOnly, InPlaceCipher::Access::Unwritable},
        {f.pathOf(QStringLiteral("sub")), InPlaceCipher::Access::Unreadable},
        {f.pathOf(QStringLiteral("pipe")), InPlaceCipher::Access::Unreadable},
        {f.pathOf(QStringLiteral("missing")), InPlaceCipher::Access::Unreadable}};
    for (const auto &[path, access] : table) {
        InPlaceCipher file(path);
        EXPECT_EQ(file.open(), access) << path.toStdString();
        EXPECT_NE(file.run(kKey, true, f.place()), CipherOutcome::Done) << path.toStdString();
    }
    EXPECT_EQ(ReadFile(readOnly), "kept as it is");

    const QString inLocked = f.put(QStringLiteral("sub/writable.txt"), "in a locked folder");
    QFile::setPermissions(f.pathOf(QStringLiteral("sub")), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(pass(inLocked), CipherOutcome::Done);
    EXPECT_EQ(ReadFile(inLocked), Crypt().Encrypt("in a locked folder", kKey));
    const QString link = f.pathOf(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(inLocked, link));
    ASSERT_EQ(pass(link, false), CipherOutcome::Done);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(inLocked), "in a locked folder");
}
