#include "frmwater.h"

#include "elementen.h"
#include "frmwaterspoor.h"
#include "general.h"
#include "invoervak.h"
#include "laden.h"
#include "mdlzelvoracalc.h"
#include "ui/dialogs.h"
#include "units.h"
#include "wateranalyse.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int kMixLine = 7;
constexpr int kLineTop = 1440; // twips; a line every 360 below it
constexpr int kLineStep = 360;
constexpr int kFieldCaptionTop = 1080;
constexpr int kMixCaptionTop = 3600;
constexpr int kBoxHeight = 330;
constexpr int kLabelHeight = 300;
constexpr int kProcent = 200; // the "%" beside a share

int lineTop(int line)
{
    return kLineTop + kLineStep * line;
}

// The fields of a quick-entry source line, left to right; field 8 is the
// narrow "/" box between the readings.
constexpr int kSnelVelden[] = {5, 6, 7, 8, 9, 10, 11};

void ZetFoutKleur(QWidget* w, bool fout)
{
    QPalette pal = QApplication::palette(w);
    if (fout) {
        pal.setColor(QPalette::Base, QColor(255, 0, 0));
        pal.setColor(QPalette::Window, QColor(255, 0, 0));
    }
    w->setPalette(pal);
    if (qobject_cast<QLabel*>(w))
        w->setAutoFillBackground(fout);
}

} // namespace

frmWater::frmWater(QWidget* parent) : StepWindow(parent)
{
    fraWater = new QFrame(this);
    fraWater->setObjectName("fraWater");
    fraWater->resize(twips(12800), twips(5000));
    m_boxes = new InvoerVakFocus(this, [this](QLineEdit* box) { txtWater_LostFocus(box->property("Index").toInt()); });

    lblWater.add(0, new QLabel(fraWater))->setGeometry(twips(120), twips(240), twips(2000), twips(kLabelHeight));
    cboWater = new QComboBox(fraWater);
    cboWater->setObjectName("cboWater");
    cboWater->setGeometry(twips(2120), twips(210), twips(2800), twips(kBoxHeight + 30));
    connectAction(cboWater, &QComboBox::activated, this, [this](int index) {
        if (index != WaterInputType)
            cboWater_Click();
    });
    auto* warning = lblWater.add(1, new QLabel(fraWater));
    warning->setGeometry(twips(120), twips(4440), twips(10500), twips(2 * kLabelHeight));
    warning->setWordWrap(true);
    warning->hide();

    Form_Load();
}

void frmWater::Form_Load()
{
    ShowStatusLang(MainWindow(), -1);
    BouwRooster();
    SetLangStrings();
    SetLogoButtons(this);
    m_loaded = LaadMetHerhaling([this] { LeesWater(); });
    ToonAlleVelden();
    Herbereken(0);
    changed() = false;
    ShowStatusLang(MainWindow(), 0);
}

void frmWater::SetLangStrings()
{
    setWindowTitle(GetLangStr(50000000));
    cboWater->clear();
    cboWater->addItem(GetLangStr(50300000));
    cboWater->addItem(GetLangStr(50300001));
    SetCaptionLang(lblWater, 1, 50100100);
    SetCaptionLang(lblWater, 0, 50100000);
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmWater::LeesWater()
{
    WaterInputType = WaterAnalyse::LeesInvoerType();
    cboWater->setCurrentIndex(WaterInputType);
    cboWater_Click();
    WaterAnalyse::Lees(WaterAnalyses);
}

bool frmWater::PutData()
{
    if (appState().ID_HISTORIE != 0 || !m_loaded) {
        // A stored set is only shown; a set that could not be read is not overwritten.
        changed() = false;
        return true;
    }
    if (!SchrijfMetMelding(999000006, [&] { return WaterAnalyse::Schrijf(WaterInputType, WaterAnalyses); }))
        return false;
    changed() = false;
    return true;
}

void frmWater::cboWater_Click()
{
    WaterInputType =
        qint16(cboWater->currentIndex() == WaterInvoer::Volledig ? WaterInvoer::Volledig : WaterInvoer::Snel);
    BouwRooster();
    ResetBereken();
    ToonAlleVelden();
    changed() = true;
}

frmWater::Rooster frmWater::MeetRooster() const
{
    // Each box as wide as the widest number it takes or shows, in the display
    // unit where numbers read longest, and never narrower than drawn before.
    Rooster r;
    QList<InvoerBereik> elementen;
    for (int f = 4; f <= 14; ++f)
        elementen << BreedsteElementBereik(f - 4);
    // The mix adds up to three full sources and is rebalanced in full analysis,
    // which can lift one element to several times its limit; its columns are
    // those of the sources, so they take its width.
    elementen << InvoerBereik{0, 99999.99, 2, false};
    r.aandeel = toTwips(InvoerBreedte(fraWater, {Bereik::Aandeel, Bereik::AandeelTotaal}, twips(500)));
    r.element = toTwips(InvoerBreedte(fraWater, elementen, twips(700)));
    r.aflezing = toTwips(InvoerBreedte(fraWater, {Bereik::Aflezing}, twips(600)));
    // The line heads as wide as their texts, so the boxes keep room on a small screen.
    int kop = 0;
    for (qint32 id : {50101000, 50101100, 50101200, 50101700})
        kop = std::max(kop, fraWater->fontMetrics().horizontalAdvance(GetLangStr(id)));
    r.kop = std::min(2000, toTwips(kop + 8));
    r.aandeelLinks = 120 + r.kop;
    r.waarden = r.aandeelLinks + r.aandeel + kProcent;
    return r;
}

int frmWater::Rooster::elementLinks(int field) const
{
    return waarden + element * (field - 4);
}

int frmWater::Rooster::snelLinks(int field) const
{
    // The class label first, then the readings with the narrow "/" box among them.
    int left = waarden + 300;
    for (int f : kSnelVelden) {
        if (f == field)
            break;
        left += f == 8 ? 300 : aflezing;
    }
    return left;
}

void frmWater::BouwRooster()
{
    for (QWidget* w : fraWater->findChildren<QWidget*>())
        if (w->property("Tag").toString() == "unload")
            w->hide();
    m_lastTab = cboWater;
    const Rooster r = MeetRooster();

    auto label = [this](ControlArray<QLabel>& array, int index, int left, int top, int width, qint16 alignment,
                        const QString& text) {
        MakeLabelText(array, index, left, top, width, alignment, 0, fraWater);
        QLabel* l = array[index];
        l->resize(l->width(), twips(kLabelHeight));
        l->setText(text);
    };
    int right = 0;
    // Button 0..2 on the line of its source, button 3 on the mix line.
    auto traceButton = [this, &label, &right](int index, int left) {
        const int top = lineTop(index == 3 ? kMixLine : index);
        if (!cmdwater.contains(index)) {
            QToolButton* b = cmdwater.load(index, fraWater);
            b->setIcon(QIcon(Picture("DriehoekKnopje")));
            b->setFocusPolicy(Qt::NoFocus);
            connectAction(b, &QToolButton::clicked, this, [this, index] { cmdwater_Click(index); });
        }
        QToolButton* b = cmdwater[index];
        b->setGeometry(twips(left), twips(top), twips(300), twips(kBoxHeight));
        b->setProperty("Tag", "unload");
        b->show();
        const QString text = GetLangStr(52100000);
        const int width = toTwips(fraWater->fontMetrics().horizontalAdvance(text) + 4);
        label(lblcmdWater, index, left + 330, top, width, 0, text);
        right = std::max(right, left + 330 + width);
    };
    const bool full = WaterInputType == WaterInvoer::Volledig;

    for (int w = 0; w <= 2; ++w) {
        const int top = lineTop(w);
        label(lblWater, 10 + w, 120, top, r.kop, 0, GetLangStr(50101000 + 100 * w));
        MakeTextBox(20 + w, r.aandeelLinks, top, r.aandeel, true);
        label(lblWater, 30 + w, r.aandeelLinks + r.aandeel, top, kProcent, 0, "%");
    }
    for (int w = 0; w <= 2; ++w) {
        const int top = lineTop(w);
        if (full) {
            for (int f = 4; f <= 14; ++f)
                MakeTextBox(10 * f + w, r.elementLinks(f), top, r.element, true);
            traceButton(w, r.elementLinks(15));
        } else {
            label(lblWater, 40 + w, r.waarden, top, 300, 2, "A");
            for (int f : kSnelVelden) {
                if (f != 8)
                    MakeTextBox(10 * f + w, r.snelLinks(f), top, r.aflezing, true);
            }
            MakeTextBox(80 + w, r.snelLinks(8), top, 300, false);
            txtWater[80 + w]->setText("/");
            traceButton(w, r.snelLinks(12) + 100);
        }
    }

    const int mixTop = lineTop(kMixLine);
    label(lblWater, 17, 120, mixTop, r.kop, 0, GetLangStr(50101700));
    MakeTextBox(27, r.aandeelLinks, mixTop, r.aandeel, false);
    label(lblWater, 37, r.aandeelLinks + r.aandeel, mixTop, kProcent, 0, "%");
    for (int f = 4; f <= 14; ++f)
        MakeTextBox(10 * f + kMixLine, r.elementLinks(f), mixTop, r.element, false);
    traceButton(3, r.elementLinks(15));

    const QStringList& names = WaterElementNamen();
    const int elementCaptionTop = full ? kFieldCaptionTop : kMixCaptionTop;
    for (int f = 4; f <= 14; ++f)
        label(lblVeld, (full ? 100 : 200) + f, r.elementLinks(f), elementCaptionTop, r.element, 2, names[f - 4]);
    if (!full) {
        for (int f : kSnelVelden) {
            if (f != 8)
                label(lblVeld, 100 + f, r.snelLinks(f), kFieldCaptionTop, r.aflezing, 2,
                      ElementNaam(ZoekSnelVeld(f)->element));
        }
        label(lblVeld, 108, r.snelLinks(8), kFieldCaptionTop, 300, 2, "/");
    }
    label(lblWater, 39, 120, kFieldCaptionTop, 2000, 0, GetUnitText(210));
    fraWater->resize(twips(std::max(12800, right + 120)), fraWater->height());
}

void frmWater::MakeTextBox(int index, int left, int top, int width, bool tabStop)
{
    if (!txtWater.contains(index)) {
        QLineEdit* box = txtWater.load(index, fraWater);
        box->setProperty("Index", index);
        box->setAlignment(Qt::AlignRight);
        m_boxes->watch(box);
        connectAction(box, &QLineEdit::textEdited, this, [this] { changed() = true; });
    }
    QLineEdit* box = txtWater[index];
    box->setGeometry(twips(left), twips(top), twips(width), twips(kBoxHeight));
    box->setText(QString());
    box->setProperty("Tag", "unload");
    box->setReadOnly(!tabStop);
    box->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
    if (tabStop) {
        setTabOrder(m_lastTab, box);
        m_lastTab = box;
    }
    box->show();
}

void frmWater::ToonVeld(int index)
{
    const int w = index % 10;
    const int f = index / 10;
    if (w > 2 || !txtWater.contains(index))
        return;
    const WaterRecord& source = WaterAnalyses[w + 1];
    QLineEdit* box = txtWater[index];
    if (WaterInputType == WaterInvoer::Snel) {
        if (f == 2)
            box->setText(FormatNumber(source.Perc, 0));
        else if (const SnelVeld* veld = ZoekSnelVeld(f))
            box->setText(FormatNumber(source.*veld->reading, 0));
        ZetWaterKlasse(index);
    } else if (f == 2) {
        box->setText(FormatNumber(source.Perc, 0));
    } else if (f >= 4 && f <= 14) {
        const QString& name = WaterElementNamen()[f - 4];
        box->setText(FormatNumber(IonToUnit(source.Elementen[f - 4], name), 2));
    }
}

bool frmWater::LeesVeld(int index)
{
    const int w = index % 10;
    const int f = index / 10;
    if (w > 2 || !txtWater.contains(index))
        return true;
    WaterRecord& source = WaterAnalyses[w + 1];
    const SnelVeld* veld = nullptr;
    InvoerBereik bereik;
    if (f == 2) {
        bereik = Bereik::Aandeel;
    } else if (WaterInputType == WaterInvoer::Snel) {
        veld = ZoekSnelVeld(f);
        if (!veld)
            return true;
        bereik = Bereik::Aflezing;
    } else if (f >= 4 && f <= 14) {
        bereik = ElementBereik(f - 4);
    } else {
        return true;
    }
    const QString text = txtWater[index]->text();
    double value = 0;
    const InvoerFout fout = LeesInvoer(text, bereik, value);
    if (fout != InvoerFout::Geen) {
        // The value stays as it was, and so does the box.
        ToonVeld(index);
        // Named by its line and the caption over its column (the share by its "%").
        const QString veld = Caption(lblWater[10 + w]) + " " + Caption(f == 2 ? lblWater[30 + w] : lblVeld[100 + f]);
        MessageBox::show(InvoerMelding(veld, fout, text, bereik), MsgBox::Exclamation);
        return false;
    }
    if (f == 2)
        source.Perc = float(value);
    else if (veld)
        ZetSnelWaarde(source, *veld, qint16(value));
    else
        source.Elementen[f - 4] = IonFromUnit(float(value), WaterElementNamen()[f - 4]);
    return true;
}

void frmWater::ResetBereken()
{
    for (WaterRecord& record : WaterAnalyses)
        ClearWaterRecord(record);
    Herbereken(0);
}

void frmWater::ToonAlleVelden()
{
    const bool full = WaterInputType == WaterInvoer::Volledig;
    for (int w = 0; w <= 2; ++w) {
        for (int f : {2, 5, 6, 7, 9, 10, 11})
            ToonVeld(10 * f + w);
        if (full)
            for (int f : {4, 8, 12, 13, 14})
                ToonVeld(10 * f + w);
    }
}

void frmWater::txtWater_LostFocus(int index)
{
    QLineEdit* box = txtWater[index];
    // Only a text the user changed is read: the shown text is rounded.
    if (!box->isModified())
        return;
    box->setModified(false);
    if (LeesVeld(index))
        Herbereken(index);
}

void frmWater::LeesGewijzigdeVelden()
{
    txtWater.forEach([this](int index, QLineEdit* box) {
        if (!box->isHidden() && box->isModified())
            txtWater_LostFocus(index);
    });
}

void frmWater::BerekenMengwater()
{
    ::BerekenMengwater(WaterAnalyses, WaterInputType);
    ControleerPercentage();
    if (WaterAnalyses[0].Elementen.Fe > 5.0f)
        MessageBox::show(GetLangStr(999000020), MsgBox::Information);
}

bool frmWater::ControleerPercentage()
{
    const bool wrong = !IsTotaal100(WaterAnalyses);
    for (int index : {27, 20, 21, 22})
        if (txtWater.contains(index))
            ZetFoutKleur(txtWater[index], wrong);
    return wrong;
}

void frmWater::Herbereken(int index)
{
    BerekenMengwater();
    const bool quick = WaterInputType == WaterInvoer::Snel;
    auto colourLine = [this](int head, int firstBox, bool fout) {
        if (lblWater.contains(head))
            ZetFoutKleur(lblWater[head], fout);
        for (int r = 0; r <= 10; ++r)
            if (txtWater.contains(firstBox + 10 * r))
                ZetFoutKleur(txtWater[firstBox + 10 * r], fout);
    };
    for (int s = 1; s <= 3; ++s)
        colourLine(9 + s, 39 + s, quick && !IsIonenBalansOK(WaterAnalyses[s].Elementen));
    colourLine(17, 47, quick && !IsIonenBalansOK(WaterAnalyses[0].Elementen));

    lblWater[1]->setVisible(!quick && WaterAnalyses[0].Elementen.HCO3 > 0);
    if (index != 0)
        ToonVeld(index);
    if (!quick)
        BalanceerIonen(WaterAnalyses[0].Elementen);
    ToonMengwater();
}

void frmWater::ToonMengwater()
{
    const WaterRecord& mix = WaterAnalyses[0];
    txtWater[20 + kMixLine]->setText(FormatNumber(mix.Perc, 0));
    const QStringList& names = WaterElementNamen();
    for (int f = 4; f <= 14; ++f)
        txtWater[10 * f + kMixLine]->setText(FormatNumber(IonToUnit(mix.Elementen[f - 4], names[f - 4]), 2));
}

void frmWater::ZetWaterKlasse(int index)
{
    if (WaterInputType != WaterInvoer::Snel)
        return;
    const int w = index % 10;
    if (w > 2 || !ZoekSnelVeld(index / 10))
        return;
    if (lblWater.contains(40 + w))
        lblWater[40 + w]->setText(WaterKlasse(WaterAnalyses[w + 1]));
}

bool frmWater::MagVerlaten()
{
    if (ControleerPercentage()) {
        MessageBox::show(GetLangStr(999000007), MsgBox::OkOnly);
        return false;
    }
    ElementVector& mix = WaterAnalyses[0].Elementen;
    if (IsIonenBalansOK(mix))
        return true;
    if (WaterInputType == WaterInvoer::Snel) {
        MessageBox::show(GetLangStr(999000028), MsgBox::Critical);
        return false;
    }
    // Rebalanced now, so that the next press passes with the rebalanced mix.
    MessageBox::show(GetLangStr(999000045), MsgBox::OkOnly);
    if (BalanceerIonen(mix) == 1)
        MessageBox::show(GetLangStr(999000046), MsgBox::OkOnly);
    else
        ToonMengwater();
    return false;
}

void frmWater::cmdwater_Click(int index)
{
    LeesGewijzigdeVelden();
    const bool mix = index == 3;
    WaterRecord& record = WaterAnalyses[mix ? 0 : index + 1];
    const QStringList& names = WaterElementNamen();
    constexpr int fe = ElementVector::pFe;

    frmWaterSpoor dialog(this);
    dialog.ExtraCaption = Caption(lblWater[mix ? 17 : 10 + index]);
    for (int k = 1; k <= 6; ++k)
        dialog.WaterSpoor[k] = IonToUnit(record.Elementen[fe + k - 1], names[fe + k - 1]);
    const std::array<float, 7> given = dialog.WaterSpoor;
    // The first source's trace elements are shown only, as the mix's are; sources 2 and 3 take them.
    dialog.WaterReadonly = mix || index == 0 || !m_loaded || appState().ID_HISTORIE != 0;
    connectAction(&dialog, &frmWaterSpoor::edited, this, [this] { changed() = true; });
    dialog.exec();
    // Entries that came back as given keep their full precision.
    for (int k = 1; k <= 6; ++k)
        if (dialog.WaterSpoor[k] != given[k])
            record.Elementen[fe + k - 1] = IonFromUnit(dialog.WaterSpoor[k], names[fe + k - 1]);
    BerekenMengwater();
}

void frmWater::cmdControl_Click(int index)
{
    LeesGewijzigdeVelden();
    if (index == 0 || index == 2) {
        if (!MagVerlaten())
            return;
    } else if (index == 1) {
        if (!IsTotaal100(WaterAnalyses) || !IsIonenBalansOK(WaterAnalyses[0].Elementen)) {
            if (MessageBox::show(GetLangStr(999000008), MsgBox::YesNo) == MsgBox::No)
                return;
            changed() = false;
        }
    }
    StepWindow::cmdControl_Click(index);
}

bool frmWater::queryUnload()
{
    LeesGewijzigdeVelden();
    if (ControleerPercentage()) {
        // No keeps the window open with its changes still to be saved.
        if (MessageBox::show(GetLangStr(999000009), MsgBox::YesNo) == MsgBox::No)
            return false;
        changed() = false;
    }
    if (AskSaveChanges(changed()) == MsgBox::Yes && !s_Save())
        return false;
    return true;
}

void frmWater::showEvent(QShowEvent* event)
{
    StepWindow::showEvent(event);
    SetArrayEnabled(txtWater);
    SetArrayEnabled(cboWater);
    if (!m_loaded) {
        txtWater.forEach([](int, QLineEdit* box) { box->setEnabled(false); });
        cboWater->setEnabled(false);
    }
    if (txtWater.contains(20) && txtWater[20]->isEnabled())
        txtWater[20]->setFocus();
}

void frmWater::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    CenterControl(this, fraWater, -900, 0);
    // On a small screen the grid keeps its left edge in view.
    if (fraWater->x() < 0)
        fraWater->move(0, fraWater->y());
}
