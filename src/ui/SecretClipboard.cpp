#include "ui/SecretClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

SecretClipboard::SecretClipboard(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &SecretClipboard::tick);
}

void SecretClipboard::put(const QString &text, int seconds, const QString &what)
{
    m_what = what;
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    auto *data = new QMimeData;
    data->setText(text);
    // Clipboard managers that honour this hint keep the secret out of their history.
    data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    clipboard->setMimeData(data);
    m_put = data;
    m_text = text;
    m_secondsLeft = qMax(seconds, 0);
    if (m_secondsLeft > 0)
        m_timer.start();
    else
        m_timer.stop();
}

bool SecretClipboard::holdsOurs() const
{
    if (!m_put)
        return false;
    // The same object, and the same text in case a later copy was given its address.
    const QMimeData *now = QApplication::clipboard()->mimeData();
    return now == m_put && now->text() == m_text;
}

bool SecretClipboard::clearIfOurs()
{
    m_timer.stop();
    m_secondsLeft = 0;
    const bool ours = holdsOurs();
    if (ours)
        QApplication::clipboard()->clear();
    m_put = nullptr;
    m_text.clear();
    return ours;
}

void SecretClipboard::tick()
{
    if (--m_secondsLeft > 0) {
        if (holdsOurs()) {
            Q_EMIT countdown(m_secondsLeft);
            return;
        }
        // Something else was copied since: nothing is left to clear.
        clearIfOurs();
        Q_EMIT expired(false);
        return;
    }
    Q_EMIT expired(clearIfOurs());
}
