#include "entries/EditorLogic.h"
#include "FakeUi.h"
#include "TempHome.h"
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

    // What OK stores: the check, then the record built from what it left.
    std::optional<LoginRecord> save()
    {
        PasswordTraitSet traits;
        if (!frmloginsValidation(ui, input, traits))
            return std::nullopt;
        return BuildLoginRecord(ui, input, kEntryKey);
    }

    TempHome home;
    FakeUi ui;
    LoginEditorInput input;
};

TEST_F(EditorLogicTest, ANewEntryStartsEmptyWithSixToFifteenAndNoExpiry)
{
    const LoginEditorInput fresh = NewEntryInput();
    EXPECT_TRUE(fresh.description.isEmpty() && fresh.login.isEmpty() && fresh.password.isEmpty());
    EXPECT_EQ(fresh.expireDays, "0");
    EXPECT_EQ(fresh.expireStart, "3/1/2024 10:00:00 AM");
    EXPECT_EQ(fresh.minLength, "6");
    EXPECT_EQ(fresh.maxLength, "15");
    EXPECT_FALSE(fresh.caseSensitive || fresh.requireMix || fresh.requireSpecial ||
                 fresh.allowSpace);
}

TEST_F(EditorLogicTest, DefaultsWithSixLettersBuildTheExpectedRecord)
{
    const auto r = save();
    ASSERT_TRUE(r);
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(r->LoginID, 0);
    EXPECT_EQ(r->Description, FitText("Bank"));
    EXPECT_EQ(r->Login, FitText("jsmith"));
    EXPECT_EQ(DecodePasswordField(r->Password, kEntryKey), std::optional<QByteArray>("abcdef"));
    EXPECT_FALSE(r->Deleted);
    EXPECT_EQ(r->ExpireDays, 0);
    EXPECT_EQ(r->ExpireStart, Convert::ToOleDate(kOpened));
    EXPECT_FALSE(r->CaseSensitive || r->AllowSpace || r->RequireMix || r->RequireSpecial);
    EXPECT_EQ(r->MinLength, 6);
    EXPECT_EQ(r->MaxLength, 15);
}

TEST_F(EditorLogicTest, TextsAreStoredAsTypedAndThePasswordTrimmed)
{
    input.caseSensitive = false;
    input.allowSpace = true;
    input.description = QStringLiteral("  Caf\u00e9 \u20ac ");
    input.password = QStringLiteral(" UPPER case ");
    const auto r = save();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Description, FitText("  Caf\xe9 \x80 "));
    EXPECT_EQ(DecodePasswordField(r->Password, kEntryKey), std::optional<QByteArray>("upper case"));
    EXPECT_TRUE(r->AllowSpace);
}

TEST_F(EditorLogicTest, NormalisedNumbersAreStoredAsSixteenBitIntegers)
{
    input.minLength = QStringLiteral("6.5");
    input.maxLength = QStringLiteral("200");
    input.expireDays = QStringLiteral(" 30 ");
    input.expireStart = QStringLiteral("not a date");
    const auto r = save();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->MinLength, 6);
    EXPECT_EQ(r->MaxLength, 128);
    EXPECT_EQ(r->ExpireDays, 30);
    EXPECT_EQ(r->ExpireStart, Convert::ToOleDate(kOpened));
}

TEST_F(EditorLogicTest, UncheckedInputFailsToBuildWithTheOkMessage)
{
    LoginEditorInput unchecked = input;
    unchecked.minLength = QStringLiteral("many");
    EXPECT_FALSE(BuildLoginRecord(ui, unchecked, kEntryKey));
    unchecked = input;
    unchecked.password = QString(63, 'x');
    EXPECT_FALSE(BuildLoginRecord(ui, unchecked, kEntryKey));
    unchecked = input;
    unchecked.login = QStringLiteral("\u263a");
    EXPECT_FALSE(BuildLoginRecord(ui, unchecked, kEntryKey));
    unchecked = input;
    unchecked.expireStart = QStringLiteral("someday");
    EXPECT_FALSE(BuildLoginRecord(ui, unchecked, kEntryKey));
    EXPECT_EQ(ui.messages(),
              QStringList({"An error has occurred in frmLoginsOK 13 Type mismatch",
                           "An error has occurred in frmLoginsOK 6 Overflow",
                           "An error has occurred in frmLoginsOK 13 Type mismatch",
                           "An error has occurred in frmLoginsOK 13 Type mismatch"}));
}

TEST_F(EditorLogicTest, EditingAndSavingUnchangedRewritesTheSameRecord)
{
    input.caseSensitive = true;
    input.requireMix = true;
    input.requireSpecial = true;
    input.allowSpace = true;
    input.password = QStringLiteral("Pa55 w@rd");
    input.minLength = QStringLiteral("8");
    input.maxLength = QStringLiteral("20");
    input.expireDays = QStringLiteral("30");
    input.expireStart = QStringLiteral("3/1/2024 10:15:30 AM");
    const auto saved = save();
    ASSERT_TRUE(saved);

    auto shown = InputFromRecord(*saved, kEntryKey);
    ASSERT_TRUE(shown);
    EXPECT_EQ(*shown, input);
    input = *shown;
    const auto resaved = save();
    ASSERT_TRUE(resaved);
    EXPECT_EQ(resaved->encode(), saved->encode());
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(EditorLogicTest, OpeningAnEntryTrimsItsTexts)
{
    LoginRecord r = *save();
    r.Description = FitText("   padded desc");
    r.Login = FitText(" \xe9t\xe9");
    const auto shown = InputFromRecord(r, kEntryKey);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->description, "padded desc");
    EXPECT_EQ(shown->login, QStringLiteral("\u00e9t\u00e9"));
}

TEST_F(EditorLogicTest, AnEntryFromOtherMastersOrNoEntryCannotBeOpened)
{
    const LoginRecord r = *save();
    EXPECT_FALSE(InputFromRecord(r, "other masters"));
    EXPECT_FALSE(InputFromRecord(LoginRecord::zero(), kEntryKey));
    EXPECT_EQ(QString::fromLatin1(kReadItemFailedMessage), "An error occurred reading this item. ");
}

TEST_F(EditorLogicTest, NextChangeIsStartPlusDaysOrNever)
{
    for (const auto rule : {NextChangeRule::OnLoad, NextChangeRule::WhileTyping}) {
        EXPECT_EQ(NextChangeText("3/1/2024", "30", rule), "3/31/2024");
        EXPECT_EQ(NextChangeText("3/1/2024 10:00:00 AM", "30", rule), "3/31/2024 10:00:00 AM");
        EXPECT_EQ(NextChangeText("3/1/2024", "0", rule), "Never");
        EXPECT_EQ(NextChangeText("3/1/2024", "29.5", rule), "3/31/2024") << "half to even";
        EXPECT_FALSE(NextChangeText("first of March", "30", rule));
        EXPECT_FALSE(NextChangeText("3/1/2024", "thirty", rule));
        EXPECT_FALSE(NextChangeText("3/1/2024", "", rule));
        EXPECT_FALSE(NextChangeText("3/1/2024", "99999999999999999999", rule));
    }
    EXPECT_EQ(NextChangeText("3/1/2024", "-5", NextChangeRule::OnLoad), "Never");
    EXPECT_EQ(NextChangeText("3/1/2024", "-5", NextChangeRule::WhileTyping), "2/25/2024");
}

TEST_F(EditorLogicTest, TypingPastSixtyFourCutsWithTheFieldsMessage)
{
    QString text(64, 'x');
    EXPECT_FALSE(CutTypedText(ui, EditorField::Login, text));
    text += QStringLiteral("yz");
    EXPECT_TRUE(CutTypedText(ui, EditorField::Login, text));
    EXPECT_EQ(text, QString(64, 'x'));
    QString desc(65, 'd');
    CutTypedText(ui, EditorField::Description, desc);
    EXPECT_EQ(ui.messages(), QStringList({"Only 64 characters can be stored for a login.",
                                          "Only 64 characters can be stored for a description."}));
}

TEST_F(EditorLogicTest, CreateUsesTheLengthsAsTheyStand)
{
    input.minLength = QStringLiteral("10");
    input.maxLength = QStringLiteral("10");
    input.requireMix = true;
    const auto ten = CreatePasswordText(ui, input);
    ASSERT_TRUE(ten);
    EXPECT_EQ(ten->size(), 10);
    EXPECT_TRUE(ui.shown.isEmpty());

    input.minLength = QStringLiteral("100");
    input.maxLength = QStringLiteral("100");
    const auto cut = CreatePasswordText(ui, input);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), 64);
    EXPECT_EQ(ui.messages(), QStringList({"Only 64 characters can be stored for a password."}));

    ui.shown.clear();
    input.minLength = QString();
    EXPECT_FALSE(CreatePasswordText(ui, input));
    input.minLength = QStringLiteral("6");
    input.maxLength = QStringLiteral("99999999999999999999");
    EXPECT_FALSE(CreatePasswordText(ui, input));
    const QString hint = QStringLiteral("Please enter the minimum and maximum length on the "
                                        "Validation tab as numbers before creating a password.");
    EXPECT_EQ(ui.messages(), QStringList({hint, hint}));
}
