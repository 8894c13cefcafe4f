#include "filevault/AddFileLogin.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/EntryStore.h"
#include "entries/PasswordField.h"
#include "log/LogEvents.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/DurableFile.h"
#include "platform/Ui.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
// The caller changes a file under this password next; the entry must outlive any crash first.
bool StoreReachedDisk(Ui &ui, const QString &loginFile)
{
    try {
        const int fd = ::open(QFile::encodeName(loginFile).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            DurableFile::raiseErrno(errno);
        const int err = ::fdatasync(fd) == 0 ? 0 : errno;
        ::close(fd);
        if (err != 0)
            DurableFile::raiseErrno(err);
        DurableFile::syncFolder(QFileInfo(loginFile).absolutePath());
        return true;
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred in Addlogin ") + e.text());
        return false;
    }
}
} // namespace

qint16 AddFileLogin(Ui &ui, const AppState &state, const QByteArray &login,
                    const QByteArray &description, const QByteArray &password,
                    const std::function<void()> &reloadList)
{
    BusyPointer busy(ui);
    const auto field = EncodePasswordField(password, state.entryKey());
    if (!field) {
        ui.message(QStringLiteral("The password for %1 is longer than %2 characters, so no entry "
                                  "was added for it. Keep the password safe another way.")
                       .arg(Ansi::toText(description))
                       .arg(kMaxStoredPasswordLength));
        return 0;
    }
    LoginRecord record;
    record.Login = FitText(login);
    record.Description = FitText(description);
    record.Password = *field;
    record.ExpireDays = 0;
    record.ExpireStart = 0.0;
    record.CaseSensitive = true;
    record.AllowSpace = true;
    record.RequireMix = false;
    record.RequireSpecial = false;
    record.MinLength = 8;
    record.MaxLength = 64;

    const qint16 id = EntryStore(state.LoginFile, ui, state.entryKey()).add(record);
    // A failed add has already been reported; logging it as added would be false.
    if (id != 0 && state.LogPwdChanges) {
        LogRecord event = LogEvents::Added(Ansi::toText(login), GetLoginUserName(), Clock::now());
        WriteLog(ui, state.logTarget(), event);
    }
    const bool kept = id != 0 && StoreReachedDisk(ui, state.LoginFile);
    if (reloadList)
        reloadList();
    return kept ? id : 0;
}
