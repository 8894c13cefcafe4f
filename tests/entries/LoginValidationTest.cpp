#include "entries/LoginValidation.h"
#include "FakeUi.h"
#include "FixedTime.h"
#include "entries/EditorLogic.h"

#include <functional>
#include <gtest/gtest.h>

using In = LoginEditorInput;

class RulesCheck : public ::testing::Test
{
protected:
    FixedTime time;

    // A new entry's input with texts that pass.
    static In valid()
    {
        In input = NewEntryInput();
        std::tie(input.description, input.login, input.password) =
            std::tuple("Bank", "jsmith", "abcdef");
        return input;
    }

    // The single message a check shown on a Ui that agrees to lower-casing, or empty.
    static QString check(In &input)
    {
        FakeUi ui;
        ui.answers << true;
        PasswordTraitSet traits;
        const bool ok = validateEntryInput(ui, input, traits);
        EXPECT_TRUE(ui.busyDepth == 0 && ui.shown.size() <= 1 && ok == ui.shown.isEmpty());
        return ui.shown.isEmpty() ? QString() : ui.shown.first().text;
    }
};

TEST_F(RulesCheck, EachFailureIsReportedAloneWithItsMessage)
{
    const QString tooLong = QStringLiteral("Only 64 characters can be stored for a %1.");
    const QString control =
        QStringLiteral("The %1 contains a control character (such as a tab or "
                       "line break), which cannot be stored. Please remove it.");
    const QString mix = QStringLiteral(
        "The password needs both letters and digits for this entry (Validation tab).");
    const QString shortPw = QStringLiteral(
        "The password has %1 characters; this entry needs at least %2 (Validation tab).");
    const QString spaces = QStringLiteral("The password has a space; this entry allows none "
                                          "(Validation tab, \"Allow SPACE character\").");
    const QList<std::pair<std::function<void(In &)>, QString>> rows = {
        {[](In &i) { i.description.clear(); }, "Please enter a description."},
        {[](In &i) { i.description = " "; }, ""},
        {[](In &i) { i.description = QString(100, 'd'); }, tooLong.arg("description")},
        {[](In &i) { i.login.clear(); }, "Please enter a login or userid."},
        {[](In &i) { i.login = QString(65, 'l'); }, tooLong.arg("login")},
        {[](In &i) { i.password.clear(); }, "Please enter a password."},
        {[](In &i) { i.password = QString(10000, 'p'); }, tooLong.arg("password")},
        {[](In &i) { i.password = QString(63, 'x'); },
         "Only 62 characters can be stored for a password, not counting spaces at either end."},
        {[](In &i) {
             i.password = " " + QString(62, 'x') + " ", i.allowSpace = true, i.maxLength = "";
         },
         ""},
        {[](In &i) { i.description = QStringLiteral("Caf\u00e9 \u263a"); },
         QStringLiteral("The description contains a character that cannot be stored: "
                        "\"\u263a\" (U+263A). Please remove it.")},
        {[](In &i) { i.login = QStringLiteral("me\U0001F600"); },
         QStringLiteral("The login contains a character that cannot be stored: "
                        "\"\U0001F600\" (U+1F600). Please remove it.")},
        {[](In &i) { i.password = QStringLiteral("pass\u263aword"); },
         "The password contains a character that cannot be stored. Please remove it."},
        {[](In &i) { i.login = "js\x01mith"; }, control.arg("login")},
        {[](In &i) { i.password = "abc\tdef"; }, control.arg("password")},
        {[](In &i) { i.password = "abcde"; }, shortPw.arg(5).arg(6)},
        {[](In &i) { i.password = QString(21, 'a'); },
         "The password has 21 characters; this entry allows at most 15 (Validation tab)."},
        {[](In &i) { i.minLength = "6.5"; }, ""},
        {[](In &i) { i.minLength = "7.5", i.password = "abcdefg"; }, shortPw.arg(7).arg(8)},
        {[](In &i) { i.expireStart = "March 1, 2024"; }, ""},
        {[](In &i) { i.expireStart = "soon"; },
         "\"soon\" is not a date. Please type the start like 3/1/2024 10:00:00 AM (Expiry tab)."},
        {[](In &i) { i.expireDays = "40000"; },
         "An error has occurred in form validation 6 Overflow"},
        {[](In &i) { i.password = "abc def", i.requireMix = true; }, spaces},
        {[](In &i) { i.password = "abc def", i.requireSpecial = i.allowSpace = true; }, ""},
        {[](In &i) { i.requireSpecial = true; },
         "The password has no character other than letters and digits; this entry requires one "
         "(Validation tab)."},
        {[](In &i) { i.requireMix = true; }, mix},
        {[](In &i) { i.password = "123456", i.requireMix = true; }, mix},
        {[](In &i) { i.password = "abcde1", i.requireMix = true; }, ""},
    };
    for (qsizetype row = 0; row < rows.size(); ++row) {
        In input = valid();
        rows[row].first(input);
        EXPECT_EQ(check(input), rows[row].second) << "row " << row;
    }
}

TEST_F(RulesCheck, AdjustmentsStayInTheInputWhetherOrNotTheCheckPasses)
{
    // Each field with pairs of what was typed and what the check left.
    const QList<std::pair<QString In::*, QStringList>> rows = {
        {&In::description, {QString(100, 'd'), QString(64, 'd')}},
        {&In::login, {QString(65, 'l'), QString(64, 'l')}},
        {&In::password, {QString(10000, 'p'), QString(64, 'p'), "ABCDEF\u00c9", "abcdef\u00e9"}},
        {&In::minLength, {"", "0", "six", "0", "127", "127", "128", "0", "-3", "0", " 3 ", " 3 "}},
        {&In::maxLength, {"", "128", "0", "128", "-3", "128", "127", "127"}},
        {&In::expireDays, {"10000", "0", "9999", "9999", "-1", "0", "soon", "0", "40000", "40000"}},
        {&In::expireStart, {"2/30/2024", "2/30/2024", "2/29/2024", "2/29/2024"}}};
    for (const auto &[field, pairs] : rows) {
        for (qsizetype i = 0; i < pairs.size(); i += 2) {
            In input = valid();
            input.*field = pairs[i];
            check(input);
            EXPECT_EQ(input.*field, pairs[i + 1]) << pairs[i].left(20).toStdString();
        }
    }

    In paired = valid(); // cut at 64, the pair's first half is left alone
    paired.description = QString(63, 'd') + QStringLiteral("\U0001F600");
    check(paired);
    EXPECT_EQ(check(paired), "The description contains a character that cannot be stored: "
                             "(U+D83D). Please remove it.");
    // Capitals without Case Sensitive are stored lower only when the user says so.
    for (const bool yes : {false, true}) {
        In input = valid();
        input.password = QStringLiteral("Sunflower2024");
        FakeUi ui;
        ui.answers << yes;
        PasswordTraitSet traits;
        EditorControl at = EditorControl::Password;
        EXPECT_EQ(validateEntryInput(ui, input, traits, &at), yes);
        EXPECT_TRUE(ui.askedDefaultNo == QStringList{kLowerCaseQuestion} && ui.shown.isEmpty());
        EXPECT_EQ(input.password, yes ? "sunflower2024" : "Sunflower2024");
        EXPECT_EQ(at, yes ? EditorControl::None : EditorControl::CaseSensitive);
    }
    In sensitive = valid();
    sensitive.caseSensitive = true, sensitive.password = QStringLiteral("ABCDEF");
    EXPECT_TRUE(check(sensitive).isEmpty() && sensitive.password == "ABCDEF");
}
