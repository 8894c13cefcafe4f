#include "app/Settings.h"

#include "app/DataFolder.h"
#include "app/IniText.h"
#include "app/VaultLock.h"
#include "platform/Convert.h"
#include "platform/DurableFile.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString fullKey(const SettingKey &k)
{
    return QLatin1String(k.section) + QLatin1Char('/') + QLatin1String(k.key);
}
} // namespace

Settings::Settings()
    : Settings(defaultPath())
{}

Settings::Settings(const QString &iniPath)
    : m_path(iniPath)
{
    load();
}

QString Settings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String("/Brantwick/Pellora.ini");
}

void Settings::load()
{
    // QSettings only reads here; it never writes, since its sync() replaces the file even
    // when writing the new one failed.
    const QSettings file(m_path, QSettings::IniFormat);
    for (const QString &key : file.allKeys())
        m_values.insert(key, file.value(key));
}

QString Settings::get(const SettingKey &key) const
{
    const QVariant v = m_values.value(fullKey(key));
    if (!v.isValid())
        return QString::fromLatin1(key.defaultValue);
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(v.toByteArray());
    return v.toString();
}

QByteArray Settings::getBytes(const SettingKey &key) const
{
    const QVariant v = m_values.value(fullKey(key));
    if (!v.isValid())
        return QByteArray(key.defaultValue);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return v.toString().toLatin1();
}

void Settings::save(const SettingKey &key, const QString &value)
{
    saveAll({{key, value}});
}

void Settings::saveBytes(const SettingKey &key, const QByteArray &value)
{
    saveAll({{key, value}});
}

void Settings::saveAll(std::initializer_list<std::pair<SettingKey, QVariant>> values)
{
    QMap<QString, QVariant> next = m_values;
    for (const auto &[key, value] : values)
        next.insert(fullKey(key), value);
    commit(next);
    m_values = next;
}

void Settings::commit(const QMap<QString, QVariant> &values)
{
    WriteGuard guard(DataFolderPath());
    const QString folder = QFileInfo(m_path).absolutePath();
    MakePath(folder);
    DurableFile::replace(m_path, IniText(values));
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
