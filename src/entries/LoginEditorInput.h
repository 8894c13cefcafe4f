#pragma once

#include <QString>

// What the entry editor's controls hold, as the user left them. The check on OK adjusts it in
// place, and the record is built from what the check left.
struct LoginEditorInput
{
    QString description;
    QString login;
    QString password;
    bool caseSensitive = false;
    bool requireMix = false;
    bool requireSpecial = false;
    bool allowSpace = false;
    QString minLength;
    QString maxLength;
    QString expireDays;
    QString expireStart;

    bool operator==(const LoginEditorInput &) const = default;
};

// The editor's three text fields, for the messages that name them.
enum class EditorField { Description, Login, Password };
