#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <optional>

// The RC4 key a vault pass runs under: what a password gives, never the password itself.
using FileKey = std::array<uint8_t, 16>;

FileKey FileKeyFor(const QByteArray &password);

// A file key made fit to be written to disk: a fresh nonce, and the key with a check value
// enciphered under a key drawn from the entry key and that nonce, so no two sealed keys share a
// keystream with each other or with the entries.
struct SealedFileKey
{
    static constexpr int NonceSize = 16;
    static constexpr int SealedSize = 24;

    QByteArray nonce;
    QByteArray sealed;
};

SealedFileKey SealFileKey(const FileKey &key, const QByteArray &entryKey);
// Nothing when entryKey is not the key it was sealed under.
std::optional<FileKey> UnsealFileKey(const SealedFileKey &sealed, const QByteArray &entryKey);
