#include "meststoflijst.h"

#include "appstate.h"
#include "invoer.h"
#include "velden.h"

namespace {

struct Slot {
    int regel;
    const char* kolom;
    qint16 elementCode;
};

// The selection slots read into the list; line 19 follows after line 18's share.
constexpr Slot kSlots[] = {{1, "NH4_Code", ElementCode::NH4},
                           {2, "K_Code", ElementCode::K},
                           {4, "Ca_Code", ElementCode::Ca},
                           {5, "Mg_Code", ElementCode::Mg},
                           {6, "NO3_Code", ElementCode::NO3},
                           {7, "Cl_Code", ElementCode::Cl},
                           {8, "SO4_Code", ElementCode::SO4},
                           {9, "H2PO4_Code", ElementCode::H2PO4},
                           {10, "ZuurLoog_Code", ElementCode::H},
                           {11, "Si_Code", ElementCode::Si},
                           {12, "Fe_Code", ElementCode::Fe},
                           {13, "Mn_Code", ElementCode::Mn},
                           {14, "Zn_Code", ElementCode::Zn},
                           {15, "B_Code", ElementCode::B},
                           {16, "Cu_Code", ElementCode::Cu},
                           {17, "Mo_Code", ElementCode::Mo},
                           {18, "PBron_Code", ElementCode::TweedeFosfaatBron}};
constexpr int kFosfaatBron = 18;
constexpr int kIjzerBron = 19;

// The elements whose single supplier is placed first, in the order they are sought.
constexpr qint16 kOrdening[] = {ElementCode::Cl, ElementCode::Ca,  ElementCode::SO4,
                                ElementCode::Mg, ElementCode::NH4, ElementCode::H2PO4,
                                ElementCode::Si, ElementCode::K,   ElementCode::NO3};
constexpr int kMaxSweeps = 20;

// Moves the line that is the only one (of lines 1 to n − 3) containing the
// element to position d + 1 of the ordered list. The line moved is the last
// one offered for the element, by either primary element.
void ZoekMeststofVoorElement(const float* gehalten, qint16 elementCode, int n, MeststofLijst& lijst,
                             MeststofLijst& geordend, qint16& d)
{
    int gevonden = 0;
    int bevattend = 0;
    for (int i = 1; i <= n - 3; ++i) {
        if (lijst[i].PrimElement0 == elementCode || lijst[i].PrimElement1 == elementCode)
            gevonden = i;
        if (gehalten[i] != 0)
            ++bevattend;
    }
    if (bevattend == 1 && gevonden != 0) {
        ++d;
        geordend[d] = lijst[gevonden];
        lijst[gevonden] = MeststofRecord();
    }
}

bool heeftMeststoffen(const MeststofLijst& lijst)
{
    for (int i = 1; i <= kLijstBoven; ++i)
        if (lijst[i].Code_MEST != 0)
            return true;
    return false;
}

} // namespace

int ElementPositie(qint16 elementCode)
{
    const Element* e = ElementMetCode(elementCode);
    return e ? e->positie : -1;
}

void LaadMestSelectie(MeststofRecord& behoefte, MeststofLijst& lijst)
{
    lijst.fill(MeststofRecord());
    const AppState& s = appState();
    const RecordSet selectie = growerDb().openRecordset(
        "SELECT * FROM MEST_Selectie WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", {s.ID_ALG_Tuinder, s.ID_HISTORIE});
    RecordSet meststoffen =
        referenceDb().openRecordset(QString("SELECT MEST.Lang%1, MEST_Meststof.* FROM MEST INNER JOIN "
                                            "MEST_Meststof ON MEST.Code = MEST_Meststof.Code_MEST")
                                        .arg(s.languageID));
    if (selectie.recordCount() == 0 || meststoffen.recordCount() == 0)
        return;
    for (const Slot& slot : kSlots)
        LeesMeststofSamenstelling(meststoffen, lijst[slot.regel], VeldInteger(selectie, slot.kolom), slot.elementCode);

    MeststofRecord& fosfaat = lijst[kFosfaatBron];
    BerekenBronAandeel(selectie, behoefte.Samenstelling.H2PO4, fosfaat.Hoeveelheid, fosfaat.Samenstelling.H2PO4,
                       "PBron_Perc");
    fosfaat.Aandeel = 1.0f;
    TrekMeststofAf(behoefte, fosfaat);

    MeststofRecord& ijzer = lijst[kIjzerBron];
    LeesMeststofSamenstelling(meststoffen, ijzer, VeldInteger(selectie, "FeBron_Code"), ElementCode::Fe);
    BerekenBronAandeel(selectie, behoefte.Samenstelling.Fe, ijzer.Hoeveelheid, ijzer.Samenstelling.Fe, "FeBron_Perc");
    ijzer.Aandeel = 1.0f;
    TrekMeststofAf(behoefte, ijzer);
}

void BerekenBronAandeel(const RecordSet& selectie, float behoefte, float& hoeveelheid, float gehalte,
                        const QString& percKolom)
{
    const float p = VeldSingle(selectie, percKolom) / 100.0f;
    if (gehalte != 0)
        hoeveelheid = p * behoefte / gehalte;
}

void TrekMeststofAf(MeststofRecord& behoefte, const MeststofRecord& lijn)
{
    for (int p : Elementen::Meststof)
        behoefte.Samenstelling[p] = behoefte.Samenstelling[p] - lijn.Hoeveelheid * lijn.Samenstelling[p];
}

void OrdenMeststoffen(MeststofLijst& lijst)
{
    const int n = kLijstBoven;
    MeststofLijst geordend;
    qint16 d = 0;
    float gehalten[kLijstBoven + 1] = {};
    for (int sweep = 0; sweep < kMaxSweeps && heeftMeststoffen(lijst); ++sweep) {
        for (qint16 code : kOrdening) {
            const int p = ElementPositie(code);
            for (int i = 1; i <= n; ++i)
                gehalten[i] = lijst[i].Samenstelling[p];
            ZoekMeststofVoorElement(gehalten, code, n, lijst, geordend, d);
        }
    }
    for (int i = 1; i <= n; ++i)
        if (lijst[i].Code_MEST != 0)
            geordend[++d] = lijst[i];
    for (int i = 1; i <= n; ++i)
        lijst[i] = geordend[i];
}
