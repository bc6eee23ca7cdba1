#include "wateranalyse.h"

#include "appstate.h"
#include "elementen.h"
#include "zelvorageneral.h"

#include <algorithm>

namespace {

qint16 WaterRecord::*const kReadings[] = {&WaterRecord::SC1, &WaterRecord::SC2, &WaterRecord::SC3,
                                          &WaterRecord::SC4, &WaterRecord::SC5, &WaterRecord::SC6};

QString readingColumn(int k)
{
    return "SC" + QString::number(k + 1);
}

RecordSet openWaterRows()
{
    const AppState& s = appState();
    return growerDb().openTable("WATER", "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", {s.ID_ALG_Tuinder, s.ID_HISTORIE},
                                "ID");
}

// A row made here belongs to the working set, whatever set is open.
void NieuwWaterRecord(qint16 type, RecordSet& rs)
{
    rs.addNew();
    rs.setValue("Type", type);
    rs.setValue("ID_ALG_Tuinder", appState().ID_ALG_Tuinder);
    rs.setValue("ID_HISTORIE", 0);
    rs.setValue("Perc", 0);
    rs.update();
}

qint16 readingOf(const QVariant& value)
{
    return qint16(std::clamp(NzValue(value, NzType::Double).toDouble(), -32768.0, 32767.0));
}

} // namespace

namespace WaterAnalyse {

qint16 LeesInvoerType()
{
    const qint16 type = qint16(NzValue(GetTeeltInstelling("WaterInputType", InstellingMode::Number)).toInt());
    return type == WaterInvoer::Volledig ? WaterInvoer::Volledig : WaterInvoer::Snel;
}

void Lees(WaterRecords& water)
{
    const bool workingSet = appState().ID_HISTORIE == 0;
    RecordSet rs = openWaterRows();
    for (qint16 n = 1; n <= 3; ++n) {
        WaterRecord& source = water[n];
        const bool found = rs.findFirst("Type", n);
        if (!found && workingSet)
            NieuwWaterRecord(n, rs);
        const auto column = [&](const QString& name) { return found ? rs.value(name) : QVariant(); };
        source.Perc = NzValue(column("Perc"), NzType::Single).toFloat();
        for (int k = 0; k < 6; ++k)
            source.*kReadings[k] = readingOf(column(readingColumn(k)));
        for (int p : Elementen::NH4totMo)
            source.Elementen[p] = NzValue(column(ElementNaam(p)), NzType::Single).toFloat();
    }
}

bool Schrijf(qint16 inputType, const WaterRecords& water)
{
    Transaction tx(growerDb());
    if (!PutTeeltInstelling("WaterInputType", inputType, InstellingMode::Number))
        return false;
    RecordSet rs = openWaterRows();
    for (qint16 n = 1; n <= 3; ++n) {
        if (!rs.findFirst("Type", n))
            NieuwWaterRecord(n, rs);
        const WaterRecord& source = water[n];
        rs.edit();
        rs.setValue("Perc", source.Perc);
        for (int k = 0; k < 6; ++k)
            rs.setValue(readingColumn(k), source.*kReadings[k]);
        for (int p : Elementen::NH4totMo)
            rs.setValue(ElementNaam(p), source.Elementen[p]);
        rs.update();
    }
    tx.commit();
    return true;
}

} // namespace WaterAnalyse
