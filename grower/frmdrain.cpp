#include "frmdrain.h"

#include "drainanalyse.h"
#include "elementen.h"
#include "invoervak.h"
#include "laden.h"
#include "ui/dialogs.h"
#include "units.h"
#include "watermix.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

constexpr int kBoxHeight = 330;
constexpr int kLabelHeight = 300;
constexpr int kRowTop = 600; // twips; the boxes of row r at kRowTop + kRowStep · r, their names above them
constexpr int kRowStep = 900;

// The element position of a box; -1 for EC, pH and indices without a box.
int drainPositie(int index)
{
    const int column = index / 10;
    const int row = index % 10;
    if (row == 0 && column >= 4 && column <= 14)
        return column - 4; // NH4 .. Si
    if (row == 1 && column >= 4 && column <= 9)
        return ElementVector::pFe + column - 4; // Fe .. Mo
    return -1;
}

// The drain value behind a box, or null for an index without one; name gets the
// element name when the value is an element in the display unit.
float* drainValue(WaterRecord& drain, int index, QString* name = nullptr)
{
    const int position = drainPositie(index);
    if (position >= 0) {
        if (name)
            *name = WaterElementNamen()[position];
        return &drain.Elementen[position];
    }
    if (index == 42)
        return &drain.Elementen.EC;
    if (index == 52)
        return &drain.Ph;
    return nullptr;
}

// What a box takes.
InvoerBereik drainBereik(int index, bool breedste)
{
    if (index == 42)
        return Bereik::EC;
    if (index == 52)
        return Bereik::Ph;
    const int positie = drainPositie(index);
    return breedste ? BreedsteElementBereik(positie) : ElementBereik(positie);
}

// Every box in the order the window fills them.
constexpr int kBoxOrder[] = {50, 60, 70, 90, 100, 110, 40, 80, 120, 130, 140, 41, 51, 61, 71, 81, 91, 42, 52};

} // namespace

frmDrain::frmDrain(QWidget* parent) : StepWindow(parent)
{
    fraDrain = new QFrame(this);
    fraDrain->setObjectName("fraDrain");
    fraDrain->resize(twips(12000), twips(4200));
    m_boxes = new InvoerVakFocus(this, [this](QLineEdit* box) { txtDrain_LostFocus(box->property("Index").toInt()); });

    auto* warning = lblDrain.add(1, new QLabel(fraDrain));
    warning->setGeometry(twips(120), twips(kRowTop + 3 * kRowStep - 300), twips(11000), twips(2 * kLabelHeight));
    warning->setWordWrap(true);
    warning->hide();
    chkdrain = new QCheckBox(fraDrain);
    chkdrain->setObjectName("chkdrain");
    chkdrain->setGeometry(twips(120), twips(kRowTop + 3 * kRowStep + 360), twips(11000), twips(kBoxHeight));
    // The box is read when saving; ticking it is a change to be saved.
    connectAction(chkdrain, &QCheckBox::clicked, this, [this] { changed() = true; });

    Form_Load();
}

void frmDrain::Form_Load()
{
    ShowStatusLang(MainWindow(), -1);
    BouwRooster();
    SetLangStrings();
    SetLogoButtons(this);
    // The working set's analysis is kept in memory for the run; a new run takes up the stored one.
    if (appState().ID_HISTORIE != 0 || DrainAnalyse::IsLeeg(appState().DrainAnalyse))
        LaadMetHerhaling([this] { LeesDrain(); });
    RunUserAction([this] { ToonWaarschuwing(0); });
    changed() = false;
    ShowStatusLang(MainWindow(), 0);
}

void frmDrain::SetLangStrings()
{
    setWindowTitle(GetLangStr(510000000));
    m_hco3Warning = GetLangStr(510100100);
    SetCaptionLang(lblDrain, 1, 510100100);
    m_balanceWarning = GetLangStr(999000045);
    SetCaptionLang(chkdrain, 510800100);
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmDrain::BouwRooster()
{
    for (QWidget* w : fraDrain->findChildren<QWidget*>())
        if (w->property("Tag").toString() == "unload")
            w->hide();

    auto label = [this](int index, int left, int top, int width, qint16 alignment, const QString& text) {
        MakeLabelText(lblDrain, index, left, top, width, alignment, 0, fraDrain);
        QLabel* l = lblDrain[index];
        l->resize(l->width(), twips(kLabelHeight));
        l->setText(text);
    };
    struct Row {
        int caption;
        qint32 text;
        int lastColumn;
        int unitLabel;
        qint16 unitCode;
    };
    const Row rows[] = {{10, 510101000, 14, 38, 210}, {11, 510101100, 9, 39, 310}, {12, 510101200, 5, 0, 0}};
    // One width for every box, that of the widest number any box takes in the
    // display unit where numbers read longest, so the columns stay in line.
    QList<InvoerBereik> bereiken;
    for (int index : kBoxOrder)
        bereiken << drainBereik(index, true);
    const int width = toTwips(InvoerBreedte(fraDrain, bereiken, twips(700)));
    // The row captions as wide as their texts, so the boxes keep room on a small screen.
    int caption = 0;
    for (const Row& row : rows)
        caption = std::max(caption, fraDrain->fontMetrics().horizontalAdvance(GetLangStr(row.text)));
    caption = std::min(2700, toTwips(caption + 8));
    const int first = 120 + caption + 80;
    int right = 0;
    for (int r = 0; r < 3; ++r) {
        const Row& row = rows[r];
        const int top = kRowTop + kRowStep * r;
        label(row.caption, 120, top, caption, 0, GetLangStr(row.text));
        for (int column = 4; column <= row.lastColumn; ++column) {
            const int index = 10 * column + r;
            const int left = first + width * (column - 4);
            QString name;
            drainValue(appState().DrainAnalyse, index, &name);
            label(index + 8, left, top - 300, width, 2, index == 42 ? "EC" : index == 52 ? "pH" : name);
            MakeTextBox(index, left, top, width);
        }
        const int unitLeft = first + 60 + width * (row.lastColumn - 3);
        if (row.unitLabel)
            label(row.unitLabel, unitLeft, top, 1200, 0, GetUnitText(row.unitCode));
        right = std::max(right, unitLeft + 1200);
    }
    fraDrain->resize(twips(std::max(12000, right + 120)), fraDrain->height());
}

void frmDrain::MakeTextBox(int index, int left, int top, int width)
{
    if (!txtDrain.contains(index)) {
        QLineEdit* box = txtDrain.load(index, fraDrain);
        box->setProperty("Index", index);
        box->setAlignment(Qt::AlignRight);
        m_boxes->watch(box);
        connectAction(box, &QLineEdit::textEdited, this, [this] { changed() = true; });
    }
    QLineEdit* box = txtDrain[index];
    box->setGeometry(twips(left), twips(top), twips(width), twips(kBoxHeight));
    box->setText(QString());
    box->setProperty("Tag", "unload");
    box->show();
}

void frmDrain::ToonVeld(int index)
{
    QString name;
    float* value = drainValue(appState().DrainAnalyse, index, &name);
    if (!value || !txtDrain.contains(index))
        return;
    txtDrain[index]->setText(FormatNumber(name.isEmpty() ? *value : IonToUnit(*value, name), 2));
}

bool frmDrain::LeesVeld(int index)
{
    QString name;
    float* value = drainValue(appState().DrainAnalyse, index, &name);
    if (!value || !txtDrain.contains(index))
        return true;
    const QString text = txtDrain[index]->text();
    const InvoerBereik bereik = drainBereik(index, false);
    double typed = 0;
    const InvoerFout fout = LeesInvoer(text, bereik, typed);
    if (fout != InvoerFout::Geen) {
        ToonVeld(index);
        // Named as the caption above the box names it.
        MessageBox::show(InvoerMelding(lblDrain[index + 8]->text(), fout, text, bereik), MsgBox::Exclamation);
        return false;
    }
    *value = name.isEmpty() ? float(typed) : IonFromUnit(float(typed), name);
    return true;
}

void frmDrain::ToonWaarschuwing(int index)
{
    if (index != 0) {
        ToonVeld(index);
    } else {
        for (int i : kBoxOrder)
            ToonVeld(i);
        // Only here: a tick the user has not saved yet stays while the boxes are edited.
        chkdrain->setChecked(DrainAnalyse::LeesAanpassing() == 2);
    }
    const ElementVector& v = appState().DrainAnalyse.Elementen;
    QString w;
    if (v.HCO3 > 0)
        w = m_hco3Warning;
    if (!IsDrainBalansOK(v))
        w = w.isEmpty() ? m_balanceWarning : w + ", " + m_balanceWarning;
    lblDrain[1]->setText(w);
    lblDrain[1]->setVisible(!w.isEmpty());
}

void frmDrain::txtDrain_LostFocus(int index)
{
    QLineEdit* box = txtDrain[index];
    // Only a text the user changed is read: the shown text is rounded.
    if (!box->isModified())
        return;
    box->setModified(false);
    if (LeesVeld(index))
        ToonWaarschuwing(index);
}

void frmDrain::LeesGewijzigdeVelden()
{
    txtDrain.forEach([this](int index, QLineEdit* box) {
        if (!box->isHidden() && box->isModified())
            txtDrain_LostFocus(index);
    });
}

void frmDrain::LeesDrain()
{
    if (DrainAnalyse::Lees(appState().DrainAnalyse))
        changed() = false;
}

bool frmDrain::s_Save()
{
    if (appState().ID_HISTORIE != 0)
        return true; // a stored set is only shown
    return SchrijfDrain();
}

bool frmDrain::SchrijfDrain()
{
    AppState& s = appState();
    bool adjusted = false;
    if (!SchrijfMetMelding(999000006,
                           [&] { return DrainAnalyse::Schrijf(s.DrainAnalyse, chkdrain->isChecked(), adjusted); }))
        return false;
    if (adjusted) {
        // An adjustment made for the other mode no longer applies.
        for (int p : Elementen::DrainAanpassing)
            s.AdviesAanpassing[p] = 0;
    }
    changed() = false;
    return true;
}

void frmDrain::cmdControl_Click(int index)
{
    LeesGewijzigdeVelden();
    const ElementVector& v = appState().DrainAnalyse.Elementen;
    if (index == 1) {
        if (!IsDrainBalansOK(v)) {
            if (MessageBox::show(GetLangStr(999000008), MsgBox::YesNo) == MsgBox::No)
                return;
            changed() = false;
        }
    } else if (!IsDrainBalansOK(v) && BalanceerDrainKopie(v) == 1) {
        MessageBox::show(GetLangStr(999000046), MsgBox::OkOnly);
        return;
    }
    StepWindow::cmdControl_Click(index);
}

bool frmDrain::queryUnload()
{
    LeesGewijzigdeVelden();
    // Closing keeps what was entered: it is saved without asking.
    return !changed() || s_Save();
}

void frmDrain::showEvent(QShowEvent* event)
{
    StepWindow::showEvent(event);
    SetArrayEnabled(fraDrain);
    if (txtDrain.contains(40) && txtDrain[40]->isEnabled())
        txtDrain[40]->setFocus();
}

void frmDrain::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    CenterControl(this, fraDrain, 0, 0);
    // On a small screen the grid keeps its left edge in view.
    if (fraDrain->x() < 0)
        fraDrain->move(0, fraDrain->y());
}
