#include "bigbagmengsels.h"

#include "hoeveelheid.h"
#include "units.h"

int BigBagMengsels::AantalRegels(int mengsel) const
{
    int n = 0;
    while (n < kRegels && Regel(mengsel, n + 1).Code_MEST != 0)
        ++n;
    return n;
}

float BigBagMengsels::TotaalKg(int mengsel) const
{
    float totaal = 0;
    for (int r = 1; r <= kRegels; ++r) {
        const MeststofRecord& regel = Regel(mengsel, r);
        if (regel.Code_MEST != 0 && regel.Code_MEST < 100)
            totaal += regel.Hoeveelheid;
    }
    return totaal;
}

BigBagMengsels::Toevoegen BigBagMengsels::VoegToe(int mengsel, const MeststofRecord& meststof)
{
    int leeg = 0;
    for (int r = 1; r <= kRegels; ++r) {
        const MeststofRecord& regel = Regel(mengsel, r);
        if (regel.Code_MEST == 0) {
            if (leeg == 0)
                leeg = r;
        } else if (regel.Code_MEST == meststof.Code_MEST && regel.Bak == mengsel) {
            return Toevoegen::AlInMengsel;
        }
    }
    if (leeg == 0)
        return Toevoegen::Vol;
    MeststofRecord& nieuw = m_mengsels.at(mengsel - 1).at(leeg);
    nieuw = meststof;
    nieuw.Hoeveelheid = 0;
    nieuw.Hoeveelheid2 = 0;
    nieuw.Bak = qint16(mengsel);
    return Toevoegen::Toegevoegd;
}

bool BigBagMengsels::IsLeeg() const
{
    // An amount is only ever set on a line that holds a fertiliser.
    for (const auto& mengsel : m_mengsels)
        for (const MeststofRecord& regel : mengsel)
            if (regel.Code_MEST != 0)
                return false;
    return true;
}

bool BigBagMengsels::Plaats(int mengsel, const MeststofRecord& regel)
{
    if (regel.Code_MEST == 0)
        return false;
    const int n = AantalRegels(mengsel);
    if (n >= kRegels)
        return false;
    MeststofRecord& plek = m_mengsels.at(mengsel - 1).at(n + 1);
    plek = regel;
    plek.Bak = qint16(mengsel);
    return true;
}

bool BigBagMengsels::ZetHoeveelheid(int mengsel, int rij, float hoeveelheid)
{
    if (rij < 0 || rij >= AantalRegels(mengsel))
        return false;
    MeststofRecord& regel = m_mengsels.at(mengsel - 1).at(rij + 1);
    (regel.KGl == 1 ? regel.Hoeveelheid : regel.Hoeveelheid2) = hoeveelheid;
    return true;
}

void BigBagMengsels::Leeg()
{
    for (auto& mengsel : m_mengsels)
        mengsel.fill(MeststofRecord());
}

QList<clsPrintMeststofMeststof> BigBagMengsels::PrintRegels() const
{
    QList<clsPrintMeststofMeststof> regels;
    for (int mengsel : {1, 2})
        for (int r = 1; r <= kRegels; ++r) {
            const MeststofRecord& regel = Regel(mengsel, r);
            if (regel.Code_MEST == 0)
                continue;
            clsPrintMeststofMeststof p;
            p.Nr = regel.Code_MEST;
            p.Naam = regel.Naam;
            p.Hoeveelheid = HoeveelheidTekst(regel);
            p.Eenheid = EenheidTekst(regel);
            p.Bak = qint16(mengsel);
            regels << p;
        }
    return regels;
}

InvoerFout LeesHoeveelheid(const QString& tekst, float& hoeveelheid)
{
    double getal = 0;
    const InvoerFout fout = LeesInvoer(tekst, kHoeveelheidBereik, getal);
    if (fout == InvoerFout::Geen)
        hoeveelheid = getal == 0 ? 0.0f : float(getal); // "-0" is shown as 0
    return fout;
}

QString HoeveelheidTekst(const MeststofRecord& regel)
{
    return FormatHoeveelheid(nullptr, regel);
}

QString EenheidTekst(const MeststofRecord& regel)
{
    return GetEenheid(nullptr, regel);
}

QString TotaalTekst(float kg)
{
    return FormatNumber(kg, 1) + " KG ";
}
