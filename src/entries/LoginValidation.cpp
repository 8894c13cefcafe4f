#include "entries/LoginValidation.h"

#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "entries/PasswordValidation.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

namespace {

QString fieldName(EditorField field)
{
    switch (field) {
    case EditorField::Description:
        return QStringLiteral("description");
    case EditorField::Login:
        return QStringLiteral("login");
    case EditorField::Password:
        return QStringLiteral("password");
    }
    return {};
}

// Cuts an over-long text to the field width; true when it had to.
bool cutToField(QString &text)
{
    if (text.size() <= LoginRecord::TextWidth)
        return false;
    text.truncate(LoginRecord::TextWidth);
    return true;
}

qsizetype lengthWithoutOuterSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return end - begin;
}

// Steps 1 to 6, each field followed by its character check, then the stored-length limit.
std::optional<QString> textFailure(LoginEditorInput &input)
{
    if (input.description.isEmpty())
        return QStringLiteral("Please enter a description.");
    if (cutToField(input.description))
        return FieldTooLongMessage(EditorField::Description);
    if (auto failure = UnstorableTextMessage(EditorField::Description, input.description))
        return failure;
    if (input.login.isEmpty())
        return QStringLiteral("Please enter a login or userid.");
    if (cutToField(input.login))
        return FieldTooLongMessage(EditorField::Login);
    if (auto failure = UnstorableTextMessage(EditorField::Login, input.login))
        return failure;
    if (input.password.isEmpty())
        return QStringLiteral("Please enter a password.");
    if (cutToField(input.password))
        return FieldTooLongMessage(EditorField::Password);
    if (auto failure = UnstorableTextMessage(EditorField::Password, input.password))
        return failure;
    // Two of the field's 64 characters carry the length, so a longer password would be cut.
    if (lengthWithoutOuterSpaces(input.password) > kMaxStoredPasswordLength)
        return QStringLiteral("Only 62 characters can be stored for a password, not counting "
                              "spaces at either end.");
    return std::nullopt;
}

// Each test reads the text as the previous one left it; a number out of 16 bits raises Overflow.
void resetUnlessWithin(QString &text, int low, int high, const QString &fallback)
{
    if (text.isEmpty())
        text = fallback;
    if (!Convert::IsNumeric(text))
        text = fallback;
    if (Convert::CInt(text) > high)
        text = fallback;
    if (Convert::CInt(text) < low)
        text = fallback;
}

void normaliseNumbersAndStart(LoginEditorInput &input)
{
    resetUnlessWithin(input.minLength, 1, 127, QStringLiteral("0"));
    resetUnlessWithin(input.maxLength, 1, 127, QStringLiteral("128"));
    resetUnlessWithin(input.expireDays, 0, 9999, QStringLiteral("0"));
    if (!Convert::IsDate(input.expireStart))
        input.expireStart = Convert::GeneralDate(Clock::now());
}

std::optional<QString> ruleFailure(const LoginEditorInput &input, const PasswordTraitSet &traits)
{
    if (traits.TooLong)
        return QStringLiteral("The password is too long for this validation.");
    if (!traits.MeetsMinimum)
        return QStringLiteral("The password is not long enough for this validation.");
    if (!input.allowSpace && traits.HasSpace)
        return QStringLiteral("Spaces are not allowed for this validation.");
    if (input.requireSpecial && !traits.HasSpecial)
        return QStringLiteral("Non-alphanumeric character(s) are required for this validation.");
    if (input.requireMix && !(traits.HasDigit && traits.HasLetter))
        return QStringLiteral(
            "A mix of alpha and numeric character(s) is required for this validation.");
    return std::nullopt;
}

} // namespace

QString FieldTooLongMessage(EditorField field)
{
    return QStringLiteral("Only 64 characters can be stored for a %1.").arg(fieldName(field));
}

std::optional<QString> UnstorableTextMessage(EditorField field, const QString &text)
{
    const QString name = fieldName(field);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("The %1 contains a control character (such as a tab or line "
                                  "break), which cannot be stored. Please remove it.")
                .arg(name);
        if (Ansi::representable(QString(c)))
            continue;
        if (field == EditorField::Password)
            return QStringLiteral("The password contains a character that cannot be stored. "
                                  "Please remove it.");
        char32_t code = c.unicode();
        QString shown;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text[i + 1]);
            shown = text.mid(i, 2);
        } else if (!c.isSurrogate()) {
            shown = QString(c);
        }
        const QString hex = QString::number(quint32(code), 16).toUpper().rightJustified(4, '0');
        const QString quoted =
            QChar::isPrint(code) ? QStringLiteral("\"%1\" ").arg(shown) : QString();
        return QStringLiteral("The %1 contains a character that cannot be stored: %2(U+%3). "
                              "Please remove it.")
            .arg(name, quoted, hex);
    }
    return std::nullopt;
}

bool frmloginsValidation(Ui &ui, LoginEditorInput &input, PasswordTraitSet &traits)
{
    try {
        if (const auto failure = textFailure(input)) {
            ui.message(*failure);
            return false;
        }
        if (!input.caseSensitive)
            input.password = input.password.toLower();
        normaliseNumbersAndStart(input);
        const auto password = Ansi::fromText(input.password);
        if (!password)
            raiseError(VbErr::TypeMismatch);
        if (!pwdvalidation(ui, *password, Convert::CInt(input.minLength),
                           Convert::CInt(input.maxLength), traits))
            return false;
        if (const auto failure = ruleFailure(input, traits)) {
            ui.message(*failure);
            return false;
        }
        return true;
    } catch (const VbError &e) {
        ui.message(QStringLiteral("An error has occurred in form validation ") + e.text());
        return false;
    }
}
