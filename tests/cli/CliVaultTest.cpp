#include "CliVault.h"
#include "crypto/Rc4Key.h"

const QByteArray kContent = "a letter, a list, anything at all\n" + QByteArray(70000, 'x');

// One whole RC4 pass, what the file vault makes of a file's bytes.
static QByteArray Cipher(QByteArray bytes, const QByteArray &password)
{
    Rc4Stream(password).apply(reinterpret_cast<uint8_t *>(bytes.data()), size_t(bytes.size()));
    return bytes;
}

TEST(CliVaultFiles, EncryptAndDecryptUnderTheMasterKeyOrAFilePasswordSkippingWhatFails)
{
    CliVault vault;
    vault.settings.save(Setting::LogFileEncryption, QStringLiteral("1"));
    const QString file = vault.home.file(QStringLiteral("letter one.txt"));
    const QString second = vault.home.file(QStringLiteral("b.txt"));
    WriteFile(file, kContent);
    WriteFile(second, kContent);
    EXPECT_EQ(vault.withMasters({"encrypt", file}), (CliRun{0, "", "Encrypted: " + file + '\n'}));
    EXPECT_EQ(ReadFile(file), Cipher(kContent, vault.state.entryKey()));
    EXPECT_EQ(vault.withMasters({"decrypt", file}).exitCode, 0);
    EXPECT_EQ(ReadFile(file), kContent);
    EXPECT_EQ(vault.logged(),
              QStringList({"Encrypted: letter one.txt, ", "Decrypted: letter one.txt, "}));

    // With --add, each file's password becomes an entry.
    EXPECT_EQ(vault.withMasters({"encrypt", file, second, "--file-password", "--add"},
                                {"file password 1"}),
              (CliRun{0, "", "Encrypted: " + file + "\nEncrypted: " + second + '\n'}));
    EXPECT_EQ(vault.withMasters({"ls"}).out, "1000\tletter one.txt\tFileEncryption\tNever\n"
                                             "1001\tb.txt\tFileEncryption\tNever\n");
    EXPECT_EQ(ReadFile(second), Cipher(kContent, "file password 1"));

    // The vault's own files are refused; a file that cannot be read is skipped, the rest go on.
    const QByteArray store = vault.storeBytes();
    const CliRun own =
        vault.withMasters({"encrypt", vault.home.file("elsewhere.txt"), vault.state.LoginFile});
    EXPECT_EQ(own.exitCode, 1);
    EXPECT_PRED2(Has, own.err, vault.state.LoginFile);
    EXPECT_EQ(vault.storeBytes(), store);
    const QString missing = vault.home.file(QStringLiteral("missing.txt"));
    const QByteArray before = ReadFile(file);
    EXPECT_EQ(vault.withMasters({"encrypt", missing, file}),
              (CliRun{1, "",
                      "An error reading the file has occurred, skipping missing.txt\nFailed: " +
                          missing + "\nEncrypted: " + file + '\n'}));
    EXPECT_NE(ReadFile(file), before);
}

TEST(CliMasters, ChangeMastersReencryptsTheStoreUnderTheNewOnes)
{
    CliVault vault;
    vault.settings.save(Setting::LogMasterChange, QStringLiteral("1"));
    vault.add("Bank", "joe", "secret1");
    EXPECT_EQ(vault.withMasters({"change-masters"}, {"new master one", "new master two"}).exitCode,
              0);
    EXPECT_EQ(vault.withMasters({"ls"}).exitCode, 1);
    const CliRun shown = vault.run({"--masters-stdin", "show", "1000", "--show-password"},
                                   "new master one\nnew master two\n");
    EXPECT_PRED2(Has, shown.out, "\npassword: secret1\n");
    EXPECT_EQ(vault.logged(), QStringList{"Successful Master Password Change, "});
}

// The store check itself is the core's; here a failure of it and the command's own one.
TEST(CliMasters, CheckReportsTheSelfTestTheStoreAndTheMasterValues)
{
    // Three entries, the middle one deleted; then a torn tail, then one under other masters.
    CliVault vault;
    for (const char *name : {"a", "b", "c"})
        vault.add(name, name, "secret1");
    QByteArray store = vault.storeBytes();
    WriteInt16(store.data() + LoginRecord::Size + RecordOffset::Deleted, -1);
    LoginRecord foreign = LoginRecord::decode(store.right(LoginRecord::Size));
    foreign.LoginID = 1003;
    foreign.Password = FitText("written under other masters");
    const auto check = [&vault](const QByteArray &bytes, int exitCode, const QString &storeLine) {
        WriteFile(vault.state.LoginFile, bytes);
        EXPECT_EQ(
            vault.withMasters({"check"}),
            (CliRun{exitCode,
                    "Cipher self-test: passed\n" + storeLine + "\nMaster values: passed\n", ""}));
    };
    check(store, 0, "Store: passed (2 entries)");
    check(store + "12345", 1, "Store: failed (5 bytes after the last whole record)");
    check(store + foreign.encode(), 1,
          "Store: failed (1 of its 3 entries cannot be read with these master passwords)");
}
