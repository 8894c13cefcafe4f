#pragma once

#include "app/SettingsTable.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <utility>

// The per-user settings store: $XDG_CONFIG_HOME/Brantwick/Pellora.ini, one group per section.
// Reads return the table's default for an absent key. Each save replaces the whole file at once
// (DurableFile::replace, under the vault lock), private to the user: after a failed save the
// file and the values held here are exactly as before, and the next save starts afresh.
class Settings
{
public:
    Settings();
    explicit Settings(const QString &iniPath);

    static QString defaultPath();
    QString path() const { return m_path; }

    QString get(const SettingKey &key) const;
    // Raises the classic error of the failed write (61 for a full disk, 70 when refused).
    void save(const SettingKey &key, const QString &value);

    // Master values are cipher text and may hold any byte; they are kept binary-safe.
    QByteArray getBytes(const SettingKey &key) const;
    void saveBytes(const SettingKey &key, const QByteArray &value);
    // Several values in one replacement of the file: all of them are written, or none.
    void saveAll(std::initializer_list<std::pair<SettingKey, QVariant>> values);

    // Typed reads; a value that is not a boolean or number raises ClassicError 13.
    bool getBool(const SettingKey &key) const;
    qint32 getLong(const SettingKey &key) const;
    double getDouble(const SettingKey &key) const;

private:
    void load();
    void commit(const QMap<QString, QVariant> &values);

    QString m_path;
    QMap<QString, QVariant> m_values;
};
