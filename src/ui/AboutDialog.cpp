#include "ui/AboutDialog.h"

#include "ui/MainWindow.h"
#include "ui/QtUi.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

AboutDialog::AboutDialog(AppContext &context, QWidget *parent, ExecutableFinder find,
                         ProcessStarter start)
    : QDialog(parent)
    , m_context(context)
    , m_find(find ? std::move(find) : PathExecutableFinder())
    , m_start(start ? std::move(start) : DetachedProcessStarter())
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kAppTitle));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto *title = new QLabel(QString::fromLatin1(kAppTitle), this);
    title->setObjectName(QStringLiteral("title"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    title->setFont(big);

    auto *version =
        new QLabel(QStringLiteral("Version ") + QString::fromLatin1(PELLORA_VERSION), this);
    version->setObjectName(QStringLiteral("version"));

    auto *description = new QLabel(
        QStringLiteral("A password vault for one person: your logins and their passwords, kept "
                       "encrypted under two master passwords, and a file vault that encrypts "
                       "files in place."),
        this);
    description->setObjectName(QStringLiteral("description"));
    description->setWordWrap(true);

    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto *systemInfoButton = new QPushButton(QStringLiteral("&System Info..."), this);
    systemInfoButton->setObjectName(QStringLiteral("systemInfoButton"));
    systemInfoButton->setAutoDefault(false);

    auto *text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(description);
    text->addStretch(1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(systemInfoButton);
    buttons->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(text, 1);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutDialog::showSystemInfo);
    okButton->setFocus();
}

void AboutDialog::showSystemInfo()
{
    StartSystemInfo(m_context.ui, m_find, m_start);
}

void ShowAbout(MainWindow &main)
{
    AboutDialog about(main.context(), &main);
    about.exec();
}
