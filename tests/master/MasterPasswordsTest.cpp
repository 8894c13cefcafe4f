#include "MasterFixture.h"
#include "master/MasterValidation.h"
#include "master/ResetPasswords.h"
#include "platform/Ansi.h"

using MasterLogin = MasterFixture;

TEST_F(MasterLogin, MatchesOnlyBothMastersAndValidatesNewOnes)
{
    const auto matches = [](const char *a, const char *b) {
        return LoginMatches(QString::fromUtf8(a), QString::fromUtf8(b), MasterValue("first-master"),
                            MasterValue("second-master"));
    };
    EXPECT_EQ(QList<bool>({matches("first-master", "second-master"),
                           matches("second-master", "first-master"),
                           matches("First-master", "second-master"),
                           matches("first-master", "second-master ")}),
              QList<bool>({true, false, false, false}));
    const QString accented = QStringLiteral("m\u00e4ster\u20ac-one");
    EXPECT_TRUE(LoginMatches(accented, QStringLiteral("x"), MasterValue(*Ansi::fromText(accented)),
                             MasterValue("x")));
    EXPECT_FALSE(LoginMatches(QStringLiteral("m\u4e2dster"), QStringLiteral("x"),
                              MasterValue("m?ster"), MasterValue("x")))
        << "unstorable text never matches its replacement";
    // The marker, an absent key or a short first value means there are no masters.
    EXPECT_EQ(
        QList<bool>({MastersExist(settings.getBytes(Setting::Master1)), MastersExist("480275"),
                     MastersExist("abcd"), MastersExist("abcde"), MastersExist("4802750")}),
        QList<bool>({false, false, false, true, true}));
    // A reset deletes the store and the log and keeps the second master.
    storeMasters("first-master", "second-master");
    WriteFile(f.loginFile, QByteArray(218, 'x'));
    WriteFile(logFile, "event\n");
    ResetPasswords(settings, f.loginFile, logFile);
    EXPECT_FALSE(QFile::exists(f.loginFile) || QFile::exists(logFile));
    const Settings reread;
    EXPECT_EQ(reread.getBytes(Setting::Master1) + reread.getBytes(Setting::Master2),
              "480275" + MasterValue("second-master"));
    // Only a character that cannot be stored is told here; the window shows the rules message.
    const auto valid = [this](const char *a, const char *b) {
        return Validation(f.ui, QString::fromUtf8(a), QString::fromUtf8(b));
    };
    EXPECT_EQ(QList<bool>({valid("abcdefg", "12345678"), valid("abcdefgh", "1234567"),
                           valid("abcdefgh", "12345678"), valid("same-master", "same-master"),
                           valid("same-master", "Same-master"),
                           valid("caf\u00e9-\u20ac-master", "12345678")}),
              QList<bool>({false, false, true, false, true, true}));
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_FALSE(valid("12345678", "smile \U0001F600 master"));
    EXPECT_FALSE(valid("\u4e2d\u6587\u4e2d\u6587\u4e2d\u6587\u4e2d\u6587", "12345678"));
    ASSERT_EQ(f.ui.shown.size(), 2);
    EXPECT_TRUE(f.ui.shown[0].text.startsWith(QStringLiteral("Master 2 contains a character")));
    EXPECT_TRUE(f.ui.shown[1].text.startsWith(QStringLiteral("Master 1 contains a character")));
}
