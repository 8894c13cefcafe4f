#pragma once

#include <QString>

// Proves the cipher on this machine: the shipped check file must decipher to a store whose
// last record's Login is "crccheck". 2 when the test passed, 0 when it did not.
int CryptoSelfTest(const QString &programFolder, const QString &dataFolder);
// Writes the deciphered check file to the data folder's "pqchk.~gn"; reports nothing.
void DecryptCheckFile(const QString &programFolder, const QString &dataFolder);

inline constexpr char kSelfTestPassword[] = "tKmwoPxB:R8e";
inline constexpr char kCheckFileName[] = "pqchk";
