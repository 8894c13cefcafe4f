#include "app/Recovery.h"

#include "app/DataFolder.h"
#include "app/Settings.h"
#include "app/VaultLock.h"
#include "master/MasterChangeJournal.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"
#include "platform/Ui.h"
#include "transfer/ExportFailure.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The files whose replacement goes through a temporary file beside them.
const char *const kOwnDataFiles[] = {"Pellora.lgn", "Pellora.lgn.new", "Pellora.masters",
                                     "Pellora.log", "Pelloralgn.old",  "Pellora.pending"};
const char *const kOwnSettingsFiles[] = {"Pellora.ini"};

template <size_t N> void removeLeftoversIn(const QString &folder, const char *const (&ownNames)[N])
{
    const QDir dir(folder);
    if (!dir.exists())
        return;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        for (const char *own : ownNames) {
            if (DurableFile::isLeftoverOf(name, QString::fromLatin1(own))) {
                QFile::remove(dir.filePath(name));
                break;
            }
        }
    }
}
} // namespace

void RemoveLeftovers(const QString &dataFolder, const QString &settingsFolder)
{
    removeLeftoversIn(dataFolder, kOwnDataFiles);
    removeLeftoversIn(settingsFolder, kOwnSettingsFiles);
}

void RecoverInterruptedWork(Ui &ui, const QString &dataFolder, Settings &settings)
{
    const QString loginFile = JoinPath(dataFolder, QStringLiteral("Pellora.lgn"));
    try {
        WriteGuard guard(dataFolder);
        MasterChangeJournal::RecoverMasterChange(loginFile, settings);
    } catch (const ClassicError &e) {
        ui.message(QStringLiteral("Pellora could not finish the master password change that was "
                                  "interrupted (") +
                   e.text() +
                   QStringLiteral("). Nothing is lost: it tries again at the next start."));
        return;
    }
    DurableFile::removeNotedLeftovers(ExportNotePath(dataFolder));
    RemoveLeftovers(dataFolder, QFileInfo(settings.path()).absolutePath());
}
