#include "crypto/CryptoSelfTest.h"

#include "app/DataFolder.h"
#include "crypto/cPQCrypt.h"
#include "entries/LoginRecord.h"

#include <QFile>

namespace {
QString plainPath(const QString &dataFolder)
{
    return JoinPath(dataFolder, QStringLiteral("pqchk.~gn"));
}
} // namespace

void DecryptCheckFile(const QString &programFolder, const QString &dataFolder)
{
    QFile in(JoinPath(programFolder, QLatin1String(kCheckFileName)));
    if (!in.open(QIODevice::ReadOnly))
        return;
    const QByteArray cipher = in.readAll();
    in.close();
    const QByteArray plain = Crypt().DeCrypt(cipher, QByteArray(kSelfTestPassword));
    QFile out(plainPath(dataFolder));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    out.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    out.write(plain);
}

int CryptoSelfTest(const QString &programFolder, const QString &dataFolder)
{
    const QString temp = plainPath(dataFolder);
    QFile::remove(temp);
    DecryptCheckFile(programFolder, dataFolder);
    QFile f(temp);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const qint64 count = f.size() / LoginRecord::Size;
    if (count < 1)
        return 0; // the empty plaintext stays until the next test removes it
    if (!f.seek((count - 1) * LoginRecord::Size))
        return 0;
    const QByteArray last = f.read(LoginRecord::Size);
    f.close();
    QFile::remove(temp);
    if (last.size() != LoginRecord::Size)
        return 0;
    return TrimSpaces(LoginRecord::decode(last).Login) == "crccheck" ? 2 : 0;
}
