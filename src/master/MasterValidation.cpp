#include "master/MasterValidation.h"

#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Ui.h"

namespace {
constexpr int kMinLength = 8;

bool storable(Ui &ui, const QString &master, int which)
{
    if (Ansi::representable(master))
        return true;
    ui.message(UnstorableMasterMessage(which));
    return false;
}

bool longEnough(const QString &master)
{
    return master.size() >= kMinLength;
}
} // namespace

QString UnstorableMasterMessage(int which)
{
    return QStringLiteral("Master %1 contains a character that cannot be stored. Please use only "
                          "Western European letters, digits and symbols.")
        .arg(which);
}

bool Validation(Ui &ui, const QString &master1, const QString &master2)
{
    BusyPointer busy(ui);
    try {
        if (!storable(ui, master1, 1) || !storable(ui, master2, 2))
            return false;
        if (!longEnough(master1) || !longEnough(master2))
            return false;
        return master1 != master2;
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("An error has occurred in frmOptions_Validation ") + e.text());
        return false;
    }
}
