#include "StoreFixture.h"

#include <QFile>

LoginRecord MakeRecord(const QByteArray &login, const QByteArray &description,
                       const QByteArray &passwordField)
{
    LoginRecord r;
    r.Login = FitText(login);
    r.Description = FitText(description);
    r.Password = FitText(passwordField);
    r.ExpireDays = 30;
    r.ExpireStart = 45352.4166666667;
    r.MinLength = 6;
    r.MaxLength = 15;
    return r;
}

LoginRecord Entry(qint16 id, const QByteArray &login, const QByteArray &password,
                  const QByteArray &entryKey, bool deleted)
{
    LoginRecord r = MakeRecord(login, "for " + login, *EncodePasswordField(password, entryKey));
    r.LoginID = id;
    r.Deleted = deleted;
    return r;
}

QByteArray StoreBytes(const QList<LoginRecord> &records)
{
    QByteArray out;
    for (const LoginRecord &r : records)
        out += r.encode();
    return out;
}

QList<QByteArray> Passwords(const QString &path, const QByteArray &key)
{
    QList<QByteArray> out;
    for (const LoginRecord &r : ReadRecords(path))
        out << DecodePasswordField(r.Password, key).value_or("<unreadable>");
    return out;
}

QList<LoginRecord> ReadRecords(const QString &path)
{
    QFile f(path);
    QList<LoginRecord> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray all = f.readAll();
    for (qsizetype off = 0; off + LoginRecord::Size <= all.size(); off += LoginRecord::Size)
        out << LoginRecord::decode(all.constData() + off);
    return out;
}
