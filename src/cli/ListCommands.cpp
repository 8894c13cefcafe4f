#include "app/AppState.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/EntryListing.h"
#include "cli/ExitCode.h"
#include "cli/ListOutput.h"
#include "entries/LoginRecord.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"

#include <optional>

namespace {
struct ListRequest
{
    std::optional<ListColumn> sort;
    bool reverse = false;
    bool json = false;
    std::optional<QString> wanted;
};

ListRequest listRequest(const Invocation &inv)
{
    ListRequest request;
    request.reverse = inv.has("reverse");
    request.json = inv.has("json");
    if (inv.has("sort")) {
        const QString column = inv.value("sort");
        if (column == QLatin1String("id"))
            request.sort = ListColumn::Id;
        else if (column == QLatin1String("description"))
            request.sort = ListColumn::Description;
        else if (column == QLatin1String("login"))
            request.sort = ListColumn::Login;
        else if (column == QLatin1String("expiry"))
            request.sort = ListColumn::Expiry;
        else
            throw UsageError{QStringLiteral("--sort takes id, description, login or expiry"),
                             QString::fromLatin1(inv.command->name)};
    }
    return request;
}

// Searched as shown: the pad blanks at the end are no part of the text.
bool matches(const char *record, const QString &wanted)
{
    for (const int offset : {RecordOffset::Description, RecordOffset::Login}) {
        qsizetype end = LoginRecord::TextWidth;
        while (end > 0 && record[offset + end - 1] == ' ')
            --end;
        if (Ansi::toText(QByteArray(record + offset, end)).contains(wanted, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

int runListing(CommandContext &c, const ListRequest &request)
{
    try {
        EntryListing listing(c.state.LoginFile);
        ListOrder order = ListOrderFromSettings(c.settings);
        if (request.sort)
            order = ListOrder{*request.sort, false};
        if (request.reverse)
            order.descending = !order.descending;
        if (request.wanted) {
            const QString &wanted = *request.wanted;
            listing.keepOnly([&wanted](const char *record) { return matches(record, wanted); });
        }
        listing.sort(order);
        if (request.json)
            WriteListJson(listing.rows());
        else
            WriteListLines(listing.rows());
        return ExitCode::Done;
    } catch (const ClassicError &e) {
        c.ui.message(QStringLiteral("An error has occurred in frmMain_LoadList ") + e.text());
        return ExitCode::Failed;
    }
}
} // namespace

CommandBody PrepareList(const Invocation &inv)
{
    const ListRequest request = listRequest(inv);
    return [request](CommandContext &c) { return runListing(c, request); };
}

CommandBody PrepareSearch(const Invocation &inv)
{
    ListRequest request = listRequest(inv);
    request.wanted = inv.arguments.constFirst();
    return [request](CommandContext &c) { return runListing(c, request); };
}
