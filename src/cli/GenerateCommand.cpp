#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/EntryChanges.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "cli/PasswordMaking.h"
#include "entries/EditorLogic.h"

CommandBody PrepareGenerate(const Invocation &inv)
{
    const EntryChanges changes = EntryChangesFrom(inv);
    return [changes](CommandContext &c) {
        LoginEditorInput input = NewEntryInput();
        ApplyEntryChanges(changes, input);
        // The editor's check also wants a description and a login; only the password is made.
        input.description = QStringLiteral("generate");
        input.login = QStringLiteral("generate");
        const auto made = MakeAcceptedPassword(c.ui, input);
        if (!made)
            return ExitCode::Failed;
        Output::out(*made + QLatin1Char('\n'));
        return ExitCode::Done;
    };
}
