#include "ui/QtUi.h"

#include "app/AppState.h"
#include "filevault/OwnFiles.h"
#include "ui/StartFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QWidget *parentWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QString::fromLatin1(kAppTitle) : title;
}

// The busy pointer must not hide a question from the user.
class NormalPointerWhileAsking
{
public:
    NormalPointerWhileAsking()
    {
        if (QApplication::overrideCursor())
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_pushed = QApplication::overrideCursor() != nullptr;
    }
    ~NormalPointerWhileAsking()
    {
        if (m_pushed)
            QApplication::restoreOverrideCursor();
    }

private:
    bool m_pushed = false;
};
} // namespace

void QtUi::message(const QString &text, const QString &title)
{
    NormalPointerWhileAsking normal;
    QMessageBox::information(parentWindow(), titleOr(title), text, QMessageBox::Ok);
}

bool QtUi::ask(const QString &text, const QString &title)
{
    NormalPointerWhileAsking normal;
    return QMessageBox::question(parentWindow(), titleOr(title), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtUi::askDefaultNo(const QString &text, const QString &title)
{
    NormalPointerWhileAsking normal;
    return QMessageBox::question(parentWindow(), titleOr(title), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString QtUi::prompt(const QString &text, const QString &title)
{
    NormalPointerWhileAsking normal;
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parentWindow(), titleOr(title), text, QLineEdit::Normal, {}, &ok);
    return ok ? answer : QString();
}

QString QtUi::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i];
    return out.join(QLatin1String(";;"));
}

QString QtUi::startName(const QString &initialName)
{
    if (initialName.isEmpty() || initialName.contains(QLatin1Char('*')))
        return StartFolder();
    const QFileInfo given(InStartFolder(initialName));
    // A name in one of the program's own folders keeps its name but not its folder.
    if (OwnFiles(AppState()).contains(given.absolutePath()))
        return QDir(StartFolder()).filePath(given.fileName());
    return given.absoluteFilePath();
}

QString QtUi::openFileName(const QString &title, const QString &filter, const QString &initialName)
{
    NormalPointerWhileAsking normal;
    const QString chosen = QFileDialog::getOpenFileName(parentWindow(), title,
                                                        startName(initialName), qtFilter(filter));
    if (!chosen.isEmpty())
        RememberFolder(QFileInfo(chosen).absolutePath());
    return chosen;
}

QString QtUi::saveFileName(const QString &title, const QString &filter, const QString &initialName,
                           const QString &defaultSuffix)
{
    NormalPointerWhileAsking normal;
    QFileDialog dialog(parentWindow(), title, StartFolder(), qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix.startsWith(QLatin1Char('.')) ? defaultSuffix.mid(1)
                                                                           : defaultSuffix);
    const QString start = startName(initialName);
    if (QFileInfo(start).isDir())
        dialog.setDirectory(start);
    else
        dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    RememberFolder(QFileInfo(chosen).absolutePath());
    return chosen;
}

void QtUi::pushBusy()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUi::popBusy()
{
    QApplication::restoreOverrideCursor();
}
