// The element catalogue: its rows reach the right ElementVector members, names
// are found without regard to case, and the display units keep the factors
// the program has always used.
#include "appstate.h"
#include "elementen.h"
#include "units.h"

#include <QtTest>

namespace {

struct Lid {
    const char* naam;
    float ElementVector::*lid;
};
constexpr Lid kLeden[] = {
    {"NH4", &ElementVector::NH4},   {"K", &ElementVector::K},     {"Na", &ElementVector::Na},
    {"Ca", &ElementVector::Ca},     {"Mg", &ElementVector::Mg},   {"NO3", &ElementVector::NO3},
    {"Cl", &ElementVector::Cl},     {"SO4", &ElementVector::SO4}, {"H2PO4", &ElementVector::H2PO4},
    {"HCO3", &ElementVector::HCO3}, {"Si", &ElementVector::Si},   {"Fe", &ElementVector::Fe},
    {"Mn", &ElementVector::Mn},     {"Zn", &ElementVector::Zn},   {"B", &ElementVector::B},
    {"Cu", &ElementVector::Cu},     {"Mo", &ElementVector::Mo},   {"H", &ElementVector::H},
    {"OH", &ElementVector::OH},     {"EC", &ElementVector::EC}};

// The display factors as the program had them before the catalogue: valence,
// molar mass, and whether the mass is whole (single precision).
struct OudeFactor {
    const char* naam;
    float valentie;
    double molmassa;
    bool heel;
};
constexpr OudeFactor kOudeFactoren[] = {{"nh4", 1, 18, true},   {"k", 1, 39.1, false},   {"na", 1, 23, true},
                                        {"ca", 2, 40.1, false}, {"mg", 2, 24.3, false},  {"no3", 1, 62, true},
                                        {"cl", 1, 35.5, false}, {"so4", 2, 96.1, false}, {"h2po4", 1, 97, true},
                                        {"h", 1, 1, true},      {"hco3", 1, 61, true},   {"si", 4, 28.1, false},
                                        {"fe", 3, 55.8, false}, {"mn", 2, 54.9, false},  {"zn", 2, 65.4, false},
                                        {"b", 3, 10.8, false},  {"cu", 2, 63.5, false},  {"mo", 4, 95.9, false}};

} // namespace

class TestElementen : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { appState().UnitID = 0; }

    void namesReachTheirElementVectorMembers()
    {
        for (const Lid& l : kLeden) {
            const Element* e = ZoekElement(QString::fromLatin1(l.naam));
            QVERIFY2(e, l.naam);
            ElementVector v;
            QCOMPARE(&v[e->positie], &(v.*l.lid));
            QCOMPARE(ElementNaam(e->positie), QString::fromLatin1(l.naam));
        }
    }

    void lookupIgnoresCaseAndKnowsOnlyElements()
    {
        QCOMPARE(ZoekElement(u"h2po4"), &ElementOp(EP::pH2PO4));
        QCOMPARE(ZoekElement(u"Ec"), &ElementOp(EP::pEC)); // as some tables spell the column
        QVERIFY(!ZoekElement(u"pH"));
        QVERIFY(!ZoekElement(u"Zuur"));
        QVERIFY(!ZoekElement(u""));
        QCOMPARE(ElementMetCode(ElementCode::Fe)->positie, int(EP::pFe));
        QCOMPARE(ElementMetCode(ElementCode::H)->positie, int(EP::pH));
        QVERIFY(!ElementMetCode(0));
        QVERIFY(!ElementMetCode(ElementCode::TweedeFosfaatBron));
    }

    void displayUnitsKeepTheirFactors()
    {
        appState().UnitID = 1;
        QCOMPARE(IonToUnit(2, "Ca"), 4.0f);
        appState().UnitID = 2;
        QCOMPARE(IonToUnit(1, "K"), 39.1f);
        // Many values, compared to the bit (QCOMPARE would allow an ulp), so
        // that single and double arithmetic part somewhere for every mass.
        for (int i = 1; i <= 2000; ++i) {
            const float x = float(i) * 0.0137f;
            for (const OudeFactor& f : kOudeFactoren) {
                appState().UnitID = 1;
                QVERIFY2(IonToUnit(x, f.naam) == x * f.valentie, f.naam);
                QVERIFY2(IonFromUnit(x, f.naam) == x / f.valentie, f.naam);
                for (qint16 unit : {2, 3}) {
                    appState().UnitID = unit;
                    const float naar = f.heel ? x * float(f.molmassa) : float(double(x) * f.molmassa);
                    const float van = f.heel ? x / float(f.molmassa) : float(double(x) / f.molmassa);
                    QVERIFY2(IonToUnit(x, f.naam) == naar, f.naam);
                    QVERIFY2(IonFromUnit(x, f.naam) == van, f.naam);
                }
            }
        }
    }

    void ohAndEcHaveNoDisplayValue()
    {
        for (qint16 unit : {1, 2, 3}) {
            appState().UnitID = unit;
            for (const char* naam : {"OH", "EC", "Ec"}) {
                QCOMPARE(IonToUnit(2, naam), 0.0f);
                QCOMPARE(IonFromUnit(2, naam), 0.0f);
            }
        }
        appState().UnitID = 0;
        QCOMPARE(IonToUnit(2, "EC"), 2.0f);
    }
};

QTEST_GUILESS_MAIN(TestElementen)
#include "test_elementen.moc"
