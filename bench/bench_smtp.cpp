// Sending one order mail, with a typical order file attached, to a local
// server that answers at once: the cost of the exchange itself.
#include "benchutil.h"
#include "bestelbestand.h"
#include "clsgensendmail.h"
#include "instantsmtpserver.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTemporaryDir>

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
