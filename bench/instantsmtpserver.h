#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

// Answers every command as a willing server would, in this thread.
class InstantSmtpServer : public QObject {
public:
    InstantSmtpServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* c = m_server.nextPendingConnection();
            connect(c, &QTcpSocket::readyRead, c, [this, c] { read(c); });
            connect(c, &QTcpSocket::disconnected, c, &QObject::deleteLater);
            c->write("220 bench ready\r\n");
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }

private:
    void read(QTcpSocket* c)
    {
        m_buffer += c->readAll();
        qsizetype end;
        while ((end = m_buffer.indexOf("\r\n")) >= 0) {
            const QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            if (m_inData) {
                if (line == ".") {
                    m_inData = false;
                    c->write("250 queued\r\n");
                }
                continue;
            }
            const QByteArray word = line.left(4).toUpper();
            if (word == "DATA") {
                m_inData = true;
                c->write("354 go ahead\r\n");
            } else if (word == "QUIT") {
                c->write("221 bye\r\n");
                c->disconnectFromHost();
            } else {
                c->write("250 ok\r\n");
            }
        }
    }

    QTcpServer m_server;
    QByteArray m_buffer;
    bool m_inData = false;
};
