#include "ui/frmImportFile.h"

#include "app/AppState.h"
#include "platform/Ui.h"
#include "transfer/TransferImport.h"
#include "ui/TransferFileDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmImportFile::frmImportFile(AppContext &context, std::function<void()> reloadList, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_reloadList(std::move(reloadList))
{
    setObjectName(QStringLiteral("frmImportFile"));
    setWindowTitle(QStringLiteral("Import Passwords"));

    auto *intro = new QLabel(QStringLiteral("Enter the Master Passwords for this file"), this);
    intro->setObjectName(QStringLiteral("Label1"));
    m_master1 = new QLineEdit(this);
    m_master1->setObjectName(QStringLiteral("Text1"));
    m_master1->setAccessibleName(QStringLiteral("Master 1"));
    m_master1->setEchoMode(QLineEdit::Password);
    m_master2 = new QLineEdit(this);
    m_master2->setObjectName(QStringLiteral("Text2"));
    m_master2->setAccessibleName(QStringLiteral("Master 2"));
    m_master2->setEchoMode(QLineEdit::Password);
    auto *label1 = new QLabel(QStringLiteral("Master &1"), this);
    label1->setObjectName(QStringLiteral("Label2"));
    label1->setBuddy(m_master1);
    auto *label2 = new QLabel(QStringLiteral("Master &2"), this);
    label2->setObjectName(QStringLiteral("Label3"));
    label2->setBuddy(m_master2);
    auto *show = new QCheckBox(QStringLiteral("&Show Passwords"), this);
    show->setObjectName(QStringLiteral("Check1"));
    connect(show, &QCheckBox::toggled, this, [this](bool shown) {
        const auto mode = shown ? QLineEdit::Normal : QLineEdit::Password;
        m_master1->setEchoMode(mode);
        m_master2->setEchoMode(mode);
    });

    auto *pathLabel = new QLabel(
        QStringLiteral("Enter the full &path and filename of the file to be imported."), this);
    pathLabel->setObjectName(QStringLiteral("Label4"));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("Text3"));
    m_path->setAccessibleName(QStringLiteral("File to import"));
    pathLabel->setBuddy(m_path);
    auto *browse = new QPushButton(this);
    browse->setObjectName(QStringLiteral("Command3"));
    browse->setIcon(QIcon::fromTheme(QStringLiteral("folder-open"),
                                     style()->standardIcon(QStyle::SP_DirOpenIcon)));
    browse->setAutoDefault(false);
    browse->setToolTip(QStringLiteral("Browse"));
    browse->setAccessibleName(QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, &frmImportFile::Command3_Click);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(ok, &QPushButton::clicked, this, &frmImportFile::Command1_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *masters = new QGridLayout;
    masters->addWidget(label1, 0, 0);
    masters->addWidget(m_master1, 0, 1);
    masters->addWidget(label2, 1, 0);
    masters->addWidget(m_master2, 1, 1);
    masters->addWidget(show, 2, 1);
    auto *file = new QHBoxLayout;
    file->addWidget(m_path, 1);
    file->addWidget(browse);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(masters);
    layout->addWidget(pathLabel);
    layout->addLayout(file);
    layout->addWidget(buttons);

    m_master1->setFocus();
}

void frmImportFile::Command1_Click()
{
    const ImportResult result = ImportCommand(m_context.ui, m_context.state, m_path->text(),
                                              m_master1->text(), m_master2->text(), m_reloadList);
    if (result.closeDialog)
        accept();
}

void frmImportFile::Command3_Click()
{
    const QString chosen =
        m_context.ui.openFileName(QString::fromLatin1(TransferFileDialog::Title),
                                  QString::fromLatin1(TransferFileDialog::Filter),
                                  QString::fromLatin1(TransferFileDialog::InitialName));
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}
