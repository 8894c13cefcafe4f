#include "BenchFixture.h"

#include "crypto/Cipher.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"

#include <QFile>
#include <stdexcept>

namespace Bench {

void SilentUi::message(const QString &text, const QString &)
{
    ++m_messages;
    if (m_messageIsFailure)
        throw std::runtime_error(text.toStdString());
}

Scratch::Scratch()
{
    qputenv("HOME", dir.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    Cipher::setKeyFolder(dir.filePath(QStringLiteral("keys/")));
}

QByteArray Store(int count, const QByteArray &entryKey, int deleteEvery)
{
    QByteArray store;
    store.reserve(qsizetype(count) * LoginRecord::Size);
    for (int i = 0; i < count; ++i) {
        LoginRecord r;
        r.LoginID = qint16(i + 1);
        r.Login = FitText("user" + QByteArray::number(i) + "@example.org");
        r.Description = FitText("account " + QByteArray::number(i * 7919 % 32767));
        r.Password = *EncodePasswordField("pw-" + QByteArray::number(i * 7919), entryKey);
        r.Deleted = deleteEvery > 0 && i % deleteEvery == 1;
        r.ExpireDays = qint16(i % 3 ? 90 : 0);
        r.ExpireStart = 45000 + i % 400;
        r.MinLength = 8;
        r.MaxLength = 20;
        store += r.encode();
    }
    return store;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace Bench
