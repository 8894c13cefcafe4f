#pragma once

#include <QtGlobal>

class QIODevice;
class Rc4Stream;

// How a pass over one file ended. A read failure means the original could not be read; a write
// failure that its replacement could not be made. Either way the original is left as it was.
enum class CipherOutcome { Done, ReadFailed, WriteFailed };

// The bytes a pass holds in memory at once, whatever the size of the file.
inline constexpr qint64 kCipherChunk = qint64(1) << 20;

// Reads in to its end a chunk at a time, applies the keystream and writes each chunk to out.
// The chunks together get exactly the bytes of one pass over the whole content.
CipherOutcome PumpCipher(QIODevice &in, QIODevice &out, Rc4Stream &stream,
                         qint64 chunk = kCipherChunk);
