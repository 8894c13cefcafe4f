#pragma once

#include <QString>
#include <QtGlobal>

struct Invocation;

// Values of arguments and options, checked before the command runs; each raises UsageError.
namespace ArgumentValues {
// A LoginID: a whole number a 16-bit entry id can hold.
qint16 entryId(const Invocation &inv, const QString &text);
// A whole number of seconds from 0 up.
int seconds(const Invocation &inv, const char *option, int fallback);
// A file argument as an absolute path, so it means the same whatever folder the run is in.
QString filePath(const QString &text);
} // namespace ArgumentValues
