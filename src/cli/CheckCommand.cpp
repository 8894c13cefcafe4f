#include "app/AppState.h"
#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "cli/StoreCheck.h"
#include "crypto/CryptoSelfTest.h"
#include "master/MasterPasswords.h"

namespace {
struct CheckLine
{
    const char *name;
    bool passed;
    QString detail;
};

// The stored values must be the masters' encryptions: each deciphers to a master that
// enciphers back to the very same value.
CheckLine checkMasterValues(const Settings &settings)
{
    const QByteArray stored[] = {settings.getBytes(Setting::Master1),
                                 settings.getBytes(Setting::Master2)};
    for (int i = 0; i < 2; ++i) {
        const QByteArray plain = PlainMaster(stored[i]);
        if (plain.isEmpty() || MasterValue(plain) != stored[i])
            return {"Master values", false,
                    QStringLiteral("\"Master%1\" is no stored master password").arg(i + 1)};
    }
    return {"Master values", true, {}};
}

QString lineText(const CheckLine &line)
{
    QString text = QLatin1String(line.name) + QStringLiteral(": ") +
                   (line.passed ? QStringLiteral("passed") : QStringLiteral("failed"));
    if (!line.detail.isEmpty())
        text += QStringLiteral(" (") + line.detail + QLatin1Char(')');
    return text + QLatin1Char('\n');
}

int check(CommandContext &c)
{
    const StoreCheckResult store = CheckStoreIntegrity(c.state.LoginFile, c.state.entryKey());
    const CheckLine lines[] = {
        {"Cipher self-test", CryptoSelfTest(ProgramFolder(), c.state.DataFolder) >= 2, {}},
        {"Store", store.passed, store.detail},
        checkMasterValues(c.settings),
    };
    bool allPassed = true;
    QString out;
    for (const CheckLine &line : lines) {
        out += lineText(line);
        allPassed = allPassed && line.passed;
    }
    Output::out(out);
    return allPassed ? ExitCode::Done : ExitCode::Failed;
}
} // namespace

CommandBody PrepareCheck(const Invocation &)
{
    return [](CommandContext &c) { return check(c); };
}
