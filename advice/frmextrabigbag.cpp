#include "frmextrabigbag.h"

#include "appstate.h"
#include "bestelrecord.h"
#include "bigbagopslag.h"
#include "frmprintpreview.h"
#include "general.h"
#include "generalui.h"
#include "hovertimer.h"
#include "mdlgenzoeken.h"
#include "mdlzelvoraprint.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <algorithm>

namespace {

// Columns of a blend's grid.
enum Kolom { kNaam = 0, kHoeveelheid = 1, kEenheid = 2 };

// The layout, in twips. The name column grows with the window up to
// kNaamRuimer, so that long names show whole where there is room.
constexpr int kMarge = 120;
constexpr int kNaamBreedte = 4300;
constexpr int kNaamRuimer = 1500;
constexpr int kHoeveelheidBreedte = 1400;
constexpr int kEenheidBreedte = 900;
constexpr int kRoosterHoogte = 6900; // 20 lines and the heading without scrolling
constexpr int kTussenruimte = 240;
constexpr int kKnopHoogte = 400;
constexpr int kKnopBreedte = 3000;
constexpr int kRoosterTop = 1000;
constexpr int kTotaalTop = kRoosterTop + kRoosterHoogte + 120;
constexpr int kTotaalBreedte = 2000;
constexpr int kFrameHoogte = kTotaalTop + 360 + kMarge;
constexpr int kKnoppenBalk = 1490; // the button bar's share of the window's width

int roosterBreedte(int naam)
{
    return naam + kHoeveelheidBreedte + kEenheidBreedte + 60;
}

int frameBreedte(int naam)
{
    return 2 * kMarge + 2 * roosterBreedte(naam) + kTussenruimte;
}

int links(int mengsel, int naam)
{
    return kMarge + (mengsel - 1) * (roosterBreedte(naam) + kTussenruimte);
}

// Only the amount can be typed; name and unit come with the fertiliser.
class MengselModel : public UnboundGridModel {
public:
    using UnboundGridModel::UnboundGridModel;
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.isValid() && index.column() == kHoeveelheid)
            f |= Qt::ItemIsEditable;
        return f;
    }
};

// The amount editor takes digits and the decimal separator only, as every number box does.
class HoeveelheidDelegate : public QStyledItemDelegate {
public:
    HoeveelheidDelegate(QObject* parent) : QStyledItemDelegate(parent), m_toetsen(new KeyAsciiFilter(this, 1)) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* box = qobject_cast<QLineEdit*>(editor)) {
            box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            box->installEventFilter(m_toetsen);
        }
        return editor;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        // Only a text the user changed is written: the text shown is rounded.
        if (auto* box = qobject_cast<QLineEdit*>(editor); box && !box->isModified())
            return;
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    QObject* m_toetsen;
};

// Tab and Enter go from one amount down to the next, the only cells typed
// in; past the last one Tab leaves the grid. A grid that gets the focus
// stands on an amount.
class MengselRooster : public QTableView {
public:
    using QTableView::QTableView;

protected:
    QModelIndex moveCursor(CursorAction actie, Qt::KeyboardModifiers modifiers) override
    {
        if (actie != MoveNext && actie != MovePrevious)
            return QTableView::moveCursor(actie, modifiers);
        const QModelIndex nu = currentIndex();
        int rij = nu.isValid() ? nu.row() : -1;
        if (actie == MoveNext && !(nu.isValid() && nu.column() < kHoeveelheid))
            ++rij;
        else if (actie == MovePrevious && !(nu.isValid() && nu.column() > kHoeveelheid))
            --rij;
        return rij >= 0 && rij < model()->rowCount() ? model()->index(rij, kHoeveelheid) : QModelIndex();
    }

    void focusInEvent(QFocusEvent* event) override
    {
        QTableView::focusInEvent(event);
        const QModelIndex nu = currentIndex();
        if (model()->rowCount() > 0 && nu.column() != kHoeveelheid)
            setCurrentIndex(model()->index(std::max(nu.row(), 0), kHoeveelheid));
    }
};

} // namespace

frmExtraBigBag::frmExtraBigBag(QWidget* parent) : StepWindow(parent)
{
    MaakVelden();
    m_hover = new HoverTimer(this, fraControl, fraEbb[1], "tmrEbb");
    tmrEbb = m_hover->timer();
    Form_Load();
}

void frmExtraBigBag::MaakVelden()
{
    QFrame* mengsels = fraEbb.add(1, new QFrame(this));
    QFrame* knoppen = fraEbb.add(2, new QFrame(this));
    auto knop = [&](int index, QWidget* frame) {
        QPushButton* b = cmdEbb.add(index, new QPushButton(frame));
        connectAction(b, &QPushButton::clicked, this, [this, index] { cmdEbb_Click(index); });
    };
    auto label = [&](int index, Qt::Alignment align) {
        QLabel* l = lblEbb.add(index, new QLabel(mengsels));
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };
    for (int mengsel : {1, 2}) {
        QLabel* kop = label(mengsel, Qt::AlignLeft);
        QFont vet = kop->font();
        vet.setBold(true);
        kop->setFont(vet);
        knop(mengsel - 1, mengsels);

        auto* grid = grdEbb.add(mengsel - 1, new MengselRooster(mengsels));
        auto* model = new MengselModel(
            {GetLangStr(610200000), GetLangStr(610200100), GetLangStr(610200200)},
            [this, mengsel](int rij, int kolom, int role) { return LeesCel(mengsel, rij, kolom, role); },
            [this, mengsel](int rij, int kolom, const QVariant& waarde) {
                bool ok = false;
                RunUserAction([&] { ok = SchrijfCel(mengsel, rij, kolom, waarde); });
                return ok;
            },
            grid);
        grid->setModel(model);
        grid->setItemDelegateForColumn(kHoeveelheid, new HoeveelheidDelegate(grid));
        SetGridLook(grid, 1);
        grid->verticalHeader()->hide();
        grid->horizontalHeader()->setStretchLastSection(false);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

        label(mengsel + 2, Qt::AlignLeft);
        label(mengsel * 100 + 90, Qt::AlignRight);
    }
    knop(4, knoppen);
    knop(5, knoppen);
    setTabOrder(cmdEbb[0], grdEbb[0]);
    setTabOrder(grdEbb[0], cmdEbb[1]);
    setTabOrder(cmdEbb[1], grdEbb[1]);
    setTabOrder(grdEbb[1], cmdEbb[4]);
    setTabOrder(cmdEbb[4], cmdEbb[5]);
    PlaatsVelden(kNaamBreedte);
}

void frmExtraBigBag::PlaatsVelden(int naam)
{
    if (naam == m_naamBreedte)
        return;
    m_naamBreedte = naam;
    const int breedte = roosterBreedte(naam);
    auto plaats = [](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(twips(left), twips(top), twips(width), twips(height));
    };
    fraEbb[1]->resize(twips(frameBreedte(naam)), twips(kFrameHoogte));
    fraEbb[2]->resize(twips(frameBreedte(naam)), twips(kKnopHoogte + kMarge));
    for (int mengsel : {1, 2}) {
        const int x = links(mengsel, naam);
        plaats(lblEbb[mengsel], x, kMarge, breedte, 360);
        plaats(cmdEbb[mengsel - 1], x, 500, breedte, kKnopHoogte);
        QTableView* grid = grdEbb[mengsel - 1];
        plaats(grid, x, kRoosterTop, breedte, kRoosterHoogte);
        grid->setColumnWidth(kNaam, twips(naam));
        grid->setColumnWidth(kHoeveelheid, twips(kHoeveelheidBreedte));
        grid->setColumnWidth(kEenheid, twips(kEenheidBreedte));
        plaats(lblEbb[mengsel + 2], x, kTotaalTop, breedte - kTotaalBreedte, 360);
        plaats(lblEbb[mengsel * 100 + 90], x + breedte - kTotaalBreedte, kTotaalTop, kTotaalBreedte, 360);
    }
    plaats(cmdEbb[4], links(1, naam), 0, kKnopBreedte, kKnopHoogte);
    plaats(cmdEbb[5], links(2, naam) + breedte - kKnopBreedte, 0, kKnopBreedte, kKnopHoogte);
}

void frmExtraBigBag::Form_Load()
{
    ShowStatusLang(MainWindow(), -1);
    SetLogoButtons(this);
    // The searches leave out what the grower switched off, from the copy of the list beside the fertilisers.
    RunUserAction([] { CheckMestPrefList(0); });
    SetLangStrings();
    LaadMengsels();
    ToonTotalen();
    fraEbb[1]->setEnabled(Bewerkbaar());
    cmdEbb[4]->setEnabled(Bewerkbaar());
    ShowStatusLang(MainWindow(), 0);
}

void frmExtraBigBag::SetLangStrings()
{
    setWindowTitle(GetLangStr(610000000));
    for (int i : {0, 1, 4, 5})
        SetCaptionLang(cmdEbb, i, 610400000 + 100 * i);
    for (int i = 1; i <= 4; ++i)
        SetCaptionLang(lblEbb, i, 610100000 + 100 * i);
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmExtraBigBag::LaadMengsels()
{
    Koppeling = 1;
    Mengsels.Leeg();
    try {
        BigBagOpslag::Lees(Mengsels);
        m_gelezen = true;
    } catch (const AppError& e) {
        // What cannot be read is neither shown nor overwritten.
        Mengsels.Leeg();
        m_gelezen = false;
        MessageBox::show(GetLangStr(610900300) + "\n" + e.description(), MsgBox::Critical);
    }
    m_gewijzigd = false;
    VernieuwRoosters();
}

bool frmExtraBigBag::Bewerkbaar() const
{
    return appState().ID_HISTORIE == 0 && m_gelezen;
}

void frmExtraBigBag::VernieuwRoosters()
{
    for (int mengsel : {1, 2})
        RebindGrid(grdEbb[mengsel - 1], Mengsels.AantalRegels(mengsel));
}

void frmExtraBigBag::ToonTotalen()
{
    for (int mengsel : {1, 2})
        lblEbb[mengsel * 100 + 90]->setText(TotaalTekst(Mengsels.TotaalKg(mengsel)));
}

QVariant frmExtraBigBag::LeesCel(int mengsel, int rij, int kolom, int role) const
{
    if (rij < 0 || rij >= Mengsels.AantalRegels(mengsel))
        return {};
    const MeststofRecord& regel = Mengsels.Regel(mengsel, rij + 1);
    if (role == Qt::TextAlignmentRole)
        return kolom == kHoeveelheid ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role == Qt::ToolTipRole && kolom == kNaam)
        return regel.Naam; // a name cut short on a small screen
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (kolom) {
    case kNaam:
        return regel.Naam;
    case kHoeveelheid:
        return HoeveelheidTekst(regel);
    case kEenheid:
        return EenheidTekst(regel);
    default:
        return {};
    }
}

bool frmExtraBigBag::SchrijfCel(int mengsel, int rij, int kolom, const QVariant& waarde)
{
    if (!Bewerkbaar() || kolom != kHoeveelheid || rij < 0 || rij >= Mengsels.AantalRegels(mengsel))
        return false;
    float hoeveelheid = 0;
    const QString tekst = waarde.toString();
    if (const InvoerFout fout = LeesHoeveelheid(tekst, hoeveelheid); fout != InvoerFout::Geen) {
        // Told once the editor has closed on the old value, so that the message does not commit it again.
        // Named by the column and the fertiliser of the row.
        const QString veld = grdEbb[mengsel - 1]->model()->headerData(kHoeveelheid, Qt::Horizontal).toString() + " " +
                             Mengsels.Regel(mengsel, rij + 1).Naam;
        const QString melding = InvoerMelding(veld, fout, tekst, kHoeveelheidBereik);
        QTimer::singleShot(0, this,
                           [melding] { RunUserAction([&] { MessageBox::show(melding, MsgBox::Exclamation); }); });
        return false;
    }
    if (Mengsels.ZetHoeveelheid(mengsel, rij, hoeveelheid)) {
        m_gewijzigd = true;
        grdEbb[mengsel - 1]->viewport()->update();
        ToonTotalen();
    }
    return true;
}

void frmExtraBigBag::cmdEbb_Click(int index)
{
    switch (index) {
    case 0:
    case 1:
        PickMeststofQuery(index + 1);
        break;
    case 4:
        Leegmaken();
        break;
    case 5:
        Afdrukken();
        break;
    default:
        break;
    }
}

void frmExtraBigBag::PickMeststofQuery(int mengsel)
{
    if (!Bewerkbaar())
        return;
    AppState& s = appState();
    s.ZoekDatabase = s.HDatabaseNaam;
    const qint32 code = ShowSearchTable({GetLangStr(612000000) + ";40"}, BigBagOpslag::ZoekQuery(Koppeling, mengsel), 0,
                                        GetLangStr(612000100), s.AppPath + s.HDatabaseNaam);
    if (code <= 0 || code > 32767)
        return;
    MeststofRecord meststof;
    if (!BigBagOpslag::LeesMeststof(qint16(code), meststof))
        return;
    switch (Mengsels.VoegToe(mengsel, meststof)) {
    case BigBagMengsels::Toevoegen::AlInMengsel:
        MessageBox::show(GetLangStr(999000042), MsgBox::Exclamation);
        return;
    case BigBagMengsels::Toevoegen::Vol:
        MessageBox::show(GetLangStr(610900100), MsgBox::Exclamation);
        return;
    case BigBagMengsels::Toevoegen::Toegevoegd:
        break;
    }
    m_gewijzigd = true;
    QTableView* grid = grdEbb[mengsel - 1];
    grid->setFocus();
    VernieuwRoosters();
    // Straight on to the amount of the new line.
    grid->setCurrentIndex(grid->model()->index(Mengsels.AantalRegels(mengsel) - 1, kHoeveelheid));
    ToonTotalen();
}

void frmExtraBigBag::Leegmaken()
{
    if (!Bewerkbaar())
        return;
    // Enter goes on from the last amount to this button, where a second Enter
    // presses it: typing the amounts must not empty both blends unasked.
    if (!Mengsels.IsLeeg() && MessageBox::show(GetLangStr(999000140), MsgBox::YesNo | MsgBox::Question |
                                                                          MsgBox::DefaultButton2) != MsgBox::Yes)
        return;
    Mengsels.Leeg();
    Koppeling = 1;
    m_gewijzigd = true;
    VernieuwRoosters();
    ToonTotalen();
}

void frmExtraBigBag::Afdrukken()
{
    const QList<clsPrintMeststofMeststof> regels = Mengsels.PrintRegels();
    if (PrintAdvies(regels, nullptr, QString(), BestelRecord()))
        frmPrintPreview::instance().showModal();
}

bool frmExtraBigBag::s_Save()
{
    // A stored set is only shown, and blends that could not be read are not overwritten.
    if (appState().ID_HISTORIE != 0 || !m_gelezen || !m_gewijzigd)
        return true;
    if (!SchrijfMetMelding(610900200, [&] {
            BigBagOpslag::Schrijf(Mengsels);
            return true;
        }))
        return false;
    m_gewijzigd = false;
    return true;
}

bool frmExtraBigBag::queryUnload()
{
    return s_Save();
}

void frmExtraBigBag::Form_Activate()
{
    fraEbb[1]->show();
    fraEbb[2]->show();
    m_hover->barMoved();
    fraControl->show();
}

void frmExtraBigBag::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    // The blends and their buttons beneath as one block, clear of the button bar on the right where there is room.
    const QSize outer = OuterSize(this);
    const int ruimte = toTwips(outer.width()) - kKnoppenBalk - frameBreedte(kNaamBreedte);
    PlaatsVelden(kNaamBreedte + std::clamp(ruimte / 2, 0, kNaamRuimer));
    QFrame* mengsels = fraEbb[1];
    QFrame* knoppen = fraEbb[2];
    const int hoogte = mengsels->height() + knoppen->height();
    const int x = std::max(0, (outer.width() - mengsels->width()) / 2 - twips(700));
    const int y = std::max(0, (outer.height() - hoogte) / 2 - twips(300));
    mengsels->move(x, y);
    knoppen->move(x, y + mengsels->height());
}
