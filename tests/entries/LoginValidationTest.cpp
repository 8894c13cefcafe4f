#include "entries/LoginValidation.h"
#include "FakeUi.h"
#include "entries/EditorLogic.h"
#include "platform/Clock.h"

#include <QLocale>
#include <gtest/gtest.h>

class RulesCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Clock::fix(QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
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

    // Runs the check on a fresh Ui; the single message shown, or empty when it passed.
    QString check()
    {
        FakeUi ui;
        const bool ok = frmloginsValidation(ui, input, traits);
        EXPECT_EQ(ui.busyDepth, 0);
        EXPECT_LE(ui.shown.size(), 1);
        EXPECT_EQ(ok, ui.shown.isEmpty());
        return ui.shown.isEmpty() ? QString() : ui.shown.first().text;
    }

    LoginEditorInput input;
    PasswordTraitSet traits;
};

TEST_F(RulesCheck, NewEntryDefaultsWithSixLowerCaseLettersPassUnchanged)
{
    const LoginEditorInput before = input;
    EXPECT_EQ(check(), QString());
    EXPECT_EQ(input, before);
    EXPECT_TRUE(traits.MeetsMinimum && traits.HasLower);
}

TEST_F(RulesCheck, TextFieldsAreCheckedInOrderAndCutToSixtyFour)
{
    input.description.clear();
    input.login.clear();
    EXPECT_EQ(check(), "Please enter a description.");
    input.description = QString(100, 'd');
    EXPECT_EQ(check(), "Only 64 characters can be stored for a description.");
    EXPECT_EQ(input.description, QString(64, 'd'));
    EXPECT_EQ(check(), "Please enter a login or userid.");
    input.login = QString(65, 'l');
    EXPECT_EQ(check(), "Only 64 characters can be stored for a login.");
    EXPECT_EQ(input.login, QString(64, 'l'));
    input.password.clear();
    EXPECT_EQ(check(), "Please enter a password.");
    input.password = QString(10000, 'p');
    EXPECT_EQ(check(), "Only 64 characters can be stored for a password.");
    EXPECT_EQ(input.password, QString(64, 'p'));

    input.description = QStringLiteral(" ");
    input.login = QStringLiteral(" ");
    input.password = QStringLiteral("abcdef");
    EXPECT_EQ(check(), QString()) << "a single blank is not empty";
}

TEST_F(RulesCheck, PasswordsThatCannotBeStoredWholeAreRefused)
{
    input.maxLength.clear();
    input.allowSpace = true;
    input.password = QString(63, 'x');
    EXPECT_EQ(check(), "Only 62 characters can be stored for a password, not counting spaces at "
                       "either end.");
    input.password = QStringLiteral(" ") + QString(62, 'x') + QStringLiteral(" ");
    EXPECT_EQ(check(), QString());
}

TEST_F(RulesCheck, CharactersOutsideTheCodePageOrControlCharactersAreRefusedByField)
{
    input.description = QStringLiteral("Caf\u00e9 \u263a");
    input.login.clear();
    EXPECT_EQ(check(), QStringLiteral("The description contains a character that cannot be stored: "
                                      "\"\u263a\" (U+263A). Please remove it."));
    input.description = QStringLiteral("Caf\u00e9 \u20ac"); // the euro sign has a byte
    input.login = QStringLiteral("me\U0001F600");
    EXPECT_EQ(check(), QStringLiteral("The login contains a character that cannot be stored: "
                                      "\"\U0001F600\" (U+1F600). Please remove it."));
    input.login = QStringLiteral("jsmith");
    input.password = QStringLiteral("pass\u263aword");
    EXPECT_EQ(check(), "The password contains a character that cannot be stored. Please remove it.")
        << "the password is never echoed";

    input.password = QStringLiteral("abcdef");
    input.login = QStringLiteral("js\tmith");
    EXPECT_EQ(check(), "The login contains a control character (such as a tab or line break), "
                       "which cannot be stored. Please remove it.");
    input.login = QStringLiteral("jsmith");
    input.description = QStringLiteral("line\r\nbreak");
    EXPECT_EQ(check(), "The description contains a control character (such as a tab or line "
                       "break), which cannot be stored. Please remove it.");
    input.description = QStringLiteral("Bank");
    input.password = QStringLiteral("abc\x01"
                                    "def");
    EXPECT_EQ(check(), "The password contains a control character (such as a tab or line break), "
                       "which cannot be stored. Please remove it.");
}

TEST_F(RulesCheck, CuttingThroughAPairLeavesAHalfThatIsNamedByItsCode)
{
    input.description = QString(63, 'd') + QStringLiteral("\U0001F600");
    EXPECT_EQ(check(), "Only 64 characters can be stored for a description.");
    EXPECT_EQ(check(), "The description contains a character that cannot be stored: (U+D83D). "
                       "Please remove it.");
}

TEST_F(RulesCheck, DefaultRulesMeasureLengthAndLowerTheCase)
{
    input.password = QStringLiteral("abcde");
    EXPECT_EQ(check(), "The password is not long enough for this validation.");
    input.password = QString(16, 'a');
    EXPECT_EQ(check(), "The password is too long for this validation.");
    input.password = QStringLiteral("ABCDEF\u00c9");
    EXPECT_EQ(check(), QString());
    EXPECT_EQ(input.password, QStringLiteral("abcdef\u00e9"));
    EXPECT_FALSE(traits.HasUpper);

    input.caseSensitive = true;
    input.password = QStringLiteral("ABCDEF");
    EXPECT_EQ(check(), QString());
    EXPECT_EQ(input.password, "ABCDEF");
}

TEST_F(RulesCheck, LengthTextsOutsideOneTo127FallBackToNoLimit)
{
    input.password = QStringLiteral("a");
    const QList<std::pair<QString, QString>> minimums = {
        {"", "0"},   {"six", "0"}, {"127", "127"}, {"128", "0"},   {"0", "0"},
        {"-3", "0"}, {"0.4", "0"}, {"127.5", "0"}, {" 3 ", " 3 "}, {QString(10000, 'x'), "0"},
    };
    for (const auto &[typed, left] : minimums) {
        input.minLength = typed;
        check();
        EXPECT_EQ(input.minLength, left) << typed.left(20).toStdString();
    }
    input.minLength = QStringLiteral("1");
    const QList<std::pair<QString, QString>> maximums = {
        {"", "128"}, {"0", "128"}, {"-3", "128"}, {"128", "128"}, {"abc", "128"}, {"15", "15"}};
    for (const auto &[typed, left] : maximums) {
        input.maxLength = typed;
        check();
        EXPECT_EQ(input.maxLength, left) << typed.toStdString();
    }
}

TEST_F(RulesCheck, FractionalLengthsRoundHalfToEven)
{
    input.minLength = QStringLiteral("6.5"); // 6
    input.password = QStringLiteral("abcdef");
    EXPECT_EQ(check(), QString());
    EXPECT_EQ(input.minLength, "6.5");
    input.minLength = QStringLiteral("7.5"); // 8
    input.password = QStringLiteral("abcdefg");
    EXPECT_EQ(check(), "The password is not long enough for this validation.");
}

TEST_F(RulesCheck, ExpiryDaysOutsideZeroTo9999BecomeZero)
{
    const QList<std::pair<QString, QString>> days = {
        {"10000", "0"}, {"9999", "9999"}, {"-1", "0"}, {"", "0"}, {"soon", "0"}, {"30", "30"}};
    for (const auto &[typed, left] : days) {
        input.expireDays = typed;
        EXPECT_EQ(check(), QString());
        EXPECT_EQ(input.expireDays, left) << typed.toStdString();
    }
}

TEST_F(RulesCheck, NumbersBeyondSixteenBitsFailTheCheckWithOverflow)
{
    const QString overflow = QStringLiteral("An error has occurred in form validation 6 Overflow");
    input.expireDays = QStringLiteral("40000");
    EXPECT_EQ(check(), overflow);
    EXPECT_EQ(input.expireDays, "40000") << "the user's text is kept to correct";
    input.expireDays = QStringLiteral("0");
    input.minLength = QStringLiteral("99999999999999999999");
    EXPECT_EQ(check(), overflow);
    input.minLength = QStringLiteral("6");
    input.maxLength = QString(10000, '9');
    EXPECT_EQ(check(), overflow);
}

TEST_F(RulesCheck, AStartThatIsNoDateBecomesNow)
{
    for (const QString &typed : {QString(), QStringLiteral("tomorrow"), QStringLiteral("2/30/2024"),
                                 QString(10000, '1')}) {
        input.expireStart = typed;
        EXPECT_EQ(check(), QString());
        EXPECT_EQ(input.expireStart, "3/1/2024 10:00:00 AM");
    }
    input.expireStart = QStringLiteral("2/29/2024");
    EXPECT_EQ(check(), QString());
    EXPECT_EQ(input.expireStart, "2/29/2024");
}

TEST_F(RulesCheck, SpacesAreCheckedBeforeTheCharacterRules)
{
    input.requireMix = true;
    input.password = QStringLiteral("abc def");
    EXPECT_EQ(check(), "Spaces are not allowed for this validation.");

    input.requireMix = false;
    input.requireSpecial = true;
    input.allowSpace = true;
    EXPECT_EQ(check(), QString()) << "an allowed space is a non-alphanumeric character";
}

TEST_F(RulesCheck, CharacterRulesNameWhatIsMissing)
{
    input.requireSpecial = true;
    input.password = QStringLiteral("abcdef");
    EXPECT_EQ(check(), "Non-alphanumeric character(s) are required for this validation.");
    for (const QString &pw :
         {QStringLiteral("abc:def"), QStringLiteral("abc@def"), QStringLiteral("abc\u00e8def")}) {
        input.password = pw;
        EXPECT_EQ(check(), QString()) << pw.toStdString();
    }

    input.requireSpecial = false;
    input.requireMix = true;
    input.password = QStringLiteral("abcdef");
    EXPECT_EQ(check(), "A mix of alpha and numeric character(s) is required for this validation.");
    input.password = QStringLiteral("123456");
    EXPECT_EQ(check(), "A mix of alpha and numeric character(s) is required for this validation.");
    input.password = QStringLiteral("abcde1");
    EXPECT_EQ(check(), QString());
}
