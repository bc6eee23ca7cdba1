#include "meststofselectie.h"

#include "appstate.h"
#include "elementen.h"
#include "zelvorageneral.h"

namespace {

constexpr MestRij kMacro[] = {
    {"NH4_Code", nullptr, {ElementCode::NH4, 0}},
    {"K_Code", nullptr, {ElementCode::K, 0}},
    {"Ca_Code", nullptr, {ElementCode::Ca, 0}},
    {"Mg_Code", nullptr, {ElementCode::Mg, 0}},
    {"NO3_Code", nullptr, {ElementCode::NO3, 0}},
    {"Cl_Code", nullptr, {ElementCode::Cl, 0}},
    {"SO4_Code", nullptr, {ElementCode::SO4, 0}},
    {"H2PO4_Code", nullptr, {ElementCode::H2PO4, 0}},
    {"PBron_Code", "PBron_Perc", {ElementCode::TweedeFosfaatBron, 0}},
    {"ZuurLoog_Code", nullptr, {ElementCode::H, ElementCode::OH}},
    {"Si_Code", nullptr, {ElementCode::Si, 0}},
};
constexpr MestRij kMicro[] = {
    {"Fe_Code", nullptr, {ElementCode::Fe, 0}}, {"FeBron_Code", "FeBron_Perc", {ElementCode::Fe, 0}},
    {"Mn_Code", nullptr, {ElementCode::Mn, 0}}, {"Zn_Code", nullptr, {ElementCode::Zn, 0}},
    {"B_Code", nullptr, {ElementCode::B, 0}},   {"Cu_Code", nullptr, {ElementCode::Cu, 0}},
    {"Mo_Code", nullptr, {ElementCode::Mo, 0}},
};

// Index of the first row of a page in HISTORIE_Mest.
int eersteIndex(qint16 pagina)
{
    return pagina == MestPagina::Micro ? 100 : 0;
}

QVariantList huidigeSet()
{
    const AppState& s = appState();
    return {s.ID_ALG_Tuinder, s.ID_HISTORIE};
}

RecordSet openSelectie()
{
    return growerDb().openTable("MEST_Selectie", "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", huidigeSet(), "ID");
}

qint16 klein(const QVariant& waarde)
{
    return qint16(NzValue(waarde, NzType::Integer).toInt());
}

} // namespace

std::span<const MestRij> MestRijen(qint16 pagina)
{
    if (pagina == MestPagina::Micro)
        return kMicro;
    return kMacro;
}

namespace MeststofSelectie {

std::vector<MestSlot> LeesSelectie(qint16 pagina)
{
    RecordSet rs = openSelectie();
    if (appState().ID_HISTORIE == 0)
        EnsureSettingRow(rs);
    std::vector<MestSlot> keuze;
    const bool heeftRij = rs.recordCount() > 0;
    if (heeftRij)
        rs.moveFirst();
    for (const MestRij& rij : MestRijen(pagina)) {
        MestSlot slot;
        if (heeftRij) {
            slot.code = klein(rs.value(rij.codeKolom));
            if (rij.percKolom)
                slot.perc = NzValue(rs.value(rij.percKolom), NzType::Single).toFloat();
        }
        keuze.push_back(slot);
    }
    return keuze;
}

std::vector<MestRegelTekst> LeesTeksten(qint16 pagina)
{
    const int eerste = eersteIndex(pagina);
    const int aantal = int(MestRijen(pagina).size());
    std::vector<MestRegelTekst> teksten(aantal);
    std::vector<bool> gevonden(aantal, false);
    QVariantList params = huidigeSet();
    params << eerste << eerste + aantal;
    RecordSet rij =
        growerDb().openRecordset("SELECT \"Index\", Naam, Conc1, Conc2, Conc3 FROM HISTORIE_Mest "
                                 "WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ? AND \"Index\" >= ? AND \"Index\" < ? "
                                 "ORDER BY \"Index\", ID",
                                 params);
    for (int n = 0; n < rij.recordCount(); ++n) {
        rij.move(n);
        const int r = klein(rij.value(0)) - eerste;
        if (r < 0 || r >= aantal || gevonden[r])
            continue; // of two rows with one Index the first counts
        gevonden[r] = true;
        teksten[r] = {NzStr(rij.value(1)), {NzStr(rij.value(2)), NzStr(rij.value(3)), NzStr(rij.value(4))}};
    }
    return teksten;
}

void Schrijf(qint16 pagina, qint16 filter, const std::vector<MestSlot>& keuze,
             const std::vector<MestRegelTekst>& teksten)
{
    const AppState& s = appState();
    if (s.ID_HISTORIE != 0)
        return; // a stored history set is shown as it was saved
    const std::span<const MestRij> rijen = MestRijen(pagina);
    Database& db = growerDb();
    Transaction tx(db);

    RecordSet instelling = OpenTeeltInstelling();
    instelling.edit();
    instelling.setValue("MixoraMest", filter);
    instelling.update();

    RecordSet selectie = openSelectie();
    EnsureSettingRow(selectie);
    selectie.edit();
    for (size_t r = 0; r < rijen.size() && r < keuze.size(); ++r) {
        selectie.setValue(rijen[r].codeKolom, keuze[r].code);
        if (rijen[r].percKolom)
            selectie.setValue(rijen[r].percKolom, keuze[r].perc);
    }
    selectie.update();

    const int eerste = eersteIndex(pagina);
    db.execute(QString("DELETE FROM HISTORIE_Mest WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ? AND \"Index\" ") +
                   (pagina == MestPagina::Micro ? ">= 100" : "< 100"),
               huidigeSet());
    for (size_t r = 0; r < rijen.size() && r < teksten.size(); ++r) {
        const MestRegelTekst& t = teksten[r];
        db.execute("INSERT INTO HISTORIE_Mest (ID_ALG_Tuinder, ID_HISTORIE, \"Index\", Naam, Conc1, Conc2, Conc3) "
                   "VALUES (?, 0, ?, ?, ?, ?, ?)",
                   {s.ID_ALG_Tuinder, eerste + int(r), t.naam, t.conc[0], t.conc[1], t.conc[2]});
    }
    tx.commit();
}

std::optional<MeststofGegevens> LeesMeststof(qint16 code, bool alleenProductlijn)
{
    QStringList kolommen{"MEST.Code", "MEST.Lang" + QString::number(appState().languageID), "PrimElement0",
                         "PrimElement1", "KGl"};
    for (int positie : Elementen::Meststof)
        kolommen << QString("MEST_Meststof.") + ElementOp(positie).naam;
    QString sql = "SELECT " + kolommen.join(", ") +
                  " FROM MEST INNER JOIN MEST_Meststof ON MEST.Code = MEST_Meststof.Code_MEST WHERE MEST.Code = ?";
    if (alleenProductlijn)
        sql += " AND MEST_Meststof.Mixora = 1";
    const RecordSet rs = referenceDb().openRecordset(sql, {code});
    if (rs.recordCount() == 0)
        return std::nullopt;
    MeststofGegevens m;
    m.code = klein(rs.value(0));
    m.naam = NzStr(rs.value(1));
    m.primElement0 = klein(rs.value(2));
    m.primElement1 = klein(rs.value(3));
    m.kgl = NzValue(rs.value(4), NzType::Single).toFloat();
    int veld = 5;
    for (int positie : Elementen::Meststof)
        m.samenstelling[positie] = NzValue(rs.value(veld++), NzType::Single).toFloat();
    return m;
}

std::optional<float> LeesKGl(qint16 code)
{
    const RecordSet rs = referenceDb().openRecordset("SELECT KGl FROM MEST_Meststof WHERE Code_MEST = ?", {code});
    if (rs.recordCount() == 0)
        return std::nullopt;
    return NzValue(rs.value(0), NzType::Single).toFloat();
}

} // namespace MeststofSelectie
