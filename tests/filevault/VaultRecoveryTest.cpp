#include "filevault/VaultRecovery.h"
#include "VaultTestFiles.h"
#include "filevault/FileKey.h"

namespace {
enum class Damage { None, TornOverwrite, TornNextRecord };
} // namespace

class FileVaultRecovery : public ::testing::Test
{
protected:
    VaultFixture f;
    const QByteArray plain = RandomBytes(3 * kChunk + 100, 7);
    const QByteArray cipher = Cipher::crypt(plain, kKey);

    QStringList journals() const { return VaultJournal::findIn(f.state.DataFolder); }
    void recover(const QByteArray &key) { RecoverVaultRuns(f.ui, f.state.DataFolder, key); }
    QString told(int i) const { return f.ui.messages().value(i); }
    // A pass stopped dead once a number of chunks were written over, as a kill would stop it.
    void stopAfter(const QString &path, bool encrypt, qint64 chunks)
    {
        try {
            InPlaceCipher(path).run(kKey, encrypt, f.place(), [&](qint64 done) {
                if (done >= chunks * kChunk)
                    throw chunks;
            });
        } catch (qint64) {
        }
    }
};

// While the file was being enciphered, the journal held none of its plain bytes.
TEST_F(FileVaultRecovery, AnInterruptedPassIsFinishedExactly)
{
    using enum Damage;
    const std::tuple<bool, qint64, Damage> table[] = {{true, 1, None},
                                                      {true, 2, TornOverwrite},
                                                      {true, 1, TornNextRecord},
                                                      {false, 3, None},
                                                      {false, 1, TornNextRecord}};
    for (const auto &[encrypt, chunks, damage] : table) {
        const QByteArray &from = encrypt ? plain : cipher;
        const QByteArray &to = encrypt ? cipher : plain;
        const QString path = f.put(QStringLiteral("big.bin"), from);
        stopAfter(path, encrypt, chunks);
        ASSERT_EQ(journals().size(), 1);
        const QString journal = journals().first();
        if (damage == TornOverwrite) {
            QFile file(path);
            file.open(QIODevice::ReadWrite);
            file.seek((chunks - 1) * kChunk);
            file.write(from.mid((chunks - 1) * kChunk, kChunk / 2));
        } else if (damage == TornNextRecord) {
            // The second record goes to the journal's end, so cutting the file tears it.
            ASSERT_EQ(chunks, 1);
            VaultJournal::open(journal)->record(2, kChunk, to.constData() + kChunk, kChunk);
            QFile::resize(journal, QFileInfo(journal).size() - 1000);
        }
        EXPECT_FALSE(encrypt && ReadFile(journal).contains(plain.mid(kChunk / 2, 256)));

        f.ui.shown.clear();
        recover(f.state.entryKey());
        EXPECT_TRUE(ReadFile(path) == to && journals().isEmpty()) << chunks;
        EXPECT_EQ(f.ui.shown.size(), 1);
        EXPECT_TRUE(told(0).endsWith(path + (encrypt ? " (encrypted)" : " (decrypted)")));
    }
}

// The journal is kept until a start that can finish it.
TEST_F(FileVaultRecovery, WhatCannotBeFinishedIsNamedAndKeptAndWhatCameBeforeIsDropped)
{
    const QString path = f.put(QStringLiteral("big.bin"), plain);
    stopAfter(path, true, 1);
    const QByteArray stopped = ReadFile(path);
    recover("other masters");
    EXPECT_TRUE(told(0).contains(path + ": it was begun under other master passwords"));
    EXPECT_EQ(InPlaceCipher(path).run(kKey, false, f.place()), CipherOutcome::Pending);
    EXPECT_TRUE(ReadFile(path) == stopped);

    const QString moved = f.pathOf(QStringLiteral("moved.bin"));
    QFile::rename(path, moved);
    WriteFile(path, stopped);
    recover(f.state.entryKey());
    EXPECT_TRUE(told(1).contains(path + ": it has been moved or replaced"));
    EXPECT_TRUE(ReadFile(path) == stopped && journals().size() == 1);

    QFile::remove(path);
    QFile::rename(moved, path);
    recover(f.state.entryKey());
    EXPECT_TRUE(ReadFile(path) == cipher && journals().isEmpty());

    // A journal cut short while being made, or with no whole record, came before any change.
    f.ui.shown.clear();
    const QString untouched = f.put(QStringLiteral("a.txt"), "untouched");
    VaultJournal::Subject subject;
    subject.path = QFile::encodeName(untouched);
    subject.size = 9;
    subject.key = SealFileKey(FileKeyFor(kKey), f.state.entryKey());
    VaultJournal::create(f.state.DataFolder, subject);
    WriteFile(f.state.DataFolder + QStringLiteral("PelloraVault-Ab12Cd.jnl"), "PVJRN");
    ASSERT_EQ(journals().size(), 2);
    recover(f.state.entryKey());
    EXPECT_TRUE(journals().isEmpty() && f.ui.shown.isEmpty());
    EXPECT_EQ(ReadFile(untouched), "untouched");
}
