#include "meststofteksten.h"

#include "elementen.h"
#include "units.h"

#include <QLocale>

namespace {

// The four places a text can go; the fourth is only a stand-by for the third.
struct Plaatsen {
    QString t1, t2, t3, t4;

    void voegToe(const QString& tekst, qint16 element, const MeststofGegevens& m)
    {
        if (m.primElement0 == element)
            t1 = tekst;
        else if (m.primElement1 == element)
            t2 = tekst;
        else if (t3.isEmpty())
            t3 = tekst;
        else if (t4.isEmpty())
            t4 = tekst;
    }

    // H2PO4 comes a second time for the second phosphorus source (code 50),
    // so one text can stand in two places; it is shown once.
    void ontdubbel()
    {
        if (!t2.isEmpty() && t2 == t1)
            t2.clear();
        if (!t3.isEmpty() && t3 == t1) {
            t3 = t4;
            t4.clear();
        } else if (!t4.isEmpty() && t4 == t1) {
            t4.clear();
        } else if (!t3.isEmpty() && t3 == t2) {
            t3 = t4;
            t4.clear();
        } else if (!t4.isEmpty() && (t4 == t2 || t4 == t3)) {
            t4.clear();
        }
        if (t2.isEmpty()) {
            t2 = t3;
            t3 = t4;
            t4.clear();
        }
    }
};

QString elementTekst(int positie, float waarde)
{
    const QString naam = ElementNaam(positie);
    return naam + "=" + FormatNumber(IonToUnit(waarde, naam), 1);
}

} // namespace

std::array<QString, 3> SamenstellingTeksten(const MeststofGegevens& meststof)
{
    Plaatsen p;
    for (int positie : Elementen::MeststofTekst) {
        const float waarde = meststof.samenstelling[positie];
        if (waarde != 0)
            p.voegToe(elementTekst(positie, waarde), ElementOp(positie).code, meststof);
    }
    // The phosphate once more, as the second phosphorus source.
    const float fosfaat = meststof.samenstelling.H2PO4;
    if (fosfaat != 0)
        p.voegToe(elementTekst(EP::pH2PO4, fosfaat), ElementCode::TweedeFosfaatBron, meststof);
    p.ontdubbel();
    return {p.t1, p.t2, p.t3};
}

QString MeststofNaamTekst(const QString& naam, float perc)
{
    if (perc == 0)
        return naam;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(double(perc), 'g', 7) + "% " + naam;
}
