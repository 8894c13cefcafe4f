#pragma once

#include <QObject>

class QLabel;
class QWidget;

// Shows a warning label while Caps Lock is on, judged from each key typed into the watched
// boxes: the X server reports the lock with the key; elsewhere a letter's case against the
// Shift key tells.
class CapsLockWatch : public QObject
{
    Q_OBJECT

public:
    // The label says "Caps Lock is on." and starts hidden.
    explicit CapsLockWatch(QLabel *warning);
    void watch(QWidget *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_warning;
};
