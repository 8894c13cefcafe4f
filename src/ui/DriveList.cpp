#include "ui/DriveList.h"

#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>

namespace {
QString Caption(const QStorageInfo &volume)
{
    const QString name = volume.name();
    return name.isEmpty() ? volume.rootPath()
                          : volume.rootPath() + QStringLiteral("  [") + name + QLatin1Char(']');
}
} // namespace

DriveList::DriveList(QWidget *parent)
    : QComboBox(parent)
{
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo &a, const QStorageInfo &b) {
        return a.rootPath() < b.rootPath();
    });
    for (const QStorageInfo &volume : volumes)
        addItem(Caption(volume), volume.rootPath());
    connect(this, &QComboBox::currentIndexChanged, this,
            [this] { Q_EMIT driveChosen(currentRoot()); });
}

QString DriveList::currentRoot() const
{
    return currentData().toString();
}

void DriveList::showDriveOf(const QString &path)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(indexOfRoot(QStorageInfo(path).rootPath()));
}

int DriveList::indexOfRoot(const QString &root)
{
    const int found = findData(root);
    if (found >= 0)
        return found;
    // A file system left out of the mounted list still has to be shown as the folder's own.
    addItem(Caption(QStorageInfo(root)), root);
    return count() - 1;
}
