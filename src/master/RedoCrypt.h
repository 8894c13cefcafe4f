#pragma once

#include <QByteArray>
#include <QString>

class Ui;

// Moves every password field of the store, deleted entries included, from the old entry key to
// the new one. The whole store is re-encrypted into a copy that replaces it only once every
// record is done: on failure the message is shown, false returned and the store is untouched.
// An absent store is created empty.
bool RedoCrypt(Ui &ui, const QString &loginFile, const QByteArray &oldEntryKey,
               const QByteArray &newEntryKey);
