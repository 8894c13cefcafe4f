#pragma once

#include "FakeUi.h"
#include "TempHome.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "ui/AppContext.h"

#include <QtTest>
#include <QtWidgets>
#include <memory>

// A window test's world: its own home folder, a recording Ui, the run's state and settings.
class UiHarness
{
public:
    // With masters, as a finished first run leaves them ("first master", "second master").
    explicit UiHarness(bool masters = false);

    TempHome home;
    FakeUi ui;
    AppState state;
    Settings settings;
    AppContext context{ui, state, settings};

    void setMasters(const QByteArray &first, const QByteArray &second);
    // Adds a live entry through the store; returns its LoginID.
    qint16 addEntry(const QByteArray &login, const QByteArray &description,
                    const QByteArray &password, qint16 expireDays = 0,
                    const QDateTime &start = QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
    QByteArray passwordOf(qint16 loginId);
    QString lastMessage() const { return ui.shown.isEmpty() ? QString() : ui.shown.last().text; }
};

// Shows the window and waits until it has the keyboard.
inline void ShowActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

template <typename T = QWidget> T *Find(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}
