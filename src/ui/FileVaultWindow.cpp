#include "ui/FileVaultWindow.h"

#include "app/AppState.h"
#include "entries/PasswordGenerator.h"
#include "filevault/ProcessFiles.h"
#include "platform/Ansi.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"
#include "ui/MainWindow.h"
#include "ui/PathDropEdit.h"
#include "ui/RepaintNow.h"
#include "ui/StartFolder.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>
#include <utility>

namespace {
QPushButton *MakeButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QCheckBox *MakeCheck(const QString &caption, const QString &name, QWidget *parent)
{
    auto *check = new QCheckBox(caption, parent);
    check->setObjectName(name);
    return check;
}
} // namespace

FileVaultWindow::FileVaultWindow(AppContext &context, MainWindow &main, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_main(main)
{
    setObjectName(QStringLiteral("fileVaultWindow"));
    setWindowTitle(QStringLiteral("File Encryption/Decryption"));
    setWindowIcon(main.windowIcon());

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_panel = new QLabel(QStringLiteral("Status"), m_statusBar);
    m_panel->setObjectName(QStringLiteral("statusPanel"));
    m_panel->setTextFormat(Qt::PlainText);
    // A long path is cut at the window's edge instead of widening the window.
    m_panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_statusBar->addWidget(m_panel, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFolderArea(), 1);
    layout->addWidget(buildKeyArea());
    layout->addWidget(buildButtons());
    layout->addWidget(m_progressBar);
    layout->addWidget(m_statusBar);

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // The load state: the folder last used or the home folder (the program's current folder is
    // its data folder, whose files are never for the vault), every file, and the password to be
    // kept as an entry.
    m_addPassword->setChecked(true);
    m_files->setPattern(m_searchSpec->text());
    if (!m_folders->setPath(StartFolder()))
        m_folders->setPath(QDir::homePath());
    resize(640, 520);
    m_drives->setFocus();
}

QWidget *FileVaultWindow::buildFolderArea()
{
    auto *area = new QWidget(this);
    m_drives = new DriveList(area);
    m_drives->setObjectName(QStringLiteral("driveList"));
    m_drives->setAccessibleName(QStringLiteral("Drive"));
    m_folders = new FolderList(area);
    m_folders->setObjectName(QStringLiteral("folderList"));
    m_folders->setAccessibleName(QStringLiteral("Folder"));
    auto *criteria = new QLabel(QStringLiteral("Selectio&n Criteria:"), area);
    criteria->setObjectName(QStringLiteral("criteria"));
    m_searchSpec = new QLineEdit(QStringLiteral("*.*"), area);
    m_searchSpec->setObjectName(QStringLiteral("fileFilter"));
    criteria->setBuddy(m_searchSpec);
    m_files = new FileList(area);
    m_files->setObjectName(QStringLiteral("fileList"));
    m_files->setAccessibleName(QStringLiteral("Files"));

    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_drives, 0, 0);
    grid->addWidget(m_folders, 1, 0);
    auto *pattern = new QHBoxLayout;
    pattern->addWidget(criteria);
    pattern->addWidget(m_searchSpec, 1);
    grid->addLayout(pattern, 0, 1);
    grid->addWidget(m_files, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    connect(m_drives, &DriveList::driveChosen, this, &FileVaultWindow::showDrive);
    connect(m_folders, &FolderList::pathChanged, this, &FileVaultWindow::showFolder);
    connect(m_searchSpec, &QLineEdit::textChanged, m_files, &FileList::setPattern);
    return area;
}

QWidget *FileVaultWindow::buildKeyArea()
{
    auto *area = new QWidget(this);
    auto *label = new QLabel(QStringLiteral("&Password"), area);
    label->setObjectName(QStringLiteral("passwordLabel"));
    m_password = new PathDropEdit(area);
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setAccessibleName(QStringLiteral("Password"));
    label->setBuddy(m_password);
    m_create = MakeButton(QStringLiteral("C&reate"), QStringLiteral("createButton"), area);
    m_useMasters =
        MakeCheck(QStringLiteral("&Use master passwords"), QStringLiteral("useMasters"), area);
    m_addPassword =
        MakeCheck(QStringLiteral("&Add password to Pellora"), QStringLiteral("addPassword"), area);
    m_showPassword =
        MakeCheck(QStringLiteral("S&how Password"), QStringLiteral("showPassword"), area);

    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_password, 0, 1, 1, 2);
    grid->addWidget(m_create, 0, 3);
    grid->addWidget(m_useMasters, 1, 1);
    grid->addWidget(m_addPassword, 1, 2);
    grid->addWidget(m_showPassword, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    connect(m_useMasters, &QCheckBox::toggled, this, &FileVaultWindow::useMastersToggled);
    connect(m_addPassword, &QCheckBox::toggled, this, &FileVaultWindow::addPasswordToggled);
    connect(m_showPassword, &QCheckBox::toggled, this, &FileVaultWindow::showPasswordToggled);
    connect(m_create, &QPushButton::clicked, this, &FileVaultWindow::createPassword);
    return area;
}

QWidget *FileVaultWindow::buildButtons()
{
    auto *area = new QWidget(this);
    m_encrypt = MakeButton(QStringLiteral("&Encrypt Selected Files"),
                           QStringLiteral("encryptButton"), area);
    m_decrypt = MakeButton(QStringLiteral("&Decrypt Selected Files"),
                           QStringLiteral("decryptButton"), area);
    m_close = MakeButton(QStringLiteral("&Close"), QStringLiteral("closeButton"), area);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_encrypt);
    row->addWidget(m_decrypt);
    row->addStretch(1);
    row->addWidget(m_close);
    connect(m_encrypt, &QPushButton::clicked, this, [this] { runEngine(true); });
    connect(m_decrypt, &QPushButton::clicked, this, [this] { runEngine(false); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    return area;
}

QString FileVaultWindow::statusText() const
{
    return m_panel->text();
}

VaultRun FileVaultWindow::currentRun() const
{
    VaultRun run;
    run.folder = m_files->folder();
    run.files = m_files->names();
    run.password = m_password->text();
    run.useMasterPasswords = m_useMasters->isChecked();
    run.addPassword = m_addPassword->isChecked();
    return run;
}

void FileVaultWindow::setStatus(const QString &text)
{
    m_panel->setText(text);
    RepaintNow();
}

void FileVaultWindow::setProgress(int value)
{
    m_progressBar->setValue(value);
    RepaintNow();
}

void FileVaultWindow::setButtonsEnabled(bool enabled)
{
    m_encrypt->setEnabled(enabled);
    m_decrypt->setEnabled(enabled);
    m_close->setEnabled(enabled);
}

void FileVaultWindow::closeEvent(QCloseEvent *event)
{
    // A run is going on inside this window's own click; it closes once the run is over.
    if (m_running) {
        m_closeWanted = true;
        event->ignore();
        return;
    }
    event->accept();
}

void FileVaultWindow::showDrive(const QString &root)
{
    if (!m_folders->setPath(root))
        m_drives->showDriveOf(m_folders->path());
}

void FileVaultWindow::showFolder(const QString &folder)
{
    RememberFolder(folder);
    m_drives->showDriveOf(folder);
    m_files->setFolder(folder);
}

void FileVaultWindow::useMastersToggled(bool ticked)
{
    if (ticked) {
        m_password->setText(Ansi::toText(m_context.state.entryKey()));
        m_password->setEchoMode(QLineEdit::Password);
        m_password->setEnabled(false);
        m_create->setEnabled(false);
        m_addPassword->setChecked(false);
        m_addPassword->setEnabled(false);
        m_showPassword->setChecked(false);
        m_showPassword->setEnabled(false);
        return;
    }
    m_password->clear();
    m_password->setEnabled(true);
    m_create->setEnabled(true);
    m_addPassword->setEnabled(true);
    m_showPassword->setEnabled(true);
}

void FileVaultWindow::addPasswordToggled(bool ticked)
{
    m_useMasters->setEnabled(!ticked);
}

void FileVaultWindow::showPasswordToggled(bool ticked)
{
    m_password->setEchoMode(ticked ? QLineEdit::Normal : QLineEdit::Password);
}

void FileVaultWindow::createPassword()
{
    m_password->setText(Ansi::toText(GenerateVaultPassword()));
}

void FileVaultWindow::runEngine(bool encrypt)
{
    // A click that waited while the window painted must not start a second run inside this one.
    if (m_running)
        return;
    m_running = true;
    setStatus(QStringLiteral("Please wait, processing...."));
    ProcessFiles(m_context.ui, m_context.state, *this, currentRun(), encrypt,
                 [this] { m_main.loadList(); });
    setStatus(QStringLiteral("Processing finished"));
    m_running = false;
    if (std::exchange(m_closeWanted, false))
        close();
}
