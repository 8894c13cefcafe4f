#pragma once

#include <QString>

// The classic run-time errors that the program's messages quote by number and description.
struct ClassicError
{
    int number = 0;
    QString description;

    static ClassicError of(int number);
    // "<number> <description>", the tail every failure message ends with.
    QString text() const { return QString::number(number) + QLatin1Char(' ') + description; }
};

namespace ErrorNumber {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int DeviceIoError = 57;
inline constexpr int BadRecordLength = 59;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int BadRecordNumber = 63;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
} // namespace ErrorNumber

[[noreturn]] void raiseError(int number);
[[noreturn]] void raiseError(int number, const QString &description);
