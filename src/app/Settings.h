#pragma once

#include "app/SettingsTable.h"

#include <QByteArray>
#include <QString>
#include <memory>

class QSettings;

// The per-user settings store: $XDG_CONFIG_HOME/Brantwick/Pellora.ini, one group per section.
// Reads return the table's default for an absent key. Writes reach the disk at once (through a
// temporary file and a rename) and the file is kept private to the user.
class Settings
{
public:
    Settings();
    explicit Settings(const QString &iniPath);
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    static QString defaultPath();
    QString path() const { return m_path; }

    QString get(const SettingKey &key) const;
    // Raises VbError 70 when the store cannot be written.
    void save(const SettingKey &key, const QString &value);

    // Master values are cipher text and may hold any byte; they are kept binary-safe.
    QByteArray getBytes(const SettingKey &key) const;
    void saveBytes(const SettingKey &key, const QByteArray &value);

    // Typed reads; a value that is not a boolean or number raises VbError 13.
    bool getBool(const SettingKey &key) const;
    qint32 getLong(const SettingKey &key) const;
    double getDouble(const SettingKey &key) const;

private:
    void commit();

    QString m_path;
    std::unique_ptr<QSettings> m_store;
};
