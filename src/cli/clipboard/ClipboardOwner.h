#pragma once

#include <QString>

class QGuiApplication;

// Holds a text on the desktop's clipboard. A clipboard is served by the process that set it,
// so the text stays only while this runs.
class ClipboardOwner
{
public:
    explicit ClipboardOwner(QGuiApplication &app);

    // Sets the text, marked as a secret for clipboard managers that keep a history.
    void put(const QString &text);
    // Serves the clipboard for that long or until an interrupt, then clears it unless something
    // else was copied meanwhile.
    void serveThenClear(int seconds);
    // Serves the clipboard until another program takes it over.
    void serveUntilReplaced();

private:
    QGuiApplication &m_app;
    QString m_text;
};
