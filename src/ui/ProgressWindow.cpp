#include "ui/ProgressWindow.h"

#include "ui/RepaintNow.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(QStringLiteral("Progress Status"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_panel = new QLabel(m_statusBar);
    m_panel->setObjectName(QStringLiteral("statusPanel"));
    m_panel->setTextFormat(Qt::PlainText);
    // A long path is cut at the window's edge instead of widening the window.
    m_panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_statusBar->addWidget(m_panel, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progressBar);
    layout->addWidget(m_statusBar);
    resize(420, sizeHint().height());
}

QString ProgressWindow::statusText() const
{
    return m_panel->text();
}

int ProgressWindow::progress() const
{
    return m_progressBar->value();
}

void ProgressWindow::View::open()
{
    m_window.show();
    m_window.raise();
    RepaintNow();
}

void ProgressWindow::View::setStatus(const QString &text)
{
    m_window.m_panel->setText(text);
    RepaintNow();
}

void ProgressWindow::View::setProgress(int value)
{
    m_window.m_progressBar->setValue(value);
    RepaintNow();
}

void ProgressWindow::View::close()
{
    m_window.close();
}
