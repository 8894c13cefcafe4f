#include "cli/EntryLookup.h"

#include "app/AppState.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "entries/EntryStore.h"

std::optional<LoginRecord> FindLiveEntry(CommandContext &c, qint16 loginId)
{
    const int before = c.ui.messageCount();
    LoginRecord record = EntryStore(c.state.LoginFile, c.ui).load(loginId);
    if (!record.isZero())
        return record;
    // A store that could not be read has said so in load's own words.
    if (c.ui.messageCount() == before)
        c.ui.message(QStringLiteral("There is no entry with LoginID %1.").arg(loginId));
    return std::nullopt;
}
