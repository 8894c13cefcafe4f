#include "UiHarness.h"

#include "crypto/Cipher.h"
#include "entries/EntryStore.h"
#include "entries/PasswordField.h"
#include "platform/Convert.h"

namespace {
const QByteArray kPassPhrase("qwhe7&*/:]{3k  tbnsoo!$eprdxuhmjlqtr 8hj2 k731z");
}

UiHarness::UiHarness(bool masters)
{
    state.DataFolder = home.dataFolder();
    state.LoginFile = state.DataFolder + QStringLiteral("Pellora.lgn");
    state.LogFile = state.DataFolder + QStringLiteral("Pellora.log");
    if (masters)
        setMasters("first master", "second master");
}

void UiHarness::setMasters(const QByteArray &first, const QByteArray &second)
{
    state.ActiveMaster1 = Cipher::crypt(first, kPassPhrase);
    state.ActiveMaster2 = Cipher::crypt(second, kPassPhrase);
    settings.saveBytes(Setting::Master1, state.ActiveMaster1);
    settings.saveBytes(Setting::Master2, state.ActiveMaster2);
    state.FirstRun = false;
}

qint16 UiHarness::addEntry(const QByteArray &login, const QByteArray &description,
                           const QByteArray &password, qint16 expireDays, const QDateTime &start)
{
    LoginRecord r;
    r.Login = FitText(login);
    r.Description = FitText(description);
    r.Password = *EncodePasswordField(password, state.entryKey());
    r.ExpireDays = expireDays;
    r.ExpireStart = Convert::ToOleDate(start);
    r.MinLength = 6;
    r.MaxLength = 15;
    return EntryStore(state.LoginFile, ui).add(r);
}

QByteArray UiHarness::passwordOf(qint16 loginId)
{
    const LoginRecord r = EntryStore(state.LoginFile, ui).load(loginId);
    return DecodePasswordField(r.Password, state.entryKey()).value_or(QByteArray("<undecodable>"));
}
