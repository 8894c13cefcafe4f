// Writes the check file the start-up self-test deciphers: a small store whose last record's
// Login is "crccheck", enciphered under the self-test password.
#include "crypto/Cipher.h"
#include "crypto/CryptoSelfTest.h"
#include "entries/LoginRecord.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pqchk <output file>\n");
        return 2;
    }
    QTemporaryDir keys;
    Cipher::setKeyFolder(keys.path());

    QByteArray plain;
    LoginRecord first;
    first.LoginID = 1000;
    first.Login = FitText("Pellora cipher check");
    first.Description = FitText("Deciphered by the start-up self-test");
    first.Password = FitText("");
    first.MaxLength = 128;
    plain += first.encode();

    LoginRecord last = first;
    last.LoginID = 1001;
    last.Login = FitText("crccheck");
    plain += last.encode();

    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(Cipher::crypt(plain, QByteArray(kSelfTestPassword)));
    return out.commit() ? 0 : 1;
}
