#include "CliVault.h"
#include "crypto/Rc4Key.h"
#include "master/MasterPasswords.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
const QByteArray kContent = "a letter, a list, anything at all\n" + QByteArray(70000, 'x');

// One whole RC4 pass, what the file vault makes of a file's bytes.
QByteArray Cipher(QByteArray bytes, const QByteArray &password)
{
    Rc4Stream(password).apply(reinterpret_cast<uint8_t *>(bytes.data()), size_t(bytes.size()));
    return bytes;
}

QStringList vaultArgs(const char *command, const QStringList &files,
                      const QStringList &options = {})
{
    return QStringList{QLatin1String(command)} + files + options;
}
} // namespace

TEST(CliVaultFiles, EncryptAndDecryptUnderTheMasterKeyAsTheWindowDoes)
{
    CliVault vault;
    vault.settings().save(Setting::LogFileEncryption, QStringLiteral("1"));
    const QString file = vault.file(QStringLiteral("letter one.txt"));
    WriteFile(file, kContent);

    const CliRun encrypted = vault.withMasters(vaultArgs("encrypt", {file}));
    EXPECT_EQ(encrypted.exitCode, 0);
    EXPECT_EQ(encrypted.err, QStringLiteral("Encrypted: ") + file + QLatin1Char('\n'));
    EXPECT_EQ(ReadFile(file), Cipher(kContent, vault.state().entryKey()));

    const CliRun decrypted = vault.withMasters(vaultArgs("decrypt", {file}));
    EXPECT_EQ(decrypted.exitCode, 0);
    EXPECT_EQ(ReadFile(file), kContent);
    const QStringList log = Lines(QString::fromUtf8(ReadFile(vault.logFile())));
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].contains(QStringLiteral("\tEncrypted: letter one.txt, ")));
    EXPECT_TRUE(log[1].contains(QStringLiteral("\tDecrypted: letter one.txt, ")));
}

TEST(CliVaultFiles, AFilePasswordCanBecomeAnEntry)
{
    CliVault vault;
    const QString first = vault.file(QStringLiteral("a.txt"));
    const QString second = vault.file(QStringLiteral("b.txt"));
    WriteFile(first, kContent);
    WriteFile(second, kContent);

    const CliRun refused = vault.withMasters(
        vaultArgs("encrypt", {first}, {QStringLiteral("--file-password")}), {"short"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, QStringLiteral("Please enter a password of between 8 and 64 "
                                          "characters, or tick the option to use the master "
                                          "passwords\n"));
    EXPECT_EQ(ReadFile(first), kContent);

    const CliRun run =
        vault.withMasters(vaultArgs("encrypt", {first, second},
                                    {QStringLiteral("--file-password"), QStringLiteral("--add")}),
                          {"file password 1"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Lines(run.err), QStringList({"Encrypted: " + first, "Encrypted: " + second}));
    EXPECT_EQ(
        Lines(vault.withMasters({QStringLiteral("ls")}).out),
        QStringList({"1000\ta.txt\tFileEncryption\tNever", "1001\tb.txt\tFileEncryption\tNever"}));
    EXPECT_EQ(ReadFile(first), Cipher(kContent, "file password 1"));
}

TEST(CliVaultFiles, AFileThatCannotBeReadIsSkippedAndTheRestGoOn)
{
    CliVault vault;
    vault.add(QStringLiteral("Bank"), QStringLiteral("joe"), QStringLiteral("secret1"));
    const QByteArray store = vault.storeBytes();
    const CliRun own =
        vault.withMasters(vaultArgs("encrypt", {vault.file("elsewhere.txt"), vault.loginFile()}));
    EXPECT_EQ(own.exitCode, 1);
    EXPECT_TRUE(own.err.contains(vault.loginFile())) << own.err.toStdString();
    EXPECT_EQ(vault.storeBytes(), store);

    const QString missing = vault.file(QStringLiteral("missing.txt"));
    const QString present = vault.file(QStringLiteral("present.txt"));
    WriteFile(present, kContent);
    const CliRun run = vault.withMasters(vaultArgs("encrypt", {missing, present}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Lines(run.err),
              QStringList({"An error reading the file has occurred, skipping missing.txt",
                           "Failed: " + missing, "Encrypted: " + present}));
    EXPECT_NE(ReadFile(present), kContent);
}

TEST(CliMasters, ChangeMastersReencryptsTheStoreUnderTheNewOnes)
{
    CliVault vault;
    vault.settings().save(Setting::LogMasterChange, QStringLiteral("1"));
    const qint16 id =
        vault.add(QStringLiteral("Bank"), QStringLiteral("joe"), QStringLiteral("secret1"));
    const QByteArray store = vault.storeBytes();

    const CliRun refused =
        vault.withMasters({QStringLiteral("change-masters")}, {"short", "also short"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, QStringLiteral("Master Passwords must be:\n1) At least 8 characters "
                                          "each\n2) Be different\n"));
    EXPECT_EQ(vault.storeBytes(), store);

    const CliRun changed =
        vault.withMasters({QStringLiteral("change-masters")}, {"new master one", "new master two"});
    ASSERT_EQ(changed.exitCode, 0) << changed.err.toStdString();
    EXPECT_NE(vault.storeBytes(), store);
    EXPECT_EQ(Settings(vault.settings().path()).getBytes(Setting::Master1),
              MasterValue("new master one"));
    EXPECT_EQ(vault.withMasters({QStringLiteral("ls")}).exitCode, 1);

    const CliRun shown = vault.run({QStringLiteral("--masters-stdin"), QStringLiteral("show"),
                                    QString::number(id), QStringLiteral("--show-password")},
                                   "new master one\nnew master two\n");
    EXPECT_TRUE(Lines(shown.out).contains(QStringLiteral("password: secret1")));
    const QStringList log = Lines(QString::fromUtf8(ReadFile(vault.logFile())));
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains(QStringLiteral("\tSuccessful Master Password Change, ")));
}

TEST(CliMasters, CheckReportsTheSelfTestTheStoreAndTheMasterValues)
{
    const struct
    {
        const char *damage;
        int exitCode;
        const char *storeLine;
    } cases[] = {
        {"none", 0, "Store: passed (2 entries)"},
        {"tail", 1, "Store: failed (5 bytes after the last whole record)"},
        {"order", 1, "Store: failed (record 3 has the LoginID 1000, which does not follow 1001)"},
        {"flag", 1, "Store: failed (record 2 has 1 where a deleted mark belongs)"},
        {"foreign", 1,
         "Store: failed (1 of its 3 entries cannot be read with these master "
         "passwords)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.damage);
        CliVault vault;
        vault.add(QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("secret1"));
        vault.add(QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("secret2"));
        vault.add(QStringLiteral("c"), QStringLiteral("c"), QStringLiteral("secret3"));
        QByteArray store = vault.storeBytes();
        char *second = store.data() + LoginRecord::Size;
        WriteInt16(second + RecordOffset::Deleted, -1);
        const QString damage = QLatin1String(c.damage);
        if (damage == QLatin1String("tail"))
            store += "12345";
        if (damage == QLatin1String("order"))
            WriteInt16(store.data() + 2 * LoginRecord::Size + RecordOffset::LoginID, 1000);
        if (damage == QLatin1String("flag"))
            WriteInt16(second + RecordOffset::Deleted, 1);
        if (damage == QLatin1String("foreign")) {
            LoginRecord r = LoginRecord::decode(store.right(LoginRecord::Size));
            r.LoginID = 1003;
            r.Password = FitText("written under other masters");
            store += r.encode();
        }
        WriteFile(vault.loginFile(), store);
        const CliRun run = vault.withMasters({QStringLiteral("check")});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_EQ(Lines(run.out),
                  QStringList({"Cipher self-test: passed", QString::fromUtf8(c.storeLine),
                               "Master values: passed"}));
    }
}
