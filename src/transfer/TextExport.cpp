#include "transfer/TextExport.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/PasswordField.h"
#include "filevault/OwnFiles.h"
#include "log/LogEvents.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/DurableFile.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "transfer/ExportFailure.h"
#include "transfer/ExportLog.h"
#include "transfer/StoreRecords.h"

#include <QFile>
#include <QFileInfo>

namespace {
constexpr auto kPrivate = QFile::ReadOwner | QFile::WriteOwner;

// Adds text at the end of path (made when missing, private to the user) and makes it durable.
void appendDurably(const QString &path, const QByteArray &text)
{
    const bool made = !QFileInfo::exists(path);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append, kPrivate) ||
        out.write(text) != text.size() || !out.flush())
        RaiseExportTargetError(out);
    DurableFile::syncData(out);
    out.close();
    if (made)
        DurableFile::syncFolder(QFileInfo(path).absolutePath());
}

// True after telling the user, when path is one of the program's own files.
bool refusedAsOwn(Ui &ui, const AppState &state, const QString &path)
{
    if (!OwnFiles(state).contains(path))
        return false;
    ui.message(QString::fromLatin1(TextExportMessages::OwnFile).arg(path));
    return true;
}

} // namespace

std::optional<TextExportMode> PrepareTextExportTarget(Ui &ui, const AppState &state,
                                                      const QString &path)
{
    if (path.isEmpty()) {
        ui.message(QString::fromLatin1(TextExportMessages::NoPath));
        return std::nullopt;
    }
    if (refusedAsOwn(ui, state, path))
        return std::nullopt;
    const QFileInfo info(path);
    if (info.isFile() && ui.ask(QString::fromLatin1(TextExportMessages::Overwrite)))
        return TextExportMode::Replace;
    return TextExportMode::Append;
}

bool ExportTextFile(Ui &ui, const AppState &state, const Settings &settings, TextExportView &view,
                    const QString &path, const TextExportOptions &options, TextExportMode mode)
{
    if (refusedAsOwn(ui, state, path))
        return false;
    BusyPointer busy(ui);
    const auto delimiter = Ansi::fromText(TextExportDelimiter(options.delimiterText));
    if (!delimiter) {
        ui.message(QString::fromLatin1(TextExportMessages::DelimiterNotWritable));
        return false;
    }
    bool atOutputFile = false;
    bool written = false;
    try {
        const QByteArray records = ReadStoreRecords(state.LoginFile);
        const qsizetype count = records.size() / LoginRecord::Size;
        view.showFinished(false);
        view.setProgress(0);
        view.showProgress(true);
        atOutputFile = true;
        CheckExportTarget(path);
        QByteArray text = TextExportHeadingLine(options, *delimiter);
        int unreadable = 0;
        int shown = 0;
        for (qsizetype i = 0; i < count; ++i) {
            const LoginRecord record =
                LoginRecord::decode(records.constData() + i * LoginRecord::Size);
            if (!record.Deleted) {
                QByteArray password;
                if (options.password) {
                    const auto clear = DecodePasswordField(record.Password, state.entryKey());
                    unreadable += clear ? 0 : 1;
                    password = clear.value_or(QByteArray());
                }
                text += TextExportEntryLines(record, password, options, *delimiter);
            }
            const int percent = int((i + 1) * 100 / count);
            if (percent != shown)
                view.setProgress(shown = percent);
        }
        // A replaced file is wholly old or wholly new; a crash leaves no temporary file behind
        // for long, as the next start removes what the data folder's note names.
        if (mode == TextExportMode::Replace)
            DurableFile::replace(path, text,
                                 ExportNotePath(QFileInfo(state.LoginFile).absolutePath()));
        else
            appendDurably(path, text);
        atOutputFile = false;
        written = true;
        view.setProgress(100);
        view.showProgress(false);
        view.showFinished(true);
        if (unreadable > 0)
            ui.message(
                QString::fromLatin1(TextExportMessages::PasswordsUnreadable).arg(unreadable));
        LogExportWhenEnabled(
            ui, state, settings,
            LogEvents::ExportedPlainTextTo(path, GetLoginUserName(), Clock::now()));
        return true;
    } catch (const VbError &e) {
        view.showProgress(false);
        ReportExportFailure(ui, e, atOutputFile);
        return written;
    }
}
