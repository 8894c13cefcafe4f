#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The user's RSA key pairs (signature and key exchange), kept in keys/ under the data folder.
namespace UserKeys {

enum class Kind { Signature, KeyExchange };

// Makes either pair that is missing; false when a pair can be neither read nor made.
bool ensure(const QString &keyFolder);
QString defaultFolder();

// PKCS#1 v1.5 signature over the MD5 digest of data; nullopt when no key is usable.
std::optional<QByteArray> sign(const QString &keyFolder, const QByteArray &data);
bool verify(const QString &keyFolder, const QByteArray &data, const QByteArray &signature);

} // namespace UserKeys
