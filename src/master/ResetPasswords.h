#pragma once

#include <QString>

class Settings;

inline constexpr char kResetPasswordsQuestion[] =
    "This will clear the current master passwords.\r\n\r\n"
    "ALL passwords that you have saved will be lost, \r\n\r\n"
    "Pellora will now close, and the next time\r\n"
    "Pellora starts, you will need to re-enter ALL passwords\r\n\r\n"
    "Continue?";

// Forgets the masters and deletes the store and the log, each step going ahead whatever the
// others did. Only "Master1" is cleared: the marker alone makes the next start a first run.
void ResetPasswords(Settings &settings, const QString &loginFile, const QString &logFile);
