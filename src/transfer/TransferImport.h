#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class Ui;
struct AppState;

// Messages of the import dialog's OK handling, word for word.
namespace ImportMessages {
inline constexpr char ValidFilename[] = "Please enter a valid filename";
inline constexpr char MasterPassword[] = "Please enter the Master password";
inline constexpr char NoMatch[] =
    "The passwords do not match the passwords used for exporting this list.";
inline constexpr char InvalidFormat[] = "Invalid File Format!\r\n\r\n"
                                        "This may also be due to your \r\n"
                                        "master passwords being different\r\n"
                                        "from the passwords used when\r\n"
                                        "the data was exported.";
// Shown when a typed master holds a character that no master password can contain; %1 is the
// box's label.
inline constexpr char MasterNotRepresentable[] =
    "%1 holds a character that a master password cannot contain.";
// Shown after the append failed part way; %1 entries of %2 were imported.
inline constexpr char Stopped[] =
    "The import was stopped after %1 of %2 entries. The entries imported before the failure "
    "stay in the list.";
} // namespace ImportMessages

// Appends the live entry records (already under the current entry key) to the store, then calls
// reloadList. A failed append is reported, ends the import and says how many entries made it;
// those stay. Returns the number of entries appended.
qsizetype ImportFile(Ui &ui, const QString &loginFile, const QByteArray &entries,
                     const std::function<void()> &reloadList);

struct ImportResult
{
    bool closeDialog = false;
    qsizetype imported = 0;
};

// The import dialog's OK: checks the boxes and the file, compares the typed masters with the
// header, re-enciphers the entries in memory and imports them. The transfer file is only read.
// Every refusal leaves the store untouched and the dialog open.
ImportResult ImportCommand(Ui &ui, const AppState &state, const QString &fileName,
                           const QString &master1, const QString &master2,
                           const std::function<void()> &reloadList);
