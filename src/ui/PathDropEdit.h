#pragma once

#include <QLineEdit>

// A password box masked with "*". Dropped text is not typed in: a drop that carries text takes
// the full path of the first file the drop lists, so a key file's path can serve as a password.
class PathDropEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit PathDropEdit(QWidget *parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
