#pragma once

#include "filevault/DropFiles.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QStatusBar;

// The small window that shows how a drop on the list is getting on.
class ProgressWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    QString statusText() const;
    int progress() const;
    // What a drop drives: this window.
    DropView &view() { return m_view; }

private:
    class View : public DropView
    {
    public:
        explicit View(ProgressWindow &window)
            : m_window(window)
        {}
        void open() override;
        void setStatus(const QString &text) override;
        void setProgress(int value) override;
        void close() override;

    private:
        ProgressWindow &m_window;
    };

    QStatusBar *m_statusBar = nullptr;
    QLabel *m_panel = nullptr;
    QProgressBar *m_progressBar = nullptr;
    View m_view{*this};
};
