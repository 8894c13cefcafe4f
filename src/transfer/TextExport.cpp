#include "transfer/TextExport.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/PasswordField.h"
#include "filevault/OwnFiles.h"
#include "log/LogEvents.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/DurableFile.h"
#include "platform/Ui.h"
#include "transfer/ExportFailure.h"
#include "transfer/ExportLog.h"
#include "transfer/StoreRecords.h"

#include <QFile>
#include <QFileInfo>

namespace {
// The whole text is put together first and then replaces the file in one step (an append keeps
// the file's old text in front), so a failure or a kill never leaves half an export.
struct Output
{
    QString path;
    QByteArray text;
};

Output openOutput(const QString &path, TextExportMode mode)
{
    CheckExportTarget(path);
    Output out{path, {}};
    if (mode == TextExportMode::Append && QFileInfo::exists(path)) {
        QFile existing(path);
        if (!existing.open(QIODevice::ReadOnly))
            RaiseExportTargetError(existing);
        out.text = existing.readAll();
    }
    return out;
}

void write(Output &out, const QByteArray &bytes)
{
    out.text += bytes;
}

// True after telling the user, when path is one of the program's own files.
bool refusedAsOwn(Ui &ui, const AppState &state, const QString &path)
{
    if (!OwnFiles(state).contains(path))
        return false;
    ui.message(QString::fromLatin1(TextExportMessages::OwnFile).arg(path));
    return true;
}

void finish(const Output &out, const QString &dataFolder)
{
    DurableFile::replace(out.path, out.text, ExportNotePath(dataFolder));
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
        Output out = openOutput(path, mode);
        write(out, TextExportHeadingLine(options, *delimiter));
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
                write(out, TextExportEntryLines(record, password, options, *delimiter));
            }
            const int percent = int((i + 1) * 100 / count);
            if (percent != shown)
                view.setProgress(shown = percent);
        }
        finish(out, QFileInfo(state.LoginFile).absolutePath());
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
    } catch (const ClassicError &e) {
        view.showProgress(false);
        ReportExportFailure(ui, e, atOutputFile);
        return written;
    }
}
