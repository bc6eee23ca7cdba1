#include "frmmeststoffen.h"

#include "appstate.h"
#include "frmmeststofpercent.h"
#include "general.h"
#include "mdlgenzoeken.h"
#include "programsettings.h"
#include "teeltinstellingen.h"
#include "ui/dialogs.h"
#include "units.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

constexpr int kRijen = 11;      // rows of the macro page; the micro page uses the first 7
constexpr int kAlleenMacro = 7; // rows from here on belong to the macro page only
constexpr int kNaam = 20;       // label offsets of a row's texts, and of its clear button
constexpr int kConc[] = {40, 60, 80};
constexpr int kScheiding = 200; // the line under a row
constexpr int kKop = 100;       // the heading above the rows
constexpr int kKolomNaam = 150; // column headings: name, composition, other elements
constexpr int kKolomConc = 151;
constexpr int kKolomOverig = 152;
constexpr int kKalium = 1; // macro rows of the potassium rule
constexpr int kNitraat = 4;

// The part of a search that offers a fertiliser only for its own row.
QString conditie(const MestRij& rij)
{
    QStringList delen;
    for (qint16 element : rij.elementen)
        if (element != 0)
            delen << QString("PrimElement0 = %1 OR PrimElement1 = %1").arg(element);
    return "WHERE (" + delen.join(" OR ") + ")";
}

} // namespace

frmMeststoffen::frmMeststoffen(QWidget* parent) : StepWindow(parent)
{
    setObjectName("frmMeststoffen");
    bouwRijen();
    Form_Load();
}

void frmMeststoffen::bouwRijen()
{
    fraMeststoffen = new QFrame(this);
    fraMeststoffen->setObjectName("fraMeststoffen");
    auto* grid = new QGridLayout(fraMeststoffen);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    auto* kop = lblMeststoffen.add(kKop, new QLabel(fraMeststoffen));
    QFont vet = kop->font();
    vet.setBold(true);
    kop->setFont(vet);
    grid->addWidget(kop, 0, 0, 1, 4);
    cboMeststoffen = new QComboBox(fraMeststoffen);
    cboMeststoffen->setObjectName("cboMeststoffen");
    grid->addWidget(cboMeststoffen, 0, 4, 1, 3);
    connectAction(cboMeststoffen, &QComboBox::activated, this, [this] { cboMeststoffen_Click(); });
    // Mirrors the filter's text; the list itself shows it.
    txtMeststoffen = new QLineEdit(fraMeststoffen);
    txtMeststoffen->setObjectName("txtMeststoffen");
    txtMeststoffen->setReadOnly(true);
    txtMeststoffen->hide();

    grid->addWidget(lblMeststoffen.add(kKolomNaam, new QLabel(fraMeststoffen)), 1, 2);
    // The first two composition texts are the elements the fertiliser is chosen for, the third another one.
    grid->addWidget(lblMeststoffen.add(kKolomConc, new QLabel(fraMeststoffen)), 1, 4, 1, 2);
    grid->addWidget(lblMeststoffen.add(kKolomOverig, new QLabel(fraMeststoffen)), 1, 6);
    for (int i : {kKolomNaam, kKolomConc, kKolomOverig})
        lblMeststoffen[i]->setFont(vet);

    for (int r = 0; r < kRijen; ++r) {
        const int gridRij = 2 + 2 * r;
        auto* caption = lblMeststoffen.add(r, new QLabel(fraMeststoffen));
        caption->setMinimumWidth(150);
        grid->addWidget(caption, gridRij, 0);

        auto* kies = cmdMeststoffen.add(r, new QToolButton(fraMeststoffen));
        auto* wis = cmdMeststoffen.add(kNaam + r, new QToolButton(fraMeststoffen));
        for (QToolButton* knop : {kies, wis})
            knop->setIconSize(QSize(12, 12));
        // A click gives the choose button the keyboard, as it gives a push
        // button: the search hands the keyboard back to the control that had
        // it, so the next Enter searches again instead of pressing a wizard
        // button that had it before.
        kies->setFocusPolicy(Qt::StrongFocus);
        grid->addWidget(kies, gridRij, 1);
        connectAction(kies, &QToolButton::clicked, this, [this, r] { cmdMeststoffen_Click(r); });
        connectAction(wis, &QToolButton::clicked, this, [this, r] { cmdMeststoffen_Click(kNaam + r); });

        auto* naam = lblMeststoffen.add(kNaam + r, new QLabel(fraMeststoffen));
        naam->setMinimumWidth(300);
        naam->setFrameShape(QFrame::Panel);
        naam->setFrameShadow(QFrame::Sunken);
        grid->addWidget(naam, gridRij, 2);
        grid->addWidget(wis, gridRij, 3);
        for (int k = 0; k < 3; ++k) {
            auto* conc = lblMeststoffen.add(kConc[k] + r, new QLabel(fraMeststoffen));
            conc->setMinimumWidth(90);
            grid->addWidget(conc, gridRij, 4 + k);
        }
        auto* lijn = lblMeststoffen.add(kScheiding + r, new QLabel(fraMeststoffen));
        lijn->setFrameShape(QFrame::HLine);
        lijn->setFrameShadow(QFrame::Sunken);
        lijn->setFixedHeight(2);
        grid->addWidget(lijn, gridRij + 1, 0, 1, 7);
    }
    grid->setColumnStretch(2, 1);
}

void frmMeststoffen::Form_Load()
{
    Bezig bezig(-1);
    cboMeststoffen->clear();
    cboMeststoffen->addItem(GetLangStr(30300000));
    cboMeststoffen->addItem(GetLangStr(30300001));
    // As loaded the list shows no choice; the stored filter selects one.
    cboMeststoffen->setCurrentIndex(-1);
    // The searches leave out what the preference list switched off; the copy they read must exist.
    CheckMestPrefList(0);
    LaadPagina();
    SetLogoButtons(this);
    cmdMeststoffen.forEach([](int index, QToolButton* knop) {
        knop->setIcon(QIcon(Picture(index < kNaam ? "DriehoekKnopje" : "DeleteKnopje")));
    });
}

void frmMeststoffen::LaadPagina()
{
    m_pagina = appState().ElementType == MestPagina::Micro ? MestPagina::Micro : MestPagina::Macro;
    SetLangStrings();
    LayoutPage();
    m_geladen = false;
    RunUserAction([this] {
        if (appState().ID_HISTORIE != 0) {
            LoadHistorieMest();
        } else {
            LoadSelectie();
            m_geladen = true;
        }
    });
    FilterBeschikbaar();
}

void frmMeststoffen::Form_Activate()
{
    fraMeststoffen->show();
    fraControl->show();
    // A stored history set is shown as it was saved; only the wizard's buttons stay.
    SetArrayEnabled(fraMeststoffen);
}

void frmMeststoffen::SetLangStrings()
{
    setWindowTitle(GetLangStr(30000000));
    SetCaptionLang(lblMeststoffen, kKop, 30110000);
    SetCaptionLang(lblMeststoffen, kKolomNaam, 30115000);
    SetCaptionLang(lblMeststoffen, kKolomConc, 30115100);
    SetCaptionLang(lblMeststoffen, kKolomOverig, 30115200);
    QLabel* eenheid = lblMeststoffen[kKolomConc];
    eenheid->setText(eenheid->text() + " (" + GetUnitText(120) + ")");
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmMeststoffen::LayoutPage()
{
    const bool macro = m_pagina == MestPagina::Macro;
    for (int r = kAlleenMacro; r < kRijen; ++r) {
        for (int offset : {0, kNaam, kConc[0], kConc[1], kConc[2], kScheiding})
            lblMeststoffen[offset + r]->setVisible(macro);
        cmdMeststoffen[r]->setVisible(macro);
        cmdMeststoffen[kNaam + r]->setVisible(macro);
    }
    for (int r = 0; r < aantalRijen(); ++r) {
        SetCaptionLang(lblMeststoffen, r, 30100000 + 100 * r + m_pagina);
        cmdMeststoffen[r]->setToolTip(GetLangStr(32000000 + 10000 * m_pagina + 100 * (r + 1)));
    }
    fraMeststoffen->setMinimumHeight(twips(macro ? 5050 : 3600));
    fraMeststoffen->layout()->activate();
    fraMeststoffen->adjustSize();
    fraMeststoffen->resize(fraMeststoffen->sizeHint().expandedTo(fraMeststoffen->minimumSize()));
    plaatsFrame();
}

int frmMeststoffen::aantalRijen() const
{
    return int(MestRijen(m_pagina).size());
}

bool frmMeststoffen::isTweedeBron(int rij) const
{
    return MestRijen(m_pagina)[rij].percKolom != nullptr;
}

void frmMeststoffen::ZetFilter(qint16 filter)
{
    m_filter = filter;
    if (filter >= 0 && filter < cboMeststoffen->count()) {
        cboMeststoffen->setCurrentIndex(filter);
        cboMeststoffen_Click();
    }
}

void frmMeststoffen::cboMeststoffen_Click()
{
    txtMeststoffen->setText(cboMeststoffen->currentText());
    if (cboMeststoffen->currentIndex() >= 0)
        m_filter = qint16(cboMeststoffen->currentIndex());
}

void frmMeststoffen::FilterBeschikbaar()
{
    cboMeststoffen->setEnabled(ProgramSettings::mixoraWaardig() && m_pagina == MestPagina::Macro);
}

void frmMeststoffen::Form_KeyDown()
{
    // Any value but 1, also one that is not a number, counts as off.
    if (InstellingenOpgeslagen(ProgramSettings::setMixoraWaardig(!ProgramSettings::mixoraWaardig())))
        FilterBeschikbaar();
}

void frmMeststoffen::LoadSelectie()
{
    ZetFilter(TeeltInstellingen::Lees().MixoraMest);
    const std::vector<MestSlot> opgeslagen = MeststofSelectie::LeesSelectie(m_pagina);
    // The choose buttons serve both pages: on the micro page this one is boron's.
    if (m_pagina == MestPagina::Micro)
        cmdMeststoffen[kNitraat]->setEnabled(true);
    for (int r = 0; r < aantalRijen(); ++r) {
        slot(r) = opgeslagen[r];
        ShowMeststof(r);
        // The nitrate row comes after the rule: a stored nitrate stays shown.
        if (m_pagina == MestPagina::Macro && r == kKalium)
            CheckKGl(false);
    }
    m_changed = false;
}

void frmMeststoffen::LoadHistorieMest()
{
    ZetFilter(TeeltInstellingen::Lees().MixoraMest);
    std::vector<MestRegelTekst> teksten;
    try {
        teksten = MeststofSelectie::LeesTeksten(m_pagina);
    } catch (const AppError&) {
        // Without its texts a stored set shows empty rows.
    }
    teksten.resize(aantalRijen());
    for (int r = 0; r < aantalRijen(); ++r) {
        slot(r) = {};
        lblMeststoffen[kNaam + r]->setText(teksten[r].naam);
        for (int k = 0; k < 3; ++k)
            lblMeststoffen[kConc[k] + r]->setText(teksten[r].conc[k]);
    }
    m_changed = false;
}

void frmMeststoffen::cmdMeststoffen_Click(int index)
{
    if (index < kNaam) {
        KiesMeststof(index);
        return;
    }
    const int rij = index - kNaam;
    const bool gekozen = slot(rij).code != 0 || slot(rij).perc != 0;
    WisMeststof(rij);
    // A cleared row is a change like a choice: stop asks before it is lost.
    if (gekozen)
        m_changed = true;
}

void frmMeststoffen::KiesMeststof(int rij)
{
    const qint32 gekozen = ZoekMeststof(rij);
    if (gekozen != 0) {
        slot(rij).code = qint16(gekozen);
        m_changed = true;
    }
    // The share is asked also when no other source was chosen: it may be the share that changes.
    if (isTweedeBron(rij)) {
        frmMeststofPercent dialog(this);
        dialog.ElementIndex = qint16(100 * m_pagina + rij);
        dialog.ElementPerc = slot(rij).perc;
        dialog.exec();
        if (dialog.ElementPerc != slot(rij).perc) {
            slot(rij).perc = dialog.ElementPerc;
            m_changed = true;
        }
    }
    Bezig bezig(-1);
    if (m_pagina == MestPagina::Macro && rij == kKalium)
        CheckKGl(true);
    ShowMeststof(rij);
}

qint32 frmMeststoffen::ZoekMeststof(int rij)
{
    const AppState& s = appState();
    QString query = "SELECT Code, Lang" + QString::number(s.languageID) +
                    " FROM (MEST INNER JOIN MEST_Meststof ON MEST.Code = MEST_Meststof.Code_MEST) "
                    " LEFT JOIN MEST_PrefList ON (MEST.Code = MEST_PrefList.Code_MEST) " +
                    conditie(MestRijen(m_pagina)[rij]);
    // A fertiliser the preference list does not name is offered.
    query += " AND (MEST_PrefList.UseMeststof Is Null Or MEST_PrefList.UseMeststof <> 0) ";
    if (m_filter == 1)
        query += " AND Mixora = 1";
    // The fertilisers are in the reference database, whatever the previous search used.
    return ShowSearchTable({"", GetLangStr(32000000) + ";40"}, query, slot(rij).code,
                           GetLangStr(32000000 + 10000 * m_pagina + 100 * (rij + 1)), s.AppPath + s.HDatabaseNaam);
}

void frmMeststoffen::WisMeststof(int rij)
{
    slot(rij).code = 0;
    if (isTweedeBron(rij))
        slot(rij).perc = 0;
    ShowMeststof(rij);
}

void frmMeststoffen::ShowMeststof(int rij)
{
    const std::optional<MeststofGegevens> meststof = MeststofSelectie::LeesMeststof(slot(rij).code, m_filter != 0);
    if (!meststof) {
        // What the row does not show is not chosen: the calculation would use it unseen.
        slot(rij).code = 0;
        lblMeststoffen[kNaam + rij]->clear();
        for (int k : kConc)
            lblMeststoffen[k + rij]->clear();
        return;
    }
    lblMeststoffen[kNaam + rij]->setText(MeststofNaamTekst(meststof->naam, slot(rij).perc));
    const std::array<QString, 3> teksten = SamenstellingTeksten(*meststof);
    for (int k = 0; k < 3; ++k)
        lblMeststoffen[kConc[k] + rij]->setText(teksten[k]);
}

void frmMeststoffen::CheckKGl(bool melding)
{
    const std::optional<float> kgl = MeststofSelectie::LeesKGl(m_slots[MestPagina::Macro][kKalium].code);
    if (!kgl)
        return;
    if (*kgl == 1) {
        WisMeststof(kNitraat);
        cmdMeststoffen[kNitraat]->setEnabled(false);
        if (melding)
            MessageBox::show(GetLangStr(999000026), MsgBox::Information);
    } else {
        cmdMeststoffen[kNitraat]->setEnabled(true);
    }
}

bool frmMeststoffen::s_Save()
{
    if (appState().ID_HISTORIE != 0 || !m_geladen) {
        // A stored set is only shown; a page that could not be read is not overwritten.
        m_changed = false;
        return true;
    }
    std::vector<MestSlot> keuze;
    std::vector<MestRegelTekst> teksten;
    for (int r = 0; r < aantalRijen(); ++r) {
        keuze.push_back(slot(r));
        teksten.push_back({lblMeststoffen[kNaam + r]->text(),
                           {lblMeststoffen[kConc[0] + r]->text(), lblMeststoffen[kConc[1] + r]->text(),
                            lblMeststoffen[kConc[2] + r]->text()}});
    }
    if (!SchrijfMetMelding(999000004, [&] {
            MeststofSelectie::Schrijf(m_pagina, m_filter, keuze, teksten);
            return true;
        }))
        return false;
    m_changed = false;
    return true;
}

void frmMeststoffen::cmdControl_Click(int index)
{
    StepWindow::cmdControl_Click(index);
    // The wizard closed the window, or only turned its page.
    if (m_gesloten || appState().ElementType == m_pagina)
        return;
    Bezig bezig(-1);
    LaadPagina();
}

bool frmMeststoffen::queryUnload()
{
    // A save that fails keeps the window open, so the choice is not lost.
    if (AskSaveChanges(m_changed) == MsgBox::Yes)
        return s_Save();
    return true;
}

void frmMeststoffen::closeEvent(QCloseEvent* event)
{
    StepWindow::closeEvent(event);
    if (event->isAccepted())
        m_gesloten = true;
}

void frmMeststoffen::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    plaatsFrame();
}

void frmMeststoffen::plaatsFrame()
{
    if (isShownMinimized())
        return;
    // Centred in the room the button bar leaves.
    CenterControl(this, fraMeststoffen, -(1490 + 120) / 2, 0);
    if (fraMeststoffen->x() < 0 || fraMeststoffen->y() < 0)
        fraMeststoffen->move(std::max(0, fraMeststoffen->x()), std::max(0, fraMeststoffen->y()));
}

bool frmMeststoffen::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && widget && (widget == this || isAncestorOf(widget))) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_M && modifiers == Qt::ControlModifier) {
            RunUserAction([this] { Form_KeyDown(); });
            return true;
        }
    }
    return StepWindow::eventFilter(watched, event);
}
