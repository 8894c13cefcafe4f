#pragma once

#include <QByteArray>
#include <QString>

// The buffer cipher: RC4 under a key derived from the MD5 digest of a password, plus signing
// with the user's own RSA key. Buffers are byte strings, one byte per character.
class clsPQCrypt
{
public:
    enum StatusValue : qint32 { Running = 0, Finished = 1, SignatureValid = 2, Failed = 3 };

    clsPQCrypt();

    const QByteArray &InBuffer() const { return m_inBuffer; }
    void setInBuffer(const QByteArray &value) { m_inBuffer = value; }
    const QByteArray &OutBuffer() const { return m_outBuffer; }
    const QByteArray &Signature() const { return m_signature; }
    void setSignature(const QByteArray &value) { m_signature = value; }
    void Sign();
    void Validate();
    void Encrypt();
    void DeCrypt();
    qint32 Status() const { return m_status; }
    const QByteArray &Password() const { return m_password; }
    void setPassword(const QByteArray &value) { m_password = value; }

    // Where the user's key pairs are kept; the data folder's keys/ unless set.
    static void setKeyFolder(const QString &folder);
    static QString keyFolder();

private:
    bool EnsureUserKeys();
    void transform();

    QByteArray m_inBuffer;
    QByteArray m_outBuffer;
    QByteArray m_password;
    QByteArray m_signature;
    qint32 m_status = Finished;
};
