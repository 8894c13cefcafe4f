#include "app/Recovery.h"
#include "TempHome.h"
#include "platform/DurableFile.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(Recovery, RemovesOnlyTheProgramsOwnTemporaryFiles)
{
    TempHome home;
    const QString data = home.dataFolder();
    const QString config = home.file(QStringLiteral("config"));
    QDir().mkpath(config);
    const QStringList leftovers{"Pellora.lgn.a1B2c3", "Pellora.lgn.new.Zz9yX8",
                                "Pellora.masters.qw3rty"};
    const QStringList kept{"Pellora.lgn", "Pellora.lgn.backup", "Pellora.lgn.unreadable-20261207",
                           "notes.txt.a1B2c3", "Pellora.lgn.a1B2c"};
    for (const QString &name : leftovers + kept)
        WriteFile(data + name, "x");
    WriteFile(config + QStringLiteral("/Pellora.ini.AbC123"), "x");
    WriteFile(config + QStringLiteral("/Pellora.ini"), "x");

    RemoveLeftovers(data, config);
    for (const QString &name : leftovers + kept)
        EXPECT_EQ(QFileInfo::exists(data + name), kept.contains(name)) << name.toStdString();
    EXPECT_EQ(QDir(config).entryList(QDir::Files), QStringList{QStringLiteral("Pellora.ini")});
    // System errors become the classic errors the user understands.
    const std::pair<int, int> cases[] = {{ENOSPC, 61}, {EDQUOT, 61}, {EFBIG, 61}, {EACCES, 70},
                                         {EPERM, 70},  {EROFS, 70},  {EIO, 57},   {ENOENT, 53}};
    for (const auto &[err, classic] : cases)
        EXPECT_EQ(DurableFile::classicErrorOf(err), classic) << err;
}
