#pragma once

#include <QByteArray>
#include <QString>

class Ui;

// The store's records with every password field, deleted entries included, moved from the old
// entry key to the new one. A tail short of a whole record is kept as it was.
QByteArray ReencryptedStore(const QByteArray &store, const QByteArray &oldEntryKey,
                            const QByteArray &newEntryKey);

// The whole store file for a re-encryption: an absent store reads as empty. Raises the classic
// error of a failed read, 6 for a store past the last record number, and refuses (raises with a
// plain description) a store that is not sound under the old key, so no entry that the old
// key cannot read is ever re-encrypted into garbage.
QByteArray ReadStoreForReencryption(const QString &loginFile, const QByteArray &oldEntryKey);
