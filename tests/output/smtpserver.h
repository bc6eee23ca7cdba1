#pragma once

#include <QHash>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// An SMTP server on 127.0.0.1 answering from a script, in the test's thread
// (the client's waits run its events). A reply holding "|" goes out in pieces
// 50 ms apart, so the client sees it arrive in several packets.
class ScriptedSmtpServer : public QObject {
public:
    ScriptedSmtpServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            ++connections;
            connect(m_client, &QTcpSocket::readyRead, this, &ScriptedSmtpServer::read);
            if (!silent)
                send(greeting);
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    // A silent server speaks after all: the greeting, then the script.
    void greet()
    {
        if (m_client)
            send(greeting);
    }

    QByteArray greeting = "220 smtp.test ready\r\n";
    QHash<QByteArray, QByteArray> replies{{"HELO", "250 smtp.test\r\n"}, {"MAIL", "250 ok\r\n"},
                                          {"RCPT", "250 ok\r\n"},        {"DATA", "354 go ahead\r\n"},
                                          {".", "250 queued\r\n"},       {"QUIT", "221 bye\r\n"}};
    bool silent = false;

    QList<QByteArray> commands; // without CR LF
    QByteArray data;            // the message as received, still dot-stuffed
    int connections = 0;
    bool spokeOutOfTurn = false; // a command came while a reply was on its way

private:
    void send(const QByteArray& reply)
    {
        const QList<QByteArray> parts = reply.split('|');
        m_replying = true;
        for (int i = 0; i < parts.size(); ++i) {
            QTimer::singleShot(50 * i, this, [this, part = parts[i], last = i == parts.size() - 1] {
                if (m_client) {
                    m_client->write(part);
                    m_client->flush();
                }
                m_replying = !last;
            });
        }
    }

    void read()
    {
        m_buffer += m_client->readAll();
        for (qsizetype end; (end = m_buffer.indexOf("\r\n")) >= 0;) {
            const QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            if (m_inData && line != ".") {
                data += line + "\r\n";
                continue;
            }
            m_inData = false;
            commands << line;
            spokeOutOfTurn |= m_replying;
            const QByteArray word = line.split(' ').first().split(':').first().toUpper();
            const QByteArray reply = replies.value(word, "500 unknown command\r\n");
            m_inData = word == "DATA" && reply.startsWith("354");
            send(reply);
        }
    }

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_buffer;
    bool m_inData = false;
    bool m_replying = false;
};
