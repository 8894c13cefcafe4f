#pragma once

#include <QComboBox>

// The mounted file systems, each shown by its root path and its name.
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);

    // The root path of the chosen file system.
    QString currentRoot() const;
    // Shows the file system that holds path, without announcing a change.
    void showDriveOf(const QString &path);

Q_SIGNALS:
    // The user or a caller chose another file system.
    void driveChosen(const QString &root);

private:
    int indexOfRoot(const QString &root);
};
