#include "master/RedoCrypt.h"

#include "crypto/cPQCrypt.h"
#include "entries/LoginRecord.h"
#include "entries/RecordFile.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

namespace {
QByteArray readStore(const QString &loginFile)
{
    if (!QFile::exists(loginFile))
        return {};
    if (QFileInfo(loginFile).isDir())
        raiseError(VbErr::PathFileAccessError);
    QFile file(loginFile);
    if (!file.open(QIODevice::ReadOnly))
        RaiseFileError(file);
    if (file.size() / LoginRecord::Size > RecordFile::MaxRecords)
        raiseError(VbErr::Overflow);
    // A tail short of a whole record is no record, but it is kept as it was.
    const QByteArray all = file.readAll();
    if (all.size() != file.size())
        RaiseFileError(file);
    return all;
}

void reencrypt(QByteArray &store, const QByteArray &oldKey, const QByteArray &newKey)
{
    cPQCrypt &crypt = Crypt();
    const qsizetype records = store.size() / LoginRecord::Size;
    for (qsizetype i = records - 1; i >= 0; --i) {
        char *field = store.data() + i * LoginRecord::Size + RecordOffset::Password;
        const QByteArray old = QByteArray::fromRawData(field, LoginRecord::TextWidth);
        const QByteArray plain = FitText(crypt.DeCrypt(old, oldKey));
        const QByteArray fresh = FitText(crypt.Encrypt(plain, newKey));
        std::memcpy(field, fresh.constData(), LoginRecord::TextWidth);
    }
}

void replaceStore(const QString &loginFile, const QByteArray &store)
{
    QSaveFile out(loginFile);
    // Unbuffered, so a short write shows here instead of being committed as a cut-off store.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        RaiseFileError(out);
    out.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (out.write(store) != store.size()) {
        if (out.error() == QFileDevice::NoError)
            raiseError(VbErr::DiskFull);
        RaiseFileError(out);
    }
    if (!out.commit())
        RaiseFileError(out);
}
} // namespace

bool RedoCrypt(Ui &ui, const QString &loginFile, const QByteArray &oldEntryKey,
               const QByteArray &newEntryKey)
{
    BusyPointer busy(ui);
    try {
        QByteArray store = readStore(loginFile);
        reencrypt(store, oldEntryKey, newEntryKey);
        replaceStore(loginFile, store);
        return true;
    } catch (const VbError &e) {
        ui.message(QStringLiteral("An error has occurred in frmOptionsRedoCrypt ") + e.text());
        return false;
    }
}
