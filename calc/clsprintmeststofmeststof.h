#pragma once

#include "records.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>

// One fertiliser line for printing and for the order file. The composition
// window fills it from its tank lines, the big-bag loader from the stored
// blends; the order pipeline adds the product-line status.
class clsPrintMeststofMeststof {
public:
    qint16 Nr = 0; // fertiliser code
    QString Naam;
    qint16 Bak = 0; // tank
    QString Eenheid;
    QString Hoeveelheid; // the amount as shown
    qint16 Code_eenheid = 0;
    qint16 MixoraStatus = 0;
    qint32 Artikelnummer = 0;
    float Prijs = 0;
    QVariant Elementen;
    float Kg = 0;
    float liter = 0;
    float kgl = 0; // kg per litre; exactly 1 is a solid
    float NH4 = 0;
    float K = 0;
    float Na = 0;
    float Ca = 0;
    float Mg = 0;
    float NO3 = 0;
    float Cl = 0;
    float SO4 = 0;
    float H2PO4 = 0;
    float HCO3 = 0;
    float Si = 0;
    float Fe = 0;
    float Mn = 0;
    float Zn = 0;
    float B = 0;
    float Cu = 0;
    float Mo = 0;
    float H = 0;
    float OH = 0;
    float EC = 0;
    float Kionen = 0;
    float AIonen = 0;

    // The element members by their position in ElementVector (NH4 .. EC, then
    // the ion sums), so a line is filled and read through the element catalogue.
    float& element(int positie) { return this->*lid(positie); }
    float element(int positie) const { return this->*lid(positie); }

private:
    static float clsPrintMeststofMeststof::*lid(int positie)
    {
        using L = clsPrintMeststofMeststof;
        static constexpr float L::*leden[ElementVector::FloatCount] = {
            &L::NH4, &L::K,  &L::Na, &L::Ca, &L::Mg, &L::NO3, &L::Cl, &L::SO4, &L::H2PO4, &L::HCO3,   &L::Si,
            &L::Fe,  &L::Mn, &L::Zn, &L::B,  &L::Cu, &L::Mo,  &L::H,  &L::OH,  &L::EC,    &L::Kionen, &L::AIonen};
        Q_ASSERT(positie >= 0 && positie < ElementVector::FloatCount);
        return leden[positie];
    }
};
