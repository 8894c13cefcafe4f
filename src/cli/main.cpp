#include "app/AppState.h"
#include "app/Settings.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "cli/SecretSource.h"
#include "cli/Session.h"
#include "crypto/Cipher.h"
#include "platform/ClassicError.h"
#include "platform/CoreDumps.h"

#include <QCoreApplication>
#include <new>

namespace {
int usageError(const UsageError &e)
{
    QString text = QStringLiteral("pellora-cli: ") + e.message + QLatin1Char('\n');
    text += e.command.isEmpty() ? QStringLiteral("Try 'pellora-cli --help'.\n")
                                : QStringLiteral("Try 'pellora-cli help %1'.\n").arg(e.command);
    Output::err(text);
    return ExitCode::Usage;
}

// Standard error carries the program's own messages; Qt's warnings about its surroundings
// (a missing XDG_RUNTIME_DIR and the like) would read as the command's. Failures still show.
void onlyQtFailures(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        Output::err(text + QLatin1Char('\n'));
}

bool displayAvailable()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

int runSession(const Invocation &inv, const CommandBody &body)
{
    CliUi ui;
    Settings settings;
    AppState state;
    SecretSource secrets(inv.mastersStdin);
    CommandContext context{ui, secrets, state, settings};
    try {
        Session session(context);
        if (inv.command->access != Access::Free) {
            if (const int refused = session.open(inv.command->access))
                return refused;
        }
        return body(context);
    } catch (const SecretUnavailable &e) {
        ui.message(e.message);
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred.") + e.text());
    } catch (const std::bad_alloc &) {
        ui.message(QStringLiteral("An error has occurred.") +
                   ClassicError::of(ErrorNumber::OutOfMemory).text());
    }
    return ExitCode::Failed;
}
} // namespace

int main(int argc, char **argv)
{
    DisableCoreDumps();
    qInstallMessageHandler(onlyQtFailures);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    ParsedCommandLine parsed;
    CommandBody body;
    try {
        parsed = ParseCommandLine(args);
        if (parsed.kind == ParsedCommandLine::Kind::Help) {
            Output::out(parsed.helpText);
            return ExitCode::Done;
        }
        if (parsed.kind == ParsedCommandLine::Kind::Version) {
            Output::out(VersionText());
            return ExitCode::Done;
        }
        body = parsed.invocation.command->prepare(parsed.invocation);
    } catch (const UsageError &e) {
        return usageError(e);
    }

    // Qt sees only the program's name: every argument is the command's.
    int qtArgc = 1;
    const bool clipboard = parsed.invocation.command->usesClipboard;
    if (clipboard && !displayAvailable()) {
        Output::err(QStringLiteral("The clipboard needs a desktop session, and neither DISPLAY "
                                   "nor WAYLAND_DISPLAY is set.\n"));
        return ExitCode::Failed;
    }
    QCoreApplication app(qtArgc, argv);
    const int code = runSession(parsed.invocation, body);
    return code;
}
