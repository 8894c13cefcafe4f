#include "app/AppState.h"
#include "cli/ArgumentValues.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/ExitCode.h"
#include "cli/Output.h"
#include "cli/SecretSource.h"
#include "transfer/TextExport.h"
#include "transfer/TransferExport.h"
#include "transfer/TransferImport.h"

namespace {
// The text export shows its progress in the dialog; here there is nothing to show it in.
class NoTextExportView : public TextExportView
{
public:
    void setProgress(int) override {}
    void showProgress(bool) override {}
    void showFinished(bool) override {}
};

int exportText(CommandContext &c, const QString &path, const TextExportOptions &options,
               bool append)
{
    // The dialog asks whether to overwrite an existing file; No adds to its end.
    c.ui.setAnswer(!append);
    const auto mode = PrepareTextExportTarget(c.ui, c.state, path);
    if (!mode)
        return ExitCode::Failed;
    NoTextExportView view;
    return ExportTextFile(c.ui, c.state, c.settings, view, path, options, *mode) ? ExitCode::Done
                                                                                 : ExitCode::Failed;
}

int importFile(CommandContext &c, const QString &path)
{
    const QString master1 = c.secrets.next(QStringLiteral("Master password 1 of the export"));
    const QString master2 = c.secrets.next(QStringLiteral("Master password 2 of the export"));
    const int before = c.ui.messageCount();
    const ImportResult result = ImportCommand(c.ui, c.state, path, master1, master2, [] {});
    if (!result.closeDialog)
        return ExitCode::Failed;
    Output::out(QString::number(result.imported) + QLatin1Char('\n'));
    // An import stopped part way has said so; what it imported stays.
    return c.ui.messageCount() == before ? ExitCode::Done : ExitCode::Failed;
}
} // namespace

CommandBody PrepareExport(const Invocation &inv)
{
    const QString path = ArgumentValues::filePath(inv.arguments.constFirst());
    return [path](CommandContext &c) {
        return ExportFile(c.ui, c.state, c.settings, path) ? ExitCode::Done : ExitCode::Failed;
    };
}

CommandBody PrepareImport(const Invocation &inv)
{
    const QString path = ArgumentValues::filePath(inv.arguments.constFirst());
    return [path](CommandContext &c) { return importFile(c, path); };
}

CommandBody PrepareExportText(const Invocation &inv)
{
    const QString path = ArgumentValues::filePath(inv.arguments.constFirst());
    TextExportOptions options;
    options.description = inv.has("description");
    options.password = inv.has("password");
    options.validationRules = inv.has("validation-rules");
    options.vertical = inv.has("rows");
    options.headings = inv.has("headings");
    if (inv.has("delimiter"))
        options.delimiterText = inv.value("delimiter");
    const bool append = inv.has("append");
    return
        [path, options, append](CommandContext &c) { return exportText(c, path, options, append); };
}
