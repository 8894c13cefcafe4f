#pragma once

#include "entries/LoginEditorInput.h"
#include "entries/LoginRecord.h"

#include <QByteArray>
#include <QString>
#include <optional>

class Ui;

// Shown by Edit when the entry cannot be read into the editor.
inline constexpr char kReadItemFailedMessage[] = "An error occurred reading this item. ";

// The editor's contents for a new entry: no texts, days "0", starting now, lengths 6 to 15.
LoginEditorInput NewEntryInput();

// The record OK stores, built from input that passed validateEntryInput: texts as typed,
// the password encoded under the entry key. LoginID is left 0; an update sets it. On a failed
// conversion shows "An error has occurred in frmLoginsOK " and the error, and returns nullopt.
std::optional<LoginRecord> BuildLoginRecord(Ui &ui, const LoginEditorInput &validated,
                                            const QByteArray &entryKey);

// The editor's contents for a stored entry: texts trimmed, the password decoded. nullopt when
// the record is the all-zero one or its password field does not decode under the key (the
// caller shows kReadItemFailedMessage).
std::optional<LoginEditorInput> InputFromRecord(const LoginRecord &record,
                                                const QByteArray &entryKey);

// The next-change label. Opening an entry shows "Never" for any days <= 0; typing in the days
// box shows it only for exactly 0. Otherwise the general date text of start + days. nullopt
// when the start is no date or the days are no 16-bit number: the label keeps its text.
enum class NextChangeRule { OnLoad, WhileTyping };
std::optional<QString> NextChangeText(const QString &startText, const QString &daysText,
                                      NextChangeRule rule);

// The typing rule of the three text fields: beyond 64 characters, shows the field's message and
// cuts the text to 64. True when it cut.
bool CutTypedText(Ui &ui, EditorField field, QString &text);

// Create: a password by the rules and lengths the editor holds as they stand (not normalised),
// never longer than the 62 characters a password field stores, with the typing rule applied.
// nullopt, after a message, when a length is no 16-bit number.
std::optional<QString> CreatePasswordText(Ui &ui, const LoginEditorInput &input);
