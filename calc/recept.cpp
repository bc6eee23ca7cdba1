#include "recept.h"

#include "bakverdeling.h"
#include "bigbag.h"
#include "db/apperror.h"
#include "meststoflijst.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

namespace {

// The big-bag search ends within 16 passes while it adjusts the factor and
// soon after pass 20 once it adjusts the percentage; by pass 40 its steps are
// too small to move a single-precision percentage, so a search still running
// then will not end.
constexpr qint16 kMaxPassen = 40;

void zetHoeveelheid(MeststofRecord& m, float hoeveelheid, MeststofRecord& behoefte, int positie)
{
    m.Hoeveelheid = hoeveelheid;
    TrekMeststofAf(behoefte, m);
    if (positie >= 0)
        behoefte.Samenstelling[positie] = 0;
}

void losEnkel(MeststofRecord& m, MeststofRecord& behoefte, int positie)
{
    const float gehalte = m.Samenstelling[positie];
    if (gehalte > 0)
        zetHoeveelheid(m, behoefte.Samenstelling[positie] / gehalte, behoefte, positie);
}

// A fertiliser with both Mg and SO4 is limited by whichever runs out first;
// neither requirement is closed.
void losGecombineerd(MeststofRecord& m, MeststofRecord& behoefte)
{
    const float a = behoefte.Samenstelling.SO4 / m.Samenstelling.SO4;
    const float b = behoefte.Samenstelling.Mg / m.Samenstelling.Mg;
    zetHoeveelheid(m, a < b ? a : b, behoefte, -1);
}

bool heeftBigBagLijnen()
{
    BigBagLijnen lijnen;
    LaadExtraBigBag(lijnen);
    return !lijnen.isEmpty();
}

} // namespace

void SchaalNaarEC(ElementVector& ecDoel, const ElementVector& gecorrigeerd, float& gewenstEC,
                  const BerekenInstellingen& instellingen)
{
    const float f =
        gecorrigeerd.EC > 0 && instellingen.VerrekeningStandaardEC == 0 ? gewenstEC / gecorrigeerd.EC : 1.0f;
    for (int p : kBehoefteElementen)
        if (p != ElementVector::pSi)
            ecDoel[p] = f * gecorrigeerd[p];
    ecDoel.Si = gecorrigeerd.Si;
}

void SchaalNaarBak(ElementVector& bakDoel, const ElementVector& ecDoel, const BerekenInstellingen& instellingen)
{
    const float s = float(instellingen.BakGrootte / 1000.0 * instellingen.Concentratie);
    for (int p : kBehoefteElementen)
        bakDoel[p] = s * ecDoel[p];
}

void SchaalPercentage(MeststofRecord& behoefte, const ElementVector& bakDoel, const BerekenInstellingen& instellingen)
{
    const float q = instellingen.EBB_Percentage / 100.0f;
    for (int p : kBehoefteElementen)
        behoefte.Samenstelling[p] = q * bakDoel[p];
}

void BerekenHoeveelheden(MeststofLijst& lijst, MeststofRecord& behoefte)
{
    const MeststofRecord bewaard = behoefte;
    for (int i = 1; i <= kLijstBoven; ++i) {
        MeststofRecord& m = lijst[i];
        const ElementVector& c = m.Samenstelling;
        switch (m.PrimElement0) {
        case ElementCode::NH4:
        case ElementCode::K:
        case ElementCode::Ca:
        case ElementCode::NO3:
        case ElementCode::Cl:
        case ElementCode::H2PO4:
        case ElementCode::H:
        case ElementCode::OH:
        case ElementCode::Si:
        case ElementCode::Mn:
        case ElementCode::Zn:
        case ElementCode::B:
        case ElementCode::Cu:
        case ElementCode::Mo:
            losEnkel(m, behoefte, ElementPositie(m.PrimElement0));
            break;
        case ElementCode::Mg:
            if (c.Mg > 0) {
                if (c.SO4 != 0)
                    losGecombineerd(m, behoefte);
                else
                    losEnkel(m, behoefte, ElementVector::pMg);
            }
            break;
        case ElementCode::SO4:
            if (c.SO4 > 0) {
                if (c.Mg != 0)
                    losGecombineerd(m, behoefte);
                else
                    losEnkel(m, behoefte, ElementVector::pSO4);
            }
            break;
        case ElementCode::Fe:
            // An iron source whose share was fixed keeps it. One left at 0 is
            // solved here like any other line; a second source stays marked as
            // one (its name shows the share), and the result check counts it.
            if (m.Hoeveelheid == 0 && c.Fe > 0) {
                losEnkel(m, behoefte, ElementVector::pFe);
                m.Opgelost = true;
            }
            break;
        default:
            break;
        }
        m.Hoeveelheid2 = m.KGl == 0 || m.KGl == 1 ? 0.0f : m.Hoeveelheid / m.KGl;
    }
    behoefte = bewaard;
}

void BerekenMeststoffen(const ElementVector& basis, const ElementVector& gecorrigeerd, ElementVector& ecDoel,
                        ElementVector& bakDoel, MeststofLijst& lijst, ElementVector& resultaat,
                        BerekenInstellingen& instellingen)
{
    MeststofRecord behoefte;
    float gewenstEC = basis.EC;
    SchaalNaarEC(ecDoel, gecorrigeerd, gewenstEC, instellingen);
    SchaalNaarBak(bakDoel, ecDoel, instellingen);
    instellingen.EBB_Factor = 50.0f;
    instellingen.EBB_Percentage = 100.0f;

    const bool bigBag = instellingen.ExtraBigBag == 1;
    auto pas = [&] {
        SchaalPercentage(behoefte, bakDoel, instellingen);
        if (bigBag)
            VerrekenExtraBigBag(behoefte, instellingen);
        LaadMestSelectie(behoefte, lijst);
        OrdenMeststoffen(lijst);
        BerekenHoeveelheden(lijst, behoefte);
    };

    if (!bigBag) {
        pas();
    } else {
        qint16 limiet = 10;
        qint16 p = 0;
        // Every pass so far left a macro fertiliser negative.
        bool steedsNegatief = true;
        if (heeftBigBagLijnen()) {
            while (p <= limiet && p < kMaxPassen) {
                ++p;
                pas();
                steedsNegatief = steedsNegatief && HeeftNegatieveMacroRegel(lijst);
                PasBigBagFactorAan(lijst, instellingen, p, limiet);
            }
        }
        // A pass without a negative macro fertiliser is the only one that
        // raises the factor; when none came, the search lowered it in every
        // pass down to its floor (100 × 0.5^17 after pass 16), and its last
        // recipe still has a negative line. That line stays negative at any
        // factor (the water or drain brings more than the target asks). With
        // the blends in the tanks themselves the requirement is scaled by
        // 100 / F, so the recipe at the floor holds it some 131,000 times
        // over. A product-line tank scales the blend instead: at the floor it
        // counts for almost nothing, and the last pass is a sound recipe.
        const bool opBodem = p > 0 && steedsNegatief && instellingen.Mixorabak == 0;
        // Without blends, with blends that never make a macro fertiliser
        // negative, or at that floor, the search has nothing to steer by: the
        // tanks then supply the whole target less the blends as they are.
        if (p <= limiet || opBodem) {
            instellingen.EBB_Factor = 100.0f;
            instellingen.EBB_Percentage = 100.0f;
            pas();
            PutTeeltInstelling("EBB_Factor", instellingen.EBB_Factor, InstellingMode::Number);
            MessageBox::show(GetLangStr(999000070), MsgBox::Exclamation);
        }
    }

    BerekenResultaat(lijst, behoefte, resultaat);
    SchrijfLog(lijst, behoefte);
    VerdeelOverBakken(lijst, instellingen);
    SorteerOpBak(lijst);
    if (instellingen.ExtraBigBag == 0)
        ControleerBakConcentratie(lijst, instellingen);
    // The report and the order make up the tanks at this concentration: a
    // stand-in figure must never reach them, nor one of 0 or below, at which
    // the tanks would hold nothing or less than nothing.
    if (!BerekenConcentratie(lijst, instellingen, gecorrigeerd) || instellingen.Concentratie <= 0)
        throw AppError(ConcentratieFout, "BerekenMeststoffen",
                       "The concentration of the stock tanks cannot be calculated.");
    PutTeeltInstelling("Concentratie_berek", instellingen.Concentratie, InstellingMode::Number);
}
