#include "entries/PasswordValidation.h"

#include "platform/ClassicError.h"
#include "platform/Ui.h"

namespace {
void classify(unsigned char c, PasswordTraitSet &traits)
{
    if (c >= '0' && c <= '9')
        traits.HasDigit = true;
    else if (c >= 'A' && c <= 'Z')
        traits.HasUpper = true;
    else if (c >= 'a' && c <= 'z')
        traits.HasLower = true;
    else
        traits.HasSpecial = true; // 0-47, 58-64, 91-96 and 123-255, the space included
    if (c == ' ')
        traits.HasSpace = true;
}
} // namespace

bool pwdvalidation(Ui &ui, const QByteArray &password, qint16 min, qint16 max,
                   PasswordTraitSet &traits)
{
    try {
        const BusyPointer busy(ui);
        traits = PasswordTraitSet{};
        traits.MeetsMinimum = password.size() >= min;
        traits.TooLong = password.size() > max;
        for (const char ch : password)
            classify(static_cast<unsigned char>(ch), traits);
        traits.HasLetter = traits.HasUpper || traits.HasLower;
        return true;
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred in pwdvalidation ") + e.text());
        return false;
    }
}
