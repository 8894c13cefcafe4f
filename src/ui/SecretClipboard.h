#pragma once

#include <QObject>
#include <QTimer>

class QMimeData;

// The clipboard as Pellora uses it for passwords and logins: what it puts there is marked for
// password managers, cleared after a delay, and cleared at the end only while the clipboard
// still holds it, so nothing the user copied afterwards is lost.
class SecretClipboard : public QObject
{
    Q_OBJECT

public:
    explicit SecretClipboard(QObject *parent = nullptr);

    // Puts the text on the clipboard; it clears itself after that many seconds (0 keeps it).
    // What names the text in reports ("Password", "Login").
    void put(const QString &text, int seconds, const QString &what);
    const QString &what() const { return m_what; }
    // Whether the clipboard still holds what was put there last.
    bool holdsOurs() const;
    // Empties the clipboard when it still holds what was put there; true when it did.
    bool clearIfOurs();
    int secondsLeft() const { return m_secondsLeft; }

Q_SIGNALS:
    // Once a second while the delay runs.
    void countdown(int secondsLeft);
    // The delay ran out; ours tells whether the clipboard still held the text and was emptied.
    void expired(bool ours);

private:
    void tick();

    const QMimeData *m_put = nullptr; // compared, never read: the clipboard may have freed it
    QString m_text;
    QString m_what;
    QTimer m_timer;
    int m_secondsLeft = 0;
};
