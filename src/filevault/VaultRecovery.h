#pragma once

#include <QByteArray>
#include <QString>

class Ui;

// Finishes every vault pass that a crash, a power cut or a failure left journaled in dataFolder,
// so each of those files ends exactly as an uninterrupted pass would have left it (wholly
// enciphered, or wholly deciphered), and tells the user in one message naming the files. A file
// that cannot be finished now (moved, unwritable, or begun under other master passwords) is
// named too, and its journal kept for a later try. Runs at start-up after the login, and before
// every vault run; holds the vault lock while it works. Shows nothing when there was nothing to
// do.
void RecoverVaultRuns(Ui &ui, const QString &dataFolder, const QByteArray &entryKey);
