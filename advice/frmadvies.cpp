#include "frmadvies.h"

#include "adviesgrenzen.h"
#include "appstate.h"
#include "elementen.h"
#include "general.h"
#include "invoer.h"
#include "invoervak.h"
#include "ui/dialogs.h"
#include "units.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <array>
#include <vector>

namespace {

// The grid, in twips.
constexpr int kRasterBreedte = 13000; // width of the grid frame
constexpr int kRasterHoogte = 6900;
constexpr int kOnderBreedte = 13000; // the frame of the EC, recirculation and options below it
constexpr int kOnderHoogte = 1800;
constexpr int kRijen = 17;
constexpr int kCelHoogte = 330;
constexpr int kNaamBreedte = 700; // wide enough for "H2PO4"
constexpr int kEersteKolom = 120 + kNaamBreedte + 50;
constexpr int kTussenruimte = 60;
constexpr int kEenheidBreedte = 800;

// An EC box; nothing negative, which would turn every target negative.
constexpr InvoerBereik kECBereik{0, kHoogsteEC, 2, false};

// The most an element's adjustment box takes, up or down; Na and HCO3 are not typed.
double aanpassingHoogste(int positie)
{
    for (const AdviesGrens& grens : kAdviesGrenzen)
        if (grens.positie == positie)
            return grens.hoogste;
    return 0;
}

int celTop(int rij)
{
    return 360 + 360 * rij;
}

// Row k (1 to 17) is element k - 1 of the analysis, NH4 to Mo.
int positieVanRij(int rij)
{
    return Elementen::NH4totMo[rij - 1];
}

// The row shows the bicarbonate; the corrected target holds the acid there instead.
int positieInKolom(int code, int rij)
{
    const int p = positieVanRij(rij);
    return code == 120 && p == ElementVector::pHCO3 ? int(ElementVector::pH) : p;
}

qint32 kopTekst(int code)
{
    return code == 200 ? 60120000 : 60100000 + 100 * code;
}

// Adjustments of Na and the bicarbonate are not typed: the advice has no use for them.
bool isVergrendeld(int index)
{
    return index == 40 + 3 || index == 40 + 10;
}

void zetRood(QWidget* w, bool rood)
{
    const QVariant was = w->property("rood");
    if (was.isValid() && was.toBool() == rood)
        return;
    // Two palettes for every cell and box: the field colour, or red.
    static const std::array<QPalette, 2> paletten = [] {
        std::array<QPalette, 2> p{QApplication::palette(), QApplication::palette()};
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window}) {
            p[0].setColor(role, p[0].color(QPalette::Base));
            p[1].setColor(role, QColor(255, 0, 0));
        }
        return p;
    }();
    w->setPalette(paletten[rood ? 1 : 0]);
    w->setProperty("rood", rood);
}

// A value cell reads as a field that cannot be typed in.
void maakCel(QLabel* cel)
{
    if (cel->parentWidget())
        cel->setFont(cel->parentWidget()->font()); // not the smaller font of a column header
    cel->setFrameShape(QFrame::Panel);
    cel->setFrameShadow(QFrame::Sunken);
    cel->setAutoFillBackground(true);
    cel->setMargin(2);
    cel->resize(cel->width(), twips(kCelHoogte));
    zetRood(cel, false);
}

QString waarde(float v, const QString& element)
{
    return FormatNumber(IonToUnit(v, element), 2);
}

} // namespace

frmAdvies::frmAdvies(QWidget* parent) : StepWindow(parent)
{
    m_vakken =
        new InvoerVakFocus(this, [this](QLineEdit* box) { txtAdvies_LostFocus(box->property("Index").toInt()); });
    MaakVasteVelden();
    Form_Load();
}

void frmAdvies::MaakVasteVelden()
{
    auto* raster = fraAdvies.add(0, new QFrame(this));
    raster->resize(twips(kRasterBreedte), twips(kRasterHoogte));
    auto* onder = fraAdvies.add(1, new QFrame(this));
    onder->resize(twips(kOnderBreedte), twips(kOnderHoogte));

    auto label = [&](int index, int left, int top, int width, Qt::Alignment align) {
        QLabel* l = lblAdvies.add(index, new QLabel(onder));
        l->setGeometry(twips(left), twips(top), twips(width), twips(kCelHoogte));
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };
    auto box = [&](int index, int left, int top) {
        QLineEdit* b = txtAdvies.add(index, new QLineEdit(onder));
        b->setGeometry(twips(left), twips(top), twips(900), twips(kCelHoogte));
        b->setAlignment(Qt::AlignRight);
        b->setProperty("Index", index);
        m_vakken->watch(b);
        connectAction(b, &QLineEdit::textEdited, this, [this] { changed() = true; });
        return b;
    };
    constexpr int kTekstBreedte = 3400;
    constexpr int kWaardeLinks = 3600;
    constexpr int kEenheidLinks = 4560;
    label(1000, 120, 120, kTekstBreedte, Qt::AlignLeft);
    maakCel(label(1020, kWaardeLinks, 120, 900, Qt::AlignRight));
    label(1001, 120, 520, kTekstBreedte, Qt::AlignLeft);
    box(1001, kWaardeLinks, 520);
    label(1002, 120, 920, kTekstBreedte, Qt::AlignLeft);
    box(1002, kWaardeLinks, 920);
    label(1012, kEenheidLinks, 920, kEenheidBreedte, Qt::AlignLeft);
    label(1003, 120, 1320, kTekstBreedte, Qt::AlignLeft);
    maakCel(label(1023, kWaardeLinks, 1320, 900, Qt::AlignRight));
    label(1013, kEenheidLinks, 1320, kEenheidBreedte, Qt::AlignLeft);

    constexpr int kRechts = 6000;
    chkAdvies = new QCheckBox(onder);
    chkAdvies->setObjectName("chkAdvies");
    chkAdvies->setGeometry(twips(kRechts), twips(120), twips(5200), twips(kCelHoogte));
    connectAction(chkAdvies, &QCheckBox::clicked, this, [this] { chkAdvies_Click(); });
    cmdAdvies = new QPushButton(onder);
    cmdAdvies->setObjectName("cmdAdvies");
    cmdAdvies->setGeometry(twips(kRechts), twips(520), twips(4000), twips(400));
    connectAction(cmdAdvies, &QPushButton::clicked, this, [this] { cmdAdvies_Click(); });
    QLabel* klasse = label(1050, kRechts, 1000, 5200, Qt::AlignLeft);
    QFont vet = klasse->font();
    vet.setBold(true);
    klasse->setFont(vet);
    klasse->setStyleSheet("color: rgb(192, 0, 0)");
    klasse->installEventFilter(this);
    klasse->hide();
}

void frmAdvies::Form_Load()
{
    ShowStatusLang(MainWindow(), -1);
    RunUserAction([this] { Advies.LeesInstellingen(); });
    BouwRooster();
    SetLangStrings();
    SetLogoButtons(this);
    if (Werkset()) {
        // A new run, or one back from a stored set, still computes on the grower's drain analysis and reuse.
        RunUserAction([] { LeesOpgeslagenDrain(appState().DrainAnalyse); });
        Bereken();
    } else {
        RunUserAction([this] {
            ::Advies opgeslagen = Advies.HuidigAdvies();
            if (LoadAdvies(opgeslagen))
                Advies.ZetAdvies(opgeslagen);
        });
    }
    ToonWaarden();
    changed() = false;
    ShowStatusLang(MainWindow(), 0);
}

void frmAdvies::SetLangStrings()
{
    setWindowTitle(GetLangStr(60000000));
    SetCaptionLang(lblAdvies[1000], 60100100);
    SetCaptionLang(lblAdvies[1001], Advies.Instellingen.Teeltsysteem == 1 ? 60100111 : 60100110);
    SetCaptionLang(lblAdvies[1002], 60100102);
    SetCaptionLang(lblAdvies[1003], 60100103);
    SetCaptionLang(lblAdvies[1050], 60100150);
    SetCaptionLang(chkAdvies, 60800000);
    SetCaptionLang(cmdAdvies, 60300000);
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmAdvies::VerwijderRooster()
{
    for (int code : {20, 40, 60, 80, 100, 120, 200}) {
        lblAdvies.unload(code);
        for (int rij = 1; rij <= kRijen; ++rij) {
            lblAdvies.unload(code + rij);
            if (code == 40)
                txtAdvies.unload(code + rij);
        }
    }
}

void frmAdvies::BouwRooster()
{
    VerwijderRooster();
    const BerekenInstellingen& inst = Advies.Instellingen;
    const bool recirculatie = inst.Teeltsysteem >= 2;
    std::vector<int> codes{20, 40};
    if (m_aanpassingZichtbaar)
        codes.push_back(200);
    codes.insert(codes.end(), {60, 80});
    if (recirculatie)
        codes.push_back(100);
    codes.push_back(120);
    const int breedte = (kRasterBreedte - kEersteKolom - 500 - kEenheidBreedte) / int(codes.size());
    QFrame* raster = fraAdvies[0];

    int left = kEersteKolom;
    for (size_t i = 0; i < codes.size(); ++i) {
        const int code = codes[i];
        if (i > 0)
            left += breedte + (code == 200 ? 0 : kTussenruimte);
        MakeLabelText(lblAdvies, code, left, 120, breedte, 2, 0, raster);
        QLabel* kop = lblAdvies[code];
        kop->setAlignment(Qt::AlignCenter);
        kop->setWordWrap(true);
        QFont kleiner = raster->font(); // not the font of the member it was loaded after
        kleiner.setPointSizeF(kleiner.pointSizeF() * 0.9);
        kop->setFont(kleiner);
        kop->resize(kop->width(), twips(600));
        kop->setText(GetLangStr(kopTekst(code)));
        for (int rij = 1; rij <= kRijen; ++rij) {
            if (code == 40 && inst.Aanpassing != 0) {
                MaakVak(code + rij, left, celTop(rij), breedte);
            } else {
                MakeLabelText(lblAdvies, code + rij, left, celTop(rij), breedte, 1, 0, raster);
                maakCel(lblAdvies[code + rij]);
            }
        }
    }
    const int eenheidLinks = left + breedte + kTussenruimte;
    for (int rij = 1; rij <= kRijen; ++rij) {
        const int p = positieVanRij(rij);
        MakeLabelText(lblAdvies, rij, 120, celTop(rij), kNaamBreedte, 0, 0, raster);
        lblAdvies[rij]->setFont(raster->font());
        lblAdvies[rij]->resize(lblAdvies[rij]->width(), twips(kCelHoogte));
        lblAdvies[rij]->setText(p == ElementVector::pHCO3 ? QStringLiteral("H") : ElementNaam(p));
        MakeLabelText(lblAdvies, 140 + rij, eenheidLinks, celTop(rij), kEenheidBreedte, 0, 0, raster);
        lblAdvies[140 + rij]->setFont(raster->font());
        lblAdvies[140 + rij]->resize(lblAdvies[140 + rij]->width(), twips(kCelHoogte));
        lblAdvies[140 + rij]->setText(GetUnitText(ElementOp(p).spoor ? 310 : 210));
    }
    const QString recircEenheid = inst.Teeltsysteem == 3 ? "%" : inst.Teeltsysteem == 2 ? "mS/cm" : "";
    lblAdvies[1012]->setText(recircEenheid);
    lblAdvies[1013]->setText(recircEenheid);

    // Tab follows the boxes down the column, then the EC and the recirculation.
    QWidget* vorige = nullptr;
    for (int rij = 1; rij <= kRijen; ++rij) {
        if (!txtAdvies.contains(40 + rij) || isVergrendeld(40 + rij))
            continue;
        if (vorige)
            setTabOrder(vorige, txtAdvies[40 + rij]);
        vorige = txtAdvies[40 + rij];
    }
    for (QWidget* w : std::initializer_list<QWidget*>{txtAdvies[1001], txtAdvies[1002], chkAdvies, cmdAdvies}) {
        if (vorige)
            setTabOrder(vorige, w);
        vorige = w;
    }
}

void frmAdvies::MaakVak(int index, int left, int top, int width)
{
    QLineEdit* box = txtAdvies.load(index, fraAdvies[0]);
    PlaceLabelText(box, left, top, width, 1, 0, fraAdvies[0]);
    box->setFont(fraAdvies[0]->font());
    box->resize(box->width(), twips(kCelHoogte));
    box->setProperty("Index", index);
    m_vakken->watch(box);
    const bool vergrendeld = isVergrendeld(index);
    box->setReadOnly(vergrendeld);
    box->setFocusPolicy(vergrendeld ? Qt::NoFocus : Qt::StrongFocus);
    connectAction(box, &QLineEdit::textEdited, this, [this] { changed() = true; });
    zetRood(box, false);
    box->show();
}

bool frmAdvies::Werkset() const
{
    return appState().ID_HISTORIE == 0;
}

void frmAdvies::ToonWaarden()
{
    const AppState& s = appState();
    const BerekenInstellingen& inst = Advies.Instellingen;
    chkAdvies->setChecked(inst.ExtraBigBag == 1);
    lblAdvies[1020]->setText(FormatNumber(s.StreefWaarden.EC, 2));
    const float ec = Advies.AdviesOplossing.EC;
    txtAdvies[1001]->setText(FormatNumber(ec != 0 ? ec : s.StreefWaarden.EC, 2));
    ToonKolom(20, s.StreefWaarden);
    ToonKolom(40, s.AdviesAanpassing);
    ToonKolom(60, Advies.AdviesOplossing);
    ToonKolom(80, Advies.AdviesWater.Elementen);
    ToonRecirculatie();
    ToonKolom(120, s.StreefGecorrigeerd);
    if (m_aanpassingZichtbaar)
        ToonKolom(200, OpgeslagenAanpassing);

    // A negative amount cannot be given: the user has to see it.
    for (int rij = 1; rij <= kRijen; ++rij) {
        QLabel* cel = lblAdvies[120 + rij];
        bool ok = false;
        const double getoond = QLocale().toDouble(cel->text(), &ok);
        zetRood(cel, ok && getoond < 0);
    }
}

void frmAdvies::ToonKolom(int code, const ElementVector& v)
{
    for (int rij = 1; rij <= kRijen; ++rij) {
        const int p = positieInKolom(code, rij);
        const QString tekst = waarde(v[p], ElementNaam(p));
        const int index = code + rij;
        if (code == 40 && txtAdvies.contains(index))
            txtAdvies[index]->setText(tekst);
        else if (lblAdvies.contains(index))
            lblAdvies[index]->setText(tekst);
    }
}

void frmAdvies::ToonRecirculatie()
{
    const qint16 systeem = Advies.Instellingen.Teeltsysteem;
    const bool recirculatie = systeem >= 2;
    for (QWidget* w : std::initializer_list<QWidget*>{lblAdvies[1002], txtAdvies[1002], lblAdvies[1003],
                                                      lblAdvies[1023], lblAdvies[1012], lblAdvies[1013]})
        w->setVisible(recirculatie);
    if (!recirculatie)
        return;
    ToonKolom(100, Advies.AdviesMengWater.Elementen);
    const WaterRecord& drain = appState().DrainAnalyse;
    if (systeem == 2) {
        txtAdvies[1002]->setText(FormatNumber(drain.RecircEC, 2));
        lblAdvies[1023]->setText(FormatNumber(drain.MaxRecircEC, 2));
    } else if (systeem == 3) {
        txtAdvies[1002]->setText(FormatNumber(drain.Perc, 0));
        lblAdvies[1023]->setText(FormatNumber(drain.MaxPerc, 1));
    } else {
        txtAdvies[1002]->clear();
        lblAdvies[1023]->clear();
    }
}

bool frmAdvies::Bereken()
{
    ShowStatusLang(MainWindow(), -3);
    try {
        Advies.Bereken();
        m_berekend = true;
        m_opgeslagen = false;
    } catch (const AppError& e) {
        // Nothing of a failed run is kept, shown as done or stored.
        m_berekend = false;
        ShowStatusLang(MainWindow(), 0);
        MessageBox::show(GetLangStr(60900300) + "\n" + e.description(), MsgBox::Critical);
        return false;
    }
    ShowStatusLang(MainWindow(), 0);
    return true;
}

void frmAdvies::RecalcAdvies()
{
    const bool berekend = Werkset() && Bereken();
    ToonWaarden();
    if (berekend)
        ShowAdviesWarning(Advies.Instellingen.AmoniumAanpassing);
    CheckAdvies(false);
}

bool frmAdvies::BewaarAdvies()
{
    if (!SchrijfMetMelding(60900500, [this] {
            SaveAdvies(Advies.HuidigAdvies());
            return true;
        }))
        return false;
    m_opgeslagen = true;
    return true;
}

bool frmAdvies::s_Save()
{
    // A stored set is only shown; a run that failed leaves the stored advice as it was.
    if (!Werkset() || !m_berekend || m_opgeslagen)
        return true;
    return BewaarAdvies();
}

void frmAdvies::CheckAdvies(bool quiet)
{
    if (!GrenzenActief(Advies.Instellingen.Aanpassing))
        return;
    const AppState& s = appState();
    for (const AdviesGrens& grens : kAdviesGrenzen) {
        if (!txtAdvies.contains(grens.box))
            continue;
        QLineEdit* box = txtAdvies[grens.box];
        const float value =
            grens.positie == ElementVector::pEC ? Advies.AdviesOplossing.EC : s.AdviesAanpassing[grens.positie];
        const GrensOordeel oordeel =
            MarkElementLimit(value, GrensWaarde(grens, s.StreefWaarden), box->property("rood").toBool(), quiet);
        zetRood(box, oordeel.rood);
        if (oordeel.waarschuwen)
            MessageBox::show(GetLangStr(999000010) + " " + GrensNaam(grens) + GetLangStr(999000011), MsgBox::OkOnly);
    }
}

void frmAdvies::ShowAdviesWarning(qint16 klasse)
{
    lblAdvies[1050]->setVisible(klasse != 0);
    if (const qint32 tekst = AmmoniumWaarschuwing(klasse, LaatsteAmoniumKlasse))
        MessageBox::show(GetLangStr(tekst), MsgBox::OkOnly);
}

void frmAdvies::lblAdvies_DblClick(int index)
{
    if (index != 1050)
        return;
    LaatsteAmoniumKlasse = 0;
    ShowAdviesWarning(Advies.Instellingen.AmoniumAanpassing);
}

bool frmAdvies::LeesVak(int index)
{
    QLineEdit* box = txtAdvies[index];
    box->setModified(false);
    const qint16 systeem = Advies.Instellingen.Teeltsysteem;
    WaterRecord& drain = appState().DrainAnalyse;
    float* waarde = nullptr;
    InvoerBereik bereik;
    // Named by its caption; a box of the grid by its column and its row.
    QString veld = lblAdvies.contains(index) ? Caption(lblAdvies[index]) : QString();
    int positie = -1; // an adjustment's element, typed in the display unit
    if (index == 1001 || (index == 1002 && systeem == 2)) {
        waarde = index == 1001 ? &Advies.AdviesOplossing.EC : &drain.RecircEC;
        bereik = kECBereik;
    } else if (index == 1002 && systeem == 3) {
        waarde = &drain.Perc;
        bereik = Bereik::Aandeel;
    } else if (index > 40 && index <= 40 + kRijen) {
        veld = Caption(lblAdvies[40]) + " " + Caption(lblAdvies[index - 40]);
        positie = positieVanRij(index - 40);
        waarde = &appState().AdviesAanpassing[positie];
        bereik = GehalteBereik(positie, -aanpassingHoogste(positie), aanpassingHoogste(positie));
    } else {
        return false;
    }
    const QString tekst = box->text();
    double getal = 0;
    const InvoerFout fout = LeesInvoer(tekst, bereik, getal);
    if (fout != InvoerFout::Geen) {
        ToonWaarden(); // the previous value comes back
        MessageBox::show(InvoerMelding(veld, fout, tekst, bereik), MsgBox::Exclamation);
        return false;
    }
    *waarde = positie < 0 ? float(getal) : IonFromUnit(float(getal), ElementNaam(positie));
    return true;
}

void frmAdvies::txtAdvies_LostFocus(int index)
{
    if (!txtAdvies.contains(index))
        return;
    // Only a text the user changed is read: the shown text is rounded.
    if (!txtAdvies[index]->isModified())
        return;
    if (LeesVak(index))
        RecalcAdvies();
    changed() = false;
}

void frmAdvies::LeesGewijzigdeVakken()
{
    std::vector<int> gewijzigd;
    txtAdvies.forEach([&](int index, QLineEdit* box) {
        if (!box->isHidden() && box->isModified())
            gewijzigd.push_back(index);
    });
    for (int index : gewijzigd)
        txtAdvies_LostFocus(index);
}

void frmAdvies::chkAdvies_Click()
{
    BerekenInstellingen& inst = Advies.Instellingen;
    const qint16 keuze = chkAdvies->isChecked() ? 1 : 0;
    // A stored set is only shown; and a setting that could not be stored is not shown as chosen.
    if (!Werkset() || !PutTeeltInstelling("ExtraBigBag", keuze, InstellingMode::Number)) {
        chkAdvies->setChecked(inst.ExtraBigBag == 1);
        return;
    }
    inst.ExtraBigBag = keuze;
}

void frmAdvies::cmdAdvies_Click()
{
    // Read first: a failed read leaves the view as it was.
    if (!m_aanpassingZichtbaar)
        HistorieAanpassing(AanpassingMode::Laden, OpgeslagenAanpassing);
    m_aanpassingZichtbaar = !m_aanpassingZichtbaar;
    BouwRooster();
    ToonWaarden();
    CheckAdvies(true);
}

void frmAdvies::cmdControl_Click(int index)
{
    LeesGewijzigdeVakken();
    if (index == 0 && Werkset() && !m_berekend) {
        MessageBox::show(GetLangStr(60900400), MsgBox::Exclamation);
        return;
    }
    changed() = false;
    StepWindow::cmdControl_Click(index);
}

void frmAdvies::Form_Activate()
{
    for (int i : {0, 1}) {
        fraAdvies[i]->show();
        SetArrayEnabled(fraAdvies[i]);
    }
    fraControl->show();
    CheckAdvies(true);
    // Once the window is drawn, so that the warning stands over the advice it is about.
    QTimer::singleShot(0, this,
                       [this] { RunUserAction([this] { ShowAdviesWarning(Advies.Instellingen.AmoniumAanpassing); }); });
}

bool frmAdvies::queryUnload()
{
    LeesGewijzigdeVakken();
    return s_Save();
}

void frmAdvies::showEvent(QShowEvent* event)
{
    StepWindow::showEvent(event);
    for (int i : {0, 1})
        SetArrayEnabled(fraAdvies[i]);
    if (txtAdvies[1001]->isEnabled())
        txtAdvies[1001]->setFocus();
}

void frmAdvies::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    // The grid and the frame below it as one block, clear of the button bar on the right.
    const QSize outer = OuterSize(this);
    QFrame* raster = fraAdvies[0];
    QFrame* onder = fraAdvies[1];
    const int links = std::max(0, (outer.width() - raster->width()) / 2 - twips(700));
    const int boven = std::max(0, (outer.height() - raster->height() - onder->height()) / 2 - twips(100));
    raster->move(links, boven);
    onder->move(links, boven + raster->height());
}

bool frmAdvies::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick && lblAdvies.contains(1050) && watched == lblAdvies[1050]) {
        RunUserAction([this] { lblAdvies_DblClick(1050); });
        return true;
    }
    return StepWindow::eventFilter(watched, event);
}
