#include "bigbag.h"

#include "appstate.h"
#include "elementen.h"
#include "hoeveelheid.h"
#include "velden.h"

#include <cmath>

void LaadExtraBigBag(BigBagLijnen& lijnen)
{
    lijnen = BigBagLijnen();
    const AppState& s = appState();
    RecordSet rs = growerDb().openRecordset(
        "SELECT * FROM HISTORIE_ExtraBigbag WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ? ORDER BY \"Index\"",
        {s.ID_ALG_Tuinder, s.ID_HISTORIE});
    RecordSet meststoffen = referenceDb().openRecordset("SELECT * FROM MEST_Meststof");
    for (; !rs.eof(); rs.moveNext()) {
        clsPrintMeststofMeststof lijn;
        lijn.Nr = VeldInteger(rs, "Nr");
        lijn.Naam = NzStr(rs.value("Naam"));
        lijn.Kg = VeldSingle(rs, "Kg");
        lijn.liter = VeldSingle(rs, "Liter");
        lijn.kgl = VeldSingle(rs, "Kgl");
        lijn.Bak = VeldInteger(rs, "Bak");
        lijn.Hoeveelheid = FormatHoeveelheid(&lijn, MeststofRecord());
        lijn.Eenheid = GetEenheid(&lijn, MeststofRecord());
        if (lijn.kgl != 1)
            lijn.Kg = lijn.kgl * lijn.liter;
        if (meststoffen.findFirst("Code_MEST", lijn.Nr))
            for (int p : Elementen::Meststof)
                lijn.element(p) = VeldSingle(meststoffen, ElementNaam(p));
        lijnen.append(lijn);
    }
}

ElementVector BigBagTotalen(const BigBagLijnen& lijnen)
{
    ElementVector totaal;
    for (const clsPrintMeststofMeststof& lijn : lijnen)
        for (int p : Elementen::Meststof)
            totaal[p] = totaal[p] + lijn.Kg * lijn.element(p);
    return totaal;
}

void VerrekenExtraBigBag(MeststofRecord& behoefte, const BerekenInstellingen& instellingen)
{
    const float factor = 100.0f / instellingen.EBB_Factor;
    BigBagLijnen lijnen;
    LaadExtraBigBag(lijnen);
    const ElementVector totaal = BigBagTotalen(lijnen);
    ElementVector& b = behoefte.Samenstelling;
    for (int p : kBehoefteElementen) {
        if (instellingen.Mixorabak == 0)
            b[p] = factor * b[p] - totaal[p];
        else
            b[p] = b[p] - totaal[p] / factor;
    }
}

bool HeeftNegatieveMacroRegel(const MeststofLijst& lijst)
{
    for (int i = 1; i <= kLijstBoven; ++i)
        if (lijst[i].Hoeveelheid < -0.0001f && lijst[i].Code_MEST < 100)
            return true;
    return false;
}

void PasBigBagFactorAan(const MeststofLijst& lijst, BerekenInstellingen& instellingen, qint16 pas, qint16& limiet)
{
    const bool negatief = HeeftNegatieveMacroRegel(lijst);
    float& f = instellingen.EBB_Factor;
    float& p = instellingen.EBB_Percentage;
    if (f < 100) {
        const double stap = 100.0 * std::pow(0.5, pas + 1);
        if (negatief) {
            f = float(f - stap);
            if (pas >= 11 && pas <= 15)
                ++limiet;
        } else {
            f = float(f + stap);
            if (double(f) + 100.0 * std::pow(0.5, limiet + 2) == 100.0) {
                f = 100;
                limiet += 10;
                p = 50;
            }
        }
    } else {
        const double stap = 100.0 * std::pow(0.5, pas - 10);
        if (negatief) {
            p = float(p + stap);
        } else {
            p = float(p - stap);
            if (pas == limiet)
                ++limiet;
        }
    }
    PutTeeltInstelling("EBB_Factor", f, InstellingMode::Number);
}
