#include "samenstelling.h"

#include "adviesberekening.h"
#include "appstate.h"
#include "bakverdeling.h"
#include "hoeveelheid.h"
#include "recept.h"
#include "velden.h"
#include "zelvorageneral.h"

#include <QLocale>
#include <algorithm>

namespace {

bool isLeeg(const ElementVector& v)
{
    for (int p = 0; p < ElementVector::FloatCount; ++p)
        if (v[p] != 0)
            return false;
    return true;
}

// An amount from −0.5 to 0.5 counts as nothing: it is neither shown nor ordered.
bool isGetoond(const MeststofRecord& m)
{
    return m.Hoeveelheid < -0.5f || m.Hoeveelheid > 0.5f;
}

// Listed in column A after the longer of the two columns; the calculation
// itself gives no line this tank, but stored compositions may hold it.
constexpr qint16 kNaLangsteKolom = 101;
constexpr int kSiliciumRegel = 15;

} // namespace

bool AdviesBerekend()
{
    const AppState& s = appState();
    return s.AdviesAanpassing.Vlag == 1 && !isLeeg(s.StreefGecorrigeerd);
}

BerekenInstellingen LeesSamenstelInstellingen()
{
    const RecordSet rij = OpenTeeltInstelling();
    BerekenInstellingen r = LeesAdviesInstellingen(rij);
    r.BakGrootte = VeldInteger(rij, "BakGrootte");
    r.Concentratie = VeldInteger(rij, "Concentratie");
    r.ZakGrootte = VeldInteger(rij, "ZakGrootte");
    r.MixoraMest = VeldInteger(rij, "MixoraMest");
    r.VerrekeningStandaardEC = VeldInteger(rij, "VerrekeningStandaardEC");
    r.Mixorabak = VeldInteger(rij, "Mixorabak");
    // Big-bag blends are made up for a tank concentration of 100.
    if (r.Concentratie == 0 || r.ExtraBigBag == 1)
        r.Concentratie = 100;
    return r;
}

qint16 BerekendeConcentratie()
{
    return qint16(NzValue(GetTeeltInstelling("Concentratie_berek", InstellingMode::Number), NzType::Integer).toInt());
}

std::optional<float> BronPercentage(const MeststofRecord& m)
{
    const char* bron = m.PrimElement0 == ElementCode::Fe                  ? "FeBron"
                       : m.PrimElement0 == ElementCode::TweedeFosfaatBron ? "PBron"
                                                                          : nullptr;
    if (!bron)
        return std::nullopt;
    const AppState& s = appState();
    const RecordSet selectie = growerDb().openRecordset(
        "SELECT * FROM MEST_Selectie WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", {s.ID_ALG_Tuinder, s.ID_HISTORIE});
    if (selectie.recordCount() == 0)
        return 0.0f;
    const QString kolom = QString::fromLatin1(bron);
    if (VeldInteger(selectie, kolom + "_Code") != m.Code_MEST)
        return std::nullopt;
    return VeldSingle(selectie, kolom + "_Perc");
}

QString NaamMetPercentage(const QString& naam, float percentage)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return naam + " [" + locale.toString(percentage, 'g', 7) + "%]";
}

SamenstelFout BerekenSamenstelling(Samenstelling& s, BerekenInstellingen& instellingen, QString& omschrijving)
{
    // In product-line mode the solids of tank B make up one bag: a bag of
    // 0 kg would make every amount 0, a recipe of nothing.
    if (instellingen.MixoraMest == 1 && instellingen.ZakGrootte < 1)
        return SamenstelFout::ZakGrootte;
    AppState& st = appState();
    Samenstelling nieuw;
    BerekenInstellingen r = instellingen;
    SamenstelFout fase = SamenstelFout::Berekening;
    try {
        // The calculation stores its concentration and big-bag factor itself:
        // they go with the composition or not at all.
        Transaction tx(growerDb());
        ElementVector werk;
        BerekenMeststoffen(st.StreefWaarden, st.StreefGecorrigeerd, nieuw.BakDoel, werk, nieuw.Meststoffen,
                           nieuw.Vlaggen, r);
        for (int slot = 1; slot <= kLijstBoven; ++slot) {
            MeststofRecord& m = nieuw.Meststoffen[slot];
            if (m.Aandeel > 0)
                if (const std::optional<float> p = BronPercentage(m))
                    m.Naam = NaamMetPercentage(m.Naam, *p);
        }
        fase = SamenstelFout::Opslag;
        // The report and the order read the concentration from the settings row.
        if (BerekendeConcentratie() != r.Concentratie)
            throw AppError(JetError::GeneralSql, "TEELT_Instelling", "Concentratie_berek");
        SamenstellingOpslag::Schrijf(nieuw);
        tx.commit();
    } catch (const AppError& e) {
        omschrijving = e.description();
        return e.number() == ConcentratieFout ? SamenstelFout::Concentratie : fase;
    }
    s = nieuw;
    instellingen = r;
    return SamenstelFout::Geen;
}

TankIndeling DeelTankRegelsIn(const MeststofLijst& lijst)
{
    TankIndeling t;
    int aantalA = 0, aantalB = 0;
    for (int slot = 1; slot <= kLijstBoven; ++slot) {
        const MeststofRecord& m = lijst[slot];
        if (!isGetoond(m))
            continue;
        if (m.Bak == BakNummer::A)
            ++aantalA;
        else if (m.Bak == BakNummer::B)
            ++aantalB;
    }

    int a = 0, b = 0, sporen = 0, naLangste = 0;
    QList<int> zonderBak;
    for (int slot = 1; slot <= kLijstBoven; ++slot) {
        const MeststofRecord& m = lijst[slot];
        if (!isGetoond(m))
            continue;
        TankRegel r;
        r.slot = slot;
        switch (m.Bak) {
        case BakNummer::A:
            r.n = ++a;
            break;
        case BakNummer::B:
            r.kolom = 200;
            r.n = ++b;
            break;
        case BakNummer::Sporenelementen:
            r.kolom = 200;
            r.n = aantalB + ++sporen;
            r.lager = true;
            break;
        case kNaLangsteKolom:
            r.n = std::max(aantalA, aantalB) + ++naLangste;
            r.lager = true;
            break;
        case BakNummer::Silicium:
            r.n = kSiliciumRegel;
            r.silicium = true;
            break;
        default:
            zonderBak << slot; // placed once the lines after the longer column are counted
            continue;
        }
        r.negatief = m.Hoeveelheid < -0.001f;
        t.regels << r;
    }
    for (int i = 0; i < zonderBak.size(); ++i) {
        TankRegel r;
        r.slot = zonderBak[i];
        r.n = std::max(aantalA, aantalB) + naLangste + i + 1;
        r.lager = true;
        r.zonderBak = true;
        r.negatief = lijst[r.slot].Hoeveelheid < -0.001f;
        // In slot order with the others, so that the report lists the lines as the list holds them.
        const auto plaats =
            std::find_if(t.regels.begin(), t.regels.end(), [&](const TankRegel& x) { return x.slot > r.slot; });
        t.regels.insert(plaats, r);
    }

    t.eigenA = aantalA;
    t.aantalA = std::max(aantalA, aantalB);
    for (const TankRegel& r : t.regels) {
        t.hoogsteRegel = std::max(t.hoogsteRegel, r.n);
        const MeststofRecord& m = lijst[r.slot];
        clsPrintMeststofMeststof p;
        p.Nr = m.Code_MEST;
        p.Naam = m.Naam;
        p.Hoeveelheid = FormatHoeveelheid(nullptr, m);
        p.Eenheid = GetEenheid(nullptr, m);
        p.Bak = m.Bak;
        t.print << p;
    }
    t.hoogsteRegel = std::max(t.hoogsteRegel, t.aantalA);
    return t;
}
