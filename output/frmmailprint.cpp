#include "frmmailprint.h"

#include "appstate.h"
#include "bestelling.h"
#include "bestelpartijen.h"
#include "frmprintpreview.h"
#include "general.h"
#include "historie.h"
#include "invoer.h"
#include "mdlzelvoraprint.h"
#include "programsettings.h"
#include "stephost.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QCoreApplication>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <algorithm>

namespace {

namespace Tekst {
constexpr qint32 Titel = 72100000;
constexpr qint32 Sluiten = 72400000;
constexpr qint32 GeenBestellingBigBag = 72130001;
constexpr qint32 Stoppen = 10101000;
constexpr qint32 OmschrijvingLeeg = 999000022;
constexpr qint32 HistorieBewaard = 999000023;
constexpr qint32 HistorieNietBewaard = 72900100;
constexpr qint32 AanpassingNietBewaard = 72900200;
constexpr qint32 PartijenNietGelezen = 72900300;
} // namespace Tekst

constexpr int kRuimte = 100; // twips between the stacked frames

qint16 instelling(const char* naam)
{
    return qint16(NzValue(GetTeeltInstelling(naam, InstellingMode::Number), NzType::Integer).toInt());
}

} // namespace

frmMailPrint::frmMailPrint(QWidget* parent) : StepWindow(parent)
{
    setObjectName("frmMailPrint");
    buildControls();
    Form_Load();
}

void frmMailPrint::buildControls()
{
    auto frame = [this](int index) {
        auto* f = fraMP.add(index, new QGroupBox(this));
        auto* grid = new QGridLayout(f);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        return grid;
    };
    auto label = [this](int index, QWidget* parent) { return lblMP.add(index, new QLabel(parent)); };
    auto box = [this](int index, QWidget* parent) {
        auto* b = txtMP.add(index, new QLineEdit(parent));
        b->installEventFilter(this);
        return b;
    };
    auto button = [this](int index, QWidget* parent) {
        auto* b = cmdMP.add(index, new QPushButton(parent));
        b->setMinimumWidth(130);
        connectAction(b, &QPushButton::clicked, this, [this, index] { cmdMP_Click(index); });
        return b;
    };

    // The address the order goes out with.
    QGridLayout* adres = frame(0);
    for (int r = 0; r < 5; ++r) {
        adres->addWidget(label(100 + r, fraMP[0]), r, 0);
        QLabel* waarde = label(110 + r, fraMP[0]);
        waarde->setMinimumWidth(260);
        waarde->setTextInteractionFlags(Qt::TextSelectableByMouse);
        adres->addWidget(waarde, r, 1);
    }
    adres->addWidget(button(0, fraMP[0]), 0, 2, Qt::AlignRight | Qt::AlignTop);
    adres->setColumnStretch(1, 1);

    // The report and its remark.
    QGridLayout* rapport = frame(1);
    rapport->addWidget(label(200, fraMP[1]), 0, 0);
    box(200, fraMP[1])->setMaxLength(255);
    rapport->addWidget(txtMP[200], 0, 1);
    rapport->addWidget(button(200, fraMP[1]), 0, 2);
    rapport->setColumnStretch(1, 1);

    // The order counts; in big-bag mode the first label explains why there are none.
    QGridLayout* bestelling = frame(2);
    bestelling->addWidget(label(300, fraMP[2]), 0, 0, 1, 3);
    bestelling->addWidget(label(301, fraMP[2]), 1, 0);
    bestelling->addWidget(label(302, fraMP[2]), 2, 0);
    for (int r = 0; r < 3; ++r) {
        QLineEdit* aantal = box(300 + r, fraMP[2]);
        aantal->setMaxLength(6);
        aantal->setFixedWidth(70);
        aantal->setAlignment(Qt::AlignRight);
        bestelling->addWidget(aantal, r, 1);
        bestelling->addWidget(label(310 + r, fraMP[2]), r, 2);
    }
    bestelling->addWidget(button(300, fraMP[2]), 2, 3, Qt::AlignRight);
    bestelling->setColumnStretch(2, 1);

    // The history description.
    QGridLayout* historie = frame(3);
    historie->addWidget(label(400, fraMP[3]), 0, 0);
    box(400, fraMP[3])->setMaxLength(255);
    historie->addWidget(txtMP[400], 0, 1);
    historie->addWidget(button(400, fraMP[3]), 0, 2);
    historie->setColumnStretch(1, 1);

    // The first column of every frame as wide as the widest caption, set once the captions are known.
    setTabOrder(txtMP[200], cmdMP[200]);
    setTabOrder(cmdMP[200], txtMP[300]);
    setTabOrder(txtMP[300], txtMP[301]);
    setTabOrder(txtMP[301], txtMP[302]);
    setTabOrder(txtMP[302], cmdMP[300]);
    setTabOrder(cmdMP[300], txtMP[400]);
    setTabOrder(txtMP[400], cmdMP[400]);
    setTabOrder(cmdMP[400], cmdMP[0]);
}

void frmMailPrint::Form_Load()
{
    Bezig bezig(-1);
    SetLogoButtons(this);
    SetLangStrings();
    m_productLijn = ProgramSettings::mixoraWaardig();
    LeesBestelPartijen();
    ToonAdres();
    ZetBigBagIndeling();
    ZetHistorieStand();
    PasFramesAan();
}

void frmMailPrint::PasFramesAan()
{
    // The captions and the address decide the frames' size: all of one width, stacked.
    int breedte = 0;
    fraMP.forEach([&breedte](int, QGroupBox* f) { breedte = std::max(breedte, f->sizeHint().width()); });
    fraMP.forEach([breedte](int, QGroupBox* f) { f->resize(breedte, f->sizeHint().height()); });
}

void frmMailPrint::SetLangStrings()
{
    setWindowTitle(GetLangStr(Tekst::Titel));
    SetCaptionLang(cmdMP, 0, Tekst::Sluiten);
    for (int i : {200, 300, 400})
        SetCaptionLang(cmdMP, i, 72400000 + 100 * i);
    for (int i : {100, 101, 102, 103, 104, 200, 300, 301, 302, 310, 311, 312, 400})
        SetCaptionLang(lblMP, i, 72100000 + 100 * i);
    SetCaptionLang(cmdControl, 1, Tekst::Stoppen);
}

void frmMailPrint::LeesBestelPartijen()
{
    const bool geenBestelling = appState().GeenBestelling != 0;
    BestelRecord gelezen;
    try {
        gelezen = ::LeesBestelPartijen(m_productLijn, geenBestelling);
        m_partijenFoutGemeld = false;
    } catch (const AppError& e) {
        // The order checks refuse what is missing; printing and saving go on
        // without it. Said once: the step is activated again after the box.
        if (!m_partijenFoutGemeld)
            MessageBox::show(GetLangStr(Tekst::PartijenNietGelezen) + "\n" + e.description(), MsgBox::Exclamation);
        m_partijenFoutGemeld = true;
    }
    // What the last order click put in stays; the parties are what is stored now.
    gelezen.Datum = m_bestel.Datum;
    gelezen.Bestelnummer = m_bestel.Bestelnummer;
    gelezen.ZakGrootte = m_bestel.ZakGrootte;
    gelezen.Concentratie_berek = m_bestel.Concentratie_berek;
    gelezen.AantalA = m_bestel.AantalA;
    gelezen.AantalB = m_bestel.AantalB;
    gelezen.AantalC = m_bestel.AantalC;
    m_bestel = gelezen;
    // The test dealer takes the orders: the last count box says so in red.
    if (m_productLijn && geenBestelling)
        txtMP[302]->setStyleSheet("QLineEdit { background-color: #ff0000; }");
}

void frmMailPrint::ToonAdres()
{
    const BestelRecord& b = m_bestel;
    lblMP[110]->setText(b.Naam);
    lblMP[111]->setText(m_productLijn ? b.Aflever_Adres : b.Adres);
    lblMP[112]->setText(m_productLijn ? b.Aflever_Postcode : b.Postcode);
    lblMP[113]->setText(m_productLijn ? b.Aflever_Woonplaats : b.Woonplaats);
    lblMP[114]->setText(b.Telefoon);
}

void frmMailPrint::ZetBigBagIndeling()
{
    m_bigBag = instelling("ExtraBigBag") == 1;
    QLabel* kop = lblMP[300];
    if (m_bigBag) {
        SetCaptionLang(kop, Tekst::GeenBestellingBigBag);
        kop->setWordWrap(true);
        kop->setFixedSize(twips(6000), twips(1000));
    } else {
        kop->setWordWrap(false);
        kop->setMinimumSize(twips(1300), twips(255));
        kop->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    for (int i : {301, 302, 310, 311, 312})
        lblMP[i]->setVisible(!m_bigBag);
    for (int i : {300, 301, 302})
        txtMP[i]->setVisible(!m_bigBag);
    cmdMP[300]->setEnabled(!m_bigBag);
}

void frmMailPrint::ZetHistorieStand()
{
    // A stored set is only printed: ordering it again or saving a copy of it is not offered.
    const bool werkset = appState().ID_HISTORIE == 0;
    fraMP[2]->setEnabled(werkset);
    fraMP[3]->setEnabled(werkset);
    cmdMP[300]->setEnabled(werkset && !m_bigBag);
    cmdMP[400]->setEnabled(werkset);
}

void frmMailPrint::ZetPrintRegels(std::shared_ptr<PrintRegels> regels)
{
    m_regels = regels ? std::move(regels) : std::make_shared<PrintRegels>();
}

void frmMailPrint::Form_Activate()
{
    fraMP[0]->show();
    fraMP[1]->show();
    fraMP[3]->show();
    fraMP[2]->setVisible(m_productLijn);
    // The history window may have switched the set while this step stood behind it.
    ZetHistorieStand();
    // The menu stays on beside this step: the grower data may have been
    // changed and stored meanwhile, and the order goes with what is stored.
    // Not while a click is handled: the order in progress holds the record.
    if (!m_inKlik) {
        LeesBestelPartijen();
        ToonAdres();
        PasFramesAan();
    }
    QCoreApplication::processEvents();
    fraControl->show();
    PlaatsFrames();
}

void frmMailPrint::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    PlaatsFrames();
}

void frmMailPrint::PlaatsFrames()
{
    // The frames shown, centred and stacked from the top of their block down.
    QList<QGroupBox*> getoond;
    int hoogte = 0;
    fraMP.forEach([&](int index, QGroupBox* f) {
        if (index == 2 && !m_productLijn)
            return;
        getoond << f;
        hoogte += f->height();
    });
    hoogte += twips(kRuimte) * std::max(0, int(getoond.size()) - 1);
    // Clear of the button frame on the right when the window is narrow.
    const int ruimte = std::max(0, fraControl->x() - 8);
    int top = std::max(0, height() / 2 - hoogte / 2 - twips(100));
    for (QGroupBox* f : getoond) {
        const int links = std::clamp(width() / 2 - f->width() / 2, 0, std::max(0, ruimte - f->width()));
        f->move(links, top);
        top += f->height() + twips(kRuimte);
    }
}

bool frmMailPrint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && isAncestorOf(box))
            SelectAllOnceFocused(box);
    }
    return StepWindow::eventFilter(watched, event);
}

void frmMailPrint::cmdMP_Click(int index)
{
    // The mail client lets window events through while it waits: until this
    // click has been handled to its end nothing else may start, and the main
    // window stays open with this window in it.
    const ExclusiveWork alleen(index == 300 ? CurrentStepHost() : nullptr);
    const QScopedValueRollback<bool> inKlik(m_inKlik, true);
    Bezig bezig(1);
    switch (index) {
    case 0:
        s_Close();
        return;
    case 200:
        Afdrukken();
        break;
    case 300:
        Bestellen();
        break;
    case 400:
        BewaarHistorie();
        break;
    default:
        break;
    }
    setEnabled(true);
}

void frmMailPrint::Afdrukken()
{
    const PrintRegels& r = *m_regels;
    const QList<clsPrintMeststofMeststof>* bigBag = r.PrintMeststofEBB ? &*r.PrintMeststofEBB : nullptr;
    if (!PrintAdvies(r.PrintMeststof, bigBag, txtMP[200]->text(), m_bestel))
        return; // the report has told the user why
    frmPrintPreview::instance().showModal();
    BewaarAanpassing();
}

void frmMailPrint::Bestellen()
{
    if (appState().ID_HISTORIE != 0 || m_bigBag)
        return;
    m_bestel.ZakGrootte = instelling("ZakGrootte");
    m_bestel.Concentratie_berek = instelling("Concentratie_berek");
    const BestelAantallen aantallen{txtMP[300]->text(), txtMP[301]->text(), txtMP[302]->text()};
    QTcpSocket* socket = CurrentStepHost() ? CurrentStepHost()->mailSocket() : nullptr;
    // The mail client, and the hand-off to the mail program, let window
    // events through while they wait.
    setEnabled(false);
    BestelUitslag uitslag;
    try {
        uitslag = SendOrder(m_bestel, m_regels->PrintMeststof, aantallen, socket);
    } catch (...) {
        setEnabled(true);
        throw;
    }
    setEnabled(true);
    if (uitslag.geregistreerd())
        for (int i : {300, 301, 302})
            txtMP[i]->clear();
    MessageBox::show(uitslag.melding, uitslag.stijl);
    if (uitslag.geregistreerd())
        BewaarAanpassing();
}

void frmMailPrint::BewaarHistorie()
{
    if (appState().ID_HISTORIE != 0)
        return;
    const QString omschrijving = txtMP[400]->text().trimmed();
    if (omschrijving.isEmpty()) {
        MessageBox::show(GetLangStr(Tekst::OmschrijvingLeeg), MsgBox::Exclamation);
        txtMP[400]->setFocus();
        return;
    }
    if (!SchrijfMetMelding(Tekst::HistorieNietBewaard, [&] {
            Historie::Bewaar(appState().ID_ALG_Tuinder, omschrijving, QDate::currentDate());
            return true;
        }))
        return;
    MessageBox::show(GetLangStr(Tekst::HistorieBewaard), MsgBox::Exclamation);
}

void frmMailPrint::BewaarAanpassing()
{
    // Only an adjustment made in this run of the working set's advice is stored.
    AppState& s = appState();
    if (s.AdviesAanpassing.Vlag != 1 || s.ID_HISTORIE != 0)
        return;
    SchrijfMetMelding(Tekst::AanpassingNietBewaard, [&s] {
        HistorieAanpassing(AanpassingMode::Bewaren, s.AdviesAanpassing);
        return true;
    });
}
