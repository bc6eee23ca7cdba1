#pragma once

#include <QString>
#include <QVariantList>
#include <optional>

class Database;

// The rows of the grower step: the grower row of ALG_Tuinder and its nine
// delivery addresses in ALG_Afleveradres (grower database), and the dealers
// of ALG_Handelaar (reference database). No widgets: the window maps these
// values onto its boxes. Rows are those of the current grower (AppState).

// The grower row. Empty columns read as "" and 0.
struct TuinderGegevens {
    QString relNR;
    QString Naam;
    QString Adres;
    QString Postcode;
    QString woonplaats;
    QString Land;
    QString Telefoon;
    QString Mobiel;
    QString Email;
    QString Fax;
    qint16 Code_ALG_Handelaar = 0; // only passes through: the program never changes the dealer
    qint32 ID_ALG_Afleveradres = 0;
};

// One delivery address; ID 0 is none.
struct Afleveradres {
    qint32 ID = 0;
    QString AfleverAdres; // the name shown in the list of addresses
    QString Adres;
    QString Postcode;
    QString Woonplaats;
    QString Land;
    QString Deurcode;
    QString ExtraInfo;
};

// The dealer as the grower step shows it.
struct Handelaar {
    QString Handelaar;
    QString Adres;
    QString Postcode;
    QString Woonplaats;
    QString Contactpersoon;
    QString Telefoon;
};

// A list query for a combo box: field 0 is the item data, the others the text.
struct LijstQuery {
    Database* db = nullptr;
    QString sql;
    QVariantList params;
};

namespace BedrijfGegevens {

// The current grower's row. An empty table gets one empty row first; a grower
// whose row has gone reads as a new, empty one.
TuinderGegevens Lees();

// Stores the grower row (the dealer code as it was read; an empty one
// becomes 0) and the shown address together or not at all, in one transaction. A grower row that has gone is
// added again under the grower's ID. An address with ID 0 is not written; an
// address whose row has gone throws error 3021 and nothing is stored.
void Schrijf(const TuinderGegevens& tuinder, const Afleveradres& adres);

// Makes exactly one address per slot 1 to 9: of several rows with one code the
// oldest stays, rows without a valid code go, missing slots are added with the
// name of text 20102000 and the slot number. One transaction: on failure the
// addresses stay as they were and the AppError is thrown.
void HerstelAfleveradressen();

// The grower's addresses for the address list, by slot: ID and name.
LijstQuery AfleveradresLijst();

// The address with this ID; an empty one (ID 0) when there is none.
Afleveradres LeesAfleveradres(qint32 id);

// Stores the texts of one address; ID 0 stores nothing, an address whose row
// has gone throws 3021.
void SchrijfAfleveradres(const Afleveradres& adres);

// The dealer with this code; none for code 0 or a code that is not there. An
// empty dealer table gets one empty row.
std::optional<Handelaar> LeesHandelaar(qint16 code);

} // namespace BedrijfGegevens
