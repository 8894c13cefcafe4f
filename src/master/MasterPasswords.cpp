#include "master/MasterPasswords.h"

#include "crypto/Cipher.h"
#include "platform/Ansi.h"

QByteArray MasterValue(const QByteArray &plainMaster)
{
    return Cipher::crypt(plainMaster, QByteArray(Master::kPassPhrase));
}

QByteArray PlainMaster(const QByteArray &value)
{
    return Cipher::crypt(value, QByteArray(Master::kPassPhrase));
}

bool MastersExist(const QByteArray &storedMaster1)
{
    return storedMaster1 != Master::kNoMasters && storedMaster1.size() >= Master::kMinStoredLength;
}

bool LoginMatches(const QString &typed1, const QString &typed2, const QByteArray &stored1,
                  const QByteArray &stored2)
{
    const auto plain1 = Ansi::fromText(typed1);
    const auto plain2 = Ansi::fromText(typed2);
    if (!plain1 || !plain2)
        return false;
    return MasterValue(*plain2) == stored2 && MasterValue(*plain1) == stored1;
}
