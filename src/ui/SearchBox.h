#pragma once

#include <QLineEdit>

// The box above the list that filters it as one types. Escape empties it (a second Escape goes
// back to the list), Enter asks to edit the first row shown, Down moves into the list, and the
// copy key with nothing selected in the box copies the selected entry's password.
class SearchBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit SearchBox(QWidget *parent = nullptr);

Q_SIGNALS:
    void editFirstRequested();
    void copyRequested();
    void leaveRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
