#include "app/AppState.h"
#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "crypto/CryptoSelfTest.h"
#include "entries/LoginRecord.h"
#include "entries/StoreCheck.h"
#include "master/MasterPasswords.h"
#include "platform/ClassicError.h"

#include <QDir>
#include <QFileInfo>

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

// The self-test as the start runs it, its plain copy in the data folder unless that cannot be
// written to.
CheckLine checkCipher(const QString &dataFolder)
{
    const QString folder = QFileInfo(dataFolder).isWritable() ? dataFolder : QDir::tempPath();
    int writeError = 0;
    if (CryptoSelfTest(ProgramFolder(), folder, &writeError) >= 2)
        return {"Cipher self-test", true, {}};
    if (writeError != 0)
        return {"Cipher self-test", false,
                QStringLiteral("its copy in %1 could not be written: %2")
                    .arg(folder, ClassicError::of(writeError).text())};
    return {"Cipher self-test", false, {}};
}

// Whole records, then the store check every writer makes: ids, deleted marks, and every live
// entry under the master passwords.
CheckLine checkStore(const QString &loginFile, const QByteArray &entryKey)
{
    try {
        if (const qint64 tail = QFileInfo(loginFile).size() % LoginRecord::Size)
            return {"Store", false,
                    QStringLiteral("%1 bytes after the last whole record").arg(tail)};
        const StoreCheck check = CheckStoreFile(loginFile, entryKey);
        if (!check.sound())
            return {"Store", false, check.problem()};
        return {"Store", true, QStringLiteral("%1 entries").arg(check.liveEntries)};
    } catch (const ClassicError &e) {
        return {"Store", false, QStringLiteral("it cannot be read: ") + e.text()};
    }
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
    const CheckLine lines[] = {
        checkCipher(c.state.DataFolder),
        checkStore(c.state.LoginFile, c.state.entryKey()),
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
