#include "crypto/CryptoSelfTest.h"

#include "app/DataFolder.h"
#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"

#include <QFile>

namespace {
QString plainPath(const QString &dataFolder)
{
    return JoinPath(dataFolder, QStringLiteral("pqchk.~gn"));
}
} // namespace

int DecryptCheckFile(const QString &programFolder, const QString &dataFolder)
{
    QFile in(JoinPath(programFolder, QLatin1String(kCheckFileName)));
    if (!in.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray cipher = in.readAll();
    in.close();
    const QByteArray plain = Cipher::crypt(cipher, QByteArray(kSelfTestPassword));
    try {
        DurableFile::replace(plainPath(dataFolder), plain);
    } catch (const ClassicError &e) {
        return e.number;
    }
    return 0;
}

int CryptoSelfTest(const QString &programFolder, const QString &dataFolder, int *writeError)
{
    const QString temp = plainPath(dataFolder);
    QFile::remove(temp);
    const int failed = DecryptCheckFile(programFolder, dataFolder);
    if (writeError)
        *writeError = failed;
    if (failed != 0) {
        QFile::remove(temp);
        return 0;
    }
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
