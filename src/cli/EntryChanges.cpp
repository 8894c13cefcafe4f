#include "cli/EntryChanges.h"

#include "cli/CommandLine.h"
#include "platform/Convert.h"

#include <QDateTime>

namespace {
std::optional<QString> valueOf(const Invocation &inv, const char *option)
{
    if (!inv.has(option))
        return std::nullopt;
    return inv.value(option);
}

UsageError usage(const Invocation &inv, const QString &message)
{
    return UsageError{message, QString::fromLatin1(inv.command->name)};
}

std::optional<bool> ruleOf(const Invocation &inv, const char *rule)
{
    const QString on = QLatin1String(rule);
    const QString off = QStringLiteral("no-") + on;
    const bool turnOn = inv.options.contains(on);
    const bool turnOff = inv.options.contains(off);
    if (turnOn && turnOff)
        throw usage(inv, QStringLiteral("--%1 and --%2 contradict each other").arg(on, off));
    if (!turnOn && !turnOff)
        return std::nullopt;
    return turnOn;
}

// The start as the editor's box shows a moment: the general date text.
QString startText(const Invocation &inv, const QString &iso)
{
    QDateTime when = QDateTime::fromString(iso, Qt::ISODate);
    if (!when.isValid()) {
        const QDate day = QDate::fromString(iso, Qt::ISODate);
        if (day.isValid())
            when = QDateTime(day, QTime(0, 0));
    }
    if (!when.isValid())
        throw usage(inv, QStringLiteral("--start takes an ISO 8601 date or date-time, such as "
                                        "2024-03-01 or 2024-03-01T09:30:00"));
    return Convert::GeneralDate(when.toLocalTime());
}
} // namespace

EntryChanges EntryChangesFrom(const Invocation &inv)
{
    EntryChanges changes;
    changes.description = valueOf(inv, "description");
    changes.login = valueOf(inv, "login");
    changes.expireDays = valueOf(inv, "expire-days");
    if (inv.has("start"))
        changes.expireStart = startText(inv, inv.value("start"));
    changes.minLength = valueOf(inv, "min-length");
    changes.maxLength = valueOf(inv, "max-length");
    changes.caseSensitive = ruleOf(inv, "case-sensitive");
    changes.allowSpace = ruleOf(inv, "allow-space");
    changes.requireMix = ruleOf(inv, "require-mix");
    changes.requireSpecial = ruleOf(inv, "require-special");
    changes.generate = inv.has("generate");
    return changes;
}

void ApplyEntryChanges(const EntryChanges &changes, LoginEditorInput &input)
{
    input.description = changes.description.value_or(input.description);
    input.login = changes.login.value_or(input.login);
    input.expireDays = changes.expireDays.value_or(input.expireDays);
    input.expireStart = changes.expireStart.value_or(input.expireStart);
    input.minLength = changes.minLength.value_or(input.minLength);
    input.maxLength = changes.maxLength.value_or(input.maxLength);
    input.caseSensitive = changes.caseSensitive.value_or(input.caseSensitive);
    input.allowSpace = changes.allowSpace.value_or(input.allowSpace);
    input.requireMix = changes.requireMix.value_or(input.requireMix);
    input.requireSpecial = changes.requireSpecial.value_or(input.requireSpecial);
}
