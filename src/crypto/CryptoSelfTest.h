#pragma once

#include <QString>

// Proves the cipher on this machine: the shipped check file must decipher to a store whose
// last record's Login is "crccheck". 2 when the test passed, 0 when it did not.
// When the plain copy could not be written, writeError receives the classic error of why (61 for
// a full disk), so the user is not sent looking for a missing file.
int CryptoSelfTest(const QString &programFolder, const QString &dataFolder,
                   int *writeError = nullptr);
// Writes the deciphered check file to the data folder's "pqchk.~gn"; reports nothing. Returns
// the classic error of a failed write, 0 otherwise.
int DecryptCheckFile(const QString &programFolder, const QString &dataFolder);

inline constexpr char kSelfTestPassword[] = "tKmwoPxB:R8e";
inline constexpr char kCheckFileName[] = "pqchk";
