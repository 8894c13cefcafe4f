#pragma once

#include <QList>
#include <QListWidget>
#include <QPair>

// The files of one folder whose names match a pattern, in name order, several selectable.
class FileList : public QListWidget
{
    Q_OBJECT

public:
    explicit FileList(QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    void setFolder(const QString &folder);
    void setPattern(const QString &pattern);
    // Every listed name in list order, with whether it is selected.
    QList<QPair<QString, bool>> names() const;

private:
    void fill();

    QString m_folder;
    QString m_pattern;
};
