#include "app/DataFolder.h"
#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "crypto/CryptoSelfTest.h"
#include "entries/LoginStore.h"
#include "ui/QtUi.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    QtUi ui;
    const QString dataFolder = GetDataFolder();
    const QString loginFile = JoinPath(dataFolder, QStringLiteral("Pellora.lgn"));
    if (CryptoSelfTest(ProgramFolder(), dataFolder) < 2) {
        ui.message(QStringLiteral(
            "Either there is a file missing, or the base cryptographic library is either out of "
            "date or missing. Re-install Pellora, and if you install/update IE4, this will bring "
            "your cryptographic libraries up to date."));
        return 1;
    }
    LoginStore(loginFile, ui).cleanup();
    return 0;
}
