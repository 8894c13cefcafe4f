#include "app/DataFolder.h"
#include "TempHome.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(DataFolder, IsCreatedPrivateWithItsParentsAndBecomesCurrent)
{
    TempHome home;
    const QString expected = home.path() + QStringLiteral("/data/Brantwick/Pellora/");
    EXPECT_EQ(DataFolderPath(), expected);
    EXPECT_FALSE(QFileInfo::exists(expected));
    EXPECT_EQ(GetDataFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(QDir::currentPath() + QLatin1Char('/'), expected);
    EXPECT_EQ(FileMode(expected), 0700);
    EXPECT_EQ(GetDataFolder(), expected) << "a second call returns the same path";
}

TEST(DataFolder, FolderThatCannotBeMadeStillGivesThePath)
{
    TempHome home;
    WriteFile(home.file(QStringLiteral("data")), "a file where the folder should be");
    const QString folder = GetDataFolder();
    EXPECT_TRUE(folder.endsWith(QStringLiteral("/Brantwick/Pellora/")));
    EXPECT_FALSE(QFileInfo(folder).isDir());
}

TEST(DataFolder, MakePathCreatesEveryMissingLevel)
{
    TempHome home;
    const QString deep = home.path() + QStringLiteral("/a/b/c");
    EXPECT_TRUE(MakePath(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_EQ(JoinPath(QStringLiteral("/x/"), QStringLiteral("f")), QStringLiteral("/x/f"));
    EXPECT_EQ(JoinPath(QStringLiteral("/x"), QStringLiteral("f")), QStringLiteral("/x/f"));
    EXPECT_FALSE(GetLoginUserName().isEmpty());
}
