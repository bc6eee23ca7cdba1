#include "frmsamenstel.h"

#include "appstate.h"
#include "elementen.h"
#include "general.h"
#include "hovertimer.h"
#include "stephost.h"
#include "ui/dialogs.h"
#include "units.h"
#include "windowhelpers.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace {

// The layout, in twips. The grid's columns and the names of the tank lines
// are as wide as they are here unless what they show needs more room.
constexpr int kLinks = 120;
constexpr int kKolom = 670; // one element of the grid
constexpr int kRoosterElementen = int(Elementen::Samenstelling.size());
constexpr int kNaamBreedte = 3500;
constexpr int kMaxNaamBreedte = 6000; // a longer name is cut short, whole in its tip
constexpr int kNaamTop = 200;
constexpr int kNaamHoogte = 260;
constexpr int kWaardeTop = 450;
constexpr int kRegelHoogte = 300;
constexpr int kRoosterHoogte = kWaardeTop + kRegelHoogte + 150;
constexpr int kKopTop = 120;
constexpr int kKopBreedte = 2500;
// Column B begins this far right of column A (5690 with the narrowest names).
int kolomB(int naam)
{
    return naam + 2190;
}

constexpr int kWaarschuwing = 999;
constexpr int kBlokkade = 998;
constexpr int kSiliciumKop = 114;

int regelTop(const TankRegel& r)
{
    return kRegelHoogte * r.n + 180 + (r.lager ? 160 : 0);
}

enum class Kleur { Venster, Rood, Knop };

void zetKleur(QLabel* l, Kleur kleur)
{
    const QPalette& app = QApplication::palette();
    const QColor c = kleur == Kleur::Rood   ? QColor(255, 0, 0)
                     : kleur == Kleur::Knop ? app.color(QPalette::Button)
                                            : app.color(QPalette::Base);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, c);
    l->setPalette(pal);
    l->setAutoFillBackground(true);
    l->setProperty("rood", kleur == Kleur::Rood);
}

// A name too long for its label is cut short; the tip shows it whole.
void ZetNaam(QLabel* l, const QString& naam)
{
    const QString kort = l->fontMetrics().elidedText(naam, Qt::ElideRight, l->width() - 4);
    l->setText(kort);
    l->setToolTip(kort == naam ? QString() : naam);
}

QString concentratieKop(qint32 tekst, qint16 concentratie)
{
    return GetLangStr(tekst) + " (" + QString::number(concentratie) + "x)";
}

} // namespace

frmSamenstel::frmSamenstel(QWidget* parent) : StepWindow(parent)
{
    for (int i : {0, 1}) {
        QFrame* f = fraSamenstel.add(i, new QFrame(this));
        f->setFrameShape(QFrame::StyledPanel);
        f->resize(twips(breedte()), twips(i == 0 ? kRoosterHoogte : 2 * kRegelHoogte));
    }
    for (int index : {kWaarschuwing, kBlokkade}) {
        QLabel* l = lblSamenstel.add(index, new QLabel(this));
        l->setWordWrap(true);
        l->setStyleSheet("color: rgb(192, 0, 0); font-weight: bold");
        l->resize(twips(breedte()), twips(2 * kRegelHoogte));
        l->hide();
    }
    // Moving over the button bar brings it to the front; two seconds after
    // the last move the recipe comes to the front again.
    m_hover = new HoverTimer(this, fraControl, fraSamenstel[1], "tmrSamenstel");
    tmrSamenstel = m_hover->timer();
    tmrSamenstel->start();
    if (StepHost* host = CurrentStepHost())
        connectAction(host->mdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
            // Only another step ends this one's activation; the program's own
            // window losing and regaining the focus (a message box) does not.
            if (sub && sub->widget() != this)
                m_actief = false;
        });
    Form_Load();
}

bool frmSamenstel::KanOpenen()
{
    // A recipe needs the advice of this run; without one there is nothing to compute it from.
    if (appState().ID_HISTORIE != 0 || AdviesBerekend())
        return true;
    MessageBox::show(GetLangStr(70900000), MsgBox::Exclamation);
    return false;
}

void frmSamenstel::Form_Load()
{
    ShowStatusLang(MainWindow(), -1);
    LaadResultaat();
    BouwRooster();
    SetLangStrings();
    SetLogoButtons(this);
    ShowSamenstelling();
    ShowStatusLang(MainWindow(), 0);
}

void frmSamenstel::LaadResultaat()
{
    try {
        Instellingen = LeesSamenstelInstellingen();
    } catch (const AppError& e) {
        MessageBox::show(GetLangStr(70900100) + "\n" + e.description(), MsgBox::Critical);
        Blokkeer(GetLangStr(70900100));
        return;
    }
    if (appState().ID_HISTORIE != 0) {
        try {
            SamenstellingOpslag::Lees(Resultaat);
            // Its amounts make up the tanks at the concentration they were
            // computed at, which big bags or a setting changed since may not be.
            if (const qint16 berekend = BerekendeConcentratie(); berekend > 0)
                Instellingen.Concentratie = berekend;
            m_heeftResultaat = true;
        } catch (const AppError& e) {
            MessageBox::show(GetLangStr(70900100) + "\n" + e.description(), MsgBox::Critical);
            Blokkeer(GetLangStr(70900100));
        }
        return;
    }
    if (!KanOpenen()) {
        Blokkeer(GetLangStr(70900000));
        return;
    }
    ShowStatusLang(MainWindow(), -3);
    QString omschrijving;
    const SamenstelFout fout = BerekenSamenstelling(Resultaat, Instellingen, omschrijving);
    ShowStatusLang(MainWindow(), -1);
    QString bericht;
    switch (fout) {
    case SamenstelFout::Geen:
        m_heeftResultaat = true;
        return;
    case SamenstelFout::Berekening:
        bericht = GetLangStr(70900100);
        break;
    case SamenstelFout::Concentratie:
        bericht = GetLangStr(70900300);
        break;
    case SamenstelFout::Opslag:
        bericht = GetLangStr(70900200);
        break;
    case SamenstelFout::ZakGrootte:
        // Named as the crop step shows it, where it is typed.
        bericht = GetLangStr(70900700).arg(GetLangStr(40100101), GetLangStr(40000000));
        MessageBox::show(bericht, MsgBox::Exclamation);
        Blokkeer(bericht);
        return;
    }
    MessageBox::show(bericht + "\n" + omschrijving, MsgBox::Critical);
    Blokkeer(bericht);
}

void frmSamenstel::Blokkeer(const QString& tekst)
{
    if (m_blokkade.isEmpty())
        m_blokkade = tekst;
}

void frmSamenstel::BouwRooster()
{
    QFrame* rooster = fraSamenstel[0];
    for (int i = 0; i < kRoosterElementen; ++i) {
        const int p = Elementen::Samenstelling[i];
        const int left = kLinks + kKolom * i;
        MakeLabelText(lblSamenstel, 10 + i, left, kNaamTop, kKolom, 2, 1, rooster);
        QLabel* naam = lblSamenstel[10 + i];
        naam->resize(naam->width(), twips(kNaamHoogte));
        naam->setText(ElementNaam(p));
        MakeLabelText(lblSamenstel, 30 + i, left, kWaardeTop, kKolom, 1, 0, rooster);
        QLabel* waarde = lblSamenstel[30 + i];
        waarde->resize(waarde->width(), twips(kRegelHoogte));
        waarde->setFont(rooster->font());
        zetKleur(waarde, Kleur::Venster);
    }
    for (int kop : {100, 200}) {
        MakeLabelText(lblSamenstel, kop, kop == 100 ? kLinks : kLinks + kolomB(m_naam), kKopTop, kKopBreedte, 0, 1,
                      fraSamenstel[1]);
        QLabel* l = lblSamenstel[kop];
        l->resize(l->width(), twips(kNaamHoogte));
        SetCaptionLang(l, kop == 100 ? 70110000 : 70120000);
    }
}

void frmSamenstel::SetLangStrings()
{
    setWindowTitle(GetLangStr(70000000));
    SetCaptionLang(lblSamenstel, kWaarschuwing, 999000027);
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmSamenstel::ShowSamenstelling()
{
    Regels = std::make_shared<PrintRegels>();
    m_waarschuwing = false;
    ToonRooster();
    PlaatsRooster();
    ToonKoppen();
    LaadBigBag();
    ToonTankRegels();
    ToonBigBag();
    lblSamenstel[kWaarschuwing]->setVisible(m_waarschuwing);
    lblSamenstel[kBlokkade]->setText(m_blokkade);
    lblSamenstel[kBlokkade]->setVisible(!m_blokkade.isEmpty());
    PasFramesAan();
}

void frmSamenstel::ToonRooster()
{
    for (int i = 0; i < kRoosterElementen; ++i) {
        const int p = Elementen::Samenstelling[i];
        QLabel* waarde = lblSamenstel[30 + i];
        if (!m_heeftResultaat) {
            waarde->clear(); // nothing computed: no figures that could pass for a result
            continue;
        }
        waarde->setText(FormatNumber(IonToUnit(Resultaat.BakDoel[p], ElementNaam(p)), 2));
        const float vlag = Resultaat.Vlaggen[p];
        if (vlag == 0) {
            zetKleur(waarde, Kleur::Venster);
        } else if (vlag == 1) {
            zetKleur(waarde, Kleur::Rood);
            m_waarschuwing = true;
        }
    }
}

void frmSamenstel::PlaatsRooster()
{
    // Room for the widest figure (a unit of mg or ppm gives four digits before the point).
    const QFontMetrics fm(fraSamenstel[0]->font());
    int nodig = 0;
    for (int index = 10; index < 30 + kRoosterElementen; ++index)
        if (lblSamenstel.contains(index))
            nodig = std::max(nodig, fm.horizontalAdvance(lblSamenstel[index]->text()) + 10);
    m_kolom = std::max(kKolom, toTwips(nodig));
    // Whole pixels per column, so that every cell keeps the same small gap.
    const int kolom = twips(m_kolom);
    for (int i = 0; i < kRoosterElementen; ++i)
        for (int index : {10 + i, 30 + i}) {
            QLabel* l = lblSamenstel[index];
            l->setGeometry(twips(kLinks) + kolom * i, l->y(), kolom - 2, l->height());
        }
}

int frmSamenstel::breedte() const
{
    const int rooster = kLinks + kRoosterElementen * m_kolom + kLinks;
    const int tanks = kLinks + kolomB(m_naam) + m_naam + 2020 + kLinks;
    return std::max(rooster, tanks);
}

void frmSamenstel::ToonKoppen()
{
    const bool hoog = m_heeftResultaat && Instellingen.Concentratie >= 201;
    for (int kop : {100, 200}) {
        const qint32 tekst = kop == 100 ? 70110000 : 70120000;
        QLabel* l = lblSamenstel[kop];
        l->setText(m_heeftResultaat ? concentratieKop(tekst, Instellingen.Concentratie) : GetLangStr(tekst));
        zetKleur(l, hoog ? Kleur::Rood : Kleur::Knop);
    }
}

void frmSamenstel::ToonTankRegels()
{
    m_hoogsteRegel = 0;
    if (!m_heeftResultaat)
        return;
    const TankIndeling indeling = DeelTankRegelsIn(Resultaat.Meststoffen);
    const QFontMetrics fm(fraSamenstel[1]->font());
    int nodig = 0;
    for (const TankRegel& r : indeling.regels)
        nodig = std::max(nodig, fm.horizontalAdvance(Resultaat.Meststoffen[r.slot].Naam));
    if (Regels->PrintMeststofEBB)
        for (const clsPrintMeststofMeststof& lijn : *Regels->PrintMeststofEBB)
            nodig = std::max(nodig, fm.horizontalAdvance(lijn.Naam));
    m_naam = std::clamp(toTwips(nodig + 12), kNaamBreedte, kMaxNaamBreedte);
    lblSamenstel[200]->move(twips(kLinks + kolomB(m_naam)), lblSamenstel[200]->y());

    bool zonderBak = false;
    // The lines as the report and the order get them.
    for (qsizetype i = 0; i < indeling.regels.size(); ++i) {
        const TankRegel& r = indeling.regels[i];
        const clsPrintMeststofMeststof& lijn = indeling.print[i];
        MaakRegel(r);
        const int basis = r.kolom;
        ZetNaam(lblSamenstel[basis + r.n], lijn.Naam);
        lblSamenstel[basis + 20 + r.n]->setText(lijn.Hoeveelheid);
        lblSamenstel[basis + 40 + r.n]->setText(lijn.Eenheid);
        const bool rood = r.negatief || r.zonderBak;
        for (int index : {basis + r.n, basis + 20 + r.n})
            zetKleur(lblSamenstel[index], rood ? Kleur::Rood : Kleur::Venster);
        m_waarschuwing = m_waarschuwing || r.negatief;
        zonderBak = zonderBak || r.zonderBak;
    }
    // Column A is at least as long as column B.
    for (int n = indeling.eigenA + 1; n <= indeling.aantalA; ++n) {
        TankRegel leeg;
        leeg.n = n;
        MaakRegel(leeg);
    }
    Regels->PrintMeststof = indeling.print;
    m_hoogsteRegel = indeling.hoogsteRegel;
    if (zonderBak)
        Blokkeer(GetLangStr(70900400));
}

void frmSamenstel::MaakRegel(const TankRegel& regel)
{
    QFrame* tanks = fraSamenstel[1];
    const int basis = regel.kolom;
    const int offset = basis == 100 ? 0 : kolomB(m_naam);
    const int top = regelTop(regel);
    struct Kolom {
        int index, left, width;
        qint16 align;
    };
    const Kolom kolommen[] = {{basis + regel.n, offset + 120, m_naam, 0},
                              {basis + 20 + regel.n, offset + m_naam + 125, 1000, 1},
                              {basis + 40 + regel.n, offset + m_naam + 1220, 800, 0}};
    for (const Kolom& k : kolommen) {
        MakeLabelText(lblSamenstel, k.index, k.left, top, k.width, k.align, 0, tanks);
        QLabel* l = lblSamenstel[k.index];
        l->setFont(tanks->font());
        l->resize(l->width(), twips(kRegelHoogte));
    }
    if (regel.silicium) {
        MakeLabelText(lblSamenstel, kSiliciumKop, 120, top - 360, m_naam, 0, 1, tanks);
        QLabel* kop = lblSamenstel[kSiliciumKop];
        kop->resize(kop->width(), twips(kNaamHoogte));
        // The sub-header of line n is text 70100000 + 100 · 200 + n − 1.
        SetCaptionLang(kop, 70100000 + 100 * 200 + regel.n - 1);
    }
}

void frmSamenstel::LaadBigBag()
{
    if (!m_heeftResultaat || Instellingen.ExtraBigBag != 1) {
        Regels->PrintMeststofEBB.reset();
        return;
    }
    try {
        BigBagLijnen lijnen;
        LaadExtraBigBag(lijnen);
        Regels->PrintMeststofEBB = lijnen;
    } catch (const AppError& e) {
        // Without its blends the recipe cannot be printed or ordered whole.
        MessageBox::show(GetLangStr(70900100) + "\n" + e.description(), MsgBox::Critical);
        Blokkeer(GetLangStr(70900100));
    }
}

int frmSamenstel::BigBagTop() const
{
    return kRegelHoogte * (m_hoogsteRegel + 1) + 180 + 160 + 200;
}

void frmSamenstel::ToonBigBag()
{
    m_bigBagRegels = 0;
    if (!Regels->PrintMeststofEBB || Regels->PrintMeststofEBB->isEmpty())
        return;
    // The blends the tanks are computed around, as the report lists them:
    // blend 1 under tank A, blend 2 under tank B.
    QFrame* tanks = fraSamenstel[1];
    const int top = BigBagTop();
    for (int kop : {300, 400}) {
        MakeLabelText(lblSamenstel, kop, kop == 300 ? kLinks : kLinks + kolomB(m_naam), top, m_naam, 0, 1, tanks);
        QLabel* l = lblSamenstel[kop];
        l->resize(l->width(), twips(kNaamHoogte));
        SetCaptionLang(l, kop == 300 ? 70110001 : 70120001);
    }
    int n[2] = {0, 0};
    for (const clsPrintMeststofMeststof& lijn : *Regels->PrintMeststofEBB) {
        if (lijn.Bak != 1 && lijn.Bak != 2)
            continue;
        const int mengsel = lijn.Bak - 1;
        const int basis = 300 + 100 * mengsel + ++n[mengsel];
        const int offset = mengsel == 0 ? 0 : kolomB(m_naam);
        const int regelTop = top + kRegelHoogte * n[mengsel];
        const struct {
            int index, left, width;
            qint16 align;
            QString tekst;
        } kolommen[] = {{basis, offset + 120, m_naam, 0, lijn.Naam},
                        {basis + 20, offset + m_naam + 125, 1000, 1, lijn.Hoeveelheid},
                        {basis + 40, offset + m_naam + 1220, 800, 0, lijn.Eenheid}};
        for (const auto& k : kolommen) {
            MakeLabelText(lblSamenstel, k.index, k.left, regelTop, k.width, k.align, 0, tanks);
            QLabel* l = lblSamenstel[k.index];
            l->setFont(tanks->font());
            l->resize(l->width(), twips(kRegelHoogte));
            ZetNaam(l, k.tekst);
        }
    }
    m_bigBagRegels = std::max(n[0], n[1]);
}

void frmSamenstel::PasFramesAan()
{
    int onderkant = 2 * kRegelHoogte;
    if (m_hoogsteRegel > 0)
        onderkant = kRegelHoogte * (m_hoogsteRegel + 1) + 180 + 160 + 60;
    if (m_bigBagRegels > 0)
        onderkant = BigBagTop() + kRegelHoogte * (m_bigBagRegels + 1) + 60;
    fraSamenstel[0]->resize(twips(breedte()), fraSamenstel[0]->height());
    fraSamenstel[1]->resize(twips(breedte()), twips(onderkant));
    for (int index : {kWaarschuwing, kBlokkade}) {
        QLabel* l = lblSamenstel[index];
        l->resize(twips(breedte()), l->heightForWidth(twips(breedte())));
    }
    if (isVisible())
        resizeEvent(nullptr);
}

void frmSamenstel::Form_Activate()
{
    for (int i : {0, 1})
        fraSamenstel[i]->show();
    fraControl->show();
    m_hover->barMoved();
    if (m_actief)
        return;
    m_actief = true;
    if (!m_heeftResultaat || Instellingen.Concentratie < 201)
        return;
    // Once the window is drawn, so that the message stands over the recipe it is about.
    QTimer::singleShot(0, this, [this] {
        RunUserAction([this] { MessageBox::show(GetLangStr(999000012) + "200x", MsgBox::OkOnly); });
    });
}

void frmSamenstel::resizeEvent(QResizeEvent* event)
{
    if (event)
        StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    const int w = toTwips(width());
    const int h = toTwips(height());
    const int w0 = toTwips(fraSamenstel[0]->width());
    const int h0 = toTwips(fraSamenstel[0]->height());
    const int h1 = toTwips(fraSamenstel[1]->height());
    const int left = std::max(0, w / 2 - w0 / 2 - 60);
    const int top = std::max(60, h / 2 - (h0 + h1) / 2 - 670);
    fraSamenstel[0]->move(twips(left), twips(top));
    fraSamenstel[1]->move(twips(left), twips(top + h0));
    int onder = top + h0 + h1 + 200;
    for (int index : {kWaarschuwing, kBlokkade}) {
        QLabel* l = lblSamenstel[index];
        l->move(twips(left), twips(onder));
        if (!l->isHidden())
            onder += toTwips(l->height()) + 60;
    }
}

bool frmSamenstel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_L && key->modifiers() == Qt::ControlModifier && w && (w == this || isAncestorOf(w))) {
            RunUserAction([this] { Form_KeyPress(); });
            return true;
        }
    }
    return StepWindow::eventFilter(watched, event);
}

void frmSamenstel::Form_KeyPress()
{
    // The log of the last calculation, in the desktop's text viewer.
    const QString log = appState().AppPath + "log.txt";
    if (!QFileInfo::exists(log)) {
        MessageBox::show(GetLangStr(70900500) + "\n" + log, MsgBox::Exclamation);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(log)))
        MessageBox::show(GetLangStr(70900600) + "\n" + log, MsgBox::Exclamation);
}

void frmSamenstel::cmdControl_Click(int index)
{
    if (index == 0) {
        if (!m_blokkade.isEmpty()) {
            MessageBox::show(m_blokkade, MsgBox::Exclamation);
            return;
        }
        if (m_waarschuwing) {
            MessageBox::show(GetLangStr(999000051), MsgBox::Critical);
            return;
        }
    }
    if (!GaNaarStap(this, qint16(index), changed()))
        return;
    if (index == 0)
        GeefRegelsDoor();
    s_Close();
}

void frmSamenstel::GeefRegelsDoor()
{
    StepHost* host = CurrentStepHost();
    if (!host)
        return;
    for (QMdiSubWindow* sub : host->mdiArea()->subWindowList())
        if (auto* ontvanger = dynamic_cast<PrintRegelsOntvanger*>(sub->widget()))
            ontvanger->ZetPrintRegels(Regels);
}
