#pragma once

#include <QtTest>
#include <QtWidgets>
#include <functional>

// How long a scripted answer waits for its window, or for the window it answered to go.
inline constexpr int kModalWaitMs = 5000;

// Fails the running test and hides every modal window, which ends each exec() under it, so a
// broken dialog flow fails in seconds instead of sitting until the test's time-out.
inline void FailAndCloseModals(const QString &why)
{
    QTest::qFail(qPrintable(why), __FILE__, __LINE__);
    for (int guard = 0; guard < 10; ++guard) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        modal->hide();
    }
}

// Calls check every few milliseconds until it returns true; after kModalWaitMs fails with why.
inline void Poll(std::function<bool()> check, const QString &why)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QElapsedTimer waited;
    waited.start();
    QObject::connect(timer, &QTimer::timeout, [timer, check, why, waited] {
        const bool done = check();
        if (!done && waited.elapsed() < kModalWaitMs)
            return;
        timer->stop();
        timer->deleteLater();
        if (!done)
            FailAndCloseModals(why);
    });
    timer->start();
}

// Runs action on the next modal dialog once it is up (the next one of that objectName when one is
// given), so a test can answer an exec()'d window. The window must come, and must go once
// answered (or get a further scripted answer), each within kModalWaitMs.
inline void WhenModal(std::function<void(QWidget *)> action, const QString &objectName = {})
{
    Poll(
        [action, objectName] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !(objectName.isEmpty() || modal->objectName() == objectName))
                return false;
            const int answers = modal->property("scriptedAnswers").toInt() + 1;
            modal->setProperty("scriptedAnswers", answers);
            QPointer<QWidget> answered = modal;
            const QString name = modal->objectName();
            action(modal);
            Poll(
                [answered, answers] {
                    return !answered || !answered->isVisible() ||
                           answered->property("scriptedAnswers").toInt() > answers;
                },
                name + QStringLiteral(" stayed open after its scripted answer"));
            return true;
        },
        QStringLiteral("no %1 came up to take its scripted answer")
            .arg(objectName.isEmpty() ? QStringLiteral("modal dialog") : objectName));
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
