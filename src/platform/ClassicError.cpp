#include "platform/ClassicError.h"

ClassicError ClassicError::of(int number)
{
    const char *d = "Application-defined or object-defined error";
    switch (number) {
    case ErrorNumber::InvalidCall:
        d = "Invalid procedure call or argument";
        break;
    case ErrorNumber::Overflow:
        d = "Overflow";
        break;
    case ErrorNumber::OutOfMemory:
        d = "Out of memory";
        break;
    case ErrorNumber::DivisionByZero:
        d = "Division by zero";
        break;
    case ErrorNumber::TypeMismatch:
        d = "Type mismatch";
        break;
    case ErrorNumber::BadFileNameOrNumber:
        d = "Bad file name or number";
        break;
    case ErrorNumber::FileNotFound:
        d = "File not found";
        break;
    case ErrorNumber::BadFileMode:
        d = "Bad file mode";
        break;
    case ErrorNumber::DeviceIoError:
        d = "Device I/O error";
        break;
    case ErrorNumber::BadRecordLength:
        d = "Bad record length";
        break;
    case ErrorNumber::DiskFull:
        d = "Disk full";
        break;
    case ErrorNumber::InputPastEndOfFile:
        d = "Input past end of file";
        break;
    case ErrorNumber::BadRecordNumber:
        d = "Bad record number";
        break;
    case ErrorNumber::PermissionDenied:
        d = "Permission denied";
        break;
    case ErrorNumber::PathFileAccessError:
        d = "Path/File access error";
        break;
    case ErrorNumber::PathNotFound:
        d = "Path not found";
        break;
    default:
        break;
    }
    return ClassicError{number, QString::fromLatin1(d)};
}

void raiseError(int number)
{
    throw ClassicError::of(number);
}

void raiseError(int number, const QString &description)
{
    throw ClassicError{number, description};
}
