#include "ui/FolderList.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

namespace {
constexpr int kPathRole = Qt::UserRole + 1;

bool Listable(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}
} // namespace

FolderList::FolderList(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        // Later: the list is rebuilt, and the activated item with it, once the view is done.
        const QString chosen = item->data(0, kPathRole).toString();
        QMetaObject::invokeMethod(
            this, [this, chosen] { setPath(chosen); }, Qt::QueuedConnection);
    });
}

bool FolderList::setPath(const QString &path)
{
    const QString wanted = QDir::cleanPath(QDir(path).absolutePath());
    if (path.isEmpty() || !Listable(wanted))
        return false;
    const bool changed = wanted != m_path;
    m_path = wanted;
    fill();
    if (changed)
        Q_EMIT pathChanged(m_path);
    return true;
}

void FolderList::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto *current = new QTreeWidgetItem(this, {QStringLiteral("/")});
    current->setData(0, kPathRole, QStringLiteral("/"));
    current->setIcon(0, open);
    QString walked;
    for (const QString &part : m_path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked += QLatin1Char('/') + part;
        current->setExpanded(true);
        current = new QTreeWidgetItem(current, {part});
        current->setData(0, kPathRole, walked);
        current->setIcon(0, open);
    }
    const QFileInfoList subfolders = QDir(m_path).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QFileInfo &folder : subfolders) {
        auto *item = new QTreeWidgetItem(current, {folder.fileName()});
        item->setData(0, kPathRole, folder.absoluteFilePath());
        item->setIcon(0, closed);
    }
    current->setExpanded(true);
    setCurrentItem(current);
    scrollToItem(current);
}
