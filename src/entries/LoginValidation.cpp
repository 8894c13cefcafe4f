#include "entries/LoginValidation.h"

#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "entries/PasswordValidation.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Ui.h"

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

struct Refusal
{
    QString message;
    EditorControl control;
};

// Steps 1 to 6, each field followed by its character check, then the stored-length limit.
std::optional<Refusal> textFailure(LoginEditorInput &input)
{
    using C = EditorControl;
    if (input.description.isEmpty())
        return Refusal{QStringLiteral("Please enter a description."), C::Description};
    if (cutToField(input.description))
        return Refusal{FieldTooLongMessage(EditorField::Description), C::Description};
    if (auto failure = UnstorableTextMessage(EditorField::Description, input.description))
        return Refusal{*failure, C::Description};
    if (input.login.isEmpty())
        return Refusal{QStringLiteral("Please enter a login or userid."), C::Login};
    if (cutToField(input.login))
        return Refusal{FieldTooLongMessage(EditorField::Login), C::Login};
    if (auto failure = UnstorableTextMessage(EditorField::Login, input.login))
        return Refusal{*failure, C::Login};
    if (input.password.isEmpty())
        return Refusal{QStringLiteral("Please enter a password."), C::Password};
    if (cutToField(input.password))
        return Refusal{FieldTooLongMessage(EditorField::Password), C::Password};
    if (auto failure = UnstorableTextMessage(EditorField::Password, input.password))
        return Refusal{*failure, C::Password};
    // Two of the field's 64 characters carry the length, so a longer password would be cut.
    if (lengthWithoutOuterSpaces(input.password) > kMaxStoredPasswordLength)
        return Refusal{QStringLiteral("Only 62 characters can be stored for a password, not "
                                      "counting spaces at either end."),
                       C::Password};
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

void normaliseNumbers(LoginEditorInput &input)
{
    resetUnlessWithin(input.minLength, 1, 127, QStringLiteral("0"));
    resetUnlessWithin(input.maxLength, 1, 127, QStringLiteral("128"));
    resetUnlessWithin(input.expireDays, 0, 9999, QStringLiteral("0"));
}

// Each rule failure says what the password has, what the entry asks and where the rule is set.
std::optional<QString> ruleFailure(const LoginEditorInput &input, qsizetype length,
                                   const PasswordTraitSet &traits)
{
    if (traits.TooLong)
        return QStringLiteral("The password has %1 characters; this entry allows at most %2 "
                              "(Validation tab).")
            .arg(length)
            .arg(Convert::CInt(input.maxLength));
    if (!traits.MeetsMinimum)
        return QStringLiteral("The password has %1 characters; this entry needs at least %2 "
                              "(Validation tab).")
            .arg(length)
            .arg(Convert::CInt(input.minLength));
    if (!input.allowSpace && traits.HasSpace)
        return QStringLiteral("The password has a space; this entry allows none (Validation "
                              "tab, \"Allow SPACE character\").");
    if (input.requireSpecial && !traits.HasSpecial)
        return QStringLiteral("The password has no character other than letters and digits; "
                              "this entry requires one (Validation tab).");
    if (input.requireMix && !(traits.HasDigit && traits.HasLetter))
        return QStringLiteral("The password needs both letters and digits for this entry "
                              "(Validation tab).");
    return std::nullopt;
}

QString notADateMessage(const QString &text)
{
    return QStringLiteral("\"%1\" is not a date. Please type the start like %2 (Expiry tab).")
        .arg(text.simplified(), Convert::GeneralDate(Clock::now()));
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

bool validateEntryInput(Ui &ui, LoginEditorInput &input, PasswordTraitSet &traits,
                        EditorControl *refusedAt)
{
    auto refuse = [&](const QString &message, EditorControl control) {
        if (!message.isEmpty())
            ui.message(message);
        if (refusedAt)
            *refusedAt = control;
        return false;
    };
    if (refusedAt)
        *refusedAt = EditorControl::None;
    try {
        if (const auto failure = textFailure(input))
            return refuse(failure->message, failure->control);
        if (!input.caseSensitive && input.password != input.password.toLower()) {
            if (!ui.askDefaultNo(QString::fromLatin1(kLowerCaseQuestion)))
                return refuse({}, EditorControl::CaseSensitive);
            input.password = input.password.toLower();
        }
        normaliseNumbers(input);
        if (!Convert::IsDate(input.expireStart))
            return refuse(notADateMessage(input.expireStart), EditorControl::ExpireStart);
        const auto password = Ansi::fromText(input.password);
        if (!password)
            raiseError(ErrorNumber::TypeMismatch);
        if (!pwdvalidation(ui, *password, Convert::CInt(input.minLength),
                           Convert::CInt(input.maxLength), traits))
            return false;
        if (const auto failure = ruleFailure(input, password->size(), traits))
            return refuse(*failure, EditorControl::Password);
        return true;
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred in form validation ") + e.text());
        return false;
    }
}
