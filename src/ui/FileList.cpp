#include "ui/FileList.h"

#include "ui/FilePattern.h"

#include <QDir>

FileList::FileList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
}

void FileList::setFolder(const QString &folder)
{
    m_folder = folder;
    fill();
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    fill();
}

QList<QPair<QString, bool>> FileList::names() const
{
    QList<QPair<QString, bool>> out;
    out.reserve(count());
    for (int i = 0; i < count(); ++i)
        out.append({item(i)->text(), item(i)->isSelected()});
    return out;
}

void FileList::fill()
{
    clear();
    if (m_folder.isEmpty())
        return;
    const FilePattern pattern(m_pattern);
    const QStringList files =
        QDir(m_folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    QStringList shown;
    for (const QString &name : files) {
        if (pattern.matches(name))
            shown << name;
    }
    addItems(shown);
}
