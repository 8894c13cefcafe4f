#include "app/AppState.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/EntryListing.h"
#include "cli/ExitCode.h"
#include "cli/Json.h"
#include "cli/Output.h"
#include "platform/Convert.h"
#include "platform/VbError.h"

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

// The moment the password should be changed; invalid for one that never expires.
QDateTime expiryMoment(const ListedEntry &entry)
{
    if (entry.expireDays == 0)
        return {};
    const auto [date, time] = Convert::OleDateParts(entry.expireStart);
    if (!date.isValid())
        return {};
    return QDateTime(date.addDays(entry.expireDays), time);
}

QString textLines(const QList<ListedEntry> &entries)
{
    QString out;
    out.reserve(entries.size() * 64);
    const QChar tab = QLatin1Char('\t');
    for (const ListedEntry &e : entries) {
        out += e.idText + tab + WithoutTrailingBlanks(e.description) + tab +
               WithoutTrailingBlanks(e.login) + tab + WithoutTrailingBlanks(e.expiry) +
               QLatin1Char('\n');
    }
    return out;
}

QString jsonArray(const QList<ListedEntry> &entries)
{
    QString out = QStringLiteral("[");
    out.reserve(entries.size() * 128);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const ListedEntry &e = entries[i];
        out += i == 0 ? QStringLiteral("\n  {") : QStringLiteral(",\n  {");
        out += QStringLiteral("\"id\": ") + e.idText;
        out += QStringLiteral(", \"description\": ") +
               Json::string(WithoutTrailingBlanks(e.description));
        out += QStringLiteral(", \"login\": ") + Json::string(WithoutTrailingBlanks(e.login));
        out += QStringLiteral(", \"expires\": ") + Json::dateTime(expiryMoment(e));
        out += QLatin1Char('}');
    }
    out += entries.isEmpty() ? QStringLiteral("]\n") : QStringLiteral("\n]\n");
    return out;
}

int runListing(CommandContext &c, const ListRequest &request)
{
    try {
        QList<ListedEntry> entries = ReadLiveEntries(c.state.LoginFile);
        ListOrder order = ListOrderFromSettings(c.settings);
        if (request.sort)
            order = ListOrder{*request.sort, false};
        if (request.reverse)
            order.descending = !order.descending;
        if (request.wanted) {
            const QString &wanted = *request.wanted;
            entries.removeIf([&wanted](const ListedEntry &e) {
                return !WithoutTrailingBlanks(e.description)
                            .contains(wanted, Qt::CaseInsensitive) &&
                       !WithoutTrailingBlanks(e.login).contains(wanted, Qt::CaseInsensitive);
            });
        }
        SortEntries(entries, order);
        Output::out(request.json ? jsonArray(entries) : textLines(entries));
        return ExitCode::Done;
    } catch (const VbError &e) {
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
