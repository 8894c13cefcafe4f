#include "master/MigrationLoad.h"

#include "app/Settings.h"
#include "crypto/Cipher.h"
#include "entries/EntryStore.h"
#include "entries/RecordFile.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Convert.h"
#include "platform/Ui.h"

namespace {
// Fields written under other masters do not decipher to the two-digit length prefix.
void requireLengthPrefix(const QByteArray &field, const QByteArray &entryKey)
{
    const QByteArray plain = Cipher::crypt(field, entryKey);
    if (!Convert::IsNumeric(Ansi::toText(plain.left(2))))
        raiseError(ErrorNumber::TypeMismatch);
}
} // namespace

bool Load(Ui &ui, const QString &path, Settings &settings, EntryStore &store)
{
    BusyPointer busy(ui);
    try {
        QByteArray all;
        {
            RecordFile file(path, RecordFile::Mode::Read);
            file.requireAddressable();
            all = file.readAll();
        }
        const QByteArray entryKey =
            settings.getBytes(Setting::Master1) + settings.getBytes(Setting::Master2);
        for (qsizetype off = 0; off < all.size(); off += LoginRecord::Size) {
            LoginRecord record = LoginRecord::decode(all.constData() + off);
            if (record.Deleted)
                continue;
            requireLengthPrefix(record.Password, entryKey);
            // add has already said why; going on would report a partial load as loaded.
            if (store.add(record) == 0)
                return false;
        }
        return true;
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred in Load ") + e.text() +
                   QStringLiteral(" This is due to an older invalid password file."));
        return false;
    }
}
