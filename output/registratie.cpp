#include "registratie.h"

#include "appstate.h"
#include "elementen.h"
#include "units.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <array>
#include <cmath>

namespace {

// Datum is stored to the second, so the period runs from midnight of its
// first day up to, not including, midnight after its last.
QVariantList grenzen(const Periode& p)
{
    return {QDateTime(p.van, QTime(0, 0)), QDateTime(p.tot.addDays(1), QTime(0, 0))};
}

struct Samenstelling {
    double kgPerLiter = 1;
    std::array<double, Elementen::Gewichtsprocent.size()> procent{};
};

QHash<qint32, Samenstelling> leesSamenstellingen()
{
    QStringList kolommen{"Code_MEST", "KGl"};
    for (int p : Elementen::Gewichtsprocent)
        kolommen << ElementNaam(p) + "_perc";
    RecordSet rs = referenceDb().openRecordset("SELECT " + kolommen.join(", ") + " FROM MEST_Meststof");
    QHash<qint32, Samenstelling> samenstellingen;
    samenstellingen.reserve(rs.recordCount());
    for (; !rs.eof(); rs.moveNext()) {
        Samenstelling s;
        s.kgPerLiter = rs.value(1).isNull() ? 1 : rs.value(1).toDouble();
        for (size_t i = 0; i < s.procent.size(); ++i)
            s.procent[i] = rs.value(int(i) + 2).toDouble(); // Null reads as 0
        samenstellingen.insert(rs.value(0).toInt(), s);
    }
    return samenstellingen;
}

} // namespace

namespace Registratie {

QList<RegisterRij> TotaalPerMeststof(qint32 tuinder, const Periode& periode)
{
    QVariantList params = grenzen(periode);
    params << tuinder;
    RecordSet rs = growerDb().openRecordset(
        "SELECT BEST_Meststoffen.Code_Meststof, BEST_Meststoffen.NaamMeststof, "
        "Sum(BEST_Meststoffen.Hoeveelheid) AS SumOfHoeveelheid, BEST_Meststoffen.Eenheid "
        "FROM BEST_Hist INNER JOIN BEST_Meststoffen ON BEST_Hist.ID = BEST_Meststoffen.ID_BEST_Hist "
        "WHERE BEST_Hist.Datum >= ? AND BEST_Hist.Datum < ? AND BEST_Hist.ID_ALG_Tuinder = ? "
        "AND BEST_Meststoffen.Hoeveelheid > 0 "
        "GROUP BY BEST_Meststoffen.Code_Meststof, BEST_Meststoffen.NaamMeststof, BEST_Meststoffen.Eenheid "
        "ORDER BY BEST_Meststoffen.NaamMeststof, BEST_Meststoffen.Code_Meststof, BEST_Meststoffen.Eenheid",
        params);
    QList<RegisterRij> rijen;
    rijen.reserve(rs.recordCount());
    for (; !rs.eof(); rs.moveNext())
        rijen.append({rs.value(0).toInt(), rs.value(1).toString(), rs.value(2).toDouble(), rs.value(3).toString()});
    return rijen;
}

QList<RegisterRij> TotaalPerElement(qint32 tuinder, const Periode& periode)
{
    // One total per label, in the order the labels first appear in the catalogue.
    QStringList labels;
    std::array<int, Elementen::Gewichtsprocent.size()> labelVan{};
    for (size_t i = 0; i < Elementen::Gewichtsprocent.size(); ++i) {
        const QString label = ElementLabel(Elementen::Gewichtsprocent[i]);
        if (!labels.contains(label))
            labels << label;
        labelVan[i] = int(labels.indexOf(label));
    }
    QList<double> totaal(labels.size(), 0.0);

    const QList<RegisterRij> perMeststof = TotaalPerMeststof(tuinder, periode);
    const QHash<qint32, Samenstelling> samenstellingen = leesSamenstellingen();
    for (const RegisterRij& r : perMeststof) {
        const auto s = samenstellingen.constFind(r.Code_Meststof);
        if (s == samenstellingen.constEnd())
            continue;
        const double kg = Kilogram(r.Hoeveelheid, r.Eenheid, s->kgPerLiter);
        for (size_t i = 0; i < s->procent.size(); ++i)
            totaal[labelVan[i]] += kg * s->procent[i] / 100;
    }

    QList<RegisterRij> rijen;
    for (int i = 0; i < labels.size(); ++i)
        if (totaal[i] != 0)
            rijen.append({0, labels[i], totaal[i], "kg"});

    Database& db = growerDb();
    Transaction transaction(db);
    db.execute("DELETE FROM BEST_HistElementen");
    for (const RegisterRij& r : rijen)
        db.execute("INSERT INTO BEST_HistElementen (Naam, Hoeveelheid, Eenheid) VALUES (?, ?, ?)",
                   {r.Naam, r.Hoeveelheid, r.Eenheid});
    transaction.commit();
    return rijen;
}

QList<RegisterBestelling> BestellingenVan(qint32 tuinder, qint32 codeMeststof, const Periode& periode)
{
    QVariantList params{codeMeststof};
    params << grenzen(periode) << tuinder;
    RecordSet rs = growerDb().openRecordset(
        "SELECT BEST_Hist.ID, BEST_Hist.Datum, BEST_Meststoffen.Hoeveelheid, BEST_Meststoffen.Eenheid, "
        "BEST_Meststoffen.NaamMeststof "
        "FROM BEST_Hist INNER JOIN BEST_Meststoffen ON BEST_Hist.ID = BEST_Meststoffen.ID_BEST_Hist "
        "WHERE BEST_Meststoffen.Code_Meststof = ? AND BEST_Hist.Datum >= ? AND BEST_Hist.Datum < ? "
        "AND BEST_Hist.ID_ALG_Tuinder = ? "
        "ORDER BY BEST_Hist.Datum, BEST_Hist.ID",
        params);
    QList<RegisterBestelling> lijst;
    for (; !rs.eof(); rs.moveNext())
        lijst.append({rs.value(0).toInt(), rs.value(1).toDateTime(), rs.value(2).toDouble(), rs.value(3).toString(),
                      rs.value(4).toString()});
    return lijst;
}

bool Verwijder(qint32 tuinder, qint32 id)
{
    Database& db = growerDb();
    Transaction transaction(db);
    // The lines go only with a header of this grower: an ID from another
    // grower's order in a copied database leaves that order whole.
    if (db.execute("DELETE FROM BEST_Hist WHERE ID = ? AND ID_ALG_Tuinder = ?", {id, tuinder}) == 0)
        return false;
    db.execute("DELETE FROM BEST_Meststoffen WHERE ID_BEST_Hist = ?", {id});
    transaction.commit();
    return true;
}

double Kilogram(double hoeveelheid, const QString& eenheid, double kgPerLiter)
{
    const double dichtheid = kgPerLiter > 0 ? kgPerLiter : 1;
    const QString e = eenheid.trimmed();
    if (e.compare("gram", Qt::CaseInsensitive) == 0)
        return hoeveelheid / 1000;
    if (e.compare("liter", Qt::CaseInsensitive) == 0)
        return hoeveelheid * dichtheid;
    if (e.compare("ml", Qt::CaseInsensitive) == 0)
        return hoeveelheid / 1000 * dichtheid;
    return hoeveelheid;
}

QString ElementLabel(int positie)
{
    switch (positie) {
    case EP::pNO3:
    case EP::pNH4:
        return "N-totaal";
    case EP::pH2PO4:
        return "P";
    case EP::pK:
        return "K2O";
    case EP::pCa:
        return "CaO";
    case EP::pMg:
        return "MgO";
    default:
        return ElementNaam(positie);
    }
}

namespace {

QString datumFormaat()
{
    // A two-digit year would read 1/3/24 as 1924.
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression kortJaar("(?<!y)yy(?!y)");
    f.replace(kortJaar, "yyyy");
    return f;
}

} // namespace

QString DatumTekst(const QDate& datum)
{
    return QLocale().toString(datum, datumFormaat());
}

QDate LeesDatum(const QString& tekst)
{
    const QString t = tekst.trimmed();
    if (t.isEmpty())
        return {};
    static const QRegularExpression dag("(?<!d)dd(?!d)"), maand("(?<!M)MM(?!M)"), jaar("(?<!y)yyyy(?!y)");
    // Leading zeros of day and month may be left out.
    QString f = datumFormaat();
    f.replace(dag, "d").replace(maand, "M");
    const QLocale locale;
    QDate d = locale.toDate(t, f);
    if (!d.isValid()) {
        QString kort = f;
        kort.replace(jaar, "yy");
        d = locale.toDate(t, kort);
        if (d.isValid())
            d = d.addYears(2000 - 1900); // yy reads as 19yy
    }
    if (!d.isValid())
        d = QDate::fromString(t, Qt::ISODate);
    return d;
}

Periode StandaardPeriode(const QDate& vandaag)
{
    if (vandaag.month() == 2 && vandaag.day() == 29)
        return {QDate(vandaag.year() - 1, 3, 1), vandaag};
    return {vandaag.addYears(-1), vandaag};
}

QString HoeveelheidTekst(double hoeveelheid, qint16 modus)
{
    const qint16 decimalen = modus == PerElement && std::abs(hoeveelheid) < 10 ? 3 : 0;
    return FormatNumber(hoeveelheid, decimalen).remove(QLocale().groupSeparator());
}

} // namespace Registratie
