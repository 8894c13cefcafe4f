#include "app/AppState.h"
#include "cli/ArgumentValues.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "cli/SecretSource.h"
#include "filevault/OwnFiles.h"
#include "filevault/ProcessFiles.h"

#include <QFileInfo>

namespace {
struct VaultRequest
{
    QStringList paths;
    bool encrypt = true;
    bool filePassword = false;
    bool addPassword = false;
};

// The engine drives the file vault window's status, bar and buttons; only whether a run got
// past its password check matters here.
class RunWatch : public VaultView
{
public:
    void setStatus(const QString &) override {}
    void setProgress(int) override {}
    void setButtonsEnabled(bool enabled) override { m_started = m_started || !enabled; }
    bool started() const { return m_started; }

private:
    bool m_started = false;
};

// One run of the engine per file, in the order given, so each file gets its own status line.
int processFiles(CommandContext &c, const VaultRequest &request)
{
    // As the window refuses a run that holds one of Pellora's own files, none is touched then.
    if (const QStringList own = OwnFiles(c.state).among(request.paths); !own.isEmpty()) {
        c.ui.message(OwnFilesRefusal(own));
        return ExitCode::Failed;
    }
    const QString password =
        request.filePassword ? c.secrets.next(QStringLiteral("File password")) : QString();
    const QString done =
        request.encrypt ? QStringLiteral("Encrypted: ") : QStringLiteral("Decrypted: ");
    bool allDone = true;
    for (const QString &path : request.paths) {
        const QFileInfo file(path);
        VaultRun run;
        run.folder = file.absolutePath();
        run.files = {{file.fileName(), true}};
        run.password = password;
        run.useMasterPasswords = !request.filePassword;
        run.addPassword = request.addPassword;
        RunWatch watch;
        const int before = c.ui.messageCount();
        ProcessFiles(c.ui, c.state, watch, run, request.encrypt, {});
        // A refused password refuses every file alike.
        if (!watch.started())
            return ExitCode::Failed;
        const bool clean = c.ui.messageCount() == before;
        Output::err((clean ? done : QStringLiteral("Failed: ")) + path + QLatin1Char('\n'));
        allDone = allDone && clean;
    }
    return allDone ? ExitCode::Done : ExitCode::Failed;
}

CommandBody prepareVault(const Invocation &inv, bool encrypt)
{
    VaultRequest request;
    for (const QString &path : inv.arguments)
        request.paths << ArgumentValues::filePath(path);
    request.encrypt = encrypt;
    request.filePassword = inv.has("file-password");
    request.addPassword = inv.has("add");
    // The window offers "Add password to Pellora" only for a typed password: the master
    // values never become an entry.
    if (request.addPassword && !request.filePassword)
        throw UsageError{QStringLiteral("--add needs --file-password"),
                         QString::fromLatin1(inv.command->name)};
    return [request](CommandContext &c) { return processFiles(c, request); };
}
} // namespace

CommandBody PrepareEncrypt(const Invocation &inv)
{
    return prepareVault(inv, true);
}

CommandBody PrepareDecrypt(const Invocation &inv)
{
    return prepareVault(inv, false);
}
