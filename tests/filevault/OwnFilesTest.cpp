#include "filevault/OwnFiles.h"
#include "VaultTestFiles.h"
#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "filevault/ProcessFiles.h"

#include <QCoreApplication>
#include <unistd.h>

// By its name, a link or a hard link, each own file is refused through every door.
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
    for (const QString &folder : {program, config, data + "keys"})
        QDir().mkpath(folder);
    SetProgramFolder(program);
    QStringList own{f.state.LoginFile, f.state.LogFile, Settings::defaultPath(),
                    config + "/other.ini", program + "/pqchk"};
    for (const char *name : {"Pellora.lock", "PelloraVault-Ab12Cd.jnl", "keys/signature"})
        own << data + name;
    for (const QString &path : own)
        WriteFile(path, "own " + path.toUtf8());
    const QStringList ways = own + QStringList{f.pathOf("store copy"), f.pathOf("store link")};
    ::link(QFile::encodeName(f.state.LoginFile).constData(),
           QFile::encodeName(ways[8]).constData());
    QFile::link(f.state.LoginFile, ways[9]);

    RecordingView view;
    for (const QString &path : ways) {
        const QFileInfo info(path);
        const VaultRun run{info.absolutePath(), {{info.fileName(), true}}, "password", false, true};
        ProcessFiles(f.ui, f.state, view, run, true, {});
        DropFiles(f.ui, f.state, view, {path}, false, 1000);
        EXPECT_FALSE(ExportTextFile(f.ui, f.state, Settings(), view, path, {}));
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
    const OwnFiles ownFiles(f.state);
    EXPECT_FALSE(ownFiles.contains(f.put(QStringLiteral("Pellora.lgn"), "a user's file")));
    EXPECT_TRUE(ownFiles.contains(data + "not yet there.txt") && ownFiles.contains(data));
}
