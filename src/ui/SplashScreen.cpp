#include "ui/SplashScreen.h"

#include "ui/QtUi.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

SplashScreen::SplashScreen(int milliseconds, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("splashScreen"));
    setCursor(Qt::WaitCursor);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QString::fromLatin1(kAppTitle), this);
    title->setObjectName(QStringLiteral("productName"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto *version =
        new QLabel(QStringLiteral("Version %1").arg(QLatin1String(PELLORA_VERSION)), this);
    version->setObjectName(QStringLiteral("version"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(version);
    setMinimumSize(360, 200);
    auto *timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("timer"));
    timer->setSingleShot(true);
    // A coarse timer may fire up to 5% early; the main window must not show before its time.
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this] { m_done = true; });
    timer->start(milliseconds);
}
