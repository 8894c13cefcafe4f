#include "app/AppState.h"
#include "cli/ArgumentValues.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/EntryLookup.h"
#include "cli/ExitCode.h"
#include "cli/Json.h"
#include "cli/Output.h"
#include "entries/EditorLogic.h"
#include "platform/Convert.h"

#include <QList>

namespace {
constexpr char kProtected[] = "PROTECTED";

struct ShowRequest
{
    qint16 id = 0;
    bool showPassword = false;
    bool json = false;
};

// One line of the output: the key, the value as text and as JSON.
struct Field
{
    const char *key;
    QString text;
    QString json;
};

Field flagField(const char *key, bool value)
{
    return {key, Convert::BoolText(value), Json::boolean(value)};
}

// The entry as the editor opens it, in output order.
QList<Field> fieldsOf(qint16 id, const LoginRecord &record, const LoginEditorInput &input,
                      bool showPassword)
{
    const QString password = showPassword ? input.password : QString::fromLatin1(kProtected);
    const QDateTime start = Convert::FromOleDate(record.ExpireStart);
    const QString nextChange =
        NextChangeText(input.expireStart, input.expireDays, NextChangeRule::OnLoad)
            .value_or(QString());
    const QDateTime nextMoment =
        record.ExpireDays <= 0 ? QDateTime() : start.addDays(record.ExpireDays);
    return {
        {"id", QString::number(id), QString::number(id)},
        {"description", input.description, Json::string(input.description)},
        {"login", input.login, Json::string(input.login)},
        {"password", password, Json::string(password)},
        {"expire-days", input.expireDays, input.expireDays},
        {"start", input.expireStart, Json::dateTime(start)},
        {"next-change", nextChange, Json::dateTime(nextMoment)},
        flagField("case-sensitive", record.CaseSensitive),
        flagField("allow-space", record.AllowSpace),
        flagField("require-mix", record.RequireMix),
        flagField("require-special", record.RequireSpecial),
        {"min-length", input.minLength, input.minLength},
        {"max-length", input.maxLength, input.maxLength},
    };
}

QString asText(const QList<Field> &fields)
{
    QString out;
    for (const Field &f : fields)
        out += QLatin1String(f.key) + QStringLiteral(": ") + f.text + QLatin1Char('\n');
    return out;
}

QString asJson(const QList<Field> &fields)
{
    QString out = QStringLiteral("{");
    for (qsizetype i = 0; i < fields.size(); ++i) {
        out += i == 0 ? QStringLiteral("\n  ") : QStringLiteral(",\n  ");
        out += Json::string(QLatin1String(fields[i].key)) + QStringLiteral(": ") + fields[i].json;
    }
    return out + QStringLiteral("\n}\n");
}

int show(CommandContext &c, const ShowRequest &request)
{
    const auto record = FindLiveEntry(c, request.id);
    if (!record)
        return ExitCode::Failed;
    const auto input = InputFromRecord(*record, c.state.entryKey());
    if (!input) {
        c.ui.message(QString::fromLatin1(kReadItemFailedMessage));
        return ExitCode::Failed;
    }
    const QList<Field> fields = fieldsOf(request.id, *record, *input, request.showPassword);
    Output::out(request.json ? asJson(fields) : asText(fields));
    return ExitCode::Done;
}
} // namespace

CommandBody PrepareShow(const Invocation &inv)
{
    const ShowRequest request{ArgumentValues::entryId(inv, inv.arguments.constFirst()),
                              inv.has("show-password"), inv.has("json")};
    return [request](CommandContext &c) { return show(c, request); };
}
