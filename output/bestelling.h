#pragma once

#include "bestelrecord.h"
#include "clsprintmeststofmeststof.h"
#include "mailhandoff.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

class QTcpSocket;

// The order pipeline: turns the stock-tank recipe into an order to the
// grower's dealer. The order button of the mail and print window calls
// SendOrder and shows what it returns:
//
//     BestelAantallen aantallen{txtMP[300]->text(), txtMP[301]->text(), txtMP[302]->text()};
//     bestel.ZakGrootte = ...; bestel.Concentratie_berek = ...;   // the two settings
//     setEnabled(false);
//     const BestelUitslag u = SendOrder(bestel, PrintMeststof, aantallen, main->tcpWinsock);
//     setEnabled(true);
//     if (u.geregistreerd()) { empty the three count boxes; store AdviesAanpassing when its Vlag is 1; }
//     MessageBox::show(u.melding, u.stijl);
//
// The window keeps its count boxes filled on any other result, so that the
// user can correct them and order again.

// The three order counts as typed on the order form: the number of fills of
// tank A and of tank B, and C (2, 3 or 4). Empty counts as 0.
struct BestelAantallen {
    QString A;
    QString B;
    QString C;
};

struct BestelUitslag {
    // 0 when the order was mailed (or, for a MailType that sends no mail,
    // not mailed) and registered; otherwise the step that failed: 1 a
    // fertiliser unknown to the reference data, 2 the checks, 3 the margin
    // question answered No, 4 the order file, 5 the mail, 6 the register
    // after the mail had left.
    qint16 stap = 0;
    bool gemaild = false; // the mail left (from the desktop's mail program: as the grower confirmed)
    QString melding;      // the closing message the window shows
    int stijl = 0;        // its MessageBox icon
    bool geregistreerd() const { return stap == 0; }
};

// Runs the order's steps in order and stops at the first that fails. The
// call is the order click: it stamps bestel.Datum with the time of the call,
// and the order number, the order file and its date line all take that one
// time. It also fills the counts and, with the /GeenBestelling switch, the
// test dealer into bestel, and writes Bestelnummer, which stays set when a
// later step fails. The steps show their own messages on the way (the
// checks, the margin question, the SMTP client's "TCP Error"); the closing
// message is left to the caller. tcpWinsock is the main window's socket
// (frmMain::tcpWinsock); only the built-in SMTP client (MailType 0) uses it.
// The SMTP client, and the hand-off to the desktop's mail program for its
// first seconds, process pending events while they wait, so the caller
// disables its window for the call.
BestelUitslag SendOrder(BestelRecord& bestel, QList<clsPrintMeststofMeststof>& lijnen, const BestelAantallen& aantallen,
                        QTcpSocket* tcpWinsock);

// The steps, each 0 on success and 1 on failure.

// Copies each line's MixoraStatus from the reference data; fails when a
// fertiliser is not there.
qint16 CheckMeststofStatus(QList<clsPrintMeststofMeststof>& lijnen);

// Reads the counts into bestel and checks the order: nothing that would
// corrupt the order file, with MailType 0 addresses that plain SMTP can
// carry, sums and counts that agree. Every check that fails shows its
// message.
qint16 CheckOrder(BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen,
                  const BestelAantallen& aantallen);

// Compares every line with the previous order of this grower to the same
// delivery address and asks, per line that differs by the margin
// (AfwijkingBestelmarge) or more, whether to order anyway. Fails when an
// answer is No. Expects the counts in bestel.
qint16 CheckBestelmarge(const BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen);

// How step 5 passed the order on.
enum class Verzending {
    Geen,          // a MailType that sends no mail
    Smtp,          // the built-in SMTP client delivered it to the server
    Mailprogramma, // a new mail with the order is open in the desktop's mail program
};

// Mails the order file that step 4 wrote: through the desktop's mail program
// (MailType 1) or the built-in SMTP client (MailType 0); any other MailType
// sends nothing and succeeds with Verzending::Geen.
qint16 MailOrder(const BestelRecord& bestel, QTcpSocket* tcpWinsock, Verzending& verzending);
qint16 SendMapiMail(const MailRecord& mail);

// Registers the order and its lines in one transaction.
qint16 SaveOrderHistory(const BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen);

// relNR followed by eight digits of the order time: the last three of the
// day number and five of the time of day in 1/100000 day.
QString MaakBestelnummer(const QString& relNR, double datum);

// A date and time as days since 30 December 1899, the way BestelRecord and
// the order file hold it.
double DatumGetal(const QDateTime& tijd);

// With the /GeenBestelling switch orders go to a test dealer that delivers
// nowhere; this puts it in the record.
void TestHandelaar(BestelRecord& bestel);
inline const QString kTestHandelaarEmail = QStringLiteral("bestelling@example.com");

// The amount of a line ("1.234,5" in the user's format) as a number; text
// that is no number counts as 0.
double LeesHoeveelheid(const QString& hoeveelheid);
