#include "instanceguard.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <unistd.h>

InstanceGuard& InstanceGuard::instance()
{
    static InstanceGuard* guard = new InstanceGuard; // lives until the process ends
    return *guard;
}

InstanceGuard::InstanceGuard() : m_name(QString("Zelvora-%1").arg(getuid())) {}

void InstanceGuard::setServerName(const QString& name)
{
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    m_name = name;
}

void InstanceGuard::setActivationHandler(std::function<void()> handler)
{
    m_handler = std::move(handler);
}

bool InstanceGuard::otherInstanceRunning() const
{
    if (m_server && m_server->isListening())
        return false; // this instance is the one listening
    QLocalSocket socket;
    socket.connectToServer(m_name);
    return socket.waitForConnected(500);
}

void InstanceGuard::listen()
{
    if (m_server || otherInstanceRunning())
        return;
    QLocalServer::removeServer(m_name); // a socket left behind by a program that crashed
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        delete m_server;
        m_server = nullptr;
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &InstanceGuard::onNewConnection);
}

void InstanceGuard::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray request = socket->readAll();
            if (request.contains("activate")) {
                if (m_handler)
                    m_handler();
                socket->write("done\n");
                socket->flush();
            }
        });
    }
}

bool InstanceGuard::activateOtherInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write("activate\n");
    if (!socket.waitForBytesWritten(1000))
        return false;
    return socket.waitForReadyRead(5000) && socket.readAll().contains("done");
}

bool CheckPrevInstance(QWidget* window)
{
    InstanceGuard& guard = InstanceGuard::instance();
    if (!guard.otherInstanceRunning())
        return false;
    Beep::sound();
    const QString title = QApplication::applicationName();
    MessageBox::show("Het programma: " + title + " is al gestart!", MsgBox::Information, QString());
    QApplication::setApplicationName(QString());
    if (window)
        window->setWindowTitle(QString());
    guard.activateOtherInstance();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return true;
}
