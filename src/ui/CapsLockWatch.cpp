#include "ui/CapsLockWatch.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>

namespace {
constexpr quint32 kX11LockMask = 0x2;

// True or false when the key tells, nullopt when it does not (a digit, an arrow...).
std::optional<bool> capsLockOn(const QKeyEvent &key)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return (key.nativeModifiers() & kX11LockMask) != 0;
    const QString text = key.text();
    if (text.size() != 1 || !text.at(0).isLetter() || text.at(0).isUpper() == text.at(0).isLower())
        return std::nullopt;
    const bool shift = key.modifiers().testFlag(Qt::ShiftModifier);
    return text.at(0).isUpper() != shift;
}
} // namespace

CapsLockWatch::CapsLockWatch(QLabel *warning)
    : QObject(warning)
    , m_warning(warning)
{
    m_warning->setText(tr("Caps Lock is on."));
    m_warning->setObjectName(QStringLiteral("capsLockWarning"));
    m_warning->hide();
}

void CapsLockWatch::watch(QWidget *box)
{
    box->installEventFilter(this);
}

bool CapsLockWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (const auto on = capsLockOn(*static_cast<QKeyEvent *>(event)))
            m_warning->setVisible(*on);
    }
    return QObject::eventFilter(watched, event);
}
