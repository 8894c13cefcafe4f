#pragma once

#include <QByteArray>

// The one-call face of the cipher. Each call makes and drops its own buffer cipher.
class cPQCrypt
{
public:
    cPQCrypt();
    QByteArray Encrypt(const QByteArray &szSecret, const QByteArray &szPassword);
    QByteArray DeCrypt(const QByteArray &szSecret, const QByteArray &szPassword);
    qint32 Status() const { return m_status; }
    void setStatus(qint32 value) { m_status = value; }

private:
    qint32 m_status = 0;
};

// The first 256 bytes of the keystream every text under password meets (each call starts the
// cipher afresh), for loops that pass a whole store under one key.
const QByteArray &KeystreamHead(const QByteArray &password);

// The shared string cipher, made by its first user and released at the end of start-up.
cPQCrypt &Crypt();
void ReleaseCrypt();
