#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <optional>

class QTcpSocket;

// Sends one e-mail, with files attached, straight to an SMTP server over the
// socket it is given (the main window's tcpWinsock; tests pass their own).
// The exchange runs for its caller from start to end, processing pending
// events while it waits, so the interface stays live: the caller disables
// its window meanwhile.
//
// Every failure is reported to the user once and returned as false: wrong
// reply codes and time-outs in a box titled "TCP Error", a network that cannot
// be reached as "Please connect to the internet first!", anything else (an
// attachment that cannot be read, an address plain SMTP cannot carry) in a
// box titled "error".
class clsGenSendmail : public QObject {
    Q_OBJECT
public:
    // Binds to the socket's events until this object goes; the socket stays the caller's.
    explicit clsGenSendmail(QTcpSocket* tcpWinsock, QObject* parent = nullptr);

    QString From_UserName;
    QString From_Email;
    // The server's host name, or "host:port"; a bare name means port 25.
    // An IPv6 address with a port is written in brackets: "[::1]:2525".
    QString SMTPservername;

    // attachments: file paths separated by ","; ccEmail may be empty.
    // True when the server accepted the message and the exchange ended cleanly.
    bool SendMail(const QString& toName, const QString& toEmail, const QString& subject, const QString& body,
                  const QString& ccEmail, const QString& attachments);

    // How long a reply may take, and how long sending may go without progress.
    void setTimeouts(int replyMs, int sendMs);

    static constexpr int kReplyTimeoutMs = 11000;
    static constexpr int kSendTimeoutMs = 61000;

private slots:
    void TCP_Mail_DataArrival();
    void TCP_Mail_SendProgress(qint64 bytes);
    void TCP_Mail_Error();

private:
    struct Bericht;
    bool BouwBericht(Bericht& bericht, const QString& toName, const QString& toEmail, const QString& subject,
                     const QString& body, const QString& ccEmail, const QString& attachments);
    bool Dialoog(const Bericht& bericht);
    void Zend(const QByteArray& data);
    bool WachtOpAntwoord(const QByteArray& code);
    void WachtOpVerzending();
    bool NeemAntwoord(QByteArray& reply);
    void Afbreken(const QString& fout);
    void Wacht();
    void Melden();

    QPointer<QTcpSocket> m_socket;
    QByteArray m_buffer; // what arrived since the last complete reply
    QString m_fout;      // the latest failure
    QString m_foutTitel; // and the title it is shown under, always as a critical message
    bool m_afbreken = false;
    bool m_verbonden = false;
    bool m_socketFout = false; // the connection failed; every further wait ends at once
    QString m_socketFoutTekst;
    qint64 m_verzonden = 0; // bytes the socket reported written
    int m_replyTimeoutMs = kReplyTimeoutMs;
    int m_sendTimeoutMs = kSendTimeoutMs;
    QTimer m_tik; // wakes the waits, which otherwise sleep until an event comes
};

// An address as plain SMTP (without its SMTPUTF8 extension) carries it: an
// ASCII address as it stands, a domain outside ASCII in its IDNA form
// ("xn--..."). Nothing when there is no such form: a part before the @
// outside ASCII, which only the receiving mail system can interpret, or a
// domain that is no host name.
std::optional<QByteArray> SmtpAdres(const QString& address);

// Base64 of RFC 2045 with CR LF after every 19th full group of three bytes
// (76 characters a line); a final short group continues the current line.
QByteArray EncodeBase64(const QByteArray& bytes);
