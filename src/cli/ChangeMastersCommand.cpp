#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/ExitCode.h"
#include "cli/SecretSource.h"
#include "master/MasterChange.h"
#include "master/MasterValidation.h"

CommandBody PrepareChangeMasters(const Invocation &)
{
    return [](CommandContext &c) {
        const QString master1 = c.secrets.next(QStringLiteral("New master password 1"));
        const QString master2 = c.secrets.next(QStringLiteral("New master password 2"));
        if (!Validation(c.ui, master1, master2)) {
            c.ui.message(QString::fromLatin1(kMasterRulesMessage));
            return ExitCode::Failed;
        }
        // Typed masters are an edit of the Options dialog's boxes.
        bool changed = true;
        return ApplyMasters(c.ui, c.state, c.settings, master1, master2, changed)
                   ? ExitCode::Done
                   : ExitCode::Failed;
    };
}
