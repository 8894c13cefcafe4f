#include "cli/PasswordMaking.h"

#include "entries/EditorLogic.h"
#include "entries/LoginValidation.h"
#include "platform/Ui.h"

namespace {
// Enough draws that rules any password can meet are met all but surely.
constexpr int kDraws = 10000;

// The draws that fail are not the user's concern; only the last one's reason is shown.
class QuietUi : public Ui
{
public:
    void message(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return false; }
    QString prompt(const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &,
                         const QString &) override
    {
        return {};
    }
    void pushBusy() override {}
    void popBusy() override {}
};
} // namespace

std::optional<QString> MakeAcceptedPassword(Ui &ui, const LoginEditorInput &input)
{
    QuietUi quiet;
    LoginEditorInput candidate = input;
    for (int draw = 0; draw < kDraws; ++draw) {
        const auto created = CreatePasswordText(quiet, input);
        if (!created)
            return CreatePasswordText(ui, input);
        candidate = input;
        candidate.password = *created;
        LoginEditorInput checked = candidate;
        PasswordTraitSet traits;
        if (validateEntryInput(quiet, checked, traits))
            return checked.password;
    }
    PasswordTraitSet traits;
    validateEntryInput(ui, candidate, traits);
    return std::nullopt;
}
