#include "clsgensendmail.h"

#include "general.h"
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostInfo>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QUrl>

namespace {

const QString kTcpError = QStringLiteral("TCP Error");
const QString kReplyTimedOut = QStringLiteral("SMTP service error, timed out while waiting for response");
const QString kSendTimedOut = QStringLiteral("SMTP service error, timed out while sending the message.");
const QString kNoInternet = QStringLiteral("Please connect to the internet first!");

// Often enough that the waits notice a time-out promptly; rarely enough that
// a wait costs nothing while the server is slow.
constexpr int kTikMs = 50;

struct Bijlage {
    QString naam;
    QByteArray base64;
};

// A header value on one line: a line break in a name or subject would start
// a header of the sender's choosing.
QString EenRegel(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

bool IsAscii(const QString& s)
{
    for (QChar c : s) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return true;
}

// RFC 2047 encoded words of at most 75 characters, folded onto continuation
// lines; a character's UTF-8 bytes never straddle two words.
QByteArray Woorden(const QString& text)
{
    constexpr int kBytesPerWoord = 45; // 60 Base64 characters
    QByteArray out;
    QByteArray stuk;
    auto afsluiten = [&] {
        if (stuk.isEmpty())
            return;
        if (!out.isEmpty())
            out += "\r\n ";
        out += "=?UTF-8?B?" + stuk.toBase64() + "?=";
        stuk.clear();
    };
    for (char32_t c : text.toUcs4()) {
        const QByteArray utf8 = QString::fromUcs4(&c, 1).toUtf8();
        if (stuk.size() + utf8.size() > kBytesPerWoord)
            afsluiten();
        stuk += utf8;
    }
    afsluiten();
    return out;
}

QByteArray HeaderTekst(const QString& text)
{
    const QString regel = EenRegel(text);
    return IsAscii(regel) ? regel.toLatin1() : Woorden(regel);
}

// A display name as a quoted string, or as encoded words (which must not stand in quotes).
QByteArray Weergavenaam(const QString& name)
{
    const QString regel = EenRegel(name);
    if (!IsAscii(regel))
        return Woorden(regel);
    QByteArray quoted = regel.toLatin1();
    quoted.replace('\\', "\\\\");
    quoted.replace('"', "\\\"");
    return '"' + quoted + '"';
}

QByteArray Datum(const QDateTime& nu)
{
    static const char* const dagen[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char* const maanden[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate d = nu.date();
    const QTime t = nu.time();
    int minuten = nu.offsetFromUtc() / 60;
    const char teken = minuten < 0 ? '-' : '+';
    minuten = qAbs(minuten);
    return QString::asprintf("%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d", dagen[d.dayOfWeek() - 1], d.day(),
                             maanden[d.month() - 1], d.year(), t.hour(), t.minute(), t.second(), teken, minuten / 60,
                             minuten % 60)
        .toLatin1();
}

QByteArray CrLf(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return t.toUtf8();
}

// The server reads a line holding a single "." as the end of the message; a
// line of the message that starts with "." gets a second one, which the
// server takes off again.
void DotStuff(QByteArray& data)
{
    data.replace("\r\n.", "\r\n..");
    if (data.startsWith('.'))
        data.prepend('.');
}

// "host", "host:port", "[v6]" or "[v6]:port"; a bare IPv6 address keeps port 25.
bool LeesServer(const QString& setting, QString& host, quint16& port)
{
    const QString s = setting.trimmed();
    port = 25;
    QString poort;
    if (s.startsWith(QLatin1Char('['))) {
        const qsizetype end = s.indexOf(QLatin1Char(']'));
        if (end < 0)
            return false;
        host = s.mid(1, end - 1);
        const QString rest = s.mid(end + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':')))
                return false;
            poort = rest.mid(1);
        }
    } else if (s.count(QLatin1Char(':')) == 1) {
        host = s.section(QLatin1Char(':'), 0, 0);
        poort = s.section(QLatin1Char(':'), 1);
    } else {
        host = s;
    }
    if (host.isEmpty())
        return false;
    if (poort.isNull())
        return true;
    bool ok = false;
    const uint n = poort.toUInt(&ok);
    if (!ok || n < 1 || n > 65535)
        return false;
    port = quint16(n);
    return true;
}

} // namespace

std::optional<QByteArray> SmtpAdres(const QString& address)
{
    const QString adres = EenRegel(address).trimmed();
    // An ASCII address goes as it was typed: the IDNA form would change its case.
    if (IsAscii(adres))
        return adres.toLatin1();
    const qsizetype at = adres.lastIndexOf(QLatin1Char('@'));
    if (at < 0 || !IsAscii(adres.left(at)))
        return std::nullopt;
    const QByteArray domein = QUrl::toAce(adres.mid(at + 1));
    if (domein.isEmpty())
        return std::nullopt;
    return adres.left(at).toLatin1() + '@' + domein;
}

QByteArray EncodeBase64(const QByteArray& bytes)
{
    static const char kTabel[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    QByteArray out;
    out.reserve(n / 3 * 4 + n / 57 * 2 + 4);
    qsizetype i = 0;
    int groepen = 0;
    for (; i + 3 <= n; i += 3) {
        const quint32 v = (quint32(b[i]) << 16) | (quint32(b[i + 1]) << 8) | b[i + 2];
        out += kTabel[(v >> 18) & 63];
        out += kTabel[(v >> 12) & 63];
        out += kTabel[(v >> 6) & 63];
        out += kTabel[v & 63];
        if (++groepen % 19 == 0)
            out += "\r\n";
    }
    if (n - i == 1) {
        const quint32 v = quint32(b[i]) << 16;
        out += kTabel[(v >> 18) & 63];
        out += kTabel[(v >> 12) & 63];
        out += "==";
    } else if (n - i == 2) {
        const quint32 v = (quint32(b[i]) << 16) | (quint32(b[i + 1]) << 8);
        out += kTabel[(v >> 18) & 63];
        out += kTabel[(v >> 12) & 63];
        out += kTabel[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

struct clsGenSendmail::Bericht {
    QByteArray mailFrom;
    QList<QByteArray> rcptTo;
    QByteArray inhoud; // headers, empty line and body, dot-stuffed
};

clsGenSendmail::clsGenSendmail(QTcpSocket* tcpWinsock, QObject* parent) : QObject(parent), m_socket(tcpWinsock)
{
    m_tik.setInterval(kTikMs);
    if (!m_socket)
        return;
    connect(m_socket, &QTcpSocket::readyRead, this, &clsGenSendmail::TCP_Mail_DataArrival);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &clsGenSendmail::TCP_Mail_SendProgress);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &clsGenSendmail::TCP_Mail_Error);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        m_verbonden = true;
        // The lone "." after the message would otherwise wait for the
        // server's delayed acknowledgement of the message's last packet.
        m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    });
}

void clsGenSendmail::setTimeouts(int replyMs, int sendMs)
{
    m_replyTimeoutMs = replyMs;
    m_sendTimeoutMs = sendMs;
}

void clsGenSendmail::TCP_Mail_DataArrival()
{
    if (m_socket)
        m_buffer += m_socket->readAll();
}

void clsGenSendmail::TCP_Mail_SendProgress(qint64 bytes)
{
    m_verzonden += bytes;
}

void clsGenSendmail::TCP_Mail_Error()
{
    if (!m_socket || m_socketFout)
        return;
    // What arrived just before the connection broke may still hold the reply.
    m_buffer += m_socket->readAll();
    m_socketFout = true;
    const auto fout = m_socket->error();
    if (!m_verbonden &&
        (fout == QAbstractSocket::NetworkError || fout == QAbstractSocket::SocketAddressNotAvailableError))
        m_socketFoutTekst = kNoInternet;
    else
        m_socketFoutTekst = m_socket->errorString();
}

void clsGenSendmail::Afbreken(const QString& fout)
{
    m_afbreken = true;
    m_fout = fout;
    m_foutTitel = kTcpError;
}

void clsGenSendmail::Melden()
{
    if (m_fout == kNoInternet)
        MessageBox::show(m_fout);
    else if (m_foutTitel == kTcpError)
        MessageBox::show(m_fout + QStringLiteral("\r\n"), MsgBox::Critical, m_foutTitel);
    else
        MessageBox::show(m_fout, MsgBox::Critical, m_foutTitel);
}

void clsGenSendmail::Wacht()
{
    // Sleeps until an event comes; the tick timer makes sure one does.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void clsGenSendmail::Zend(const QByteArray& data)
{
    if (!m_socket || m_socketFout)
        return;
    if (m_socket->write(data) < 0) {
        m_socketFout = true;
        m_socketFoutTekst = m_socket->errorString();
    }
}

bool clsGenSendmail::NeemAntwoord(QByteArray& reply)
{
    // A reply is complete with its last line: "250-..." lines announce more,
    // "250 ..." ends it.
    QList<QByteArray> regels;
    qsizetype begin = 0;
    for (;;) {
        const qsizetype eind = m_buffer.indexOf('\n', begin);
        if (eind < 0)
            return false;
        QByteArray regel = m_buffer.mid(begin, eind - begin);
        if (regel.endsWith('\r'))
            regel.chop(1);
        regels << regel;
        begin = eind + 1;
        if (regel.size() < 4 || regel[3] != '-') {
            reply = regels.join("\r\n");
            return true;
        }
    }
}

bool clsGenSendmail::WachtOpAntwoord(const QByteArray& code)
{
    const QDeadlineTimer deadline(m_replyTimeoutMs);
    QByteArray reply;
    while (!NeemAntwoord(reply)) {
        QString fout;
        if (!m_socket)
            fout = QStringLiteral("The network connection was closed.");
        else if (m_socketFout)
            fout = m_socketFoutTekst;
        else if (deadline.hasExpired())
            fout = kReplyTimedOut;
        if (!fout.isEmpty()) {
            m_buffer.clear();
            Afbreken(fout);
            return false;
        }
        Wacht();
    }
    m_buffer.clear();
    if (!reply.startsWith(code)) {
        Afbreken(QStringLiteral("Code should have been: ") + QString::fromLatin1(code) + QStringLiteral("\r\n") +
                 QStringLiteral("Code recieved: ") + QString::fromUtf8(reply));
        return false;
    }
    return true;
}

void clsGenSendmail::WachtOpVerzending()
{
    QElapsedTimer klok;
    klok.start();
    qint64 gezien = m_verzonden;
    while (m_socket && m_socket->bytesToWrite() > 0) {
        if (m_socketFout) {
            Afbreken(m_socketFoutTekst);
            break;
        }
        if (m_verzonden != gezien) {
            gezien = m_verzonden;
            klok.restart();
        } else if (klok.elapsed() >= m_sendTimeoutMs) {
            Afbreken(kSendTimedOut);
            break;
        }
        Wacht();
    }
    m_buffer.clear();
}

bool clsGenSendmail::BouwBericht(Bericht& bericht, const QString& toName, const QString& toEmail,
                                 const QString& subject, const QString& body, const QString& ccEmail,
                                 const QString& attachments)
{
    QList<Bijlage> bijlagen;
    for (const QString& deel : attachments.split(QLatin1Char(','))) {
        const QString pad = deel.trimmed();
        if (pad.isEmpty())
            continue;
        QFile file(pad);
        if (!file.open(QIODevice::ReadOnly)) {
            m_fout = QStringLiteral("The attachment %1 cannot be read: %2").arg(pad, file.errorString());
            m_foutTitel = QStringLiteral("error");
            return false;
        }
        bijlagen.append({EenRegel(GetFileName(pad)).remove(QLatin1Char('"')), EncodeBase64(file.readAll())});
    }

    const std::optional<QByteArray> van = SmtpAdres(From_Email);
    const std::optional<QByteArray> aan = SmtpAdres(toEmail);
    const std::optional<QByteArray> kopie = SmtpAdres(ccEmail);
    // Plain SMTP has no 8-bit addresses: what has no ASCII form is not sent at all.
    if (const QString* adres = !van ? &From_Email : !aan ? &toEmail : !kopie ? &ccEmail : nullptr) {
        m_fout = QStringLiteral("The e-mail address %1 cannot be sent over SMTP: the part before the @ must be ASCII "
                                "and the part after it a host name.")
                     .arg(adres->trimmed());
        m_foutTitel = QStringLiteral("error");
        return false;
    }

    bericht.mailFrom = "MAIL FROM: <" + *van + ">\r\n";
    bericht.rcptTo = {"RCPT TO: <" + *aan + ">\r\n"};
    if (!kopie->isEmpty())
        bericht.rcptTo << "RCPT TO: <" + *kopie + ">\r\n";

    QByteArray kop;
    kop += "FROM: " + Weergavenaam(From_UserName) + " <" + *van + ">\r\n";
    kop +=
        "X-Mailer: " +
        HeaderTekst(QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion()) +
        "\r\n";
    kop += "TO: " + Weergavenaam(toName) + " <" + *aan + ">\r\n";
    kop += "Subject: " + HeaderTekst(subject) + "\r\n";
    kop += "Date: " + Datum(QDateTime::currentDateTime()) + "\r\n";

    // Plain ASCII goes as it is; other text as UTF-8 in Base64, which no
    // server on the way can mangle. Either way its lines end in CR LF, as
    // text in mail must.
    const bool ascii = IsAscii(body);
    QByteArray tekst = ascii ? CrLf(body) : EncodeBase64(CrLf(body));
    if (tekst.endsWith("\r\n"))
        tekst.chop(2);
    const QByteArray tekstType = ascii ? QByteArray("Content-Type: text/plain; charset=\"us-ascii\"\r\n")
                                       : QByteArray("Content-Type: text/plain; charset=\"utf-8\"\r\n"
                                                    "Content-Transfer-Encoding: base64\r\n");

    QByteArray romp;
    if (bijlagen.isEmpty()) {
        if (!ascii)
            kop += "MIME-Version: 1.0\r\n" + tekstType;
        romp = tekst + "\r\n";
    } else {
        const int r = int(QRandomGenerator::global()->generateDouble() * 98712 + 500);
        const QByteArray grens = "================_" + QByteArray::number(r) + "==";
        kop += "MIME-Version: 1.0\r\n";
        kop += "Content-Type: multipart/mixed; boundary=\"" + grens + "\"\r\n";
        romp += "--" + grens + "\r\n" + tekstType + "\r\n" + tekst + "\r\n\r\n";
        for (const Bijlage& b : bijlagen) {
            const QByteArray naam =
                IsAscii(b.naam) ? b.naam.toLatin1() : Woorden(b.naam).replace("\r\n ", QByteArray());
            romp += "--" + grens + "\r\n";
            romp += "Content-Type: application/octet-stream; name=\"" + naam + "\"\r\n";
            romp += "Content-Transfer-Encoding: Base64\r\n";
            romp += "Content-Disposition: attachment; filename=\"" + naam + "\"\r\n";
            romp += "\r\n";
            romp += b.base64;
            if (!b.base64.endsWith("\r\n"))
                romp += "\r\n";
            romp += "\r\n";
        }
        romp += "--" + grens + "--\r\n";
    }
    bericht.inhoud = kop + "\r\n" + romp + "\r\n";
    DotStuff(bericht.inhoud);
    return true;
}

bool clsGenSendmail::Dialoog(const Bericht& bericht)
{
    QString naam = QHostInfo::localHostName().simplified().remove(QLatin1Char(' '));
    if (naam.isEmpty())
        naam = QStringLiteral("localhost");

    if (!WachtOpAntwoord("220"))
        return false;
    Zend("HELO " + naam.toUtf8() + "\r\n");
    if (!WachtOpAntwoord("250"))
        return false;
    Zend(bericht.mailFrom);
    if (!WachtOpAntwoord("250"))
        return false;
    for (const QByteArray& rcpt : bericht.rcptTo) {
        Zend(rcpt);
        if (!WachtOpAntwoord("250"))
            return false;
    }
    Zend("data\r\n");
    if (!WachtOpAntwoord("354"))
        return false;

    // From here the server holds a message: it is always ended and the
    // session closed, whatever went wrong on the way.
    m_verzonden = 0;
    Zend(bericht.inhoud);
    WachtOpVerzending();
    Zend(".\r\n");
    WachtOpAntwoord("250");
    Zend("quit\r\n");
    WachtOpAntwoord("221");
    return !m_afbreken;
}

bool clsGenSendmail::SendMail(const QString& toName, const QString& toEmail, const QString& subject,
                              const QString& body, const QString& ccEmail, const QString& attachments)
{
    m_fout.clear();
    m_afbreken = false;
    m_verbonden = false;
    m_socketFout = false;
    m_socketFoutTekst.clear();
    m_buffer.clear();

    if (!m_socket) {
        Afbreken(QStringLiteral("There is no network connection to send with."));
        Melden();
        return false;
    }
    if (m_socket->state() != QAbstractSocket::UnconnectedState) {
        Afbreken(QStringLiteral("The network connection is still in use by an earlier message; nothing was sent."));
        Melden();
        return false;
    }
    QString host;
    quint16 port = 25;
    if (!LeesServer(SMTPservername, host, port)) {
        Afbreken(QStringLiteral("The SMTP server \"%1\" is not a host name, or a host name followed by \":\" and a "
                                "port from 1 to 65535.")
                     .arg(SMTPservername));
        Melden();
        return false;
    }
    Bericht bericht;
    if (!BouwBericht(bericht, toName, toEmail, subject, body, ccEmail, attachments)) {
        Melden();
        return false;
    }

    m_tik.start();
    m_socket->connectToHost(host, port);
    const bool ok = Dialoog(bericht);
    m_tik.stop();
    if (!ok) {
        if (m_socket)
            m_socket->abort();
        Melden();
        return false;
    }
    m_socket->disconnectFromHost();
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    return true;
}
