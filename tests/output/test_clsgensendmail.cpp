// The SMTP client against a scripted server on 127.0.0.1.
#include "clsgensendmail.h"
#include "smtpserver.h"
#include "testdatabases.h"
#include "ui/dialogs.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Received {
    QList<QByteArray> headers;
    QByteArray body;
};

Received split(const QByteArray& data)
{
    const qsizetype end = data.indexOf("\r\n\r\n");
    return {data.left(end).split('\n'), data.mid(end + 4)};
}

QByteArray header(const Received& r, const QByteArray& name)
{
    for (const QByteArray& line : r.headers) {
        if (line.startsWith(name + ": "))
            return line.mid(name.size() + 2).trimmed();
    }
    return {};
}

} // namespace

class TestClsGenSendmail : public QObject {
    Q_OBJECT

    std::unique_ptr<QTcpSocket> m_socket;
    std::unique_ptr<clsGenSendmail> m_mail;

    clsGenSendmail& client(const ScriptedSmtpServer& server)
    {
        m_socket = std::make_unique<QTcpSocket>();
        m_mail = std::make_unique<clsGenSendmail>(m_socket.get());
        m_mail->From_UserName = QStringLiteral("Kwekerij Müller");
        m_mail->From_Email = QStringLiteral("info@muller.example");
        m_mail->SMTPservername = server.address();
        return *m_mail;
    }

    static bool sendOrder(clsGenSendmail& mail, const QString& body = QStringLiteral("Dit bericht"),
                          const QString& cc = {}, const QString& attachments = {})
    {
        return mail.SendMail(QStringLiteral("Handel BV"), QStringLiteral("order@dealer.example"),
                             QStringLiteral("Zelvorabestelling van R123"), body, cc, attachments);
    }

    static QString shown() { return MessageBox::shown().size() == 1 ? MessageBox::last().text : QString(); }

private slots:
    void init()
    {
        TestSupport::scriptDialogs();
        QCoreApplication::setApplicationName(QStringLiteral("ZelvoraTest"));
        QCoreApplication::setApplicationVersion(QStringLiteral("2.1.14"));
    }

    void base64FollowsRfc2045WithLinesOf76_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("base64");
        QTest::newRow("two bytes") << QByteArray("Ma") << QByteArray("TWE=");
        const QByteArray line = QByteArray("YWFh").repeated(19);
        QTest::newRow("57 bytes end their line") << QByteArray(57, 'a') << line + "\r\n";
        QTest::newRow("58 bytes go on") << QByteArray(58, 'a') << line + "\r\nYQ==";
    }
    void base64FollowsRfc2045WithLinesOf76()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, base64);
        QCOMPARE(EncodeBase64(bytes), base64);
    }

    // Lines of the text that start with a dot are stuffed, so that the lone
    // dot does not end the message; the socket then sends the next mail.
    void wholeMailWithAttachmentArrives()
    {
        QTemporaryDir dir;
        QByteArray bytes;
        for (int i = 0; i < 1000; ++i)
            bytes += char((i * 37) % 256); // every byte value, CR, LF and "." among them
        QFile file(dir.filePath(QStringLiteral("R12345678901.zv1")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();

        ScriptedSmtpServer server;
        QVERIFY(sendOrder(client(server), QStringLiteral(".first\n.\n..two\rlast"),
                          QStringLiteral("copy@dealer.example"), file.fileName()));
        QCOMPARE(MessageBox::shown().size(), 0);
        QCOMPARE(m_socket->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(server.commands.value(0).startsWith("HELO "));
        QCOMPARE(server.commands.mid(1),
                 (QList<QByteArray>{"MAIL FROM: <info@muller.example>", "RCPT TO: <order@dealer.example>",
                                    "RCPT TO: <copy@dealer.example>", "data", ".", "quit"}));

        const Received r = split(server.data);
        QList<QByteArray> names;
        for (const QByteArray& line : r.headers)
            names << line.left(line.indexOf(':'));
        QCOMPARE(names,
                 (QList<QByteArray>{"FROM", "X-Mailer", "TO", "Subject", "Date", "MIME-Version", "Content-Type"}));
        QCOMPARE(header(r, "FROM"),
                 "=?UTF-8?B?" + QStringLiteral("Kwekerij Müller").toUtf8().toBase64() + "?= <info@muller.example>");
        QCOMPARE(header(r, "X-Mailer"), QByteArray("ZelvoraTest 2.1.14"));
        QCOMPARE(header(r, "TO"), QByteArray("\"Handel BV\" <order@dealer.example>"));
        QVERIFY(QDateTime::fromString(QString::fromLatin1(header(r, "Date")), Qt::RFC2822Date).isValid());
        const QByteArray type = header(r, "Content-Type");
        QVERIFY(type.startsWith("multipart/mixed; boundary=\"================_") && type.endsWith("==\""));
        const QByteArray boundary = "--" + type.mid(type.indexOf('"') + 1).chopped(1);

        const QByteArray attachmentHead = boundary + "\r\nContent-Type: application/octet-stream; "
                                                     "name=\"R12345678901.zv1\"\r\n"
                                                     "Content-Transfer-Encoding: Base64\r\n"
                                                     "Content-Disposition: attachment; filename=\"R12345678901.zv1\""
                                                     "\r\n\r\n";
        QCOMPARE(r.body.left(r.body.indexOf(attachmentHead)),
                 boundary + "\r\nContent-Type: text/plain; charset=\"us-ascii\"\r\n\r\n"
                            "..first\r\n..\r\n...two\r\nlast\r\n\r\n");
        const qsizetype from = r.body.indexOf(attachmentHead) + attachmentHead.size();
        const QByteArray base64 = r.body.mid(from, r.body.indexOf("\r\n\r\n", from) - from);
        for (const QByteArray& line : base64.split('\n'))
            QVERIFY(line.size() <= 77); // 76 and the CR
        QCOMPARE(QByteArray::fromBase64(QByteArray(base64).replace("\r\n", "")), bytes);
        QVERIFY(r.body.endsWith(boundary + "--\r\n\r\n"));

        QVERIFY(sendOrder(*m_mail));
        QCOMPARE(server.connections, 2);
    }

    void headersStayOnTheirLineAndTextOutsideAsciiIsEncoded()
    {
        ScriptedSmtpServer server;
        clsGenSendmail& mail = client(server);
        mail.From_UserName = QStringLiteral("De \"Kas\"\r\nBcc: spy@example");
        const QString body = QStringLiteral("Groeten van Müller\nÆble € 5");
        QVERIFY(mail.SendMail(QStringLiteral("Handel\nX-Evil: 1"), QStringLiteral("order@dealer.example"),
                              QStringLiteral("Bestelling é\r\nBcc: spy@example"), body, QString(), QString()));
        QCOMPARE(server.commands.size(), 6); // a single RCPT TO without a copy address
        const Received r = split(server.data);
        QCOMPARE(header(r, "FROM"), QByteArray("\"De \\\"Kas\\\" Bcc: spy@example\" <info@muller.example>"));
        QCOMPARE(header(r, "TO"), QByteArray("\"Handel X-Evil: 1\" <order@dealer.example>"));
        QCOMPARE(header(r, "Subject"),
                 "=?UTF-8?B?" + QStringLiteral("Bestelling é Bcc: spy@example").toUtf8().toBase64() + "?=");
        QCOMPARE(header(r, "Content-Type"), QByteArray("text/plain; charset=\"utf-8\""));
        QCOMPARE(header(r, "Content-Transfer-Encoding"), QByteArray("base64"));
        QCOMPARE(QByteArray::fromBase64(r.body), QByteArray(body.toUtf8()).replace("\n", "\r\n"));
    }

    // Plain SMTP has no 8-bit addresses: a domain outside ASCII goes in its
    // IDNA form, on the envelope and in the headers alike.
    void domainOutsideAsciiGoesOutInItsIdnaForm()
    {
        ScriptedSmtpServer server;
        clsGenSendmail& mail = client(server);
        mail.From_Email = QStringLiteral("info@brüggemann.test");
        QVERIFY(mail.SendMail(QStringLiteral("Händler"), QStringLiteral("bestel@händler.test"),
                              QStringLiteral("Zelvorabestelling van R123"), QStringLiteral("Dit bericht"),
                              QStringLiteral("kopie@BRÜGGEMANN.test"), QString()));
        QCOMPARE(server.commands.mid(1),
                 (QList<QByteArray>{"MAIL FROM: <info@xn--brggemann-r9a.test>", "RCPT TO: <bestel@xn--hndler-bua.test>",
                                    "RCPT TO: <kopie@xn--brggemann-r9a.test>", "data", ".", "quit"}));
        const Received r = split(server.data);
        QVERIFY(header(r, "FROM").endsWith(" <info@xn--brggemann-r9a.test>"));
        QVERIFY(header(r, "TO").endsWith(" <bestel@xn--hndler-bua.test>"));
        for (const QByteArray& sent : server.commands + QList<QByteArray>{server.data}) {
            for (char c : sent)
                QVERIFY2(uchar(c) < 0x80, sent.constData());
        }
    }

    void repliesArriveAsWholeLines_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("greeting of several lines") << QByteArray() << QByteArray("220-smtp.test\r\n|220 ready\r\n");
        QTest::newRow("split inside the code") << QByteArray("HELO") << QByteArray("2|50 smtp.test\r\n");
        QTest::newRow("line end on its own") << QByteArray("MAIL") << QByteArray("250 ok|\r\n");
    }
    void repliesArriveAsWholeLines()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        ScriptedSmtpServer server;
        (command.isEmpty() ? server.greeting : server.replies[command]) = reply;
        QVERIFY(sendOrder(client(server)));
        QVERIFY(!server.spokeOutOfTurn);
        QVERIFY(!server.commands.isEmpty());
        QCOMPARE(server.commands.last(), QByteArray("quit"));
    }

    void wrongReplyToHeloEndsTheExchange()
    {
        ScriptedSmtpServer server;
        server.replies["HELO"] = "421 smtp.test closing\r\n";
        QVERIFY(!sendOrder(client(server)));
        QCOMPARE(server.commands.size(), 1);
        QCOMPARE(m_socket->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(shown(), QStringLiteral("Code should have been: 250\r\nCode recieved: 421 smtp.test closing\r\n"));
        QCOMPARE(MessageBox::last().title, QStringLiteral("TCP Error"));
        QCOMPARE(MessageBox::last().style, int(MsgBox::Critical));
    }

    void refusedMessageStillEndsTheSession_data()
    {
        QTest::addColumn<QByteArray>("quitReply");
        QTest::addColumn<QString>("message");
        QTest::newRow("quit accepted") << QByteArray("221 bye\r\n")
                                       << QStringLiteral("Code should have been: 250\r\nCode recieved: 554 no\r\n");
        QTest::newRow("quit refused too")
            << QByteArray("500 what\r\n")
            << QStringLiteral("Code should have been: 221\r\nCode recieved: 500 what\r\n");
    }
    void refusedMessageStillEndsTheSession()
    {
        QFETCH(QByteArray, quitReply);
        QFETCH(QString, message);
        ScriptedSmtpServer server;
        server.replies["."] = "554 no\r\n";
        server.replies["QUIT"] = quitReply;
        QVERIFY(!sendOrder(client(server)));
        QVERIFY(!server.commands.isEmpty());
        QCOMPARE(server.commands.last(), QByteArray("quit"));
        QCOMPARE(shown(), message);
    }

    void silentServerTimesOut()
    {
        ScriptedSmtpServer server;
        server.silent = true;
        clsGenSendmail& mail = client(server);
        mail.setTimeouts(300, 300);
        QVERIFY(!sendOrder(mail));
        QCOMPARE(server.connections, 1);
        QCOMPARE(shown(), QStringLiteral("SMTP service error, timed out while waiting for response\r\n"));
    }

    void refusedConnectionFailsAtOnce()
    {
        QTcpServer nobody;
        QVERIFY(nobody.listen(QHostAddress::LocalHost, 0));
        const quint16 port = nobody.serverPort();
        nobody.close();

        ScriptedSmtpServer unused;
        clsGenSendmail& mail = client(unused);
        mail.SMTPservername = QStringLiteral("127.0.0.1:%1").arg(port);
        mail.setTimeouts(120000, 120000); // a failure found only by waiting would show the time-out
        QVERIFY(!sendOrder(mail));
        QVERIFY2(shown().contains(QStringLiteral("refused"), Qt::CaseInsensitive), qPrintable(shown()));
        QCOMPARE(MessageBox::last().title, QStringLiteral("TCP Error"));
    }

    void mailThatCannotBeBuiltConnectsNowhere_data()
    {
        QTest::addColumn<QString>("serverName");
        QTest::addColumn<QString>("attachment");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("title");
        QTest::newRow("port out of range")
            << QStringLiteral("127.0.0.1:70000") << QString() << QString() << QStringLiteral("TCP Error");
        QTest::newRow("unclosed IPv6 bracket")
            << QStringLiteral("[::1:25") << QString() << QString() << QStringLiteral("TCP Error");
        QTest::newRow("attachment that is not there")
            << QString() << QStringLiteral("/nonexistent/R123.zv1") << QString() << QStringLiteral("error");
        QTest::newRow("sender outside ASCII before the @")
            << QString() << QString() << QStringLiteral("müller@example.test") << QStringLiteral("error");
    }
    void mailThatCannotBeBuiltConnectsNowhere()
    {
        QFETCH(QString, serverName);
        QFETCH(QString, attachment);
        QFETCH(QString, sender);
        QFETCH(QString, title);
        ScriptedSmtpServer server;
        clsGenSendmail& mail = client(server);
        if (!serverName.isEmpty())
            mail.SMTPservername = serverName;
        if (!sender.isEmpty())
            mail.From_Email = sender;
        QVERIFY(!sendOrder(mail, QStringLiteral("Dit bericht"), QString(), attachment));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().title, title);
        QCOMPARE(MessageBox::last().style, int(MsgBox::Critical));
        QCoreApplication::processEvents();
        QCOMPARE(server.connections, 0);
        QCOMPARE(m_socket->state(), QAbstractSocket::UnconnectedState);
    }

    void busyConnectionIsAFailure()
    {
        ScriptedSmtpServer server;
        clsGenSendmail& mail = client(server);
        m_socket->connectToHost(QHostAddress::LocalHost, server.address().section(':', 1).toUShort());
        QVERIFY(m_socket->waitForConnected(5000));
        QVERIFY(!sendOrder(mail));
        QCOMPARE(MessageBox::last().title, QStringLiteral("TCP Error"));
        QVERIFY(server.commands.isEmpty());
    }
};

QTEST_MAIN(TestClsGenSendmail)
#include "test_clsgensendmail.moc"
