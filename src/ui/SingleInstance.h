#pragma once

#include <QObject>
#include <functional>

class QLocalServer;

// One Pellora per data folder: the running copy listens on a local socket in the data folder,
// and a second start asks it there to bring its window to the front.
class InstanceServer : public QObject
{
    Q_OBJECT

public:
    // Listens at the path (a socket left behind by a crash is replaced); show runs for each
    // request. isListening() is false when the socket could not be made.
    InstanceServer(const QString &socketPath, std::function<void()> show,
                   QObject *parent = nullptr);
    bool isListening() const;

private:
    void answer();

    QLocalServer *m_server;
    std::function<void()> m_show;
};

// The socket's path for a data folder.
QString InstanceSocketPath(const QString &dataFolder);
// Asks the running copy to show itself; true when it said it did.
bool ShowRunningInstance(const QString &socketPath);
// Brings the application's front window (a dialog that waits for an answer first) to the front.
void RaiseFrontWindow();
