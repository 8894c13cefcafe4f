#include "crypto/clsPQCrypt.h"

#include "crypto/Rc4Key.h"
#include "crypto/UserKeys.h"

#include <QSet>

namespace {
QString &keyFolderSetting()
{
    static QString folder;
    return folder;
}

// Folders whose key pairs this process has already checked; creating a cipher stays cheap.
QSet<QString> &checkedFolders()
{
    static QSet<QString> folders;
    return folders;
}
} // namespace

clsPQCrypt::clsPQCrypt()
{
    if (!EnsureUserKeys())
        m_status = Failed;
}

void clsPQCrypt::setKeyFolder(const QString &folder)
{
    keyFolderSetting() = folder;
}

QString clsPQCrypt::keyFolder()
{
    return keyFolderSetting().isEmpty() ? UserKeys::defaultFolder() : keyFolderSetting();
}

bool clsPQCrypt::EnsureUserKeys()
{
    const QString folder = keyFolder();
    if (checkedFolders().contains(folder))
        return true;
    if (!UserKeys::ensure(folder))
        return false;
    checkedFolders().insert(folder);
    return true;
}

void clsPQCrypt::transform()
{
    QByteArray work(m_inBuffer.size(), Qt::Uninitialized);
    Rc4Stream(m_password)
        .apply(reinterpret_cast<const uint8_t *>(m_inBuffer.constData()),
               reinterpret_cast<uint8_t *>(work.data()), size_t(work.size()));
    m_outBuffer = work;
}

void clsPQCrypt::Encrypt()
{
    m_status = Running;
    transform();
    m_status = Finished;
}

void clsPQCrypt::DeCrypt()
{
    m_status = Running;
    m_outBuffer.clear();
    transform();
    m_status = Finished;
}

void clsPQCrypt::Sign()
{
    m_status = Running;
    m_signature.clear();
    if (const auto s = UserKeys::sign(keyFolder(), m_inBuffer))
        m_signature = *s;
    m_status = Finished;
}

void clsPQCrypt::Validate()
{
    m_status = Running;
    const bool valid = UserKeys::verify(keyFolder(), m_inBuffer, m_signature);
    m_status = valid ? SignatureValid : Finished;
}
