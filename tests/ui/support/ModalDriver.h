#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

// Runs action on the next modal dialog once it is up (the next one of that objectName when one is
// given), so a test can answer an exec()'d window.
inline void WhenModal(std::function<void(QWidget *)> action, const QString &objectName = {})
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action, objectName] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && (objectName.isEmpty() || modal->objectName() == objectName)) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

inline void Type(QWidget *dialog, const char *name, const QString &text)
{
    auto *edit = dialog->findChild<QLineEdit *>(QString::fromLatin1(name));
    edit->setFocus();
    edit->selectAll();
    edit->insert(text);
}

inline void Click(QWidget *dialog, const char *name)
{
    dialog->findChild<QPushButton *>(QString::fromLatin1(name))->click();
}
