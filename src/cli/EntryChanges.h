#pragma once

#include "entries/LoginEditorInput.h"

#include <optional>

struct Invocation;

// What the entry options of a command line put into the editor's fields. Only the options given
// change a field; values go in as typed, so the editor's check judges them as it would judge
// typing.
struct EntryChanges
{
    std::optional<QString> description;
    std::optional<QString> login;
    std::optional<QString> expireDays;
    std::optional<QString> expireStart;
    std::optional<QString> minLength;
    std::optional<QString> maxLength;
    std::optional<bool> caseSensitive;
    std::optional<bool> allowSpace;
    std::optional<bool> requireMix;
    std::optional<bool> requireSpecial;
    bool generate = false;
};

// Raises UsageError for a --start that is no ISO 8601 date or date-time, and for a rule given
// both on and off.
EntryChanges EntryChangesFrom(const Invocation &inv);
void ApplyEntryChanges(const EntryChanges &changes, LoginEditorInput &input);
