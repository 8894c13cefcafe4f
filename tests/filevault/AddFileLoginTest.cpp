#include "filevault/AddFileLogin.h"
#include "StoreFixture.h"
#include "VaultTestFiles.h"
#include "app/DataFolder.h"
#include "entries/PasswordField.h"
#include "log/LogEvents.h"
#include "platform/Clock.h"

#include <QDir>
#include <gtest/gtest.h>

class FileVaultEntry : public ::testing::Test
{
protected:
    VaultFixture f;
    int reloads = 0;

    qint16 add(const QByteArray &password, const QByteArray &description = "report.txt")
    {
        return AddFileLogin(f.ui, f.state, "FileEncryption", description, password,
                            [this] { ++reloads; });
    }
};

TEST_F(FileVaultEntry, StoresTheFixedRulesAndTheTrimmedPassword)
{
    f.state.LogPwdChanges = true;
    EXPECT_EQ(add("  pass word  "), 1000);
    const auto records = ReadRecords(f.state.LoginFile);
    ASSERT_EQ(records.size(), 1);
    const LoginRecord &r = records[0];
    EXPECT_EQ(r.LoginID, 1000);
    EXPECT_EQ(r.Login, FitText("FileEncryption"));
    EXPECT_EQ(r.Description, FitText("report.txt"));
    EXPECT_EQ(DecodePasswordField(r.Password, f.state.entryKey()), "pass word");
    EXPECT_FALSE(r.Deleted);
    EXPECT_EQ(r.ExpireDays, 0);
    EXPECT_EQ(r.ExpireStart, 0.0);
    EXPECT_TRUE(r.CaseSensitive);
    EXPECT_TRUE(r.AllowSpace);
    EXPECT_FALSE(r.RequireMix);
    EXPECT_FALSE(r.RequireSpecial);
    EXPECT_EQ(r.MinLength, 8);
    EXPECT_EQ(r.MaxLength, 64);
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(
        LogTexts(f.state.LogFile),
        QStringList{LogRecord::fit(QStringLiteral("Added FileEncryption, ") + GetLoginUserName() +
                                   QStringLiteral("3/1/2024 10:00:00 AM"))});
    EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST_F(FileVaultEntry, APasswordTooLongForAnEntryIsRefusedNotCut)
{
    f.state.LogPwdChanges = true;
    EXPECT_EQ(add(QByteArray(62, 'p') + "  "), 1000);
    EXPECT_EQ(add(QByteArray(63, 'p')), 0);
    EXPECT_EQ(ReadRecords(f.state.LoginFile).size(), 1);
    EXPECT_EQ(f.ui.messages().size(), 1);
    EXPECT_EQ(LogTexts(f.state.LogFile).size(), 1);
}

TEST_F(FileVaultEntry, AFailedAddIsNotLoggedAsAdded)
{
    f.state.LogPwdChanges = true;
    QDir().mkpath(f.state.LoginFile);
    EXPECT_EQ(add("password"), 0);
    ASSERT_FALSE(f.ui.shown.isEmpty());
    EXPECT_TRUE(
        f.ui.shown.last().text.startsWith(QStringLiteral("An error has occurred in Addlogin ")));
    EXPECT_TRUE(LogTexts(f.state.LogFile).isEmpty());
}
