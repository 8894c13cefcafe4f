#include "filevault/OldVaultLeftovers.h"
#include "VaultTestFiles.h"

// An empty leftover, or one with the original's mode and its length or whole 1 MiB chunks of it.
TEST(FileVaultOldLeftovers, OnlyLeftoversBesideTheirIntactOriginalAreRemoved)
{
    constexpr qint64 kMiB = qint64(1) << 20;
    VaultFixture f;
    const auto make = [](const QString &path, qint64 size, mode_t mode) {
        WriteFile(path, {});
        QFile::resize(path, size);
        ::chmod(QFile::encodeName(path).constData(), mode);
    };
    make(f.pathOf("doc.txt"), 3 * kMiB, 0640);
    const QList<std::tuple<QString, qint64, mode_t, bool>> table{
        {".pellora-a1B2c3", 0, 0600, true},        {".pellora-d4E5f6", kMiB, 0640, true},
        {".pellora-g7H8i9", 3 * kMiB, 0640, true}, {".pellora-j1K2l3", kMiB + 5, 0640, false},
        {".pellora-m4N5o6", kMiB, 0600, false},    {".pellora-toolong", kMiB, 0640, false},
        {".pellora-p7Q8r9", 4 * kMiB, 0640, false}};
    for (const auto &[name, size, mode, removed] : table)
        make(f.pathOf(name), size, mode);
    QFile::link(f.pathOf("doc.txt"), f.pathOf(".pellora-s1T2u3"));
    const QString alone = f.home.file("alone/.pellora-v4W5x6");
    QDir().mkpath(f.home.file("alone"));
    make(alone, 2 * kMiB, 0644);

    RemoveOldVaultLeftovers(f.state.DataFolder);
    for (const auto &[name, size, mode, removed] : table)
        EXPECT_EQ(QFile::exists(f.pathOf(name)), !removed) << name.toStdString();
    EXPECT_TRUE(QFileInfo(f.pathOf(".pellora-s1T2u3")).isSymLink() && QFile::exists(alone));
    EXPECT_EQ(QFileInfo(f.pathOf("doc.txt")).size(), 3 * kMiB);
}
