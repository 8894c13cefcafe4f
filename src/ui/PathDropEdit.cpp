#include "ui/PathDropEdit.h"

#include <QDropEvent>
#include <QMimeData>

namespace {
// Text offers only a copy; anything else is left to what the source offers, and changes nothing.
void OfferCopyForText(QDropEvent *event)
{
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
} // namespace

PathDropEdit::PathDropEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42 }"));
}

void PathDropEdit::dragEnterEvent(QDragEnterEvent *event)
{
    OfferCopyForText(event);
}

void PathDropEdit::dragMoveEvent(QDragMoveEvent *event)
{
    OfferCopyForText(event);
}

void PathDropEdit::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!data->hasText()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile()) {
            setText(url.toLocalFile());
            return;
        }
    }
}
