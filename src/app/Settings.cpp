#include "app/Settings.h"

#include "app/DataFolder.h"
#include "platform/Convert.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString fullKey(const SettingKey &k)
{
    return QLatin1String(k.section) + QLatin1Char('/') + QLatin1String(k.key);
}

constexpr QFile::Permissions kPrivate = QFile::ReadOwner | QFile::WriteOwner;
} // namespace

Settings::Settings()
    : Settings(defaultPath())
{}

Settings::Settings(const QString &iniPath)
    : m_path(iniPath)
    , m_store(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{}

Settings::~Settings() = default;

QString Settings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String("/Brantwick/Pellora.ini");
}

QString Settings::get(const SettingKey &key) const
{
    const QVariant v = m_store->value(fullKey(key));
    if (!v.isValid())
        return QString::fromLatin1(key.defaultValue);
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(v.toByteArray());
    return v.toString();
}

void Settings::save(const SettingKey &key, const QString &value)
{
    m_store->setValue(fullKey(key), value);
    commit();
}

QByteArray Settings::getBytes(const SettingKey &key) const
{
    const QVariant v = m_store->value(fullKey(key));
    if (!v.isValid())
        return QByteArray(key.defaultValue);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return v.toString().toLatin1();
}

void Settings::saveBytes(const SettingKey &key, const QByteArray &value)
{
    m_store->setValue(fullKey(key), value);
    commit();
}

bool Settings::getBool(const SettingKey &key) const
{
    return Convert::CBool(get(key));
}

qint32 Settings::getLong(const SettingKey &key) const
{
    return Convert::CLng(get(key));
}

double Settings::getDouble(const SettingKey &key) const
{
    return Convert::CDbl(get(key));
}

void Settings::commit()
{
    const QFileInfo info(m_path);
    if (!info.dir().exists()) {
        MakePath(info.absolutePath());
    }
    if (!info.exists()) {
        // Create it private before the first write: the master values live here.
        QFile f(m_path);
        if (f.open(QIODevice::WriteOnly))
            f.setPermissions(kPrivate);
    }
    m_store->sync();
    if (m_store->status() != QSettings::NoError)
        raiseError(VbErr::PermissionDenied);
    QFile::setPermissions(m_path, kPrivate);
}
