// Sending one order mail, with a typical order file attached, to a local
// server that answers at once: the cost of the exchange itself.
#include "benchutil.h"
#include "bestelbestand.h"
#include "clsgensendmail.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

namespace {

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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zelvora"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QTemporaryDir dir;

    // A recipe of twelve fertilisers over both tanks.
    BestelRecord order;
    order.Datum = 45678.5;
    order.relNR = QStringLiteral("R123");
    order.Naam = QStringLiteral("Kwekerij Müller");
    order.Handelaar = QStringLiteral("Handel BV");
    order.Bestel_Email = QStringLiteral("order@dealer.example");
    order.ProgrammaVersie = QStringLiteral("1.0.0");
    QList<clsPrintMeststofMeststof> lines;
    for (int i = 0; i < 12; ++i) {
        clsPrintMeststofMeststof m;
        m.Bak = qint16(1 + i % 2);
        m.Nr = qint16(10 + i);
        m.Naam = QStringLiteral("Meststof %1").arg(i);
        m.Hoeveelheid = QStringLiteral("%1.5").arg(25 * i);
        m.Eenheid = QStringLiteral("kg");
        m.NO3 = 11.5f;
        m.K = 3.25f;
        lines << m;
    }
    const QString path = dir.filePath(QStringLiteral("R12378754321"));
    if (SchrijfBestelBestand(1, order, lines, path) != 0)
        return 1;

    InstantSmtpServer server;
    QTcpSocket socket;
    clsGenSendmail mail(&socket);
    mail.From_UserName = order.Naam;
    mail.From_Email = QStringLiteral("info@muller.example");
    mail.SMTPservername = server.address();
    bool allSent = true;
    report("send one order mail with its order file (median of 50)",
           medianMs(50,
                    [&] {
                        allSent &= mail.SendMail(order.Handelaar, order.Bestel_Email,
                                                 QStringLiteral("Zelvorabestelling van R123"),
                                                 QStringLiteral("Dit bericht bevat een zelvorabestelling"), QString(),
                                                 path + QStringLiteral(".zv1"));
                    }),
           "< 20 ms");
    return allSent ? 0 : 1;
}
