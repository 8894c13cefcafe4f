#include "ui/frmProgressStatus.h"

#include "ui/RepaintNow.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

frmProgressStatus::frmProgressStatus(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmProgressStatus"));
    setWindowTitle(QStringLiteral("Progress Status"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_panel = new QLabel(m_statusBar);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setTextFormat(Qt::PlainText);
    // A long path is cut at the window's edge instead of widening the window.
    m_panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_statusBar->addWidget(m_panel, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progressBar);
    layout->addWidget(m_statusBar);
    resize(420, sizeHint().height());
}

QString frmProgressStatus::statusText() const
{
    return m_panel->text();
}

int frmProgressStatus::progress() const
{
    return m_progressBar->value();
}

void frmProgressStatus::View::open()
{
    m_window.show();
    m_window.raise();
    RepaintNow();
}

void frmProgressStatus::View::setStatus(const QString &text)
{
    m_window.m_panel->setText(text);
    RepaintNow();
}

void frmProgressStatus::View::setProgress(int value)
{
    m_window.m_progressBar->setValue(value);
    RepaintNow();
}

void frmProgressStatus::View::close()
{
    m_window.close();
}
