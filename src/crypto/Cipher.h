#pragma once

#include <QByteArray>
#include <QString>

// RC4 under a key derived from the MD5 digest of a password. There is no salt and no IV, so
// encrypting and decrypting are one transform and equal texts under one password give equal
// bytes: every stored format relies on that.
namespace Cipher {

// Also makes the user's key pairs on first use, as every installation is expected to have them.
QByteArray crypt(const QByteArray &data, const QByteArray &password);

// The first 256 bytes of the keystream every text under password meets, for loops that pass a
// whole store under one key.
const QByteArray &keystreamHead(const QByteArray &password);

// Where the user's key pairs are kept; the data folder's keys/ unless set.
void setKeyFolder(const QString &folder);
QString keyFolder();

} // namespace Cipher
