#include "filevault/OwnFiles.h"
#include "StoreFixture.h"
#include "VaultTestFiles.h"
#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "filevault/ProcessFiles.h"
#include "transfer/TextExport.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
struct NoView : TextExportView
{
    void setProgress(int) override {}
    void showProgress(bool) override {}
    void showFinished(bool) override {}
};
} // namespace

// Through the vault window, a drop or the text export, each of the program's own files (by its
// name, through a link, or a hard link elsewhere) is refused by name and left byte for byte.
TEST(FileVaultOwnFiles, EveryWayToAnOwnFileIsRefusedAndChangesNothing)
{
    // The shipped check file is known only to a program that runs as an application.
    int argc = 1;
    char name[] = "vault";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    VaultFixture f;
    f.state.LogFileEncryption = true;
    const QString data = f.state.DataFolder;
    const QString config = QFileInfo(Settings::defaultPath()).absolutePath();
    const QString program = f.home.file(QStringLiteral("program"));
    QDir().mkpath(program);
    SetProgramFolder(program);
    QDir().mkpath(config);
    QDir(data).mkpath(QStringLiteral("keys"));
    const QStringList own{f.state.LoginFile,
                          f.state.LogFile,
                          Settings::defaultPath(),
                          data + QStringLiteral("Pellora.lock"),
                          data + QStringLiteral("PelloraVault-Ab12Cd.jnl"),
                          data + QStringLiteral("keys/signature"),
                          config + QStringLiteral("/other.ini"),
                          program + QStringLiteral("/pqchk")};
    for (const QString &path : own)
        WriteFile(path, "own " + path.toUtf8());
    const QString hardLink = f.pathOf(QStringLiteral("store copy"));
    ::link(QFile::encodeName(f.state.LoginFile).constData(),
           QFile::encodeName(hardLink).constData());
    const QString symLink = f.pathOf(QStringLiteral("store link"));
    QFile::link(f.state.LoginFile, symLink);
    const QStringList ways = own + QStringList{hardLink, symLink};

    RecordingView view;
    NoView exportView;
    for (const QString &path : ways) {
        const QFileInfo info(path);
        const VaultRun run{info.absolutePath(), {{info.fileName(), true}}, "password", false, true};
        ProcessFiles(f.ui, f.state, view, run, true, {});
        DropFiles(f.ui, f.state, view, {path}, false, 1000);
        EXPECT_FALSE(ExportTextFile(f.ui, f.state, Settings(), exportView, path, {}));
        EXPECT_EQ(PrepareTextExportTarget(f.ui, f.state, path), std::nullopt);
        const QString refusal = "These are Pellora's own files, which it never encrypts or "
                                "decrypts, so nothing has been changed:\n" +
                                path;
        const QString exportRefusal =
            path + " is one of Pellora's own files, which an export never writes. Please choose "
                   "another file.";
        EXPECT_EQ(f.ui.messages(), QStringList({refusal, refusal, exportRefusal, exportRefusal}));
        f.ui.shown.clear();
    }
    for (const QString &path : own)
        EXPECT_EQ(ReadFile(path), "own " + path.toUtf8());
    EXPECT_TRUE(view.statuses.isEmpty());
    SetProgramFolder(QString());
}

TEST(FileVaultOwnFiles, FilesOutsideTheOwnFoldersAreNotOwn)
{
    VaultFixture f;
    const OwnFiles own(f.state);
    EXPECT_FALSE(own.contains(f.put(QStringLiteral("Pellora.lgn"), "a user's file")));
    EXPECT_FALSE(own.contains(f.home.file(QStringLiteral("new.txt"))));
    EXPECT_TRUE(own.contains(f.state.DataFolder + QStringLiteral("not yet there.txt")));
    EXPECT_TRUE(own.contains(f.state.DataFolder));
}
