#include "app/DataFolder.h"
#include "TempHome.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

// The folder and each parent it had to make are private to the user.
TEST(DataFolder, IsCreatedPrivateWithItsParentsAndBecomesCurrent)
{
    TempHome home;
    const QString data = home.path() + QStringLiteral("/data");
    const QString expected = data + QStringLiteral("/Brantwick/Pellora/");
    EXPECT_EQ(DataFolderPath(), expected);
    EXPECT_FALSE(QFileInfo::exists(data));
    EXPECT_EQ(GetDataFolder(), expected);
    EXPECT_EQ(QDir::currentPath() + QLatin1Char('/'), expected);
    for (const QString &made : {expected, data + QStringLiteral("/Brantwick"), data})
        EXPECT_EQ(FileMode(made), 0700) << made.toStdString();
    EXPECT_EQ(GetDataFolder(), expected) << "a second call returns the same path";

    EXPECT_TRUE(MakePath(home.path() + QStringLiteral("/a/b/c")));
    EXPECT_EQ(FileMode(home.path() + QStringLiteral("/a/b/c")), 0700);
    EXPECT_EQ(JoinPath(QStringLiteral("/x/"), QStringLiteral("f")), QStringLiteral("/x/f"));
    EXPECT_EQ(JoinPath(QStringLiteral("/x"), QStringLiteral("f")), QStringLiteral("/x/f"));
    EXPECT_FALSE(GetLoginUserName().isEmpty());
}

TEST(DataFolder, FolderThatCannotBeMadeStillGivesThePath)
{
    TempHome home;
    WriteFile(home.file(QStringLiteral("data")), "a file where the folder should be");
    const QString folder = GetDataFolder();
    EXPECT_TRUE(folder.endsWith(QStringLiteral("/Brantwick/Pellora/")));
    EXPECT_FALSE(QFileInfo(folder).isDir());
}
