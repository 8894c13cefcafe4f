#pragma once

#include <QString>

class QFileDevice;
class Ui;
struct ClassicError;

// Both exports share their failure messages. A 75 on the output file first tells the user the
// name is not valid; a 52 passes without a message; anything else names ExportFile. Failures of
// the store are never blamed on the name the user typed.
void ReportExportFailure(Ui &ui, const ClassicError &error, bool atOutputFile);

// Raises 52 for an empty name, 75 for anything but a regular file, 76 when the folder to write in
// is missing or is not a folder.
void CheckExportTarget(const QString &path);
// Raises the classic error for an output file that could not be opened or written.
[[noreturn]] void RaiseExportTargetError(const QFileDevice &file);

// The note in the data folder that names an export's temporary file while it exists.
QString ExportNotePath(const QString &dataFolder);
