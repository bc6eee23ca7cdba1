#include "drainanalyse.h"

#include "appstate.h"
#include "elementen.h"
#include "zelvorageneral.h"

namespace {

qint16 AanpassingNaVinkje(qint16 aanpassing, bool aangevinkt)
{
    if (aangevinkt && aanpassing == 0)
        return 2;
    if (!aangevinkt && aanpassing == 2)
        return 0;
    return aanpassing;
}

} // namespace

namespace DrainAnalyse {

bool Lees(WaterRecord& drain)
{
    const AppState& s = appState();
    const RecordSet rs = growerDb().openRecordset("SELECT * FROM MAT WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
                                                  {s.ID_ALG_Tuinder, s.ID_HISTORIE});
    if (rs.recordCount() == 0)
        return false;
    for (int p : Elementen::NH4totMo)
        drain.Elementen[p] = NzValue(rs.value(ElementNaam(p)), NzType::Single).toFloat();
    drain.Elementen.EC = NzValue(rs.value("EC"), NzType::Single).toFloat();
    drain.Ph = NzValue(rs.value("Ph"), NzType::Single).toFloat();
    return true;
}

bool IsLeeg(const WaterRecord& drain)
{
    for (int p : Elementen::NH4totMo)
        if (drain.Elementen[p] != 0)
            return false;
    return drain.Elementen.EC == 0 && drain.Ph == 0;
}

qint16 LeesAanpassing()
{
    return qint16(NzValue(GetTeeltInstelling("Aanpassing", InstellingMode::Number)).toInt());
}

bool Schrijf(const WaterRecord& drain, bool aangevinkt, bool& gewijzigd)
{
    const AppState& s = appState();
    gewijzigd = false;
    Transaction tx(growerDb());
    RecordSet rs =
        growerDb().openTable("MAT", "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", {s.ID_ALG_Tuinder, s.ID_HISTORIE}, "ID");
    if (rs.recordCount() == 0) {
        rs.addNew();
        rs.setValue("ID_ALG_Tuinder", s.ID_ALG_Tuinder);
        rs.setValue("ID_HISTORIE", 0);
        rs.update();
    }
    rs.moveFirst();
    rs.edit();
    for (int p : Elementen::NH4totMo)
        rs.setValue(ElementNaam(p), drain.Elementen[p]);
    rs.setValue("EC", drain.Elementen.EC);
    rs.setValue("Ph", drain.Ph);
    rs.update();

    const qint16 before = LeesAanpassing();
    const qint16 after = AanpassingNaVinkje(before, aangevinkt);
    if (!PutTeeltInstelling("Aanpassing", after, InstellingMode::Number))
        return false;
    tx.commit();
    gewijzigd = after != before;
    return true;
}

} // namespace DrainAnalyse
