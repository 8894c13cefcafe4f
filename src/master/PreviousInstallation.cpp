#include "master/PreviousInstallation.h"

#include "app/DataFolder.h"
#include "master/MigrationLoad.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFile>

namespace {
QString firstPreviousStore(const QString &programFolder)
{
    const QStringList found =
        QDir(programFolder)
            .entryList({QStringLiteral("*.lgn")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    return found.isEmpty() ? QString() : JoinPath(programFolder, found.first());
}

// An empty folder name means the current directory, which start-up makes the data folder.
bool sameFolder(const QString &a, const QString &b)
{
    const QString ca = QDir(a).canonicalPath();
    return !ca.isEmpty() && ca == QDir(b).canonicalPath();
}

// The copy appears whole under its name or not at all, and stays after a power cut.
bool copyPrivately(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = in.readAll();
    if (content.size() != in.size())
        return false;
    try {
        DurableFile::replace(to, content);
    } catch (const ClassicError &) {
        return false;
    }
    return true;
}
} // namespace

void MigratePreviousInstallation(Ui &ui, const QString &programFolder, const QString &dataFolder,
                                 Settings &settings, EntryStore &store)
{
    // Sharing one folder, the "previous" store would be the current one itself.
    if (sameFolder(programFolder, dataFolder))
        return;
    const QString found = firstPreviousStore(programFolder);
    if (found.isEmpty())
        return;
    if (ui.ask(QString::fromLatin1(kPreviousInstallationQuestion))) {
        const bool loaded = Load(ui, found, settings, store);
        ui.message(QString::fromLatin1(loaded ? kPreviousLoaded : kPreviousLoadFailed));
    }
    const QString moved = JoinPath(dataFolder, QString::fromLatin1(kMovedOldStoreName));
    if (!copyPrivately(found, moved))
        return;
    if (QFile::remove(found))
        ui.message(QStringLiteral("File moved to: ") + moved);
    else
        ui.message(QStringLiteral("File copied to: ") + moved +
                   QStringLiteral(", but it could not be removed from: ") + found);
}
