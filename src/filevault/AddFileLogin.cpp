#include "filevault/AddFileLogin.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "log/LogEvents.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

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

    const qint16 id = LoginStore(state.LoginFile, ui, state.entryKey()).Addlogin(record);
    // A failed add has already been reported; logging it as added would be false.
    if (id != 0 && state.LogPwdChanges) {
        LogRecord event = LogEvents::Added(Ansi::toText(login), GetLoginUserName(), Clock::now());
        WriteLog(ui, state.logTarget(), event);
    }
    if (reloadList)
        reloadList();
    return id;
}
