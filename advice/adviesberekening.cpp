#include "adviesberekening.h"

#include "advies.h"
#include "adviesgrenzen.h"
#include "appstate.h"
#include "zelvorageneral.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

qint16 instelling(const char* naam)
{
    return qint16(NzValue(GetTeeltInstelling(naam, InstellingMode::Number), NzType::Integer).toInt());
}

bool leesGetal(const QString& text, double& value)
{
    const QString s = text.trimmed();
    if (s.isEmpty()) {
        value = 0;
        return true;
    }
    bool ok = false;
    value = QLocale().toDouble(s, &ok);
    if (!ok)
        value = QLocale::c().toDouble(s, &ok);
    return ok && std::isfinite(value) && std::fabs(value) <= double(std::numeric_limits<float>::max());
}

} // namespace

InvoerFout LeesAdviesInvoer(const QString& text, InvoerSoort soort, float& value)
{
    double getal = 0;
    if (!leesGetal(text, getal))
        return InvoerFout::GeenGetal;
    // A negative EC or share would turn every target negative.
    if (soort == InvoerSoort::EC && getal < 0)
        return InvoerFout::Negatief;
    if (soort == InvoerSoort::Percentage && (getal < 0 || getal > 100))
        return InvoerFout::BuitenPercentage;
    value = float(getal);
    return InvoerFout::Geen;
}

void AdviesBerekening::LeesInstellingen()
{
    BerekenInstellingen& r = Instellingen;
    r.ECVerhoging = instelling("ECVerhoging");
    r.Teeltsysteem = instelling("TeeltSysteem");
    r.Code_Teelt = instelling("Code_Teelt");
    r.Code_Teeltstadium = instelling("Code_Teeltstadium");
    r.WaterInputType = instelling("WaterInputType");
    r.Aanpassing = instelling("Aanpassing");
    r.ExtraBigBag = instelling("ExtraBigBag");
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
