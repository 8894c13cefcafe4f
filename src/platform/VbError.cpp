#include "platform/VbError.h"

VbError VbError::of(int number)
{
    const char *d = "Application-defined or object-defined error";
    switch (number) {
    case VbErr::InvalidCall:
        d = "Invalid procedure call or argument";
        break;
    case VbErr::Overflow:
        d = "Overflow";
        break;
    case VbErr::OutOfMemory:
        d = "Out of memory";
        break;
    case VbErr::DivisionByZero:
        d = "Division by zero";
        break;
    case VbErr::TypeMismatch:
        d = "Type mismatch";
        break;
    case VbErr::BadFileNameOrNumber:
        d = "Bad file name or number";
        break;
    case VbErr::FileNotFound:
        d = "File not found";
        break;
    case VbErr::BadFileMode:
        d = "Bad file mode";
        break;
    case VbErr::DeviceIoError:
        d = "Device I/O error";
        break;
    case VbErr::BadRecordLength:
        d = "Bad record length";
        break;
    case VbErr::DiskFull:
        d = "Disk full";
        break;
    case VbErr::InputPastEndOfFile:
        d = "Input past end of file";
        break;
    case VbErr::BadRecordNumber:
        d = "Bad record number";
        break;
    case VbErr::PermissionDenied:
        d = "Permission denied";
        break;
    case VbErr::PathFileAccessError:
        d = "Path/File access error";
        break;
    case VbErr::PathNotFound:
        d = "Path not found";
        break;
    default:
        break;
    }
    return VbError{number, QString::fromLatin1(d)};
}

void raiseError(int number)
{
    throw VbError::of(number);
}

void raiseError(int number, const QString &description)
{
    throw VbError{number, description};
}
