#pragma once

#include <QByteArray>
#include <optional>

// The password field: two decimal digits giving the length, then the password, enciphered under
// the entry key and fitted to 64 characters.
inline constexpr int kMaxStoredPasswordLength = 62;

// nullopt when the trimmed password is longer than the field can hold whole.
std::optional<QByteArray> EncodePasswordField(const QByteArray &password,
                                              const QByteArray &entryKey);
// nullopt when the field was not written under this key (no leading length digits).
std::optional<QByteArray> DecodePasswordField(const QByteArray &field, const QByteArray &entryKey);
// The length prefix of a deciphered field; nullopt when it is not a number.
std::optional<int> PasswordLengthPrefix(const QByteArray &plain);
