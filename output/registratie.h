#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

// What the order register window reads and deletes of the registered orders
// (BEST_Hist with its lines BEST_Meststoffen, written by the order pipeline):
// the amounts of one grower summed per fertiliser or per nutrient element
// over a period, the orders of one fertiliser, and the deletion of one order.
// No widgets; every function throws AppError (3078 when a table is missing).

// A period of whole days: every order sent on the first day, the last day or
// any day between counts, whatever its time. A period whose last day comes
// before its first holds nothing.
struct Periode {
    QDate van;
    QDate tot;
};

// One line of the register. Per fertiliser: its code, name, summed amount and
// unit as the orders give it. Per element: code 0, the element's label, the
// total in kilograms and "kg".
struct RegisterRij {
    qint32 Code_Meststof = 0;
    QString Naam;
    double Hoeveelheid = 0;
    QString Eenheid;
};

// One order's line of one fertiliser.
struct RegisterBestelling {
    qint32 ID = 0; // BEST_Hist.ID: the order
    QDateTime Datum;
    double Hoeveelheid = 0;
    QString Eenheid;
    QString NaamMeststof;
};

namespace Registratie {

// The two reports of the window, as its list of report types numbers them.
enum Modus : qint16 { PerMeststof = 0, PerElement = 1 };

// The grower's orders in the period summed per fertiliser and unit; lines
// without an amount (tanks that are not ordered) are left out. By name.
QList<RegisterRij> TotaalPerMeststof(qint32 tuinder, const Periode& periode);

// The same orders as kilograms of each element, from the fertilisers'
// weight per cents in the reference data; both forms of nitrogen count as
// "N-totaal". An element whose total is 0 has no line, nor does a fertiliser
// the reference data does not know. The lines are also written into the
// scratch table BEST_HistElementen (emptied first, in one transaction).
QList<RegisterRij> TotaalPerElement(qint32 tuinder, const Periode& periode);

// The grower's orders of one fertiliser in the period, oldest first.
QList<RegisterBestelling> BestellingenVan(qint32 tuinder, qint32 codeMeststof, const Periode& periode);

// Deletes one order of the grower with all its lines, in one transaction.
// False when the grower has no order with that ID (nothing is deleted).
bool Verwijder(qint32 tuinder, qint32 id);

// An ordered amount in kilograms: gram / 1000, litres × kgPerLiter, ml /
// 1000 × kgPerLiter; kg and any unit not known here as it stands. A density
// that is not above 0 counts as 1.
double Kilogram(double hoeveelheid, const QString& eenheid, double kgPerLiter);

// The label of an element's weight per cent: the form the column holds it in
// (N, P, K2O, CaO, MgO), the element's own name for the others.
QString ElementLabel(int positie);

// Dates in the period boxes: the locale's short date with a four-digit year.
QString DatumTekst(const QDate& datum);
// A typed date in that form, with one or two digits for day and month, two
// or four for the year, or as yyyy-mm-dd; an invalid date when it is none.
QDate LeesDatum(const QString& tekst);
// One year back from today through today; from 29 February back to 1 March.
Periode StandaardPeriode(const QDate& vandaag);

// An amount as the grid and the printed list show it: whole numbers; the
// element totals below 10 kg with three decimals, so that a trace element's
// few grams do not read as 0.
QString HoeveelheidTekst(double hoeveelheid, qint16 modus);

} // namespace Registratie
