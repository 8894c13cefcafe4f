#pragma once

#include "entries/LoginEditorInput.h"
#include "entries/PasswordTraits.h"

#include <QString>
#include <optional>

class Ui;

// The control where a refused input can be put right, for the editor to show.
enum class EditorControl { None, Description, Login, Password, CaseSensitive, ExpireStart };

// Asked when the password has capitals but "Case Sensitive" is off; Yes stores it lower-cased.
inline constexpr char kLowerCaseQuestion[] =
    "\"Case Sensitive\" is off on the Validation tab, so this password would be stored in "
    "lower case, not as you typed it, and a site that counts letter case would refuse it.\r\n\r\n"
    "Store it in lower case? Choose No to go back and tick \"Case Sensitive\".";

// The editor's check on OK: reports the first failure in a message box and returns false, with
// the input adjusted as far as the check went (over-long texts cut, lengths and expiry days
// reset to their defaults, the password lower-cased when case does not count and the user
// agreed) and refusedAt naming where to put it right. A password is never changed without
// asking, and a start that is no date is refused, not replaced. It takes no busy pointer of its
// own, so call it before the caller takes one: its messages show over the normal pointer.
bool validateEntryInput(Ui &ui, LoginEditorInput &input, PasswordTraitSet &traits,
                        EditorControl *refusedAt = nullptr);

// "Only 64 characters can be stored for a ...", shared with the editor's typing rule.
QString FieldTooLongMessage(EditorField field);
// Why a text cannot be stored as typed: a character windows-1252 has no byte for, or a control
// character (tab, line break, ...) that would break the list and the line-based text export.
// nullopt when every character can be stored.
std::optional<QString> UnstorableTextMessage(EditorField field, const QString &text);
