#include "tankindeling.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int SiliciumKopRij = 14;

class Plaatsing {
public:
    TankCellen cellen;
    bool botsing = false; // a cell was taken twice

    void zet(int rij, int kolom, const QString& tekst)
    {
        const auto cel = qMakePair(rij, kolom);
        if (cellen.contains(cel))
            botsing = true;
        cellen.insert(cel, tekst);
    }
    void zetLijn(int rij, int kolom, const clsPrintMeststofMeststof& l)
    {
        zet(rij, kolom, l.Naam);
        zet(rij, kolom + 1, l.Hoeveelheid);
        // Trace elements are in gram among lines in kg: an amount without its
        // unit would read a thousand times too much.
        zet(rij, kolom + 2, l.Eenheid);
    }
    void zetRegel(int rij, int kolom, const QStringList& tekst)
    {
        for (int i = 0; i < 3; ++i)
            zet(rij, kolom + i, tekst.value(i));
    }
    bool vrij(int rij, std::initializer_list<int> kolommen) const
    {
        for (int k : kolommen)
            if (cellen.contains(qMakePair(rij, k)))
                return false;
        return true;
    }
    int vrijeRij(int rij, std::initializer_list<int> kolommen) const
    {
        while (!vrij(rij, kolommen))
            ++rij;
        return rij;
    }
};

} // namespace

TankCellen TankIndeling::plaats(const QList<clsPrintMeststofMeststof>& lijnen) const
{
    const bool metA = hoeveelheidGewenst && regelA;
    const bool metB = hoeveelheidGewenst && regelB;
    const int eerste100 = hoeveelheidGewenst ? 1 : 0;

    // The lines in their own order, as the report has always placed them.
    {
        Plaatsing p;
        int rA = 0, rB = 0, k100 = eerste100, k101 = 0;
        bool kop = false;
        for (const clsPrintMeststofMeststof& l : lijnen) {
            switch (l.Bak) {
            case 1:
                p.zetLijn(++rA, 1, l);
                break;
            case 2:
                p.zetLijn(++rB, 5, l);
                break;
            case 100:
                p.zetLijn(rB + ++k100 + 1, 5, l);
                break;
            case 101:
                p.zetLijn(std::max(rA, rB) + ++k101 + 1, 1, l);
                break;
            case 10:
                if (!kop)
                    p.zet(SiliciumKopRij, 1, siliciumKop);
                kop = true;
                p.zetLijn(SiliciumKopRij + 1, 1, l);
                break;
            default:
                break;
            }
        }
        if (metA)
            p.zetRegel(++rA, 1, hoeveelheidsRegel);
        if (metB)
            p.zetRegel(++rB, 5, hoeveelheidsRegel);
        if (!p.botsing)
            return p.cellen;
    }

    // They collide: each group in turn, every line on rows still free.
    Plaatsing p;
    auto van = [&](qint16 bak) {
        QList<const clsPrintMeststofMeststof*> groep;
        for (const clsPrintMeststofMeststof& l : lijnen)
            if (l.Bak == bak)
                groep << &l;
        return groep;
    };
    int rA = 0, rB = 0;
    for (const auto* l : van(1))
        p.zetLijn(++rA, 1, *l);
    for (const auto* l : van(2))
        p.zetLijn(++rB, 5, *l);

    // The silicon block stays below tank A and the quantity line that closes it.
    const auto silicium = van(10);
    if (!silicium.isEmpty()) {
        int kop = std::max(SiliciumKopRij, rA + (metA ? 1 : 0) + 1);
        auto blokVrij = [&](int rij) {
            for (int i = 0; i <= silicium.size(); ++i)
                if (!p.vrij(rij + i, {1, 2, 3}))
                    return false;
            return true;
        };
        while (!blokVrij(kop))
            ++kop;
        p.zetRegel(kop, 1, {siliciumKop});
        for (int i = 0; i < silicium.size(); ++i)
            p.zetLijn(kop + 1 + i, 1, *silicium[i]);
    }

    int volgende = 0, k = eerste100;
    for (const auto* l : van(100)) {
        const int rij = p.vrijeRij(std::max(rB + ++k + 1, volgende), {5, 6});
        p.zetLijn(rij, 5, *l);
        volgende = rij + 1;
    }
    volgende = 0;
    k = 0;
    for (const auto* l : van(101)) {
        const int rij = p.vrijeRij(std::max(std::max(rA, rB) + ++k + 1, volgende), {1, 2});
        p.zetLijn(rij, 1, *l);
        volgende = rij + 1;
    }

    if (metA)
        p.zetRegel(p.vrijeRij(rA + 1, {1, 2, 3}), 1, hoeveelheidsRegel);
    if (metB)
        p.zetRegel(p.vrijeRij(rB + 1, {5, 6, 7}), 5, hoeveelheidsRegel);
    return p.cellen;
}

int TankRijen(const TankCellen& cellen)
{
    int rijen = 0;
    for (auto it = cellen.cbegin(); it != cellen.cend(); ++it)
        rijen = std::max(rijen, it.key().first);
    return rijen;
}
