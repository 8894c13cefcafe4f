#include "master/ResetPasswords.h"

#include "app/Settings.h"
#include "master/MasterPasswords.h"
#include "platform/ClassicError.h"

#include <QFile>

void ResetPasswords(Settings &settings, const QString &loginFile, const QString &logFile)
{
    try {
        settings.saveBytes(Setting::Master1, QByteArray(Master::kNoMasters));
    } catch (const ClassicError &) {
    }
    QFile::remove(loginFile);
    QFile::remove(logFile);
}
