#pragma once

#include <QString>

// A rough measure of how hard a password is to guess: its length times the bits of one
// character drawn from the kinds it uses (lower case, capitals, digits, other printable ASCII,
// anything beyond). It cannot see words or patterns, so it flatters "Password1"; it is a floor
// for random passwords and a warning for short ones, not a promise.
int PasswordStrengthBits(const QString &password);
// "Strength: about 52 bits (fair)"; empty for an empty password.
QString PasswordStrengthText(const QString &password);
