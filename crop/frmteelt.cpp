#include "frmteelt.h"

#include "appstate.h"
#include "general.h"
#include "generalui.h"
#include "invoergetal.h"
#include "mdlgenzoeken.h"
#include "stdvoplossing.h"
#include "ui/dialogs.h"
#include "units.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace {

constexpr qint16 kHoogste = 32767; // the size columns are 16-bit

// The labels of the units beside the size boxes.
constexpr int kBakEenheid = 10;
constexpr int kTweedeEenheid = 11; // "x" for the concentration, "kg" for the bag size
constexpr int kProductlijnEenheid = 18;

// A size box with the label of its unit.
struct Maat {
    int box;
    int eenheid;
};
constexpr Maat kMaten[] = {{0, kBakEenheid}, {1, kTweedeEenheid}, {8, kProductlijnEenheid}};

// The adjustment list's entries.
constexpr int kAutomatisch = 0;
constexpr int kHandmatig = 1;

// Selects the position when the list has it; otherwise the choice stays as it was.
void KiesPositie(QComboBox* lijst, int positie)
{
    if (positie >= 0 && positie < lijst->count())
        lijst->setCurrentIndex(positie);
}

} // namespace

frmTeelt::frmTeelt(QWidget* parent) : StepWindow(parent)
{
    setObjectName("frmTeelt");
    buildControls();
    Form_Load();
    SetArrayEnabled(fraTeelt);
    if (!m_loaded)
        fraTeelt->setEnabled(false);
}

void frmTeelt::buildControls()
{
    fraTeelt = new QFrame(this);
    fraTeelt->setObjectName("fraTeelt");
    auto* grid = new QGridLayout(fraTeelt);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    int row = 0;
    for (const Maat& m : kMaten) {
        grid->addWidget(lblTeelt.add(m.box, new QLabel(fraTeelt)), row, 0);
        auto* box = txtTeelt.add(m.box, new QLineEdit(fraTeelt));
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(110);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(6);
        cell->addWidget(box);
        cell->addWidget(lblTeelt.add(m.eenheid, new QLabel(fraTeelt)));
        cell->addStretch();
        grid->addLayout(cell, row, 1);
        ++row;
    }
    // Only the digits and the decimal separator are typed into the tank size and the concentration.
    auto* cijfers = new KeyAsciiFilter(this, 1);
    txtTeelt[0]->installEventFilter(cijfers);
    txtTeelt[1]->installEventFilter(cijfers);
    grid->setRowMinimumHeight(row++, 12);

    // Each list is a drop-down button beside the box that shows its choice.
    for (int lijst = 0; lijst <= 5; ++lijst) {
        const int index = lijst + 2;
        grid->addWidget(lblTeelt.add(index, new QLabel(fraTeelt)), row, 0);
        auto* box = txtTeelt.add(index, new QLineEdit(fraTeelt));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setMinimumWidth(320);
        auto* combo = cboTeelt.add(lijst, new QComboBox(fraTeelt));
        combo->setFixedWidth(24);
        combo->view()->setMinimumWidth(340);
        OpenListUnderBox(combo, box);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(0);
        cell->addWidget(box);
        cell->addWidget(combo);
        grid->addLayout(cell, row, 1);
        ++row;
    }
    // The stage row keeps its place while an adjustment by hand hides it.
    for (QWidget* w : std::initializer_list<QWidget*>{lblTeelt[3], txtTeelt[3], cboTeelt[1]}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }

    // A choice of the crop source opens the search, also when it is the same source again.
    connectAction(cboTeelt[0], &QComboBox::activated, this, [this] { KiesTeelt(); });
    for (int lijst = 1; lijst <= 5; ++lijst)
        connectAction(cboTeelt[lijst], &QComboBox::currentIndexChanged, this, [this, lijst] { cboTeelt_Click(lijst); });
    // What the user changed is asked about before stop or closing drops it.
    for (int vak : {0, 1, 8})
        connectAction(txtTeelt[vak], &QLineEdit::textEdited, this, [this] { m_changed = true; });
    for (int lijst = 1; lijst <= 5; ++lijst)
        connectAction(cboTeelt[lijst], &QComboBox::activated, this, [this] { m_changed = true; });
}

void frmTeelt::Form_Load()
{
    Bezig bezig(-1);
    try {
        m_instelling = TeeltInstellingen::Lees();
        MixoraMest = m_instelling.MixoraMest;
        m_loaded = true;
    } catch (const AppError& e) {
        qint16 marker = 0;
        ErrorHandler(marker, e);
    }
    SetLangStrings();
    SetLogoButtons(this);
    VulLijsten();
    if (m_loaded) {
        RunUserAction([this] {
            LeesInstelling();
            if (Code_Teelt > 1000)
                EigenTeeltSlot();
        });
    }
    fraTeelt->adjustSize();
    m_changed = false;
}

void frmTeelt::SetLangStrings()
{
    setWindowTitle(GetLangStr(40000000));
    for (int i = 0; i <= 8; ++i)
        if (SetCaptionLang(lblTeelt, i, 40100000 + 100 * i) != 0)
            return;
    if (SetCaptionLang(lblTeelt, kBakEenheid, 40101000) != 0 ||
        SetCaptionLang(lblTeelt, kProductlijnEenheid, 40101800) != 0)
        return;
    if (MixoraMest == 0) {
        SetCaptionLang(lblTeelt, 1, 40100100);
        SetCaptionLang(lblTeelt, kTweedeEenheid, 40101100);
    } else if (MixoraMest == 1) {
        SetCaptionLang(lblTeelt, 1, 40100101);
        SetCaptionLang(lblTeelt, kTweedeEenheid, 40101101);
    }
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmTeelt::VulLijsten()
{
    const auto vul = [this](int index, std::initializer_list<qint32> teksten) {
        QComboBox* lijst = cboTeelt[index];
        const QSignalBlocker blocker(lijst);
        lijst->clear();
        for (qint32 id : teksten)
            lijst->addItem(GetLangStr(id));
        lijst->setCurrentIndex(-1);
    };
    vul(0, {40300000, 40300001});
    vul(2, {40300200, 40300201, 40300202, 40300203});
    vul(3, {40300301, 40300303, 40300304, 40300305});
    vul(4, {40300400, 40300401});
    vul(5, {40300500, 40300501});
    QComboBox* stadia = cboTeelt[1];
    const QSignalBlocker blocker(stadia);
    stadia->clear();
    stadia->addItem(QString(), 0);
    stadia->setCurrentIndex(-1);
    for (int index = 3; index <= 7; ++index)
        txtTeelt[index]->clear();
}

void frmTeelt::LeesInstelling()
{
    const TeeltInstelling& t = m_instelling;
    txtTeelt[0]->setText(FormatNumber(t.BakGrootte, 0));
    if (MixoraMest == 1)
        txtTeelt[1]->setText(FormatNumber(t.ZakGrootte, 0));
    else if (MixoraMest == 0)
        txtTeelt[1]->setText(FormatNumber(t.Concentratie, 0));
    txtTeelt[8]->setText(FormatNumber(t.Mixorabak, 0));

    // Known before the own-crop lock runs, so that showing the setting as
    // stored does not count as a change and keeps the adjustment vector.
    Aanpassing = t.Aanpassing;
    Code_Teelt = t.Code_Teelt;
    // The reference copy of an own crop is refreshed first: the name is read from it.
    if (Code_Teelt > 1000)
        CopieGewasT2H(Code_Teelt);
    txtTeelt[2]->setText(GetTeeltNaam(Code_Teelt));
    if (Code_Teelt != 0)
        VulStadia();
    if (Code_Teelt > 1000)
        EigenTeeltSlot();

    QComboBox* stadia = cboTeelt[1];
    const int stadium = stadia->findData(int(t.Code_Teeltstadium));
    if (stadium >= 0)
        stadia->setCurrentIndex(stadium);
    KiesPositie(cboTeelt[2], t.Teeltsysteem);
    KiesPositie(cboTeelt[3], t.ECVerhoging);

    Aanpassing = t.Aanpassing;
    if (Aanpassing == 1)
        cboTeelt[4]->setCurrentIndex(kHandmatig);
    else if (Aanpassing == 0 || Aanpassing == 2)
        cboTeelt[4]->setCurrentIndex(kAutomatisch);

    // In product-line mode the tanks are never scaled to the standard EC.
    QComboBox* verrekening = cboTeelt[5];
    if (MixoraMest != 0) {
        verrekening->setEnabled(false);
        verrekening->setCurrentIndex(0);
    } else {
        verrekening->setEnabled(true);
        KiesPositie(verrekening, t.VerrekeningStandaardEC);
    }
    m_changed = false;
}

void frmTeelt::VulStadia()
{
    QComboBox* stadia = cboTeelt[1];
    stadia->clear();
    txtTeelt[3]->clear();
    stadia->addItem(GetLangStr(40300100), 0);
    stadia->setCurrentIndex(0);
    for (const TeeltStadium& s : TeeltInstellingen::LeesStadia(Code_Teelt))
        stadia->addItem(s.naam, int(s.code));
}

void frmTeelt::cboTeelt_Click(int index)
{
    if (index == 4) {
        const int keuze = cboTeelt[4]->currentIndex();
        // Every change between automatic and by hand makes the adjustment typed so far void.
        if (keuze == kAutomatisch) {
            if (Aanpassing == 1) {
                Aanpassing = 0;
                ClearElementVector(appState().AdviesAanpassing);
            }
        } else if (keuze == kHandmatig) {
            if (Aanpassing != 1) {
                Aanpassing = 1;
                ClearElementVector(appState().AdviesAanpassing);
            }
        }
        if (keuze == kAutomatisch || keuze == kHandmatig) {
            // The stage counts only for the automatic adjustment.
            const bool stadium = keuze == kAutomatisch;
            lblTeelt[3]->setVisible(stadium);
            txtTeelt[3]->setVisible(stadium);
            cboTeelt[1]->setVisible(stadium);
            if (!stadium)
                cboTeelt[1]->setCurrentIndex(0);
        }
    }
    if (index >= 1 && index <= 5)
        txtTeelt[index + 2]->setText(cboTeelt[index]->currentText());
}

void frmTeelt::KiesTeelt()
{
    const int bron = cboTeelt[0]->currentIndex();
    if (bron < 0)
        return;
    Bezig bezig(-1);
    const AppState& s = appState();
    const QString naam = "Lang" + QString::number(s.languageID);
    const QStringList headers{GetLangStr(42000000) + ";40"};
    // Each search names its database: the one a previous search used may hold other crops.
    qint16 gekozen = Code_Teelt;
    if (bron == 0) {
        const qint32 code = ShowSearchTable(headers, "SELECT Code, " + naam + " FROM TEELT WHERE Code < 1000;",
                                            Code_Teelt, GetLangStr(42000100), s.AppPath + s.HDatabaseNaam);
        if (code != 0)
            gekozen = qint16(code);
    } else {
        // The list shows the own crops under their own codes.
        const qint32 huidig = Code_Teelt > 1000 ? Code_Teelt - 1000 : 0;
        const qint32 code = ShowSearchTable(headers, "SELECT Code, " + naam + " FROM TEELT;", huidig,
                                            GetLangStr(42000200), s.AppPath + s.TDatabaseNaam);
        if (code != 0 && code + 1000 != Code_Teelt) {
            // A code the own-crop editor refuses has no place under code + 1000 in the reference data.
            if (code < kLaagsteEigenCode || code > kHoogsteEigenCode) {
                MessageBox::show(GetLangStr(40900200).arg(kHoogsteEigenCode), MsgBox::Exclamation);
                return;
            }
            // Without its copy the calculation would not find the crop: it is not chosen then.
            if (CopieGewasT2H(qint16(code + 1000)))
                gekozen = qint16(code + 1000);
        }
    }
    if (gekozen == Code_Teelt)
        return;
    Code_Teelt = gekozen;
    m_changed = true;
    txtTeelt[2]->setText(GetTeeltNaam(Code_Teelt));
    if (Code_Teelt != 0)
        VulStadia();
    EigenTeeltSlot();
}

void frmTeelt::EigenTeeltSlot()
{
    QComboBox* lijst = cboTeelt[4];
    if (lijst->isHidden())
        return;
    // An own crop has no limits to adjust to automatically.
    const bool eigen = Code_Teelt >= 1000;
    {
        const QSignalBlocker blocker(lijst);
        lijst->setCurrentIndex(eigen ? kHandmatig : kAutomatisch);
    }
    lijst->setEnabled(!eigen);
    cboTeelt_Click(4);
}

void frmTeelt::txtTeelt_GotFocus(int index)
{
    SelectAllOnceFocused(txtTeelt[index]);
}

InvoerBereik frmTeelt::MaatBereik(int box) const
{
    // A tank of 0 litres, or a bag of 0 kg, leaves every amount 0: the recipe would be empty.
    const bool nulMag = box == 8 || (box == 1 && MixoraMest != 1);
    return {nulMag ? 0.0 : 1.0, kHoogste, 0, true};
}

void frmTeelt::txtTeelt_LostFocus(int index)
{
    // A text the size cannot take stays as typed, for the save to point out.
    QLineEdit* box = txtTeelt[index];
    double getal = 0;
    if (LeesInvoer(box->text(), MaatBereik(index), getal) == InvoerFout::Geen)
        box->setText(FormatNumber(getal, 0));
}

bool frmTeelt::LeesMaat(int box, qint16& waarde, QString& melding)
{
    const QString tekst = txtTeelt[box]->text();
    const InvoerBereik bereik = MaatBereik(box);
    double getal = 0;
    const InvoerFout fout = LeesInvoer(tekst, bereik, getal);
    if (fout == InvoerFout::Geen) {
        waarde = qint16(getal);
        return true;
    }
    melding = InvoerMelding(lblTeelt[box]->text(), fout, tekst, bereik);
    return false;
}

bool frmTeelt::s_Save()
{
    // A stored history set is only shown; a row that could not be read is not overwritten.
    if (appState().ID_HISTORIE != 0 || !m_loaded) {
        m_changed = false;
        return true;
    }
    TeeltInstelling t = m_instelling;
    qint16* tweede = MixoraMest == 1 ? &t.ZakGrootte : MixoraMest == 0 ? &t.Concentratie : nullptr;
    const std::pair<int, qint16*> maten[] = {{0, &t.BakGrootte}, {1, tweede}, {8, &t.Mixorabak}};
    QStringList geweigerd;
    for (const auto& [box, waarde] : maten) {
        QString melding;
        if (!waarde || LeesMaat(box, *waarde, melding))
            continue;
        // Forward needs every size; back keeps the stored one and goes where it was asked.
        if (!m_terug) {
            MessageBox::show(melding, MsgBox::Exclamation);
            txtTeelt[box]->setFocus();
            txtTeelt[box]->selectAll();
            return false;
        }
        geweigerd << melding;
    }
    t.Code_Teelt = Code_Teelt;
    const QComboBox* stadia = cboTeelt[1];
    t.Code_Teeltstadium = stadia->currentIndex() >= 0 ? qint16(stadia->currentData().toInt()) : 0;
    // A list without a choice (its stored value was no position of it) keeps the stored value.
    const auto positie = [this](int index, qint16& waarde) {
        if (cboTeelt[index]->currentIndex() >= 0)
            waarde = qint16(cboTeelt[index]->currentIndex());
    };
    positie(2, t.Teeltsysteem);
    positie(3, t.ECVerhoging);
    positie(5, t.VerrekeningStandaardEC);
    t.Aanpassing = Aanpassing;

    if (!SchrijfMetMelding(40900000, [&] {
            TeeltInstellingen::Schrijf(t);
            return true;
        }))
        return false;
    m_instelling = t;
    m_changed = false;
    if (!geweigerd.isEmpty())
        MessageBox::show(geweigerd.join("\n"), MsgBox::Exclamation);
    return true;
}

void frmTeelt::cmdControl_Click(int index)
{
    const QScopedValueRollback<bool> terug(m_terug, index == 2);
    StepWindow::cmdControl_Click(index);
}

void frmTeelt::Form_Activate()
{
    fraTeelt->show();
    fraControl->show();
    SetArrayEnabled(fraTeelt);
    if (!m_loaded)
        fraTeelt->setEnabled(false);
    if (txtTeelt[0]->isEnabled())
        txtTeelt[0]->setFocus();
}

bool frmTeelt::queryUnload()
{
    if (AskSaveChanges(m_changed) == MsgBox::Yes)
        return s_Save();
    return true;
}

void frmTeelt::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    CenterControl(this, fraTeelt, 0, 0);
}

int frmTeelt::maatVak(QObject* object) const
{
    for (const Maat& m : kMaten)
        if (txtTeelt.contains(m.box) && txtTeelt.at(m.box) == object)
            return m.box;
    return -1;
}

bool frmTeelt::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const int box = maatVak(watched);
        if (box >= 0 && event->type() == QEvent::FocusIn)
            RunUserAction([&] { txtTeelt_GotFocus(box); });
        else if (box >= 0)
            RunUserAction([&] { txtTeelt_LostFocus(box); });
    }
    return StepWindow::eventFilter(watched, event);
}
