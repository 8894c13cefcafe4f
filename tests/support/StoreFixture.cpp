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
