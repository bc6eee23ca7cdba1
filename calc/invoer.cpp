#include "invoer.h"

#include "appstate.h"
#include "mdlzelvoracalc.h"
#include "units.h"
#include "velden.h"

#include <limits>

namespace {

bool isHandmatig(const BerekenInstellingen& instellingen)
{
    return instellingen.Aanpassing == 1 || instellingen.Aanpassing == 2;
}

// Both tables of the join carry the same element names, so every column is
// selected under a name of its own.
const QString& grenzenQuery()
{
    static const QString sql = [] {
        QString columns = "g.GrensCode AS GrensCode, s.EC AS StreefEC";
        for (int p : Elementen::Grens)
            columns += QString(", g.%1 AS Grens_%1, a.%1 AS Aanpassing_%1").arg(ElementNaam(p));
        return "SELECT " + columns +
               " FROM (TEELT_GrensAanpassing a INNER JOIN TEELT_Grenzen g"
               " ON a.GrensCode = g.GrensCode AND a.Code_TEELT = g.Code_TEELT)"
               " INNER JOIN TEELT_Streef s ON g.Code_TEELT = s.Code_teelt"
               " WHERE g.Code_teelt = ?";
    }();
    return sql;
}

// One element of one band: the adjustment of the band when the drain value
// does not exceed the band's limit scaled by the EC ratio. In bands 4 and 5
// an empty limit means no limit.
void LeesGrensVeld(float waarde, bool& klaar, float& uit, const RecordSet& rs, const QString& naam, float r,
                   qint16 band)
{
    if (klaar)
        return;
    float grens = VeldSingle(rs, "Grens_" + naam) * r;
    if (band >= 4 && grens == 0)
        grens = 99999;
    if (waarde <= grens) {
        uit = VeldSingle(rs, "Aanpassing_" + naam);
        klaar = true;
    }
}

constexpr float kGeenGrens = -std::numeric_limits<float>::infinity();

// The ammonium classes. Bands of NH4: 0 below 0.5, 1 from 0.5, 2 from 1, 3
// from 1.5 to below 2. Bands of HCO3: 0 below 0.5, 1 from 0.5 to below 1, 2
// above 1. Each row gives a pH interval (from inclusive, to exclusive).
struct PhKlasse {
    int nh4Band;
    int hco3Band;
    float van;
    float tot;
    qint16 klasse;
};
// clang-format off
constexpr PhKlasse kAmmoniumKlassen[] = {
    {0, 0, kGeenGrens, 5, 1},    {0, 0, 6.5f, 7.5f, 6},
    {0, 1, 6, 6.5f, 6},          {0, 1, 6.5f, 7.5f, 7},
    {0, 2, 5.5f, 6, 6},          {0, 2, 6, 6.5f, 7},    {0, 2, 6.5f, 7.5f, 8},
    {1, 0, kGeenGrens, 5, 1},    {1, 0, 6.5f, 7.5f, 6},
    {1, 1, 6.5f, 7.5f, 6},
    {1, 2, 6, 6.5f, 6},          {1, 2, 6.5f, 7.5f, 7},
    {2, 0, kGeenGrens, 5.5f, 1}, {2, 0, 6.5f, 7.5f, 2},
    {2, 1, 6.5f, 7.5f, 6},
    {2, 2, 6, 6.5f, 2},          {2, 2, 6.5f, 7.5f, 6},
    {3, 0, kGeenGrens, 5.5f, 5}, {3, 0, 5.5f, 6.5f, 3}, {3, 0, 6.5f, 7.5f, 4},
    {3, 1, 5.5f, 6.5f, 3},       {3, 1, 6.5f, 7.5f, 4},
    {3, 2, 5.5f, 6, 3},          {3, 2, 6, 7.5f, 4},
};
// clang-format on

} // namespace

void LaadStdVOplossing(ElementVector& v, const BerekenInstellingen& instellingen)
{
    const RecordSet rs = referenceDb().openRecordset("SELECT * FROM TEELT_StdVOplossing WHERE Code_teelt = ?",
                                                     {instellingen.Code_Teelt});
    if (rs.recordCount() > 0) {
        for (int p : Elementen::Teelt)
            v[p] = VeldSingle(rs, ElementNaam(p));
        v.EC = VeldSingle(rs, "Ec");
    } else {
        ClearElementVector(v);
    }
    if (v.EC == 0)
        BerekenEC(v);
}

void LaadStadiumCorrectie(ElementVector& v, const BerekenInstellingen& instellingen)
{
    RecordSet rs =
        referenceDb().openRecordset("SELECT * FROM TEELT_Stadium WHERE Code_TEELT = ?", {instellingen.Code_Teelt});
    if (rs.recordCount() == 0 || !rs.findFirst("Code", instellingen.Code_Teeltstadium))
        return;
    for (int p : Elementen::Teelt)
        v[p] = v[p] + VeldSingle(rs, ElementNaam(p));
}

void LaadGrenzen(const ElementVector& streef, const WaterRecord& drain, ElementVector& aanpassing,
                 const BerekenInstellingen& instellingen)
{
    if (isHandmatig(instellingen))
        return;
    // The automatic adjustment is the engine's own: it starts afresh on every
    // run, also for a crop without limits, so that nothing added by an earlier
    // run (the K/Ca rule) is added again.
    for (int p : Elementen::Grens)
        aanpassing[p] = 0;

    RecordSet rs = referenceDb().openRecordset(grenzenQuery(), {instellingen.Code_Teelt});
    if (rs.recordCount() == 0)
        return;
    const ElementVector& d = drain.Elementen;
    const float ecRef = VeldSingle(rs, "StreefEC");
    const float m = (d.Na >= d.Cl ? d.Na : d.Cl) * 0.1f;
    const float r = ecRef != 0 ? (d.EC - m) / ecRef : 0.0f;

    bool klaar[Elementen::Grens.size()] = {};
    for (qint16 band = 1; band <= 5; ++band) {
        if (!rs.findFirst("GrensCode", band))
            continue;
        for (int i = 0; i < int(Elementen::Grens.size()); ++i) {
            const int p = Elementen::Grens[i];
            if (!ElementOp(p).spoor) {
                LeesGrensVeld(d[p], klaar[i], aanpassing[p], rs, ElementNaam(p), r, band);
                continue;
            }
            float procent = 0;
            LeesGrensVeld(d[p], klaar[i], procent, rs, ElementNaam(p), r, band);
            if (procent != 0)
                aanpassing[p] = procent * streef[p] / 100.0f;
        }
    }
}

void LaadKCaFactor(const ElementVector& streef, ElementVector& aanpassing, const BerekenInstellingen& instellingen)
{
    if (isHandmatig(instellingen))
        return;
    const RecordSet rs =
        referenceDb().openRecordset("SELECT * FROM TEELT_KCAFactor WHERE Code_TEELT = ?", {instellingen.Code_Teelt});
    if (rs.recordCount() == 0)
        return;
    const float kt = streef.K + aanpassing.K;
    const float cat = streef.Ca + aanpassing.Ca;
    // Without calcium there is no ratio, and without a factor nothing to
    // compare it with: the rule does not apply.
    const QVariant factor = rs.value("Factor");
    if (cat <= 0 || !IsNumericValue(factor))
        return;
    if (kt / cat > NzValue(factor, NzType::Single).toFloat()) {
        if (VeldSingle(rs, "KMin") <= kt && kt <= VeldSingle(rs, "KMax") && VeldSingle(rs, "CaMin") <= cat &&
            cat <= VeldSingle(rs, "CaMax")) {
            aanpassing.K = aanpassing.K + VeldSingle(rs, "K");
            aanpassing.Ca = aanpassing.Ca + VeldSingle(rs, "Ca");
        }
    }
}

void LaadWaterAnalyse(WaterRecord& w)
{
    ElementVector& mix = w.Elementen;
    for (int p : Elementen::NH4totMo)
        mix[p] = 0;
    const AppState& s = appState();
    RecordSet rs = growerDb().openRecordset("SELECT * FROM WATER WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
                                            {s.ID_ALG_Tuinder, s.ID_HISTORIE});
    if (rs.recordCount() == 0)
        return;
    for (qint16 bron = 1; bron <= 3; ++bron) {
        if (!rs.findFirst("Type", bron))
            continue;
        const float perc = VeldSingle(rs, "Perc");
        if (perc == 0)
            continue;
        for (int p : Elementen::NH4totMo)
            mix[p] = mix[p] + VeldSingle(rs, ElementNaam(p)) * perc / 100.0f;
    }
    mix.Si = mix.Si - 0.2f;
    if (mix.Si < 0)
        mix.Si = 0;
    // The water's own EC estimate counts Na and HCO3 and leaves NH4 and H2PO4 out.
    mix.EC = (mix.K + mix.Na + 2.0f * mix.Ca + 2.0f * mix.Mg + mix.NO3 + mix.Cl + 2.0f * mix.SO4 + mix.HCO3) / 20.0f;
}

qint16 AmmoniumKlasse(float nh4, float hco3, float ph)
{
    // A drain without a pH is no measurement: it says nothing about the root zone.
    if (ph <= 0 || nh4 >= 2 || hco3 == 1 || ph >= 7.5f)
        return 0;
    const int nh4Band = nh4 < 0.5f ? 0 : nh4 < 1 ? 1 : nh4 < 1.5f ? 2 : 3;
    const int hco3Band = hco3 < 0.5f ? 0 : hco3 < 1 ? 1 : 2;
    for (const PhKlasse& k : kAmmoniumKlassen)
        if (k.nh4Band == nh4Band && k.hco3Band == hco3Band && ph >= k.van && ph < k.tot)
            return k.klasse;
    return 0;
}

void LaadNH4Aanpassing(const WaterRecord& drain, ElementVector& aangepast, BerekenInstellingen& instellingen)
{
    instellingen.AmoniumAanpassing = 0;
    if (isHandmatig(instellingen))
        return;
    const qint16 klasse = AmmoniumKlasse(drain.Elementen.NH4, drain.Elementen.HCO3, drain.Ph);
    if (klasse >= 6 && klasse <= 8) {
        const RecordSet rs = referenceDb().openRecordset("SELECT * FROM TEELT_NH4Aanpassing WHERE Code_TEELT = ?",
                                                         {instellingen.Code_Teelt});
        if (rs.recordCount() > 0) {
            const float extra = VeldSingle(rs, "Class" + QString::number(klasse));
            aangepast.NH4 = aangepast.NH4 + extra;
            aangepast.NO3 = aangepast.NO3 + extra;
        }
    }
    instellingen.AmoniumAanpassing = klasse;
}

void HistorieAanpassing(qint16 mode, ElementVector& v)
{
    const AppState& s = appState();
    if (mode == AanpassingMode::Laden) {
        const RecordSet rs =
            growerDb().openRecordset("SELECT * FROM HISTORIE_Aanpassing WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
                                     {s.ID_ALG_Tuinder, s.ID_HISTORIE});
        if (rs.recordCount() == 0)
            return;
        for (int p : Elementen::Aanpassing)
            v[p] = VeldSingle(rs, ElementNaam(p));
        return;
    }
    // Only the working set is written; a stored history set is shown as it was saved.
    if (mode != AanpassingMode::Bewaren || s.ID_HISTORIE != 0)
        return;
    QString columns = "ID_ALG_Tuinder, ID_HISTORIE";
    QString marks = "?, ?";
    QVariantList values{s.ID_ALG_Tuinder, 0};
    for (int p : Elementen::Aanpassing) {
        columns += ", " + ElementNaam(p);
        marks += ", ?";
        values << v[p];
    }
    Database& db = growerDb();
    Transaction tx(db);
    db.execute("DELETE FROM HISTORIE_Aanpassing WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = 0", {s.ID_ALG_Tuinder});
    db.execute("INSERT INTO HISTORIE_Aanpassing (" + columns + ") VALUES (" + marks + ")", values);
    tx.commit();
}

void LeesMeststofSamenstelling(RecordSet& rs, MeststofRecord& r, qint16 code, qint16 elementCode)
{
    if (!rs.findFirst("Code_MEST", code)) {
        r.Code_MEST = 0;
        return;
    }
    r.Code_MEST = VeldInteger(rs, "Code_MEST");
    r.Naam = NzStr(rs.value("lang" + QString::number(appState().languageID)));
    for (int p : Elementen::Meststof)
        r.Samenstelling[p] = VeldSingle(rs, ElementNaam(p));
    r.KGl = VeldSingle(rs, "KGl");
    r.Bak = 0;
    r.PrimElement0 = VeldInteger(rs, "PrimElement0");
    r.PrimElement1 = VeldInteger(rs, "PrimElement1");
    if (r.PrimElement1 == elementCode)
        std::swap(r.PrimElement0, r.PrimElement1);
}
