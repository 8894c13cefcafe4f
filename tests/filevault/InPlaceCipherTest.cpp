#include "filevault/InPlaceCipher.h"
#include "VaultTestFiles.h"

#include <unistd.h>

// The file's own bytes are written over, as a second hard link sees, and nothing is left behind.
TEST(FileVaultCipher, ChunkedPassesEqualTheOneShotCipherOverTheFileItself)
{
    VaultFixture f;
    const auto pass = [&](const QString &path, bool encrypt = true) {
        return InPlaceCipher(path).run(kKey, encrypt, f.place());
    };
    const QString link = f.pathOf(QStringLiteral("second link"));
    for (const qint64 size : {qint64(0), kChunk - 1, kChunk, 2 * kChunk + 17}) {
        const QByteArray plain = RandomBytes(size, quint32(size));
        const QString path = f.put(QStringLiteral("data.bin"), plain);
        QFile::remove(link);
        ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()),
                  0);
        ASSERT_EQ(pass(path), CipherOutcome::Done) << size;
        EXPECT_TRUE(ReadFile(link) == Cipher::crypt(plain, kKey)) << size;
        ASSERT_EQ(pass(path, false), CipherOutcome::Done) << size;
        EXPECT_TRUE(ReadFile(path) == plain) << size;
        EXPECT_EQ(FolderEntries(f.folder), QStringList({"data.bin", "second link"})) << size;
        EXPECT_TRUE(VaultJournal::findIn(f.state.DataFolder).isEmpty()) << size;
    }
    // A writable file in a folder that cannot be written, or behind a link, is changed.
    const QString readOnly = f.put(QStringLiteral("read-only.txt"), "kept as it is");
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup);
    QDir(f.folder).mkdir(QStringLiteral("sub"));
    ::mkfifo(QFile::encodeName(f.pathOf(QStringLiteral("pipe"))).constData(), 0600);
    using enum InPlaceCipher::Access;
    for (const auto &[name, access] : {std::pair{QStringLiteral("read-only.txt"), Unwritable},
                                       {QStringLiteral("sub"), Unreadable},
                                       {QStringLiteral("pipe"), Unreadable},
                                       {QStringLiteral("missing"), Unreadable}}) {
        InPlaceCipher file(f.pathOf(name));
        EXPECT_EQ(file.open(), access) << name.toStdString();
        EXPECT_NE(file.run(kKey, true, f.place()), CipherOutcome::Done) << name.toStdString();
    }
    EXPECT_EQ(ReadFile(readOnly), "kept as it is");

    const QString inLocked = f.put(QStringLiteral("sub/writable.txt"), "in a locked folder");
    QFile::setPermissions(f.pathOf(QStringLiteral("sub")), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(pass(inLocked), CipherOutcome::Done);
    EXPECT_EQ(ReadFile(inLocked), Cipher::crypt("in a locked folder", kKey));
    const QString symLink = f.pathOf(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(inLocked, symLink));
    ASSERT_EQ(pass(symLink, false), CipherOutcome::Done);
    EXPECT_TRUE(QFileInfo(symLink).isSymLink());
    EXPECT_EQ(ReadFile(inLocked), "in a locked folder");
}
