#include "bestelbestand.h"

#include "elementen.h"
#include "file/savefile.h"
#include "text/windows1252.h"

#include <QLocale>

namespace {

class Regel {
public:
    Regel& tekst(const QString& s)
    {
        QString schoon = s;
        schoon.replace(QLatin1String("\r\n"), QLatin1String(" "));
        schoon.replace(QLatin1Char('\r'), QLatin1Char(' '));
        schoon.replace(QLatin1Char('\n'), QLatin1Char(' '));
        schoon.replace(QLatin1Char(';'), QLatin1Char(','));
        m_tekst += schoon + QLatin1String(";;");
        return *this;
    }
    Regel& geheel(qint64 v)
    {
        m_tekst += QString::number(v) + QLatin1String(";;");
        return *this;
    }
    Regel& dubbel(double v) { return getal(v, 15); }
    Regel& enkel(float v) { return getal(double(v), 7); }
    QString klaar() const { return m_tekst; }

private:
    // General format: no grouping, exponent only for very large or small
    // values, the user's decimal separator. Digits and sign always ASCII, as
    // the reader expects.
    Regel& getal(double v, int cijfers)
    {
        QString s = v == 0 ? QStringLiteral("0") : QLocale::c().toString(v, 'G', cijfers);
        s.replace(QLatin1Char('.'), QLocale().decimalPoint());
        m_tekst += s + QLatin1String(";;");
        return *this;
    }
    QString m_tekst;
};

} // namespace

QByteArray BestelBestandInhoud(const BestelRecord& b, const QList<clsPrintMeststofMeststof>& lijnen)
{
    QStringList regels;
    regels << QStringLiteral("########");
    regels << Regel().dubbel(b.Datum).dubbel(b.Reserve2).klaar();
    regels << Regel().tekst(b.Code).tekst(b.Bestel_Email).klaar();
    Regel r4;
    r4.geheel(b.Reserve6).tekst(b.Handelaar);
    for (const QString& s : b.Reserve8_12)
        r4.tekst(s);
    regels << r4.klaar();
    regels << Regel()
                  .tekst(b.relNR)
                  .tekst(b.Naam)
                  .tekst(b.Adres)
                  .tekst(b.Postcode)
                  .tekst(b.Woonplaats)
                  .tekst(b.Land)
                  .tekst(b.Telefoon)
                  .tekst(b.Mobiel)
                  .tekst(b.Fax)
                  .tekst(b.Email)
                  .klaar();
    regels << Regel()
                  .geheel(b.Code_Afleveradres)
                  .tekst(b.Afleveradres)
                  .tekst(b.Aflever_Adres)
                  .tekst(b.Aflever_Postcode)
                  .tekst(b.Aflever_Woonplaats)
                  .tekst(b.Aflever_Land)
                  .tekst(b.Deurcode)
                  .klaar();
    regels << Regel().geheel(b.Reserve31_32[0]).geheel(b.Reserve31_32[1]).klaar();
    Regel r8;
    for (float f : b.Reserve33_37)
        r8.enkel(f);
    regels << r8.klaar();
    regels << Regel()
                  .geheel(b.ZakGrootte)
                  .geheel(b.Concentratie_berek)
                  .geheel(b.AantalA)
                  .geheel(b.AantalB)
                  .geheel(b.AantalC)
                  .dubbel(b.Reserve43)
                  .klaar();
    regels << Regel().tekst(b.ExtraInfo).klaar();
    regels << Regel().tekst(b.Reserve44).klaar();
    regels << Regel().tekst(b.ProgrammaVersie).tekst(b.Reserve46).geheel(b.Reserve47).klaar();
    regels << QString() << QString();

    for (const clsPrintMeststofMeststof& m : lijnen) {
        Regel r;
        r.geheel(m.Bak)
            .geheel(m.Nr)
            .geheel(m.Artikelnummer)
            .tekst(m.Naam)
            .tekst(m.Hoeveelheid)
            .tekst(m.Eenheid)
            .geheel(m.Code_eenheid)
            .enkel(m.Prijs)
            .geheel(m.MixoraStatus);
        for (int p : Elementen::Bestelbestand)
            r.enkel(m.element(p));
        regels << r.klaar();
    }
    regels << QStringLiteral("##");

    // The dealer's software reads the system's single-byte code page of the
    // Windows program; the order's checks have refused what it lacks.
    return Windows1252::encode(regels.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));
}

qint16 SchrijfBestelBestand(qint16 kind, const BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen,
                            const QString& path)
{
    if (kind != 1)
        return 1;
    // On any failure the order stops here; no cut-off or empty file is left
    // for the dealer's software to take as a whole order.
    return WriteWholeFile(path + QStringLiteral(".zv1"), BestelBestandInhoud(bestel, lijnen)) ? 0 : 1;
}
