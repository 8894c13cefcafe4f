#include "master/ResetPasswords.h"

#include "app/Settings.h"
#include "master/MasterPasswords.h"
#include "platform/VbError.h"

#include <QFile>

void ResetPasswords(Settings &settings, const QString &loginFile, const QString &logFile)
{
    try {
        settings.saveBytes(Setting::Master1, QByteArray(Master::kNoMasters));
    } catch (const VbError &) {
    }
    QFile::remove(loginFile);
    QFile::remove(logFile);
}
