#include "invoergetal.h"

#include "units.h"
#include "zelvorageneral.h"

#include <cmath>

InvoerFout LeesInvoer(const QString& text, const InvoerBereik& bereik, double& value)
{
    double getal = 0;
    if (!text.trimmed().isEmpty()) {
        if (!IsNumericValue(text))
            return InvoerFout::GeenGetal;
        getal = NzValue(text, NzType::Double).toDouble();
    }
    if (bereik.geheel)
        getal = std::nearbyint(getal);
    if (!std::isfinite(getal) || getal < bereik.laagste || getal > bereik.hoogste)
        return InvoerFout::BuitenBereik;
    value = getal;
    return InvoerFout::Geen;
}

QString InvoerMelding(const QString& veld, InvoerFout fout, const QString& text, const InvoerBereik& bereik)
{
    const QString bereikTekst =
        GetLangStr(bereik.geheel ? 999000086 : 999000085)
            .arg(FormatNumber(bereik.laagste, bereik.decimalen), FormatNumber(bereik.hoogste, bereik.decimalen));
    if (fout == InvoerFout::GeenGetal)
        return VeldMelding(veld, GetLangStr(999000087).arg(text.trimmed()) + " " + bereikTekst);
    return VeldMelding(veld, bereikTekst);
}

QString VeldMelding(const QString& veld, const QString& melding)
{
    // A box without a caption is not headed by a lone ": ".
    const QString naam = veld.trimmed();
    return naam.isEmpty() ? melding : naam + ": " + melding;
}
