#include "VaultFaultOperations.h"

#include "FaultCheck.h"
#include "app/AppState.h"
#include "crypto/cPQCrypt.h"
#include "filevault/ProcessFiles.h"
#include "filevault/VaultJournal.h"

#include <QDir>
#include <QFile>

namespace {
constexpr char kFile[] = "files/secret.bin";
const QByteArray kPassword = "file password";

class NoVaultView : public VaultView
{
public:
    void setStatus(const QString &) override {}
    void setProgress(int) override {}
    void setButtonsEnabled(bool) override {}
};

// A whole chunk and a short one, so that both journal slots are used.
QByteArray plain()
{
    QByteArray bytes(VaultJournal::ChunkSize + 1000, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + (i >> 11));
    return bytes;
}

FaultOperation vaultOperation(const char *name, bool encrypt, bool addPassword)
{
    FaultOperation op;
    op.name = name;
    op.prepare = [encrypt](FaultContext &c) {
        QDir().mkpath(c.home + QStringLiteral("/files"));
        QFile f(c.home + QLatin1Char('/') + QLatin1String(kFile));
        const QByteArray content = encrypt ? plain() : Crypt().Encrypt(plain(), kPassword);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("cannot write %s", kFile);
    };
    op.run = [encrypt, addPassword](FaultContext &c) {
        const QFileInfo file(c.home + QLatin1Char('/') + QLatin1String(kFile));
        const VaultRun run{file.absolutePath(),
                           {{file.fileName(), true}},
                           QString::fromLatin1(kPassword),
                           false,
                           addPassword};
        NoVaultView view;
        ProcessFiles(c.ui, c.state, view, run, encrypt, {});
        return true;
    };
    op.liveDelta = addPassword ? 1 : 0;
    op.changedFiles = {QString::fromLatin1(kFile)};
    if (addPassword) {
        op.changedFiles << QString::fromLatin1(kFaultStore);
        // The password must never exist only in the user's memory.
        op.invariant = [](const VaultState &before, const VaultState &after,
                          const VaultState &now) {
            const QString file = QString::fromLatin1(kFile);
            if (now.files.value(file) != before.files.value(file) && now.live != after.live)
                return QStringList{QStringLiteral("file changed without its entry")};
            return QStringList();
        };
    }
    return op;
}
} // namespace

std::vector<FaultOperation> VaultFaultOperations()
{
    return {vaultOperation("vault-encrypt", true, false),
            vaultOperation("vault-enc-add", true, true),
            vaultOperation("vault-decrypt", false, false),
            vaultOperation("vault-dec-add", false, true)};
}
