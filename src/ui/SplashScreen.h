#pragma once

#include <QWidget>

// The splash window: the application title, the busy pointer, and a timer whose first tick
// tells start-up the main window may be shown.
class SplashScreen : public QWidget
{
    Q_OBJECT

public:
    explicit SplashScreen(int milliseconds, QWidget *parent = nullptr);
    bool done() const { return m_done; }

private:
    bool m_done = false;
};
