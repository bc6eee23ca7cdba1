#include "bakverdeling.h"

#include "appstate.h"
#include "bigbag.h"
#include "elementen.h"
#include "general.h"
#include "mdlzelvoracalc.h"
#include "ui/dialogs.h"
#include "units.h"
#include "zelvorageneral.h"

#include <QFile>
#include <QLocale>
#include <cmath>
#include <limits>
#include <vector>

namespace {

bool isVast(const MeststofRecord& m)
{
    return m.KGl == 1;
}

// A warning names the acid "Zuur" rather than "H".
QString waarschuwingsNaam(int positie)
{
    return positie == ElementVector::pH ? QStringLiteral("Zuur") : ElementNaam(positie);
}

// The log's layout: fixed 1-based columns in lines of fixed width.
constexpr int kLogBreedte = 110;
constexpr int kNaamKolom = 1;
constexpr int kNaamBreedte = 20;
constexpr int kHoeveelheidKolom = 25;
constexpr int kVeldBreedte = 7;
constexpr int logKolom(int i)
{
    return kHoeveelheidKolom + kVeldBreedte * (i + 1);
}

void zetVeld(QString& regel, int kolom, int breedte, const QString& tekst)
{
    regel.replace(kolom - 1, breedte, tekst.left(breedte).leftJustified(breedte));
}

// The number as the pattern "##.##" writes it: no leading zero, at most two
// decimals (halves away from zero), so 0 is a lone point and 0.5 is ".5".
QString logGetal(float waarde)
{
    const QLocale locale;
    QString tekst = FormatNumber(waarde, 2).remove(locale.groupSeparator());
    const QString punt = locale.decimalPoint();
    while (tekst.endsWith('0'))
        tekst.chop(1);
    const bool negatief = tekst.startsWith('-');
    if (negatief)
        tekst.remove(0, 1);
    if (tekst.startsWith("0" + punt))
        tekst.remove(0, 1);
    return negatief ? "-" + tekst : tekst;
}

QString leegRegel()
{
    return QString(kLogBreedte, ' ');
}

qint16 bakVoorAmmoniumOfMagnesium(const MeststofRecord& m, qint16 mixoraMest)
{
    if (mixoraMest == 0)
        return BakNummer::A;
    if (isVast(m))
        return BakNummer::B;
    return mixoraMest == 1 ? BakNummer::A : BakNummer::B;
}

// The first rule whose content test holds gives the tank.
qint16 bakVoor(const MeststofRecord& m, qint16 mixoraMest)
{
    const ElementVector& c = m.Samenstelling;
    if (c.Ca > 0)
        return BakNummer::A;
    if (c.SO4 > 0 || c.H2PO4 > 0)
        return BakNummer::B;
    if (c.NH4 > 0)
        return bakVoorAmmoniumOfMagnesium(m, mixoraMest);
    if (c.K > 0 && c.NO3 > 0)
        return isVast(m) ? BakNummer::Beide : BakNummer::B;
    if (c.H < -0.01f || c.H > 0.01f)
        return mixoraMest == 0 || mixoraMest == 1 ? BakNummer::B : BakNummer::Geen;
    if (c.Mg > 0)
        return bakVoorAmmoniumOfMagnesium(m, mixoraMest);
    if (c.Cl > 0)
        return BakNummer::B;
    if (c.Si > 0)
        return BakNummer::Silicium;
    if (c.Fe > 0)
        return BakNummer::A;
    if (m.Code_MEST >= 100)
        return BakNummer::Sporenelementen;
    return BakNummer::Geen;
}

void schaal(MeststofLijst& lijst, float f)
{
    for (int i = 1; i <= kLijstBoven; ++i) {
        lijst[i].Hoeveelheid = lijst[i].Hoeveelheid * f;
        lijst[i].Hoeveelheid2 = lijst[i].Hoeveelheid2 * f;
    }
}

float vasteStofBakA(const MeststofLijst& lijst)
{
    float totaal = 0;
    for (int i = 1; i <= kLijstBoven; ++i) {
        const MeststofRecord& m = lijst[i];
        if (isVast(m) && m.Bak == BakNummer::A && m.Code_MEST < 100)
            totaal = totaal + m.Hoeveelheid;
    }
    return totaal;
}

float zuurSleutel(const MeststofRecord& m)
{
    float h = m.Samenstelling.H;
    if (h > 0)
        h = h * 1000.0f;
    if (h < 0)
        h = h / -1000.0f;
    return h;
}

float ecSchatting(ElementVector v)
{
    BerekenEC(v);
    return v.EC;
}

} // namespace

void BerekenResultaat(const MeststofLijst& lijst, MeststofRecord& behoefte, ElementVector& resultaat)
{
    ElementVector geleverd;
    for (const MeststofRecord& m : lijst) {
        if (m.Aandeel == 1.0f && !m.Opgelost)
            continue;
        for (int p : Elementen::Controle)
            geleverd[p] = geleverd[p] + m.Hoeveelheid * m.Samenstelling[p];
        if (m.PrimElement0 == ElementCode::TweedeFosfaatBron) {
            behoefte.Samenstelling.K = behoefte.Samenstelling.K + m.Hoeveelheid * m.Samenstelling.K;
            behoefte.Samenstelling.NO3 = behoefte.Samenstelling.NO3 + m.Hoeveelheid * m.Samenstelling.NO3;
        }
    }
    for (int p : Elementen::Controle)
        ControleerElement(geleverd[p], behoefte.Samenstelling[p], waarschuwingsNaam(p), resultaat[p]);
}

void ControleerElement(float geleverd, float nodig, const QString& naam, float& positie)
{
    // The scale of the tolerance comes from the delivered total only when both
    // totals are non-zero: a residue of a few millionths against a requirement
    // of 0 is met.
    if (IsNearlyEqualNZ(geleverd, nodig, 0.01f)) {
        positie = 0;
        return;
    }
    MessageBox::show(GetLangStr(999000001) + " " + naam, MsgBox::Exclamation);
    positie = 1.0f;
}

void SchrijfLog(const MeststofLijst& lijst, const MeststofRecord& behoefte)
{
    QStringList regels;
    QString kop = leegRegel();
    zetVeld(kop, kHoeveelheidKolom, kVeldBreedte, "Kg");
    for (int i = 0; i < int(Elementen::LogKolommen.size()); ++i)
        zetVeld(kop, logKolom(i), kVeldBreedte, ElementNaam(Elementen::LogKolommen[i]));
    regels << kop;

    QString nodig = leegRegel();
    for (int i = 0; i < int(Elementen::LogKolommen.size()); ++i)
        zetVeld(nodig, logKolom(i), kVeldBreedte, logGetal(behoefte.Samenstelling[Elementen::LogKolommen[i]]));
    regels << nodig;

    for (int r = 1; r <= kLijstBoven; ++r) {
        const MeststofRecord& m = lijst[r];
        QString regel = leegRegel();
        zetVeld(regel, kNaamKolom, kNaamBreedte, m.Naam);
        zetVeld(regel, kHoeveelheidKolom, kVeldBreedte, logGetal(m.Hoeveelheid));
        for (int i = 0; i < int(Elementen::LogKolommen.size()); ++i)
            zetVeld(regel, logKolom(i), kVeldBreedte,
                    logGetal(m.Hoeveelheid * m.Samenstelling[Elementen::LogKolommen[i]]));
        regels << regel;
    }

    // A fresh file rather than a truncated one: the file system would flush
    // a truncated file to disk on closing, which costs more than the whole
    // calculation.
    QFile log(appState().AppPath + "log.txt");
    log.remove();
    const QByteArray inhoud = (regels.join("\r\n") + "\r\n").toLocal8Bit();
    // The recipe stands without its log; the user is told that the log is missing.
    if (!log.open(QIODevice::WriteOnly) || log.write(inhoud) != inhoud.size() || !log.flush())
        MessageBox::show(GetLangStr(999000092) + log.fileName() + "\n" + log.errorString(), MsgBox::Exclamation);
}

void VerdeelOverBakken(MeststofLijst& lijst, const BerekenInstellingen& instellingen)
{
    for (int i = 1; i <= kLijstBoven; ++i)
        lijst[i].Bak = bakVoor(lijst[i], instellingen.MixoraMest);

    float s1 = 0, l1 = 0, s2 = 0, l2 = 0;
    std::vector<int> beide; // lines that may go into either tank
    for (int i = 1; i <= kLijstBoven; ++i) {
        const MeststofRecord& m = lijst[i];
        if (m.Code_MEST >= 100)
            continue;
        if (isVast(m) && m.Bak == BakNummer::A)
            s1 = s1 + m.Hoeveelheid;
        else if (!isVast(m) && m.Bak == BakNummer::A)
            l1 = l1 + m.Hoeveelheid;
        else if (isVast(m) && m.Bak == BakNummer::B)
            s2 = s2 + m.Hoeveelheid;
        else if (!isVast(m) && m.Bak == BakNummer::B)
            l2 = l2 + m.Hoeveelheid;
        else if (m.Bak == BakNummer::Beide)
            beide.push_back(i);
    }

    if (s1 == 0 && instellingen.MixoraMest == 1) {
        for (int e : beide) {
            lijst[e].Bak = BakNummer::B;
            if (isVast(lijst[e]))
                s2 = s2 + lijst[e].Hoeveelheid;
        }
    } else if (!beide.empty()) {
        if (instellingen.MixoraMest == 0) {
            s1 = s1 + l1;
            s2 = s2 + l2;
        }
        // Every either-tank line needs a real tank; all but the last go whole
        // to the lighter tank, the last is split so that both tanks end equal.
        for (std::size_t k = 0; k + 1 < beide.size(); ++k) {
            MeststofRecord& m = lijst[beide[k]];
            if (s1 < s2) {
                m.Bak = BakNummer::A;
                s1 = s1 + m.Hoeveelheid;
            } else {
                m.Bak = BakNummer::B;
                s2 = s2 + m.Hoeveelheid;
            }
        }
        MeststofRecord& e = lijst[beide.back()];
        MeststofRecord& tweede = lijst[kLijstBoven];
        tweede = e;
        e.Bak = BakNummer::A;
        tweede.Bak = BakNummer::B;
        const float d = std::fabs(s1 - s2);
        const float r = e.Hoeveelheid - d;
        if (r <= 0) {
            if (s1 < s2)
                tweede.Hoeveelheid = 0;
            else
                e.Hoeveelheid = 0;
        } else if (s1 < s2) {
            e.Hoeveelheid = e.Hoeveelheid - r / 2.0f;
            tweede.Hoeveelheid = r / 2.0f;
        } else {
            e.Hoeveelheid = r / 2.0f;
            tweede.Hoeveelheid = tweede.Hoeveelheid - r / 2.0f;
        }
        s2 = s2 + tweede.Hoeveelheid;
    }

    if (instellingen.ExtraBigBag != 0)
        return;
    const float k = instellingen.MixoraMest == 1 && s2 != 0 ? instellingen.ZakGrootte / s2 : 1.0f;
    for (MeststofRecord& m : lijst) {
        m.Hoeveelheid = m.Hoeveelheid * k;
        if (m.KGl != 0)
            m.Hoeveelheid2 = m.Hoeveelheid / m.KGl;
    }
}

void SorteerOpBak(MeststofLijst& lijst)
{
    for (int j = kLijstBoven; j >= 0; --j)
        for (int i = 1; i <= j; ++i)
            if (lijst[i - 1].Bak > lijst[i].Bak)
                std::swap(lijst[i - 1], lijst[i]);

    int eerste = -1, laatste = -1;
    for (int i = 0; i <= kLijstBoven; ++i) {
        if (lijst[i].Bak == BakNummer::B) {
            if (eerste < 0)
                eerste = i;
            laatste = i;
        }
    }
    if (eerste < 0)
        return;
    for (int j = laatste; j >= eerste; --j)
        for (int i = eerste + 1; i <= j; ++i)
            if (zuurSleutel(lijst[i - 1]) < zuurSleutel(lijst[i]))
                std::swap(lijst[i - 1], lijst[i]);
}

qint16 ControleerBakConcentratie(MeststofLijst& lijst, const BerekenInstellingen&)
{
    qint16 geschaald = 0;
    float totaal = vasteStofBakA(lijst);
    if (totaal > 1200.001f) {
        schaal(lijst, 1200.0f / totaal);
        geschaald = 1;
    }
    totaal = vasteStofBakA(lijst);
    if (totaal > 1000.001f && MessageBox::show(GetLangStr(999000049), MsgBox::Question | MsgBox::YesNo) == MsgBox::No) {
        schaal(lijst, 1000.0f / totaal);
        geschaald = 1;
    }
    return geschaald;
}

bool BerekenConcentratie(const MeststofLijst& lijst, BerekenInstellingen& instellingen,
                         const ElementVector& gecorrigeerd)
{
    try {
        ElementVector totaal;
        if (instellingen.ExtraBigBag == 1) {
            float s = 0;
            if (instellingen.EBB_Factor != 0)
                s = instellingen.Mixorabak > 0 ? 1.0f / (100.0f / instellingen.EBB_Factor) : 1.0f;
            BigBagLijnen lijnen;
            LaadExtraBigBag(lijnen);
            const ElementVector blend = BigBagTotalen(lijnen);
            for (int p = ElementVector::pNH4; p <= ElementVector::pOH; ++p)
                totaal[p] = blend[p] * s;
        }
        for (const MeststofRecord& m : lijst)
            for (int p = ElementVector::pNH4; p <= ElementVector::pOH; ++p)
                totaal[p] = totaal[p] + m.Hoeveelheid * m.Samenstelling[p];
        const float a = ecSchatting(gecorrigeerd);
        const float b = ecSchatting(totaal);
        if (a > 0 && instellingen.BakGrootte > 0) {
            // Halves go to the even neighbour; a value beyond 16 bits cannot be stored.
            const float c = std::nearbyint(b / instellingen.BakGrootte / a * 1000.0f);
            const bool past = c >= std::numeric_limits<qint16>::min() && c <= std::numeric_limits<qint16>::max();
            instellingen.Concentratie = past ? qint16(c) : qint16(1);
            return past;
        }
    } catch (const AppError&) {
        instellingen.Concentratie = 1; // the blends could not be read
        return false;
    }
    return true;
}
