#pragma once

#include <QTreeWidget>

// The folder list: the chain of folders from the root down to the current folder, and the
// current folder's own subfolders below it. Activating a folder makes it the current one.
class FolderList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // False, and nothing changes, when path is no folder that can be listed.
    bool setPath(const QString &path);

Q_SIGNALS:
    void pathChanged(const QString &path);

private:
    void fill();

    QString m_path;
};
