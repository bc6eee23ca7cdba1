#include "adviesberekening.h"

#include "advies.h"
#include "adviesgrenzen.h"
#include "appstate.h"
#include "velden.h"
#include "zelvorageneral.h"

BerekenInstellingen LeesAdviesInstellingen(const RecordSet& rij)
{
    BerekenInstellingen r;
    r.ECVerhoging = VeldInteger(rij, "ECVerhoging");
    r.Teeltsysteem = VeldInteger(rij, "TeeltSysteem");
    r.Code_Teelt = VeldInteger(rij, "Code_Teelt");
    r.Code_Teeltstadium = VeldInteger(rij, "Code_Teeltstadium");
    r.WaterInputType = VeldInteger(rij, "WaterInputType");
    r.Aanpassing = VeldInteger(rij, "Aanpassing");
    r.ExtraBigBag = VeldInteger(rij, "ExtraBigBag");
    return r;
}

void AdviesBerekening::LeesInstellingen()
{
    Instellingen = LeesAdviesInstellingen(OpenTeeltInstelling());
}

void AdviesBerekening::Bereken()
{
    AppState& s = appState();
    const AdviesBerekening eigen = *this;
    const ElementVector streef = s.StreefWaarden;
    const ElementVector aanpassing = s.AdviesAanpassing;
    const ElementVector gecorrigeerd = s.StreefGecorrigeerd;
    const WaterRecord drain = s.DrainAnalyse;
    try {
        LaadBerekeningInvoer(s.StreefWaarden, s.AdviesAanpassing, TussenVector, AdviesOplossing, AdviesWater,
                             AdviesMengWater, s.StreefGecorrigeerd, Instellingen);
        // The report reads the class from the settings row.
        if (Instellingen.AmoniumAanpassing != m_opgeslagenKlasse) {
            RecordSet rs = OpenTeeltInstelling();
            rs.edit();
            rs.setValue("AmoniumAanpassing", Instellingen.AmoniumAanpassing);
            rs.update();
            m_opgeslagenKlasse = Instellingen.AmoniumAanpassing;
        }
    } catch (...) {
        *this = eigen;
        s.StreefWaarden = streef;
        s.AdviesAanpassing = aanpassing;
        s.StreefGecorrigeerd = gecorrigeerd;
        s.DrainAnalyse = drain;
        throw;
    }
    CalcPercentages(AdviesOplossing, AdviesWater.Elementen, s.DrainAnalyse);
    s.AdviesAanpassing.Vlag = 1;
}

Advies AdviesBerekening::HuidigAdvies() const
{
    const AppState& s = appState();
    Advies a;
    a.StreefWaarden = s.StreefWaarden;
    a.AdviesAanpassing = s.AdviesAanpassing;
    a.AdviesOplossing = AdviesOplossing;
    a.AdviesWater = AdviesWater.Elementen;
    a.AdviesMengWater = AdviesMengWater.Elementen;
    a.StreefGecorrigeerd = s.StreefGecorrigeerd;
    a.Perc = s.DrainAnalyse.Perc;
    a.RecircEC = s.DrainAnalyse.RecircEC;
    a.MaxPerc = s.DrainAnalyse.MaxPerc;
    a.MaxRecircEC = s.DrainAnalyse.MaxRecircEC;
    return a;
}

void AdviesBerekening::ZetAdvies(const Advies& a)
{
    AppState& s = appState();
    s.StreefWaarden = a.StreefWaarden;
    s.AdviesAanpassing = a.AdviesAanpassing;
    AdviesOplossing = a.AdviesOplossing;
    AdviesWater.Elementen = a.AdviesWater;
    AdviesMengWater.Elementen = a.AdviesMengWater;
    s.StreefGecorrigeerd = a.StreefGecorrigeerd;
    s.DrainAnalyse.Perc = a.Perc;
    s.DrainAnalyse.RecircEC = a.RecircEC;
    s.DrainAnalyse.MaxPerc = a.MaxPerc;
    s.DrainAnalyse.MaxRecircEC = a.MaxRecircEC;
}
