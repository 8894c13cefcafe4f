#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

#include <nettle/arcfour.h>

// The 40-bit RC4 key of a password: the first 5 bytes of its MD5 digest and 11 zero bytes.
std::array<uint8_t, 16> Rc4KeyFor(const QByteArray &password);

// An RC4 keystream that can be applied in pieces; the pieces give the bytes of one whole pass.
class Rc4Stream
{
public:
    explicit Rc4Stream(const QByteArray &password);
    Rc4Stream(const uint8_t *key, size_t keyLength);
    void apply(uint8_t *data, size_t length);
    void apply(const uint8_t *in, uint8_t *out, size_t length);

private:
    arcfour_ctx m_ctx;
};
