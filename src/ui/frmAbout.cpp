#include "ui/frmAbout.h"

#include "ui/QtUi.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmAbout::frmAbout(AppContext &context, QWidget *parent, ExecutableFinder find,
                   ProcessStarter start)
    : QDialog(parent)
    , m_context(context)
    , m_find(find ? std::move(find) : PathExecutableFinder())
    , m_start(start ? std::move(start) : DetachedProcessStarter())
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kAppTitle));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto *title = new QLabel(QString::fromLatin1(kAppTitle), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    title->setFont(big);

    auto *version =
        new QLabel(QStringLiteral("Version ") + QString::fromLatin1(PELLORA_VERSION), this);
    version->setObjectName(QStringLiteral("lblVersion"));

    auto *description = new QLabel(
        QStringLiteral("A password vault for one person: your logins and their passwords, kept "
                       "encrypted under two master passwords, and a file vault that encrypts "
                       "files in place."),
        this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);

    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto *cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);

    auto *text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(description);
    text->addStretch(1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(text, 1);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    cmdOK->setFocus();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSystemInfo(m_context.ui, m_find, m_start);
}

void ShowAbout(frmMain &main)
{
    frmAbout about(main.context(), &main);
    about.exec();
}
