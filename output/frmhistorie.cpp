#include "frmhistorie.h"

#include "appstate.h"
#include "general.h"
#include "registratie.h"
#include "registratiemodel.h"
#include "stephost.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

namespace Tekst {
constexpr qint32 Titel = 810000000;
constexpr qint32 Knop = 810400000;  // + 100 · index
constexpr qint32 Kolom = 810700000; // + 100 · column
constexpr qint32 Stoppen = 10101000;
constexpr qint32 VraagVerwijderen = 999000021;
constexpr qint32 VraagOpenen = 999000024;
constexpr qint32 VraagTerug = 999000025;
constexpr qint32 NietGelezen = 810900100;
constexpr qint32 NietVerwijderd = 810900200;
} // namespace Tekst

enum Kolom { kID, kDatum, kOmschrijving };
constexpr int kBreedte[] = {0, 2000, 3000}; // twips
constexpr int kGridHoogte = 4500;           // twips

} // namespace

frmHistorie::frmHistorie(QWidget* parent) : StepWindow(parent, StepWindow::Kind::MenuOnly)
{
    setObjectName("frmHistorie");
    buildControls();
    Form_Load();
}

void frmHistorie::buildControls()
{
    auto* lijst = fraHist.add(0, new QFrame(this));
    auto* vlak = new QVBoxLayout(lijst);
    vlak->setContentsMargins(0, 0, 0, 0);
    grdHist = new QTableView(lijst);
    grdHist->setObjectName("grdHist");
    m_model = new RegistratieModel({Qt::AlignLeft, Qt::AlignCenter, Qt::AlignLeft}, grdHist);
    grdHist->setModel(m_model);
    SetGridLook(grdHist, 0);
    grdHist->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdHist->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdHist->horizontalHeader()->setStretchLastSection(true);
    m_model->setHighlight(grdHist->property("HighlightRow_plat").value<QColor>());
    vlak->addWidget(grdHist);
    connect(grdHist->selectionModel(), &QItemSelectionModel::currentRowChanged, m_model,
            [this](const QModelIndex& huidig) { m_model->setHuidigeRij(huidig.row()); });

    auto* knoppen = fraHist.add(1, new QFrame(this));
    auto* rij = new QHBoxLayout(knoppen);
    rij->setContentsMargins(0, 0, 0, 0);
    for (int index : {0, 1, 2}) {
        auto* knop = cmdHist.add(index, new QPushButton(knoppen));
        rij->addWidget(knop);
        connectAction(knop, &QPushButton::clicked, this, [this, index] { cmdHist_Click(index); });
    }
    rij->addStretch();
}

void frmHistorie::Form_Load()
{
    Bezig bezig(-1);
    SetLogoButtons(this);
    SetLangStrings();
    Vernieuw();
    grdHist->setColumnHidden(kID, true);
    for (int k = kDatum; k <= kOmschrijving; ++k)
        ZetKolomBreedte(grdHist, k, kBreedte[k]);
}

void frmHistorie::SetLangStrings()
{
    setWindowTitle(GetLangStr(Tekst::Titel));
    for (int index : {0, 1, 2}) {
        SetCaptionLang(cmdHist, index, Tekst::Knop + 100 * index);
        // Room around the caption, which is longer in some languages.
        cmdHist[index]->setMinimumWidth(std::max(twips(1650), cmdHist[index]->sizeHint().width() + 16));
    }
    m_model->setKoppen(
        {QString(), GetLangStr(Tekst::Kolom + 100 * kDatum), GetLangStr(Tekst::Kolom + 100 * kOmschrijving)});
    SetCaptionLang(cmdControl, 1, Tekst::Stoppen);
}

void frmHistorie::Vernieuw()
{
    try {
        m_sets = Historie::Lijst(appState().ID_ALG_Tuinder);
    } catch (const AppError& e) {
        LogAppError(e);
        m_sets.clear();
        MessageBox::show(GetLangStr(Tekst::NietGelezen) + "\n" + e.description(), MsgBox::Critical);
    }
    QList<QStringList> rijen;
    rijen.reserve(m_sets.size());
    for (const HistorieSet& set : m_sets)
        rijen.append({QString::number(set.ID), Registratie::DatumTekst(set.Datum), set.Omschrijving});
    m_model->setRijen(rijen);
    if (!m_sets.isEmpty())
        grdHist->setCurrentIndex(m_model->index(0, kOmschrijving));
}

const HistorieSet* frmHistorie::HuidigeSet() const
{
    const int rij = grdHist->currentIndex().row();
    if (rij < 0 || rij >= m_sets.size())
        return nullptr;
    return &m_sets[rij];
}

void frmHistorie::cmdHist_Click(int index)
{
    switch (index) {
    case 0:
        Verwijder();
        break;
    case 1:
        Open();
        break;
    case 2:
        TerugNaarWerkset();
        break;
    default:
        break;
    }
}

void frmHistorie::Verwijder()
{
    if (MessageBox::show(GetLangStr(Tekst::VraagVerwijderen),
                         MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2) != MsgBox::Yes)
        return;
    const HistorieSet* set = HuidigeSet();
    if (!set)
        return;
    const qint32 id = set->ID;
    const int rij = grdHist->currentIndex().row();
    if (appState().ID_HISTORIE == id && !SluitAndereStappen())
        return;
    // A set that another run of the program deleted first is simply gone from the list.
    if (!SchrijfMetMelding(Tekst::NietVerwijderd, [id] {
            Historie::Verwijder(appState().ID_ALG_Tuinder, id);
            return true;
        }))
        return;
    // The set on screen has gone: the program goes back to the working set.
    if (appState().ID_HISTORIE == id)
        Historie::KiesSet(0);
    Vernieuw();
    if (!m_sets.isEmpty())
        grdHist->setCurrentIndex(m_model->index(std::min(rij, int(m_sets.size()) - 1), kOmschrijving));
}

void frmHistorie::Open()
{
    if (MessageBox::show(GetLangStr(Tekst::VraagOpenen), MsgBox::YesNo | MsgBox::Question) != MsgBox::Yes)
        return;
    const HistorieSet* set = HuidigeSet();
    if (!set || !SluitAndereStappen())
        return;
    Historie::KiesSet(set->ID);
    s_Close();
    SetHoofdMenuAan("all_on");
}

void frmHistorie::TerugNaarWerkset()
{
    if (MessageBox::show(GetLangStr(Tekst::VraagTerug), MsgBox::YesNo | MsgBox::Question) != MsgBox::Yes)
        return;
    if (!SluitAndereStappen())
        return;
    Historie::KiesSet(0);
    s_Close();
    SetHoofdMenuAan("all_on");
}

// The steps still open show the set that was current, and the mail and print
// step would print its recipe under the other set's settings. They close
// before the switch, each asking about what was typed in it while that can
// still be saved where it belongs. False when one of them stays open.
bool frmHistorie::SluitAndereStappen()
{
    StepHost* host = CurrentStepHost();
    return !host || host->closeStepWindows(this);
}

void frmHistorie::Form_Activate()
{
    fraHist[0]->show();
    fraHist[1]->show();
    QCoreApplication::processEvents();
    fraControl->show();
    if (grdHist->isVisible())
        grdHist->setFocus();
}

void frmHistorie::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    int breed = grdHist->frameWidth() * 2 + grdHist->verticalScrollBar()->sizeHint().width() + 2;
    for (int k = kDatum; k <= kOmschrijving; ++k)
        breed += grdHist->columnWidth(k);
    breed = std::max(breed, fraHist[1]->sizeHint().width());
    const int knoppen = fraHist[1]->sizeHint().height();
    const int tussen = twips(120);
    // The grid as high as the window allows, up to its own height.
    const int lijst = std::max(twips(1500), std::min(twips(kGridHoogte), height() - knoppen - tussen - 32));
    fraHist[0]->resize(breed, lijst);
    fraHist[1]->resize(breed, knoppen);
    // Clear of the button frame on the right when the window is narrow.
    const int ruimte = std::max(0, fraControl->x() - 8);
    const int links = std::clamp(width() / 2 - breed / 2 - twips(60), 0, std::max(0, ruimte - breed));
    const int boven = std::max(8, height() / 2 - (lijst + knoppen) / 2 - twips(450));
    fraHist[0]->move(links, boven);
    fraHist[1]->move(links, boven + lijst + tussen);
}
