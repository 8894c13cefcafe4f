#include "ui/AppIdentity.h"

#include "ui/QtUi.h"

#include <QApplication>
#include <QIcon>

QIcon ApplicationIcon()
{
    // The resources live in a static library: nothing else would pull them into the program.
    Q_INIT_RESOURCE(pellora);
    QIcon bundled;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        bundled.addFile(QStringLiteral(":/icons/pellora-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QLatin1String(kDesktopFileId), bundled);
}

void SetApplicationIdentity()
{
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    QApplication::setOrganizationName(QStringLiteral("Brantwick"));
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileId));
    QApplication::setWindowIcon(ApplicationIcon());
}
