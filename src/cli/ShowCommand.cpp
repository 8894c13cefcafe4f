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
    QByteArray json;
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
        {"id", QString::number(id), QByteArray::number(id)},
        {"description", input.description, Json::string(input.description)},
        {"login", input.login, Json::string(input.login)},
        {"password", password, Json::string(password)},
        {"expire-days", input.expireDays, input.expireDays.toUtf8()},
        {"start", input.expireStart, Json::dateTime(start.date(), start.time())},
        {"next-change", nextChange, Json::dateTime(nextMoment.date(), nextMoment.time())},
        flagField("case-sensitive", record.CaseSensitive),
        flagField("allow-space", record.AllowSpace),
        flagField("require-mix", record.RequireMix),
        flagField("require-special", record.RequireSpecial),
        {"min-length", input.minLength, input.minLength.toUtf8()},
        {"max-length", input.maxLength, input.maxLength.toUtf8()},
    };
}

QString asText(const QList<Field> &fields)
{
    QString out;
    for (const Field &f : fields)
        out += QLatin1String(f.key) + QStringLiteral(": ") + f.text + QLatin1Char('\n');
    return out;
}

QByteArray asJson(const QList<Field> &fields)
{
    QByteArray out = "{";
    for (qsizetype i = 0; i < fields.size(); ++i) {
        out += i == 0 ? "\n  \"" : ",\n  \"";
        out += fields[i].key;
        out += "\": " + fields[i].json;
    }
    return out + "\n}\n";
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
    if (request.json)
        Output::outBytes(asJson(fields));
    else
        Output::out(asText(fields));
    return ExitCode::Done;
}
} // namespace

CommandBody PrepareShow(const Invocation &inv)
{
    const ShowRequest request{ArgumentValues::entryId(inv, inv.arguments.constFirst()),
                              inv.has("show-password"), inv.has("json")};
    return [request](CommandContext &c) { return show(c, request); };
}
