#pragma once

#include <QString>
#include <QtGlobal>

// The records every calculation works on. They are plain values, copied whole.
// Element values are in the calculation unit (mmol per litre; the trace
// elements Fe to Mo in µmol per litre); the display unit is applied only
// when a value is shown or typed.

struct ElementVector {
    float NH4 = 0;
    float K = 0;
    float Na = 0; // carried along, never counted in an ion sum
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
    float H = 0; // acid; in a water or drain part: minus the bicarbonate
    float OH = 0;
    float EC = 0;
    float KationSom = 0;
    float AnionSom = 0;
    qint32 Vlag = 0; // only AdviesAanpassing uses it: 1 = store the adjustment

    // Positions 0..21 in the order above.
    enum Position {
        pNH4,
        pK,
        pNa,
        pCa,
        pMg,
        pNO3,
        pCl,
        pSO4,
        pH2PO4,
        pHCO3,
        pSi,
        pFe,
        pMn,
        pZn,
        pB,
        pCu,
        pMo,
        pH,
        pOH,
        pEC,
        pKationSom,
        pAnionSom,
        FloatCount
    };
    float& operator[](int position) { return this->*member(position); }
    float operator[](int position) const { return this->*member(position); }

private:
    static float ElementVector::*member(int position)
    {
        static constexpr float ElementVector::*members[FloatCount] = {
            &ElementVector::NH4,       &ElementVector::K,       &ElementVector::Na, &ElementVector::Ca,
            &ElementVector::Mg,        &ElementVector::NO3,     &ElementVector::Cl, &ElementVector::SO4,
            &ElementVector::H2PO4,     &ElementVector::HCO3,    &ElementVector::Si, &ElementVector::Fe,
            &ElementVector::Mn,        &ElementVector::Zn,      &ElementVector::B,  &ElementVector::Cu,
            &ElementVector::Mo,        &ElementVector::H,       &ElementVector::OH, &ElementVector::EC,
            &ElementVector::KationSom, &ElementVector::AnionSom};
        Q_ASSERT(position >= 0 && position < FloatCount);
        return members[position];
    }
};
static_assert(sizeof(ElementVector) == 23 * 4, "23 four-byte fields");

// One water analysis, a mixed water, a water or drain part, or the drain
// analysis with its recirculation block.
struct WaterRecord {
    QString WaterSoort = " "; // the water kind, one character
    qint16 SC1 = 0;
    qint16 SC2 = 0;
    qint16 SC3 = 0;
    qint16 SC4 = 0;
    qint16 SC5 = 0;
    qint16 SC6 = 0;
    float Perc = 0;        // share in the mix; in the drain analysis the recirculation percentage
    float RecircEC = 0;    // drain: EC brought in by recirculated drain water
    float MaxPerc = 0;     // drain: highest allowed recirculation percentage
    float MaxRecircEC = 0; // drain: highest allowed recirculation EC
    ElementVector Elementen;
    float Ph = 0;
};

// One fertiliser line as the solver sees it.
struct MeststofRecord {
    qint16 Code_MEST = 0; // 100 and above: trace-element products (gram, ml)
    QString Naam;
    qint16 PrimElement0 = 0;
    qint16 PrimElement1 = 0;
    float Hoeveelheid = 0;       // kilograms of product
    float Hoeveelheid2 = 0;      // litres for a liquid (amount / KGl), 0 for a solid
    float KGl = 0;               // kg per litre; exactly 1 is a solid
    qint16 Bak = 0;              // stock tank
    ElementVector Samenstelling; // content per unit of product
    float Aandeel = 0;           // 1.0 on second-source lines whose amount was fixed before solving
    bool Opgelost = false;       // a second source without a share that the solver filled (result check counts it)
};

// The settings of one calculation run, from the grower's settings row.
struct BerekenInstellingen {
    qint16 Code_Teelt = 0;
    qint16 Code_Teeltstadium = 0;
    qint16 Teeltsysteem = 0;
    qint16 ECVerhoging = 0;
    qint16 Aanpassing = 0;
    qint16 WaterInputType = 0;
    qint16 BakGrootte = 0;
    qint16 ZakGrootte = 0;
    qint16 Concentratie = 0;
    qint16 AmoniumAanpassing = 0; // ammonium class 0..8, written by the advice chain
    qint16 MixoraMest = 0;
    qint16 VerrekeningStandaardEC = 0;
    qint16 ExtraBigBag = 0;
    qint16 Mixorabak = 0;
    float EBB_Factor = 0;
    float EBB_Percentage = 0;
};

// Element codes of the fertiliser selections and of PrimElement0/1.
namespace ElementCode {
enum : qint16 {
    NH4 = 1,
    K = 2,
    Ca = 4,
    Mg = 5,
    NO3 = 6,
    Cl = 7,
    SO4 = 8,
    H2PO4 = 9,
    H = 10,
    OH = 11,
    Si = 15,
    Fe = 20,
    Mn = 21,
    Zn = 22,
    B = 23,
    Cu = 24,
    Mo = 25,
    TweedeFosfaatBron = 50
};
}
