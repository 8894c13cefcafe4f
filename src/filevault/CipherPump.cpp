#include "filevault/CipherPump.h"

#include "crypto/Rc4Key.h"

#include <QByteArray>
#include <QIODevice>

CipherOutcome PumpCipher(QIODevice &in, QIODevice &out, Rc4Stream &stream, qint64 chunk)
{
    QByteArray buffer(chunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), chunk);
        if (n < 0)
            return CipherOutcome::ReadFailed;
        if (n == 0)
            return CipherOutcome::Done;
        stream.apply(reinterpret_cast<uint8_t *>(buffer.data()), size_t(n));
        if (out.write(buffer.constData(), n) != n)
            return CipherOutcome::WriteFailed;
    }
}
