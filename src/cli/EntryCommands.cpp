#include "app/AppState.h"
#include "app/DataFolder.h"
#include "cli/ArgumentValues.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/EntryChanges.h"
#include "cli/EntryLookup.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "cli/PasswordMaking.h"
#include "cli/SecretSource.h"
#include "entries/EditorLogic.h"
#include "entries/EntryStore.h"
#include "entries/LoginValidation.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"

namespace {
void logChange(CommandContext &c, const LogRecord &made)
{
    if (!c.state.LogPwdChanges)
        return;
    LogRecord event = made;
    WriteLog(c.ui, c.state.logTarget(), event);
}

// The editor's OK: the check, then the record stored under a new id (add) or the entry's own.
int storeEntry(CommandContext &c, LoginEditorInput &input, std::optional<qint16> id)
{
    if (!validateEntryInput(c.ui, input, c.state.PasswordTraits))
        return ExitCode::Failed;
    auto record = BuildLoginRecord(c.ui, input, c.state.entryKey());
    if (!record)
        return ExitCode::Failed;
    EntryStore entries(c.state.LoginFile, c.ui);
    const QString user = GetLoginUserName();
    if (id) {
        record->LoginID = *id;
        if (!entries.update(*record))
            return ExitCode::Failed;
        logChange(c, LogEvents::Updated(input.login, user, Clock::now()));
        return ExitCode::Done;
    }
    const qint16 added = entries.add(*record);
    if (added == 0)
        return ExitCode::Failed;
    logChange(c, LogEvents::Added(input.login, user, Clock::now()));
    Output::out(QString::number(added) + QLatin1Char('\n'));
    return ExitCode::Done;
}

// The password the change asks for: made to the rules, the next secret, or the one it has.
bool fillPassword(CommandContext &c, LoginEditorInput &input, bool generate, bool typed)
{
    if (generate) {
        const auto made = MakeAcceptedPassword(c.ui, input);
        if (!made)
            return false;
        input.password = *made;
    } else if (typed) {
        input.password = c.secrets.next(QStringLiteral("Password"));
    }
    return true;
}

int addEntry(CommandContext &c, const EntryChanges &changes)
{
    LoginEditorInput input = NewEntryInput();
    ApplyEntryChanges(changes, input);
    if (!fillPassword(c, input, changes.generate, !changes.generate))
        return ExitCode::Failed;
    return storeEntry(c, input, std::nullopt);
}

int editEntry(CommandContext &c, qint16 id, const EntryChanges &changes, bool newPassword)
{
    const auto record = FindLiveEntry(c, id);
    if (!record)
        return ExitCode::Failed;
    auto input = InputFromRecord(*record, c.state.entryKey());
    if (!input) {
        c.ui.message(QString::fromLatin1(kReadItemFailedMessage));
        return ExitCode::Failed;
    }
    ApplyEntryChanges(changes, *input);
    if (!fillPassword(c, *input, changes.generate, newPassword))
        return ExitCode::Failed;
    return storeEntry(c, *input, id);
}

int removeEntry(CommandContext &c, qint16 id)
{
    const auto record = FindLiveEntry(c, id);
    if (!record)
        return ExitCode::Failed;
    if (!EntryStore(c.state.LoginFile, c.ui).remove(id, id))
        return ExitCode::Failed;
    logChange(c, LogEvents::Deleted(Ansi::toText(record->Login), GetLoginUserName(), Clock::now()));
    return ExitCode::Done;
}
} // namespace

CommandBody PrepareAdd(const Invocation &inv)
{
    if (!inv.has("description") || !inv.has("login"))
        throw UsageError{QStringLiteral("add needs --description and --login"),
                         QStringLiteral("add")};
    const EntryChanges changes = EntryChangesFrom(inv);
    return [changes](CommandContext &c) { return addEntry(c, changes); };
}

CommandBody PrepareEdit(const Invocation &inv)
{
    const qint16 id = ArgumentValues::entryId(inv, inv.arguments.constFirst());
    const EntryChanges changes = EntryChangesFrom(inv);
    const bool newPassword = inv.has("password");
    if (newPassword && changes.generate)
        throw UsageError{QStringLiteral("--password and --generate contradict each other"),
                         QStringLiteral("edit")};
    return [id, changes, newPassword](CommandContext &c) {
        return editEntry(c, id, changes, newPassword);
    };
}

CommandBody PrepareRemove(const Invocation &inv)
{
    const qint16 id = ArgumentValues::entryId(inv, inv.arguments.constFirst());
    return [id](CommandContext &c) { return removeEntry(c, id); };
}
