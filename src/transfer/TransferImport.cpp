#include "transfer/TransferImport.h"

#include "app/AppState.h"
#include "entries/LoginRecord.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Ui.h"
#include "transfer/ImportAppend.h"
#include "transfer/ImportRecrypt.h"
#include "transfer/StoreRecords.h"
#include "transfer/TransferFile.h"

#include <QFileInfo>
#include <optional>

namespace {
QString text(const char *message)
{
    return QString::fromLatin1(message);
}

// The typed master as bytes, or nullopt after telling the user why it cannot be one.
std::optional<QByteArray> masterBytes(Ui &ui, const QString &typed, const char *label)
{
    const auto bytes = Ansi::fromText(typed);
    if (!bytes)
        ui.message(text(ImportMessages::MasterNotRepresentable).arg(QLatin1String(label)));
    return bytes;
}
} // namespace

qsizetype ImportFile(Ui &ui, const QString &loginFile, const QByteArray &entries,
                     const std::function<void()> &reloadList)
{
    BusyPointer busy(ui);
    qsizetype appended = 0;
    try {
        const QByteArray live = LiveRecords(entries);
        const ImportAppendResult result = ImportAppend(loginFile, live);
        appended = result.appended;
        if (result.failure) {
            ui.message(QStringLiteral("An error has occurred in Addlogin ") +
                       result.failure->text());
            const qsizetype total = live.size() / LoginRecord::Size;
            ui.message(text(ImportMessages::Stopped).arg(appended).arg(total));
            if (appended == 0)
                return 0;
        }
        reloadList();
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred in ImportFile ") + e.text());
    }
    return appended;
}

ImportResult ImportCommand(Ui &ui, const AppState &state, const QString &fileName,
                           const QString &master1, const QString &master2,
                           const std::function<void()> &reloadList)
{
    if (fileName.isEmpty()) {
        ui.message(text(ImportMessages::ValidFilename));
        return {};
    }
    if (master1.isEmpty() || master2.isEmpty()) {
        ui.message(text(ImportMessages::MasterPassword));
        return {};
    }
    const auto typed1 = masterBytes(ui, master1, "Master 1");
    if (!typed1)
        return {};
    const auto typed2 = masterBytes(ui, master2, "Master 2");
    if (!typed2)
        return {};
    try {
        const QFileInfo info(fileName);
        if (!info.isFile() || info.size() == 0) {
            ui.message(text(ImportMessages::ValidFilename));
            return {};
        }
        std::optional<BusyPointer> busy(std::in_place, ui);
        TransferFile file = ParseTransferFile(ReadTransferBytes(fileName));
        if (!ImportHeaderMatches(file.masters, *typed1, *typed2)) {
            busy.reset();
            ui.message(text(ImportMessages::NoMatch));
            return {};
        }
        if (!recryptimportfile(file.entries, file.masters, state.entryKey()))
            raiseError(ErrorNumber::BadRecordLength);
        return {true, ImportFile(ui, state.LoginFile, file.entries, reloadList)};
    } catch (const ClassicError &e) {
        if (e.number == ErrorNumber::BadRecordLength)
            ui.message(text(ImportMessages::InvalidFormat));
        else
            ui.message(QStringLiteral("An error has occurred.") + e.text());
        return {};
    }
}
