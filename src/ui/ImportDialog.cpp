#include "ui/ImportDialog.h"

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

ImportDialog::ImportDialog(AppContext &context, std::function<void()> reloadList, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_reloadList(std::move(reloadList))
{
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(QStringLiteral("Import Passwords"));

    auto *intro = new QLabel(QStringLiteral("Enter the Master Passwords for this file"), this);
    intro->setObjectName(QStringLiteral("intro"));
    m_master1 = new QLineEdit(this);
    m_master1->setObjectName(QStringLiteral("master1"));
    m_master1->setAccessibleName(QStringLiteral("Master 1"));
    m_master1->setEchoMode(QLineEdit::Password);
    m_master2 = new QLineEdit(this);
    m_master2->setObjectName(QStringLiteral("master2"));
    m_master2->setAccessibleName(QStringLiteral("Master 2"));
    m_master2->setEchoMode(QLineEdit::Password);
    auto *label1 = new QLabel(QStringLiteral("Master &1"), this);
    label1->setObjectName(QStringLiteral("master1Label"));
    label1->setBuddy(m_master1);
    auto *label2 = new QLabel(QStringLiteral("Master &2"), this);
    label2->setObjectName(QStringLiteral("master2Label"));
    label2->setBuddy(m_master2);
    auto *show = new QCheckBox(QStringLiteral("&Show Passwords"), this);
    show->setObjectName(QStringLiteral("showPassword"));
    connect(show, &QCheckBox::toggled, this, [this](bool shown) {
        const auto mode = shown ? QLineEdit::Normal : QLineEdit::Password;
        m_master1->setEchoMode(mode);
        m_master2->setEchoMode(mode);
    });

    auto *pathLabel = new QLabel(
        QStringLiteral("Enter the full &path and filename of the file to be imported."), this);
    pathLabel->setObjectName(QStringLiteral("pathLabel"));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setAccessibleName(QStringLiteral("File to import"));
    pathLabel->setBuddy(m_path);
    auto *browse = new QPushButton(this);
    browse->setObjectName(QStringLiteral("browseButton"));
    browse->setIcon(QIcon::fromTheme(QStringLiteral("folder-open"),
                                     style()->standardIcon(QStyle::SP_DirOpenIcon)));
    browse->setAutoDefault(false);
    browse->setToolTip(QStringLiteral("Browse"));
    browse->setAccessibleName(QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, &ImportDialog::browse);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &ImportDialog::importFile);
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

void ImportDialog::importFile()
{
    const ImportResult result = ImportCommand(m_context.ui, m_context.state, m_path->text(),
                                              m_master1->text(), m_master2->text(), m_reloadList);
    if (result.closeDialog)
        accept();
}

void ImportDialog::browse()
{
    const QString chosen =
        m_context.ui.openFileName(QString::fromLatin1(TransferFileDialog::Title),
                                  QString::fromLatin1(TransferFileDialog::Filter),
                                  QString::fromLatin1(TransferFileDialog::InitialName));
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}
