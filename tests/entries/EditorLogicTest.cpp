#include "entries/EditorLogic.h"
#include "FakeUi.h"
#include "entries/LoginValidation.h"
#include "entries/PasswordField.h"
#include "platform/Clock.h"
#include "platform/Convert.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
const QByteArray kEntryKey =
    QByteArray::fromHex("24c4009772c0a9db57e67b1131c8118b6884e4d745e16a065d");
const QDateTime kOpened(QDate(2024, 3, 1), QTime(10, 0));
} // namespace

class EditorLogicTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Clock::fix(kOpened);
        input = NewEntryInput();
        input.description = QStringLiteral("Bank");
        input.login = QStringLiteral("jsmith");
        input.password = QStringLiteral("abcdef");
    }
    void TearDown() override
    {
        Clock::fix(std::nullopt);
        QLocale::setDefault(QLocale::c());
    }

    FakeUi ui;
    LoginEditorInput input;
};

TEST_F(EditorLogicTest, RecordsHoldTheCheckedNumbersAndTextsAsTyped)
{
    input.allowSpace = true;
    input.description = QStringLiteral("  Caf\u00e9 \u20ac ");
    input.password = QStringLiteral(" UPPER case ");
    input.minLength = QStringLiteral("6.5");
    input.maxLength = QStringLiteral("200");
    input.expireDays = QStringLiteral(" 30 ");
    input.expireStart = QStringLiteral("3/1/24 10:00"); // a two-digit year is this century's
    ui.answers << true;                                 // yes, store it in lower case
    PasswordTraitSet traits;
    ASSERT_TRUE(frmloginsValidation(ui, input, traits));
    const auto r = BuildLoginRecord(ui, input, kEntryKey);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Description, FitText("  Caf\xe9 \x80 "));
    EXPECT_EQ(DecodePasswordField(r->Password, kEntryKey), std::optional<QByteArray>("upper case"));
    EXPECT_TRUE(r->AllowSpace);
    EXPECT_EQ(QList<qint16>({r->MinLength, r->MaxLength, r->ExpireDays}),
              QList<qint16>({6, 128, 30}));
    EXPECT_EQ(r->ExpireStart, Convert::ToOleDate(kOpened));

    LoginRecord padded = *r;
    padded.Description = FitText("   padded desc");
    padded.Login = FitText(" \xe9t\xe9");
    EXPECT_EQ(InputFromRecord(padded, kEntryKey)->description, "padded desc");
    EXPECT_EQ(InputFromRecord(padded, kEntryKey)->login, QStringLiteral("\u00e9t\u00e9"));
    EXPECT_FALSE(InputFromRecord(*r, "other masters"));
    EXPECT_FALSE(InputFromRecord(LoginRecord::zero(), kEntryKey));

    // Input that skipped the check is refused with a message, not stored half-converted.
    input.minLength = QStringLiteral("many");
    EXPECT_FALSE(BuildLoginRecord(ui, input, kEntryKey));
    EXPECT_EQ(ui.messages(), QStringList{"An error has occurred in frmLoginsOK 13 Type mismatch"});
}

TEST_F(EditorLogicTest, NextChangeIsStartPlusDaysOrNever)
{
    for (const auto rule : {NextChangeRule::OnLoad, NextChangeRule::WhileTyping}) {
        EXPECT_EQ(NextChangeText("3/1/2024 10:00:00 AM", "29.5", rule), "3/31/2024 10:00:00 AM");
        EXPECT_FALSE(NextChangeText("first of March", "30", rule));
        EXPECT_FALSE(NextChangeText("3/1/2024", "99999", rule));
    }
    // Opening an entry shows any past change as never; typing shows the date.
    EXPECT_EQ(NextChangeText("3/1/2024", "-5", NextChangeRule::OnLoad), "Never");
    EXPECT_EQ(NextChangeText("3/1/2024", "-5", NextChangeRule::WhileTyping), "2/25/2024");
}

TEST_F(EditorLogicTest, CreateUsesTheLengthsAsTheyStandUpToWhatAFieldStores)
{
    input.minLength = input.maxLength = QStringLiteral("10");
    EXPECT_EQ(CreatePasswordText(ui, input)->size(), 10);
    input.minLength = input.maxLength = QStringLiteral("100");
    EXPECT_EQ(CreatePasswordText(ui, input)->size(), 62);
    input.minLength = QStringLiteral("0");
    input.maxLength = QStringLiteral("128");
    for (int i = 0; i < 200; ++i)
        ASSERT_LE(CreatePasswordText(ui, input)->size(), 62);
    input.minLength = QString();
    EXPECT_FALSE(CreatePasswordText(ui, input));
    input.minLength = QStringLiteral("6");
    input.maxLength = QStringLiteral("99999999999999999999");
    EXPECT_FALSE(CreatePasswordText(ui, input));
    const QString hint = QStringLiteral("Please enter the minimum and maximum length on the "
                                        "Validation tab as numbers before creating a password.");
    EXPECT_EQ(ui.messages(), QStringList({hint, hint}));
}
