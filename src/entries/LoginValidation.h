#pragma once

#include "entries/LoginEditorInput.h"
#include "entries/PasswordTraits.h"

#include <QString>
#include <optional>

class Ui;

// The editor's check on OK: reports the first failure in a message box and returns false, with
// the input adjusted as far as the check went (over-long texts cut, lengths and expiry reset to
// their defaults, the password lower-cased when case does not count). It takes no busy pointer
// of its own, so call it before the caller takes one: its messages show over the normal pointer.
bool frmloginsValidation(Ui &ui, LoginEditorInput &input, PasswordTraitSet &traits);

// "Only 64 characters can be stored for a ...", shared with the editor's typing rule.
QString FieldTooLongMessage(EditorField field);
// Why a text cannot be stored as typed: a character windows-1252 has no byte for, or a control
// character (tab, line break, ...) that would break the list and the line-based text export.
// nullopt when every character can be stored.
std::optional<QString> UnstorableTextMessage(EditorField field, const QString &text);
