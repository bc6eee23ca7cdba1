#include "frmregistratiebestellingen.h"

#include "appstate.h"
#include "general.h"
#include "registratiemodel.h"
#include "ui/dialogs.h"
#include "ui/titlebar.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

namespace Tekst {
constexpr qint32 Titel = 840000000;
constexpr qint32 Sluiten = 840400000;
constexpr qint32 Verwijderen = 840400100;
constexpr qint32 Datum = 840700100;
constexpr qint32 Hoeveelheid = 840700200;
constexpr qint32 Eenheid = 840700300;
constexpr qint32 Vraag = 999000048;
constexpr qint32 NietVerwijderd = 840900000;
constexpr qint32 NietGelezen = 820900100;
} // namespace Tekst

enum Kolom { kID, kDatum, kHoeveelheid, kEenheid, kNaam };

} // namespace

frmRegistratieBestellingen::frmRegistratieBestellingen(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmRegistratieBestellingen");
    setModal(true);
    grdRegistratie = new QTableView(this);
    grdRegistratie->setObjectName("grdRegistratie");
    m_model = new RegistratieModel({Qt::AlignRight, Qt::AlignRight, Qt::AlignRight, Qt::AlignLeft, Qt::AlignLeft},
                                   grdRegistratie);
    m_model->toonIn(grdRegistratie);
    grdRegistratie->installEventFilter(this);

    auto* knoppen = new QHBoxLayout;
    knoppen->addStretch();
    for (int index : {1, 0}) {
        auto* knop = cmdRegistratie.add(index, new QPushButton(this));
        knop->setAutoDefault(false);
        knop->setMinimumWidth(100);
        knoppen->addWidget(knop);
        connectAction(knop, &QPushButton::clicked, this, [this, index] { cmdRegistratie_Click(index); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdRegistratie, 1);
    layout->addLayout(knoppen);
}

void frmRegistratieBestellingen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_geladen)
        return;
    m_geladen = true;
    RunUserAction([this] { Form_Load(); });
}

void frmRegistratieBestellingen::Form_Load()
{
    ShowStatusLang(MainWindow(), -1);
    SetLangStrings();
    Vul();
    int breed = 60;
    for (int k : {kDatum, kHoeveelheid, kEenheid})
        breed += grdRegistratie->columnWidth(k);
    // The title names the fertiliser: it shows whole, as far as the screen allows.
    breed = std::max(breed, TitleBarWidth(this));
    if (const QScreen* scherm = screen())
        breed = std::min(breed, scherm->availableGeometry().width());
    resize(std::max(breed, width()), std::max(height(), 360));
    // Placed again for its new size, so a wider list still stands over the register and on the screen.
    adjustPosition(parentWidget());
    ShowStatusLang(MainWindow(), 0);
}

void frmRegistratieBestellingen::SetLangStrings()
{
    setWindowTitle(GetLangStr(Tekst::Titel));
    setWindowIcon(QApplication::windowIcon());
    SetCaptionLang(cmdRegistratie, 0, Tekst::Sluiten);
    SetCaptionLang(cmdRegistratie, 1, Tekst::Verwijderen);
    m_model->setKoppen(
        {QString(), GetLangStr(Tekst::Datum), GetLangStr(Tekst::Hoeveelheid), GetLangStr(Tekst::Eenheid), QString()});
    grdRegistratie->setColumnHidden(kID, true);
    grdRegistratie->setColumnHidden(kNaam, true);
    ZetKolomBreedte(grdRegistratie, kDatum, 1500);
    ZetKolomBreedte(grdRegistratie, kHoeveelheid, 1500);
    ZetKolomBreedte(grdRegistratie, kEenheid, 700);
}

void frmRegistratieBestellingen::Vul()
{
    const int rij = grdRegistratie->currentIndex().row();
    try {
        m_lijst = Registratie::BestellingenVan(appState().ID_ALG_Tuinder, Code_meststof, {Date_start, Date_end});
    } catch (const AppError& e) {
        m_lijst.clear();
        MessageBox::show(GetLangStr(Tekst::NietGelezen) + "\n\n" + e.description(), MsgBox::Critical);
    }
    QList<QStringList> rijen;
    rijen.reserve(m_lijst.size());
    for (const RegisterBestelling& b : m_lijst)
        rijen.append({QString::number(b.ID), Registratie::DatumTekst(b.Datum.date()),
                      Registratie::HoeveelheidTekst(b.Hoeveelheid, Registratie::PerMeststof), b.Eenheid,
                      b.NaamMeststof});
    m_model->setRijen(rijen);
    if (!m_lijst.isEmpty()) {
        setWindowTitle(GetLangStr(Tekst::Titel) + " " + m_lijst.first().NaamMeststof);
        // After a deletion the next order takes the deleted one's place.
        const int naar = std::clamp(rij, 0, int(m_lijst.size()) - 1);
        grdRegistratie->setCurrentIndex(m_model->index(naar, kDatum));
    }
    cmdRegistratie[1]->setEnabled(!m_lijst.isEmpty());
}

void frmRegistratieBestellingen::cmdRegistratie_Click(int index)
{
    if (index == 0)
        reject();
    else if (index == 1)
        VerwijderBestelling();
}

void frmRegistratieBestellingen::VerwijderBestelling()
{
    const int rij = grdRegistratie->currentIndex().row();
    if (rij < 0 || rij >= m_lijst.size())
        return;
    if (MessageBox::show(GetLangStr(Tekst::Vraag), MsgBox::YesNo | MsgBox::Question) != MsgBox::Yes)
        return;
    try {
        Registratie::Verwijder(appState().ID_ALG_Tuinder, m_lijst[rij].ID);
    } catch (const AppError& e) {
        MessageBox::show(GetLangStr(Tekst::NietVerwijderd) + "\n\n" + e.description(), MsgBox::Critical);
    }
    Vul();
}

bool frmRegistratieBestellingen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grdRegistratie && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RunUserAction([this] { VerwijderBestelling(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmRegistratieBestellingen::keyPressEvent(QKeyEvent* event)
{
    // The buttons are no default buttons, so that Enter in the list deletes
    // nothing; a button that has the focus takes Enter all the same.
    if (!PressOnEnter(focusWidget(), event))
        QDialog::keyPressEvent(event);
}
