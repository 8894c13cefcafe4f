#include "transfer/TextExport.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/PasswordField.h"
#include "filevault/OwnFiles.h"
#include "log/LogEvents.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "transfer/ExportFailure.h"
#include "transfer/ExportLog.h"
#include "transfer/SaveFileCommit.h"
#include "transfer/StoreRecords.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>

namespace {
constexpr auto kPrivate = QFile::ReadOwner | QFile::WriteOwner;

std::unique_ptr<QFileDevice> openOutput(const QString &path, TextExportMode mode)
{
    CheckExportTarget(path);
    if (mode == TextExportMode::Replace) {
        auto out = std::make_unique<QSaveFile>(path);
        if (!out->open(QIODevice::WriteOnly))
            RaiseExportTargetError(*out);
        out->setPermissions(kPrivate);
        return out;
    }
    auto out = std::make_unique<QFile>(path);
    if (!out->open(QIODevice::WriteOnly | QIODevice::Append, kPrivate))
        RaiseExportTargetError(*out);
    return out;
}

void write(QFileDevice &out, const QByteArray &bytes)
{
    if (out.write(bytes) != bytes.size())
        RaiseExportTargetError(out);
}

// True after telling the user, when path is one of the program's own files.
bool refusedAsOwn(Ui &ui, const AppState &state, const QString &path)
{
    if (!OwnFiles(state).contains(path))
        return false;
    ui.message(QString::fromLatin1(TextExportMessages::OwnFile).arg(path));
    return true;
}

void finish(QFileDevice &out)
{
    if (auto *save = qobject_cast<QSaveFile *>(&out)) {
        if (!FlushAndCommit(*save))
            RaiseExportTargetError(out);
        return;
    }
    if (!out.flush())
        RaiseExportTargetError(out);
    out.close();
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
        const std::unique_ptr<QFileDevice> out = openOutput(path, mode);
        write(*out, TextExportHeadingLine(options, *delimiter));
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
                write(*out, TextExportEntryLines(record, password, options, *delimiter));
            }
            const int percent = int((i + 1) * 100 / count);
            if (percent != shown)
                view.setProgress(shown = percent);
        }
        finish(*out);
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
