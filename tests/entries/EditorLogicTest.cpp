#include "entries/EditorLogic.h"
#include "FakeUi.h"
#include "FixedTime.h"
#include "entries/LoginValidation.h"
#include "entries/PasswordField.h"
#include "platform/Convert.h"

#include <gtest/gtest.h>

const QByteArray kEntryKey("the entry key");

class EditorLogicTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::tie(input.description, input.login, input.password) =
            std::tuple("Bank", "jsmith", "abcdef");
    }

    FixedTime time;
    FakeUi ui;
    LoginEditorInput input = NewEntryInput();
};

// Input that skipped the check is refused with a message, not stored half-converted.
TEST_F(EditorLogicTest, RecordsHoldTheCheckedNumbersAndTextsAsTyped)
{
    // A two-digit year is this century's; yes, store the password in lower case.
    std::tie(input.description, input.password) = std::tuple("  Caf\u00e9 \u20ac ", " UPPER case ");
    std::tie(input.minLength, input.maxLength, input.expireDays, input.expireStart) =
        std::tuple("6.5", "200", " 30 ", "3/1/24 10:00");
    input.allowSpace = true;
    ui.answers << true;
    PasswordTraitSet traits;
    ASSERT_TRUE(validateEntryInput(ui, input, traits));
    const auto r = BuildLoginRecord(ui, input, kEntryKey);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Description, FitText("  Caf\xe9 \x80 "));
    EXPECT_EQ(DecodePasswordField(r->Password, kEntryKey), std::optional<QByteArray>("upper case"));
    EXPECT_TRUE(r->AllowSpace);
    EXPECT_EQ(QList<qint16>({r->MinLength, r->MaxLength, r->ExpireDays}),
              QList<qint16>({6, 128, 30}));
    EXPECT_EQ(r->ExpireStart, Convert::ToOleDate(FixedTime::Now));

    LoginRecord padded = *r;
    padded.Description = FitText("   padded desc");
    padded.Login = FitText(" \xe9t\xe9");
    const auto back = InputFromRecord(padded, kEntryKey);
    EXPECT_EQ(back->description + '|' + back->login, QStringLiteral("padded desc|\u00e9t\u00e9"));
    EXPECT_FALSE(InputFromRecord(*r, "other masters") ||
                 InputFromRecord(LoginRecord::zero(), kEntryKey));

    input.minLength = QStringLiteral("many");
    EXPECT_FALSE(BuildLoginRecord(ui, input, kEntryKey));
    EXPECT_EQ(ui.messages(), QStringList{"An error has occurred in frmLoginsOK 13 Type mismatch"});
}

// Opening an entry shows any past change as never; typing shows the date.
TEST_F(EditorLogicTest, NextChangeAndCreatedPasswordFollowTheInput)
{
    for (const auto rule : {NextChangeRule::OnLoad, NextChangeRule::WhileTyping}) {
        EXPECT_EQ(NextChangeText("3/1/2024 10:00:00 AM", "29.5", rule), "3/31/2024 10:00:00 AM");
        EXPECT_FALSE(NextChangeText("first of March", "30", rule) ||
                     NextChangeText("3/1/2024", "99999", rule));
    }
    EXPECT_EQ(NextChangeText("3/1/2024", "-5", NextChangeRule::OnLoad), "Never");
    EXPECT_EQ(NextChangeText("3/1/2024", "-5", NextChangeRule::WhileTyping), "2/25/2024");
    const std::tuple<QString, QString, int> rows[] = {
        {"10", "10", 10}, {"100", "100", 62}, {"", "10", -1}, {"6", "99999999999999999999", -1}};
    for (const auto &[min, max, length] : rows) {
        std::tie(input.minLength, input.maxLength) = std::tie(min, max);
        const auto text = CreatePasswordText(ui, input);
        EXPECT_EQ(text ? int(text->size()) : -1, length);
    }
    std::tie(input.minLength, input.maxLength) = std::tuple("0", "128");
    for (int i = 0; i < 200; ++i)
        ASSERT_LE(CreatePasswordText(ui, input)->size(), 62);
    const QString hint = QStringLiteral("Please enter the minimum and maximum length on the "
                                        "Validation tab as numbers before creating a password.");
    EXPECT_EQ(ui.messages(), QStringList({hint, hint}));
}
