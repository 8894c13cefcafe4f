#include "entries/EditorLogic.h"

#include "entries/LoginValidation.h"
#include "entries/PasswordField.h"
#include "entries/PasswordGenerator.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Ui.h"

namespace {

QByteArray storableText(const QString &text)
{
    const auto bytes = Ansi::fromText(text);
    if (!bytes)
        raiseError(ErrorNumber::TypeMismatch);
    return *bytes;
}

std::optional<qint16> sixteenBits(const QString &text)
{
    try {
        return Convert::CInt(text);
    } catch (const ClassicError &) {
        return std::nullopt;
    }
}

} // namespace

LoginEditorInput NewEntryInput()
{
    LoginEditorInput input;
    input.expireDays = QStringLiteral("0");
    input.expireStart = Convert::GeneralDate(Clock::now());
    input.minLength = QStringLiteral("6");
    input.maxLength = QStringLiteral("15");
    return input;
}

std::optional<LoginRecord> BuildLoginRecord(Ui &ui, const LoginEditorInput &validated,
                                            const QByteArray &entryKey)
{
    try {
        LoginRecord r;
        r.Description = FitText(storableText(validated.description));
        r.Login = FitText(storableText(validated.login));
        const auto field = EncodePasswordField(storableText(validated.password), entryKey);
        if (!field)
            raiseError(ErrorNumber::Overflow);
        r.Password = *field;
        r.Deleted = false;
        r.ExpireDays = Convert::CInt(validated.expireDays);
        const auto start = Convert::CDate(validated.expireStart);
        if (!start)
            raiseError(ErrorNumber::TypeMismatch);
        r.ExpireStart = Convert::ToOleDate(*start);
        r.CaseSensitive = validated.caseSensitive;
        r.AllowSpace = validated.allowSpace;
        r.RequireMix = validated.requireMix;
        r.RequireSpecial = validated.requireSpecial;
        r.MinLength = Convert::CInt(validated.minLength);
        r.MaxLength = Convert::CInt(validated.maxLength);
        return r;
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred in frmLoginsOK ") + e.text());
        return std::nullopt;
    }
}

std::optional<LoginEditorInput> InputFromRecord(const LoginRecord &record,
                                                const QByteArray &entryKey)
{
    if (record.isZero())
        return std::nullopt;
    const auto password = DecodePasswordField(record.Password, entryKey);
    if (!password)
        return std::nullopt;
    LoginEditorInput input;
    input.description = Ansi::toText(TrimSpaces(record.Description));
    input.login = Ansi::toText(TrimSpaces(record.Login));
    input.password = Ansi::toText(*password);
    input.expireDays = QString::number(record.ExpireDays);
    input.expireStart = Convert::GeneralDate(Convert::FromOleDate(record.ExpireStart));
    input.caseSensitive = record.CaseSensitive;
    input.allowSpace = record.AllowSpace;
    input.requireMix = record.RequireMix;
    input.requireSpecial = record.RequireSpecial;
    input.minLength = QString::number(record.MinLength);
    input.maxLength = QString::number(record.MaxLength);
    return input;
}

std::optional<QString> NextChangeText(const QString &startText, const QString &daysText,
                                      NextChangeRule rule)
{
    const auto start = Convert::CDate(startText);
    const auto days = sixteenBits(daysText);
    if (!start || !days)
        return std::nullopt;
    const bool never = rule == NextChangeRule::OnLoad ? *days <= 0 : *days == 0;
    if (never)
        return QStringLiteral("Never");
    return Convert::GeneralDate(start->addDays(*days));
}

bool CutTypedText(Ui &ui, EditorField field, QString &text)
{
    if (text.size() <= LoginRecord::TextWidth)
        return false;
    ui.message(FieldTooLongMessage(field));
    text.truncate(LoginRecord::TextWidth);
    return true;
}

std::optional<QString> CreatePasswordText(Ui &ui, const LoginEditorInput &input)
{
    const auto min = sixteenBits(input.minLength);
    const auto max = sixteenBits(input.maxLength);
    if (!min || !max) {
        ui.message(QStringLiteral("Please enter the minimum and maximum length on the Validation "
                                  "tab as numbers before creating a password."));
        return std::nullopt;
    }
    // Never more than the field stores whole, so OK does not refuse what Create made.
    const auto limit = qint16(kMaxStoredPasswordLength);
    QString text =
        Ansi::toText(GeneratePassword(input.caseSensitive, input.requireMix, input.requireSpecial,
                                      qMin(*min, limit), qMin(*max, limit)));
    CutTypedText(ui, EditorField::Password, text);
    return text;
}
