#include "ui/SearchBox.h"

#include <QKeyEvent>

SearchBox::SearchBox(QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("searchBox"));
    setClearButtonEnabled(true);
    setPlaceholderText(tr("Search descriptions and logins (Ctrl+F)"));
    setAccessibleName(tr("Search"));
}

void SearchBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (text().isEmpty())
            Q_EMIT leaveRequested();
        else
            clear();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Q_EMIT editFirstRequested();
        return;
    }
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier) {
        Q_EMIT leaveRequested();
        return;
    }
    if (event->matches(QKeySequence::Copy) && !hasSelectedText()) {
        Q_EMIT copyRequested();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
