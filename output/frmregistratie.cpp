#include "frmregistratie.h"

#include "appstate.h"
#include "frmprintpreview.h"
#include "frmregistratiebestellingen.h"
#include "general.h"
#include "printbestelling.h"
#include "registratiemodel.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace {

namespace Tekst {
constexpr qint32 Titel = 820000000;
constexpr qint32 Van = 820100000;
constexpr qint32 Tot = 820100100;
constexpr qint32 PerMeststof = 820300000;
constexpr qint32 PerElement = 820300001;
constexpr qint32 Afdrukken = 820400000;
constexpr qint32 EersteKolom = 820700100; // then every 100 on; + 1 for the element report
constexpr qint32 Stoppen = 10101000;
constexpr qint32 TabelOntbreekt = 999000050;
constexpr qint32 NietGelezen = 820900100;
} // namespace Tekst

enum Kolom { kCode, kNaam, kHoeveelheid, kEenheid };

constexpr int kBreedte[] = {0, 4000, 1500, 700}; // twips

} // namespace

frmRegistratie::frmRegistratie(QWidget* parent) : StepWindow(parent, StepWindow::Kind::MenuOnly)
{
    setObjectName("frmRegistratie");
    buildControls();
    Form_Load();
}

void frmRegistratie::buildControls()
{
    auto* kop = fraRegistratie.add(0, new QFrame(this));
    auto* grid = new QGridLayout(kop);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (int vak : {0, 1}) {
        grid->addWidget(lblRegistratie.add(vak, new QLabel(kop)), vak, 0);
        auto* box = txtRegistratie.add(vak, new QLineEdit(kop));
        box->setFixedWidth(120);
        box->setMaxLength(20);
        grid->addWidget(box, vak, 1, Qt::AlignLeft);
    }
    // The report's name in the box, its drop-down button beside it.
    auto* soort = txtRegistratie.add(2, new QLineEdit(kop));
    soort->setReadOnly(true);
    soort->setFocusPolicy(Qt::NoFocus);
    soort->setMinimumWidth(260);
    auto* lijst = cboRegistratie.add(0, new QComboBox(kop));
    lijst->setFixedWidth(24);
    lijst->view()->setMinimumWidth(280);
    OpenListUnderBox(lijst, soort);
    auto* cel = new QHBoxLayout;
    cel->setSpacing(0);
    cel->addWidget(soort);
    cel->addWidget(lijst);
    cel->addStretch();
    grid->addLayout(cel, 2, 0, 1, 2);
    cmdRegistratie = new QPushButton(kop);
    cmdRegistratie->setObjectName("cmdRegistratie");
    cmdRegistratie->setMinimumWidth(110);
    grid->addWidget(cmdRegistratie, 2, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    auto* tabel = fraRegistratie.add(1, new QFrame(this));
    auto* vlak = new QVBoxLayout(tabel);
    vlak->setContentsMargins(0, 0, 0, 0);
    grdRegistratie = new QTableView(tabel);
    grdRegistratie->setObjectName("grdRegistratie");
    m_model = new RegistratieModel({Qt::AlignRight, Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft}, grdRegistratie);
    m_model->toonIn(grdRegistratie);
    grdRegistratie->horizontalHeader()->setStretchLastSection(false);
    vlak->addWidget(grdRegistratie);

    setTabOrder(txtRegistratie[0], txtRegistratie[1]);
    setTabOrder(txtRegistratie[1], lijst);
    setTabOrder(lijst, cmdRegistratie);
    setTabOrder(cmdRegistratie, grdRegistratie);

    connectAction(lijst, &QComboBox::currentIndexChanged, this, [this] { cboRegistratie_Click(); });
    connectAction(cmdRegistratie, &QPushButton::clicked, this, [this] { cmdRegistratie_Click(); });
    connectAction(grdRegistratie, &QTableView::doubleClicked, this, [this] { grdRegistratie_DblClick(); });
}

void frmRegistratie::Form_Load()
{
    Bezig bezig(-1);
    SetLogoButtons(this);
    QComboBox* lijst = cboRegistratie[0];
    {
        const QSignalBlocker blocker(lijst);
        lijst->addItem(GetLangStr(Tekst::PerMeststof));
        lijst->addItem(GetLangStr(Tekst::PerElement));
        lijst->setCurrentIndex(-1);
    }
    // Choosing the first report makes the first refresh.
    lijst->setCurrentIndex(0);
    SetLangStrings();
    cmdControl[0]->setEnabled(false);
    cmdControl[2]->setEnabled(false);
}

void frmRegistratie::SetLangStrings()
{
    setWindowTitle(GetLangStr(Tekst::Titel));
    SetCaptionLang(lblRegistratie, 0, Tekst::Van);
    SetCaptionLang(lblRegistratie, 1, Tekst::Tot);
    SetCaption(cmdRegistratie, GetLangStr(Tekst::Afdrukken));
    SetCaptionLang(cmdControl, 1, Tekst::Stoppen);
}

void frmRegistratie::EnsurePeriod()
{
    if (Registratie::LeesDatum(txtRegistratie[0]->text()).isValid() &&
        Registratie::LeesDatum(txtRegistratie[1]->text()).isValid())
        return;
    const Periode p = Registratie::StandaardPeriode(QDate::currentDate());
    txtRegistratie[0]->setText(Registratie::DatumTekst(p.van));
    txtRegistratie[1]->setText(Registratie::DatumTekst(p.tot));
}

void frmRegistratie::Vernieuw()
{
    // A message box of a failed refresh takes the focus from a date box;
    // that must not refresh again.
    if (m_bezig)
        return;
    const QScopedValueRollback bezig(m_bezig, true);

    EnsurePeriod();
    const QString van = txtRegistratie[0]->text();
    const QString tot = txtRegistratie[1]->text();
    const Periode periode{Registratie::LeesDatum(van), Registratie::LeesDatum(tot)};
    const qint32 tuinder = appState().ID_ALG_Tuinder;
    const qint16 modus = qint16(cboRegistratie[0]->currentIndex());
    QList<RegisterRij> rijen;
    try {
        rijen = modus == Registratie::PerElement ? Registratie::TotaalPerElement(tuinder, periode)
                                                 : Registratie::TotaalPerMeststof(tuinder, periode);
    } catch (const AppError& e) {
        // The grid keeps the lines it had, with the report and the period they belong to.
        if (e.number() == JetError::TableNotFound || e.number() == JetError::TooFewParameters)
            MessageBox::show(GetLangStr(Tekst::TabelOntbreekt), MsgBox::Critical);
        else
            MessageBox::show(GetLangStr(Tekst::NietGelezen) + "\n\n" + e.description(), MsgBox::Critical);
        return;
    }
    m_modus = modus;
    m_rijen = rijen;
    m_van = van;
    m_tot = tot;
    QList<QStringList> tekst;
    tekst.reserve(m_rijen.size());
    for (const RegisterRij& r : m_rijen)
        tekst.append({QString::number(r.Code_Meststof), r.Naam, Registratie::HoeveelheidTekst(r.Hoeveelheid, m_modus),
                      r.Eenheid});
    m_model->setRijen(tekst);
    ZetKolommen();
    if (!m_rijen.isEmpty())
        grdRegistratie->setCurrentIndex(m_model->index(0, kNaam));
}

void frmRegistratie::ZetKolommen()
{
    const qint32 extra = m_modus == Registratie::PerElement ? 1 : 0;
    m_model->setKoppen({QString(), GetLangStr(Tekst::EersteKolom + extra), GetLangStr(Tekst::EersteKolom + 100 + extra),
                        GetLangStr(Tekst::EersteKolom + 200 + extra)});
    grdRegistratie->setColumnHidden(kCode, true);
    for (int k = kNaam; k <= kEenheid; ++k)
        ZetKolomBreedte(grdRegistratie, k, kBreedte[k]);
}

void frmRegistratie::cboRegistratie_Click()
{
    QComboBox* lijst = cboRegistratie[0];
    txtRegistratie[2]->setText(lijst->currentText());
    Vernieuw();
    if (txtRegistratie[0]->isVisible() && txtRegistratie[0]->isEnabled())
        txtRegistratie[0]->setFocus();
}

void frmRegistratie::cmdRegistratie_Click()
{
    EnsurePeriod();
    // The lines of a period typed but never left belong to the earlier period.
    if (txtRegistratie[0]->text() != m_van || txtRegistratie[1]->text() != m_tot)
        Vernieuw();
    if (PrintBestelling(m_rijen, m_modus, m_van, m_tot))
        frmPrintPreview::instance().showModal();
}

void frmRegistratie::grdRegistratie_DblClick()
{
    const int rij = grdRegistratie->currentIndex().row();
    if (m_modus != Registratie::PerMeststof || rij < 0 || rij >= m_rijen.size())
        return;
    EnsurePeriod();
    frmRegistratieBestellingen lijst(this);
    lijst.Code_meststof = m_rijen[rij].Code_Meststof;
    lijst.Date_start = Registratie::LeesDatum(m_van);
    lijst.Date_end = Registratie::LeesDatum(m_tot);
    lijst.exec();
    // Deleted orders leave the sums.
    Vernieuw();
}

void frmRegistratie::txtRegistratie_GotFocus(int index)
{
    SelectAllOnceFocused(txtRegistratie[index]);
}

void frmRegistratie::txtRegistratie_LostFocus(int)
{
    if (txtRegistratie[0]->text() != m_van || txtRegistratie[1]->text() != m_tot)
        Vernieuw();
}

void frmRegistratie::Form_Activate()
{
    SetHoofdMenuAan("mnu1");
    fraRegistratie[0]->show();
    fraRegistratie[1]->show();
    fraControl->show();
    QCoreApplication::processEvents();
    if (txtRegistratie[0]->isVisible() && txtRegistratie[0]->isEnabled())
        txtRegistratie[0]->setFocus();
}

void frmRegistratie::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    // The content stands left of the button frame: the period and the report
    // above, the grid below down to the window's bottom.
    const int marge = 16;
    int breed = grdRegistratie->frameWidth() * 2 + grdRegistratie->verticalScrollBar()->sizeHint().width() + 2;
    for (int k = kNaam; k <= kEenheid; ++k)
        breed += grdRegistratie->columnWidth(k);
    const int ruimte = std::max(0, fraControl->x() - 2 * marge);
    breed = std::min(std::max(breed, fraRegistratie[0]->sizeHint().width()), ruimte);
    const int links = marge + std::max(0, (ruimte - breed) / 2);
    QFrame* kop = fraRegistratie[0];
    kop->setGeometry(links, marge, breed, kop->sizeHint().height());
    const int boven = kop->geometry().bottom() + marge;
    fraRegistratie[1]->setGeometry(links, boven, breed, std::max(60, height() - boven - marge));
}

int frmRegistratie::datumVak(QObject* object) const
{
    for (int vak : {0, 1})
        if (txtRegistratie.contains(vak) && txtRegistratie.at(vak) == object)
            return vak;
    return -1;
}

bool frmRegistratie::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a fertiliser's row opens its orders, as a double-click does.
    if (watched == grdRegistratie && event->type() == QEvent::KeyPress && m_modus == Registratie::PerMeststof &&
        IsEnter(static_cast<QKeyEvent*>(event))) {
        RunUserAction([this] { grdRegistratie_DblClick(); });
        return true;
    }
    const int vak = datumVak(watched);
    if (vak >= 0) {
        if (event->type() == QEvent::FocusIn) {
            RunUserAction([&] { txtRegistratie_GotFocus(vak); });
        } else if (event->type() == QEvent::FocusOut) {
            RunUserAction([&] { txtRegistratie_LostFocus(vak); });
        } else if (event->type() == QEvent::KeyPress && vak == 1) {
            // Enter in the last day's box shows the period at once.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                RunUserAction([this] {
                    Vernieuw();
                    txtRegistratie[1]->selectAll();
                });
                return true;
            }
        }
    }
    return StepWindow::eventFilter(watched, event);
}
