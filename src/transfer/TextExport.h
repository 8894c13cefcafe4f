#pragma once

#include "transfer/TextExportFormat.h"

#include <QString>
#include <optional>

class Settings;
class Ui;
struct AppState;

// What the export dialog shows while an export runs.
class TextExportView
{
public:
    virtual ~TextExportView() = default;
    // 0 to 100.
    virtual void setProgress(int percent) = 0;
    virtual void showProgress(bool visible) = 0;
    virtual void showFinished(bool visible) = 0;
};

// How the output file is opened: added to at its end (created when missing), or replaced whole
// once the export is complete.
enum class TextExportMode { Append, Replace };

namespace TextExportMessages {
inline constexpr char NoPath[] =
    "Please enter a valid path and filename, or press the browse button to locate a file.";
inline constexpr char Overwrite[] = "File exists. Do you wish to overwrite?";
inline constexpr char DelimiterNotWritable[] =
    "The delimiter holds a character that cannot be written to the text file.";
// %1 passwords could not be read under the current master passwords.
inline constexpr char PasswordsUnreadable[] =
    "%1 password(s) could not be read with the current master passwords and were left empty.";
// %1 is the path chosen.
inline constexpr char OwnFile[] = "%1 is one of Pellora's own files, which an export never writes. "
                                  "Please choose another file.";
} // namespace TextExportMessages

// The dialog's Export before the export runs: an empty path and one of the program's own files are
// refused with a message (nullopt); for an existing file the user chooses to overwrite it
// (Replace) or to add to its end (Append).
std::optional<TextExportMode> PrepareTextExportTarget(Ui &ui, const AppState &state,
                                                      const QString &path);

// Writes every live entry as text (windows-1252, CR LF line ends) in the chosen format. A new
// file is private to the user; one of the program's own files is refused and left unchanged.
// Reports failures through ui; lines written before a failure stay when appending, and a replaced
// file stays as it was. Returns true when the export completed.
bool ExportTextFile(Ui &ui, const AppState &state, const Settings &settings, TextExportView &view,
                    const QString &path, const TextExportOptions &options,
                    TextExportMode mode = TextExportMode::Append);
