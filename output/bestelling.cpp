#include "bestelling.h"

#include "appstate.h"
#include "bestelbestand.h"
#include "bestelregister.h"
#include "clsgensendmail.h"
#include "general.h"
#include "invoergetal.h"
#include "programsettings.h"
#include "registry/registry.h"
#include "text/windows1252.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QHash>
#include <QRegularExpression>
#include <cmath>

namespace {

// Messages of the order beyond the ones every step names.
constexpr qint32 kTekstAantalBereik = 999000120;
constexpr qint32 kTekstGeregistreerdZonderMail = 999000121;
constexpr qint32 kTekstVerzondenNietGeregistreerd = 999000122;
constexpr qint32 kTekstNietGemaildNietGeregistreerd = 999000123;
constexpr qint32 kTekstMailprogrammaMislukt = 999000124;
constexpr qint32 kTekstVreemdeTekens = 999000068;
constexpr qint32 kTekstAanMailprogramma = 999000069;
constexpr qint32 kTekstNietVerzondenVolgensTuinder = 999000071;
constexpr qint32 kTekstAdresZonderAscii = 999000125;

// Captions that tell the user where a refused value can be corrected.
constexpr qint32 kTekstMeststof = 30115000;
constexpr qint32 kTekstHandelaar = 20103000;
constexpr qint32 kTekstEmail = 20100800;

void Melding(qint32 tekst, int stijl)
{
    MessageBox::show(GetLangStr(tekst), stijl);
}

// A database error of a step: a missing table has its own text, anything
// else is shown as the engine describes it.
void DatabaseFout(const AppError& e)
{
    if (e.number() == JetError::TableNotFound)
        Melding(999000050, MsgBox::Critical);
    else
        MessageBox::show(e.description(), MsgBox::Critical);
}

// A separator or a line break in a value would shift every field after it
// for the dealer's software.
bool OnveiligeTekst(const QString& tekst)
{
    for (QChar c : tekst) {
        if (c == QLatin1Char(';') || c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
            return true;
    }
    return false;
}

// The customer number names the order file in the program directory.
bool VeiligKlantnummer(const QString& relNR)
{
    static const QRegularExpression toegestaan(QStringLiteral("^[A-Za-z0-9_-]*$"));
    return toegestaan.match(relNR).hasMatch();
}

// The frames of the grower-data window: the grower's own address and the
// delivery address have fields of the same captions ("Adres", "Postcode").
constexpr qint32 kTekstTuinder = 20500000;
constexpr qint32 kTekstAfleveradres = 20500100;

// The order header's texts with the part and the caption under which the
// grower-data window shows them.
struct BestelVeld {
    QString BestelRecord::*veld;
    qint32 deel; // 0: the caption alone says where
    qint32 tekst;
};
const BestelVeld kBestelVelden[] = {
    {&BestelRecord::Naam, kTekstTuinder, 20100100},
    {&BestelRecord::Adres, kTekstTuinder, 20100200},
    {&BestelRecord::Postcode, kTekstTuinder, 20100300},
    {&BestelRecord::Woonplaats, kTekstTuinder, 20100400},
    {&BestelRecord::Land, kTekstTuinder, 20100500},
    {&BestelRecord::Telefoon, kTekstTuinder, 20100600},
    {&BestelRecord::Mobiel, kTekstTuinder, 20100700},
    {&BestelRecord::Email, kTekstTuinder, kTekstEmail},
    {&BestelRecord::Fax, kTekstTuinder, 20100900},
    {&BestelRecord::Afleveradres, kTekstAfleveradres, 20102000},
    {&BestelRecord::Aflever_Adres, kTekstAfleveradres, 20102100},
    {&BestelRecord::Aflever_Postcode, kTekstAfleveradres, 20102200},
    {&BestelRecord::Aflever_Woonplaats, kTekstAfleveradres, 20102300},
    {&BestelRecord::Aflever_Land, kTekstAfleveradres, 20102400},
    {&BestelRecord::Deurcode, kTekstAfleveradres, 20102500},
    {&BestelRecord::ExtraInfo, kTekstAfleveradres, 20102600},
    {&BestelRecord::Handelaar, 0, kTekstHandelaar},
    {&BestelRecord::Code, 0, kTekstHandelaar},
    {&BestelRecord::Bestel_Email, kTekstHandelaar, kTekstEmail},
};

QString Plaats(const BestelVeld& v)
{
    return v.deel ? GetLangStr(v.deel) + QLatin1String(": ") + GetLangStr(v.tekst) : GetLangStr(v.tekst);
}

// Why a value cannot go into the order file: the message, and the
// characters it names; no message when the value can go.
struct Bezwaar {
    qint32 melding = 0;
    QString tekens;
};

Bezwaar BezwaarTegen(const QString& tekst)
{
    if (OnveiligeTekst(tekst))
        return {999000066, {}};
    // The dealer's software reads the Windows code page; what it lacks
    // would arrive as "?".
    QStringList tekens;
    for (char32_t c : Windows1252::missing(tekst).toUcs4())
        tekens << QString::fromUcs4(&c, 1);
    if (!tekens.isEmpty())
        return {kTekstVreemdeTekens, tekens.join(QLatin1Char(' '))};
    return {};
}

// Refuses what cannot go into the order file, or with smtp onto the built-in
// SMTP client, naming where the user finds it: the first value found, as the
// user corrects one at a time.
bool ControleerBestelTeksten(const BestelRecord& b, const QList<clsPrintMeststofMeststof>& lijnen, bool smtp)
{
    if (!VeiligKlantnummer(b.relNR)) {
        Melding(999000065, MsgBox::Exclamation);
        return false;
    }
    const auto weiger = [](const Bezwaar& bezwaar, const QString& plaats) {
        QString melding = GetLangStr(bezwaar.melding);
        melding.replace(QLatin1String("%1"), bezwaar.tekens);
        MessageBox::show(melding + QLatin1Char('\n') + plaats, MsgBox::Exclamation);
        return false;
    };
    for (const BestelVeld& v : kBestelVelden) {
        if (const Bezwaar z = BezwaarTegen(b.*v.veld); z.melding)
            return weiger(z, Plaats(v));
        // Over plain SMTP the mail goes from the one address to the other,
        // and it has no 8-bit addresses. Refused here, before the order file
        // is written, the order is not left half done by the mail step. The
        // desktop's mail program takes the dealer's address as it is and
        // sends from its own.
        const bool adres = v.veld == &BestelRecord::Email || v.veld == &BestelRecord::Bestel_Email;
        if (smtp && adres && !SmtpAdres(b.*v.veld))
            return weiger({kTekstAdresZonderAscii, {}}, Plaats(v));
    }
    for (const clsPrintMeststofMeststof& m : lijnen) {
        for (const QString* tekst : {&m.Naam, &m.Hoeveelheid, &m.Eenheid}) {
            if (const Bezwaar z = BezwaarTegen(*tekst); z.melding)
                return weiger(z, GetLangStr(kTekstMeststof) + QLatin1Char(' ') + QString::number(m.Nr));
        }
    }
    return true;
}

// An order count as typed: empty is 0; otherwise a number, rounded to the
// nearest whole one, that fits its field and is not negative.
bool LeesAantal(const QString& tekst, qint16& aantal)
{
    double getal = 0;
    const bool geldig = LeesInvoer(tekst, {0, 32767, 0, true}, getal) == InvoerFout::Geen;
    aantal = qint16(getal);
    return geldig;
}

// The count that multiplies a line's amount in the register: tank A by
// AantalA, tank B and its trace products by AantalB; other tanks are not
// ordered by count.
bool AantalVanBak(const BestelRecord& b, qint16 bak, qint16& aantal)
{
    switch (bak) {
    case 1:
        aantal = b.AantalA;
        return true;
    case 2:
    case 100:
        aantal = b.AantalB;
        return true;
    default:
        return false;
    }
}

QString MargeVraag(const QString& naam, qint16 marge)
{
    QString vraag = GetLangStr(999000039);
    // Without the placeholder the question still goes out, as it stands.
    const qsizetype at = vraag.indexOf(QLatin1String("10%"));
    if (at >= 0)
        vraag.replace(at, 3, QString::number(marge) + QLatin1Char('%'));
    return GetLangStr(999000038) + QLatin1Char(' ') + naam + QLatin1Char(' ') + vraag;
}

BestelUitslag Uitslag(qint16 stap, bool gemaild, qint32 tekst, int stijl)
{
    return {stap, gemaild, GetLangStr(tekst), stijl};
}

} // namespace

double LeesHoeveelheid(const QString& hoeveelheid)
{
    return NzValue(hoeveelheid, NzType::Double).toDouble();
}

double DatumGetal(const QDateTime& tijd)
{
    // By the calendar and the clock, not by elapsed seconds: a day with a
    // daylight-saving change is still one day.
    static const QDate basis(1899, 12, 30);
    return double(basis.daysTo(tijd.date())) + tijd.time().msecsSinceStartOfDay() / 86400000.0;
}

QString MaakBestelnummer(const QString& relNR, double datum)
{
    // The date-time times 100000 as Str writes it (a leading blank, up to 15
    // significant digits); its characters 4 to 11.
    const QString tekst = QLatin1Char(' ') + QString::number(datum * 100000.0, 'g', 15);
    return relNR + tekst.mid(3, 8);
}

void TestHandelaar(BestelRecord& bestel)
{
    bestel.Code = QStringLiteral("1");
    bestel.Bestel_Email = kTestHandelaarEmail;
    bestel.Handelaar = QStringLiteral("Test handel");
}

qint16 CheckMeststofStatus(QList<clsPrintMeststofMeststof>& lijnen)
{
    try {
        RecordSet rs = referenceDb().openRecordset("SELECT Code_MEST, MixoraStatus FROM MEST_Meststof");
        if (rs.eof())
            return 1;
        for (clsPrintMeststofMeststof& m : lijnen) {
            if (!rs.findFirst("Code_MEST", m.Nr))
                return 1;
            m.MixoraStatus = qint16(NzValue(rs.value("MixoraStatus"), NzType::Integer).toInt());
        }
        return 0;
    } catch (const AppError& e) {
        DatabaseFout(e);
        return 1;
    }
}

qint16 CheckOrder(BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen, const BestelAantallen& aantallen)
{
    if (bestel.Afleveradres.contains(GetLangStr(20102000), Qt::CaseSensitive))
        bestel.Afleveradres = bestel.Naam;
    if (!ControleerBestelTeksten(bestel, lijnen, ProgramSettings::mailType() == 0))
        return 1;

    const bool geldigA = LeesAantal(aantallen.A, bestel.AantalA);
    const bool geldigB = LeesAantal(aantallen.B, bestel.AantalB);
    if (!LeesAantal(aantallen.C, bestel.AantalC))
        bestel.AantalC = 0;

    double s1 = 0;
    double s2 = 0;
    for (const clsPrintMeststofMeststof& m : lijnen) {
        if (m.MixoraStatus != 1)
            continue;
        if (m.Bak == 1)
            s1 += LeesHoeveelheid(m.Hoeveelheid);
        else if (m.Bak == 2)
            s2 += LeesHoeveelheid(m.Hoeveelheid);
    }

    // A count that is out of range has its own message; the tests that
    // would compare it with the tanks leave it alone.
    const qint16 a = bestel.AantalA;
    const qint16 b = bestel.AantalB;
    const qint16 c = bestel.AantalC;
    bool fout = false;
    auto toets = [&fout](bool faalt, qint32 tekst) {
        if (!faalt)
            return;
        Melding(tekst, MsgBox::Exclamation);
        fout = true;
    };
    toets(s1 + s2 <= 0, 999000030);
    toets(!geldigA || !geldigB, kTekstAantalBereik);
    toets((s1 > 0 && geldigA && a == 0) || (s2 > 0 && geldigB && b == 0), 999000031);
    toets((s1 <= 0 && geldigA && a > 0) || (s2 <= 0 && geldigB && b > 0), 999000032);
    toets(c != 2 && c != 3 && c != 4, 999000033);
    return fout ? 1 : 0;
}

qint16 CheckBestelmarge(const BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen)
{
    qint16 result = 0;
    try {
        const VorigeBestelling vorige = LeesVorigeBestelling(appState().ID_ALG_Tuinder, bestel.Code_Afleveradres);
        if (vorige.ID == 0)
            return 0;
        const qint16 marge = ProgramSettings::afwijkingBestelmarge();

        // Lines kept without an amount (tanks that are not ordered by count)
        // have nothing to compare.
        QMultiHash<qint32, double> vorigeHoeveelheden;
        for (const BestelRegel& r : vorige.regels) {
            if (!r.Hoeveelheid.isNull())
                vorigeHoeveelheden.insert(r.Code_Meststof, NzValue(r.Hoeveelheid, NzType::Double).toDouble());
        }

        for (const clsPrintMeststofMeststof& m : lijnen) {
            const QList<double> vorig = vorigeHoeveelheden.values(m.Nr);
            qint16 aantal = 0;
            if (vorig.isEmpty() || !AantalVanBak(bestel, m.Bak, aantal) || aantal <= 0)
                continue;
            // The register keeps the amount of all fills; the line holds one fill.
            const double huidig = LeesHoeveelheid(m.Hoeveelheid);
            bool binnen = false;
            for (double totaal : vorig) {
                double d = totaal / aantal - huidig;
                if (huidig > 0)
                    d = d / huidig * 100;
                if (std::abs(d) < marge) {
                    binnen = true;
                    break;
                }
            }
            if (binnen)
                continue;
            if (MessageBox::show(MargeVraag(m.Naam, marge), MsgBox::YesNo | MsgBox::Question) == MsgBox::No)
                result = 1;
        }
    } catch (const AppError& e) {
        // The check ends here; what was answered so far stands.
        DatabaseFout(e);
    }
    return result;
}

qint16 SendMapiMail(const MailRecord& mail)
{
    const QString programma = GetRegString(Registry::mailtoCommandKey(), QString(), HKEY_LOCAL_MACHINE);
    if (programma.isEmpty() || programma.contains(QLatin1String("rundll32"), Qt::CaseInsensitive)) {
        Melding(999000043, MsgBox::Critical);
        return 1;
    }
    if (!MailHandoff::current().Overdragen(mail)) {
        Melding(kTekstMailprogrammaMislukt, MsgBox::Critical);
        return 1;
    }
    return 0;
}

qint16 MailOrder(const BestelRecord& bestel, QTcpSocket* tcpWinsock, Verzending& verzending)
{
    verzending = Verzending::Geen;
    try {
        const qint16 mailType = ProgramSettings::mailType();
        const QString server = ProgramSettings::smtpServerName();
        if (bestel.Bestel_Email.trimmed().isEmpty()) {
            Melding(999000040, MsgBox::Critical);
            return 1;
        }
        MailRecord mail;
        mail.Aan = bestel.Bestel_Email;
        mail.Onderwerp = QStringLiteral("Zelvorabestelling van ") + bestel.relNR;
        mail.Tekst = QStringLiteral("Dit bericht bevat een zelvorabestelling");
        mail.Bijlage = appState().AppPath + bestel.Bestelnummer + QStringLiteral(".zv1");

        if (mailType == 1) {
            if (SendMapiMail(mail) != 0)
                return 1;
            verzending = Verzending::Mailprogramma;
            return 0;
        }
        if (mailType == 0) {
            clsGenSendmail smtp(tcpWinsock);
            smtp.From_UserName = bestel.Naam;
            smtp.From_Email = bestel.Email;
            smtp.SMTPservername = server;
            if (smtp.From_UserName.trimmed().isEmpty() || smtp.From_Email.trimmed().isEmpty() ||
                smtp.SMTPservername.trimmed().isEmpty()) {
                Melding(999000044, MsgBox::Critical);
                return 1;
            }
            if (!smtp.SendMail(bestel.Handelaar, mail.Aan, mail.Onderwerp, mail.Tekst, QString(), mail.Bijlage))
                return 1;
            verzending = Verzending::Smtp;
            return 0;
        }
        return 0;
    } catch (const std::exception&) {
        return 1;
    }
}

qint16 SaveOrderHistory(const BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen)
{
    QList<BestelRegel> regels;
    regels.reserve(lijnen.size());
    for (const clsPrintMeststofMeststof& m : lijnen) {
        BestelRegel r{m.Nr, m.Naam, QVariant(), m.Eenheid};
        qint16 aantal = 0;
        if (AantalVanBak(bestel, m.Bak, aantal))
            r.Hoeveelheid = LeesHoeveelheid(m.Hoeveelheid) * aantal;
        regels << r;
    }
    try {
        RegistreerBestelling(appState().ID_ALG_Tuinder, bestel.Code_Afleveradres, QDateTime::currentDateTime(), regels);
        return 0;
    } catch (const AppError& e) {
        DatabaseFout(e);
        return 1;
    }
}

BestelUitslag SendOrder(BestelRecord& bestel, QList<clsPrintMeststofMeststof>& lijnen, const BestelAantallen& aantallen,
                        QTcpSocket* tcpWinsock)
{
    bestel.Datum = DatumGetal(QDateTime::currentDateTime());
    if (appState().GeenBestelling != 0)
        TestHandelaar(bestel);

    const BestelUitslag mislukt = Uitslag(0, false, 999000037, MsgBox::Critical);
    auto stap = [&mislukt](qint16 nummer) {
        BestelUitslag u = mislukt;
        u.stap = nummer;
        return u;
    };

    if (CheckMeststofStatus(lijnen) != 0)
        return stap(1);
    if (CheckOrder(bestel, lijnen, aantallen) != 0)
        return stap(2);
    if (CheckBestelmarge(bestel, lijnen) != 0)
        return stap(3);

    bestel.Bestelnummer = MaakBestelnummer(bestel.relNR, bestel.Datum);
    if (SchrijfBestelBestand(1, bestel, lijnen, appState().AppPath + bestel.Bestelnummer) != 0)
        return stap(4);

    Verzending verzending = Verzending::Geen;
    if (MailOrder(bestel, tcpWinsock, verzending) != 0)
        return stap(5);
    // The desktop's mail program only opens a new mail with the order, which
    // the grower may still discard; only an order that left is registered,
    // or the next order's margin would be checked against one that never did.
    if (verzending == Verzending::Mailprogramma &&
        MessageBox::show(GetLangStr(kTekstAanMailprogramma),
                         MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2) != MsgBox::Yes)
        return Uitslag(5, false, kTekstNietVerzondenVolgensTuinder, MsgBox::Exclamation);
    const bool gemaild = verzending != Verzending::Geen;

    if (SaveOrderHistory(bestel, lijnen) != 0) {
        return gemaild ? Uitslag(6, true, kTekstVerzondenNietGeregistreerd, MsgBox::Exclamation)
                       : Uitslag(6, false, kTekstNietGemaildNietGeregistreerd, MsgBox::Critical);
    }
    return gemaild ? Uitslag(0, true, 999000029, MsgBox::Exclamation)
                   : Uitslag(0, false, kTekstGeregistreerdZonderMail, MsgBox::Exclamation);
}
