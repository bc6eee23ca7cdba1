#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// The order header. The mail and print window fills it, the order pipeline
// checks and numbers it, the order file carries it to the dealer and the
// register keeps its delivery address. The spare fields are carried along
// unused: the order file writes them where the dealer's software expects
// them, so their places must not move.
struct BestelRecord {
    double Datum = 0; // date and time of the order, days since 30 December 1899
    double Reserve2 = 0;
    QString Bestelnummer; // relNR followed by eight digits of the order time
    QString Code;         // the dealer's code; "1" for the test dealer
    QString Bestel_Email; // the dealer's order address (column "Bestel-Email")
    qint32 Reserve6 = 0;
    QString Handelaar; // the dealer's name
    std::array<QString, 5> Reserve8_12;
    QString relNR; // the grower's customer number

    // The grower's own address.
    QString Naam;
    QString Adres;
    QString Postcode;
    QString Woonplaats;
    QString Land;
    QString Telefoon;
    QString Mobiel;
    QString Fax;
    QString Email;

    // The delivery address. Its columns share their names with the grower's,
    // hence the prefix on the four that would clash.
    qint16 Code_Afleveradres = 0; // 1 to 9; 0 when there is none
    QString Afleveradres;         // the name of the delivery address
    QString Aflever_Adres;
    QString Aflever_Postcode;
    QString Aflever_Woonplaats;
    QString Aflever_Land;
    QString Deurcode;
    QString ExtraInfo;

    std::array<qint32, 2> Reserve31_32{};
    std::array<float, 5> Reserve33_37{};
    qint16 ZakGrootte = 0;
    qint16 Concentratie_berek = 0;
    qint16 AantalA = 0; // the order counts typed on the order form
    qint16 AantalB = 0;
    qint16 AantalC = 0;
    double Reserve43 = 0;
    QString Reserve44;
    QString ProgrammaVersie; // major.minor.revision
    QString Reserve46;
    qint16 Reserve47 = 0;
};
