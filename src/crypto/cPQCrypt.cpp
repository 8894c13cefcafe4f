#include "crypto/cPQCrypt.h"

#include "crypto/clsPQCrypt.h"

#include <memory>

namespace {
std::unique_ptr<cPQCrypt> &shared()
{
    static std::unique_ptr<cPQCrypt> instance;
    return instance;
}
} // namespace

QByteArray cPQCrypt::Encrypt(const QByteArray &szSecret, const QByteArray &szPassword)
{
    clsPQCrypt cipher;
    m_status = 0;
    cipher.setPassword(szPassword);
    cipher.setInBuffer(szSecret);
    cipher.Encrypt();
    m_status = cipher.Status();
    return cipher.OutBuffer();
}

QByteArray cPQCrypt::DeCrypt(const QByteArray &szSecret, const QByteArray &szPassword)
{
    clsPQCrypt cipher;
    m_status = 0;
    cipher.setPassword(szPassword);
    cipher.setInBuffer(szSecret);
    cipher.DeCrypt();
    m_status = cipher.Status();
    return cipher.OutBuffer();
}

cPQCrypt &Crypt()
{
    if (!shared())
        shared() = std::make_unique<cPQCrypt>();
    return *shared();
}

void ReleaseCrypt()
{
    shared().reset();
}
