#pragma once

#include "entries/LoginEditorInput.h"

#include <QString>
#include <optional>

class Ui;

// A password made by the editor's Create button for input's rules and lengths, drawn again until
// the editor's check on OK accepts it. nullopt after a message when the lengths are no numbers
// or no draw passes the check (the message then says why the last one failed).
std::optional<QString> MakeAcceptedPassword(Ui &ui, const LoginEditorInput &input);
