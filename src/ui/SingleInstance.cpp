#include "ui/SingleInstance.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace {
constexpr int kWaitMs = 2000;
const QByteArray kShowRequest = QByteArrayLiteral("show\n");
const QByteArray kShownReply = QByteArrayLiteral("shown\n");
} // namespace

QString InstanceSocketPath(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("Pellora.socket");
}

InstanceServer::InstanceServer(const QString &socketPath, std::function<void()> show,
                               QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
    , m_show(std::move(show))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // The caller holds the vault lock, so a socket already there is a crashed run's.
    QLocalServer::removeServer(socketPath);
    m_server->listen(socketPath);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::answer);
}

bool InstanceServer::isListening() const
{
    return m_server->isListening();
}

void InstanceServer::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kShowRequest) {
                m_show();
                socket->write(kShownReply);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}

bool ShowRunningInstance(const QString &socketPath)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(kWaitMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kWaitMs))
            return false;
    }
    return socket.readLine() == kShownReply;
}

void RaiseFrontWindow()
{
    QWidget *front = QApplication::activeModalWidget();
    if (!front) {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->objectName() == QLatin1String("mainWindow"))
                front = w;
        }
    }
    if (!front)
        return;
    if (front->isMinimized())
        front->showNormal();
    front->raise();
    front->activateWindow();
}
