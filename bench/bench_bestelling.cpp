// One order from the click to the registered order, mailed over SMTP to a
// local server that answers at once: the checks against the reference data
// and the previous order, the order file, the mail and the register.
#include "appstate.h"
#include "benchutil.h"
#include "bestelling.h"
#include "defaultstate.h"
#include "instantsmtpserver.h"
#include "programsettings.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zelvora"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    const auto dir = TestSupport::openDefaultState();

    InstantSmtpServer server;
    ProgramSettings::setMailType(0);
    ProgramSettings::setSmtpServerName(server.address());
    QTcpSocket socket;

    BestelRecord order;
    order.relNR = QStringLiteral("R123");
    order.Naam = QStringLiteral("Kwekerij Müller");
    order.Email = QStringLiteral("info@muller.example");
    order.Code = QStringLiteral("2");
    order.Handelaar = QStringLiteral("Voorbeeld Tuinbouwhandel");
    order.Bestel_Email = QStringLiteral("orders@example.net");
    order.Code_Afleveradres = 1;
    order.ProgrammaVersie = QStringLiteral("1.0.0");

    // A recipe of twelve fertilisers over both tanks; every order after the
    // first has a previous one to compare with.
    QList<clsPrintMeststofMeststof> lines;
    for (int i = 0; i < 12; ++i) {
        clsPrintMeststofMeststof m;
        m.Bak = qint16(1 + i % 2);
        m.Nr = qint16(1 + i);
        m.Naam = QStringLiteral("Meststof %1").arg(i);
        m.Hoeveelheid = QStringLiteral("%1.5").arg(25 * i);
        m.Eenheid = QStringLiteral("kg");
        lines << m;
    }
    const BestelAantallen counts{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("2")};

    bool allRegistered = true;
    report("order click to registered order over SMTP (median of 50)",
           medianMs(50,
                    [&] {
                        BestelRecord b = order;
                        allRegistered &= SendOrder(b, lines, counts, &socket).geregistreerd();
                    }),
           "< 300 ms");
    return allRegistered ? 0 : 1;
}
