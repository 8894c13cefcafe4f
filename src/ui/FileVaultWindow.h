#pragma once

#include "filevault/VaultRun.h"
#include "ui/AppContext.h"

#include <QWidget>

class DriveList;
class FileList;
class FolderList;
class PathDropEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class MainWindow;

// Enciphers or deciphers the files picked in one folder, under a file password or the masters.
class FileVaultWindow : public QWidget, public VaultView
{
    Q_OBJECT

public:
    FileVaultWindow(AppContext &context, MainWindow &main, QWidget *parent = nullptr);

    QString statusText() const;
    // What a run gets from the window as it stands.
    VaultRun currentRun() const;

    void setStatus(const QString &text) override;
    void setProgress(int value) override;
    void setButtonsEnabled(bool enabled) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildFolderArea();
    QWidget *buildKeyArea();
    QWidget *buildButtons();
    void showDrive(const QString &root);
    void showFolder(const QString &folder);
    void useMastersToggled(bool ticked);
    void addPasswordToggled(bool ticked);
    void showPasswordToggled(bool ticked);
    void createPassword();
    void runEngine(bool encrypt);

    AppContext &m_context;
    MainWindow &m_main;
    DriveList *m_drives = nullptr;
    FolderList *m_folders = nullptr;
    FileList *m_files = nullptr;
    QLineEdit *m_searchSpec = nullptr;
    PathDropEdit *m_password = nullptr;
    QCheckBox *m_useMasters = nullptr;
    QCheckBox *m_addPassword = nullptr;
    QCheckBox *m_showPassword = nullptr;
    QPushButton *m_create = nullptr;
    QPushButton *m_encrypt = nullptr;
    QPushButton *m_decrypt = nullptr;
    QPushButton *m_close = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_panel = nullptr;
    QProgressBar *m_progressBar = nullptr;
    bool m_running = false;
    bool m_closeWanted = false;
};
