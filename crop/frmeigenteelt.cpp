#include "frmeigenteelt.h"

#include "appstate.h"
#include "eigenteelten.h"
#include "elementen.h"
#include "general.h"
#include "generalui.h"
#include "invoergetal.h"
#include "mdlgenzoeken.h"
#include "stdvoplossing.h"
#include "ui/dialogs.h"
#include "units.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kCode = 1000;
constexpr int kNaam = 1001;
constexpr int kEC = 16;
constexpr int kKationen = 17;
constexpr int kAnionen = 18;

// Box i (1 to 15) holds the element at position Elementen::Teelt[i - 1].
int positieVan(int index)
{
    return Elementen::Teelt[index - 1];
}
QString elementVan(int index)
{
    return ElementNaam(positieVan(index));
}
bool isElementVak(int index)
{
    return index >= 1 && index <= int(Elementen::Teelt.size());
}

void ZetAchtergrond(QLineEdit* box, const QColor& kleur)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, kleur);
    box->setPalette(pal);
}

} // namespace

frmEigenTeelt::frmEigenTeelt(QWidget* parent) : StepWindow(parent, Kind::MenuOnly)
{
    setObjectName("frmEigenTeelt");
    buildControls();
    Form_Load();
}

void frmEigenTeelt::buildControls()
{
    // The crop frame: code with the search beside it, name, and the editor's buttons.
    QGroupBox* gewas = fraTeelt.add(0, new QGroupBox(this));
    auto* grid = new QGridLayout(gewas);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(lblTeelt.add(1000, new QLabel(gewas)), 0, 0);
    QLineEdit* code = txtTeelt.add(kCode, new QLineEdit(gewas));
    code->setAlignment(Qt::AlignRight);
    code->setFixedWidth(90);
    auto* zoek = cmdTeelt.add(5, new QPushButton(gewas));
    zoek->setIcon(QIcon(Picture("DriehoekKnopje")));
    zoek->setFixedSize(28, code->sizeHint().height());
    auto* codeRij = new QHBoxLayout;
    codeRij->setSpacing(4);
    codeRij->addWidget(code);
    codeRij->addWidget(zoek);
    codeRij->addWidget(lblTeelt.add(1002, new QLabel(gewas)));
    codeRij->addStretch();
    grid->addLayout(codeRij, 0, 1);
    grid->addWidget(lblTeelt.add(1001, new QLabel(gewas)), 1, 0);
    QLineEdit* naam = txtTeelt.add(kNaam, new QLineEdit(gewas));
    naam->setMinimumWidth(360);
    grid->addWidget(naam, 1, 1);
    auto* knoppen = new QHBoxLayout;
    knoppen->setSpacing(6);
    for (int index = 0; index <= 4; ++index)
        knoppen->addWidget(cmdTeelt.add(index, new QPushButton(gewas)));
    knoppen->addStretch();
    grid->setRowMinimumHeight(2, 6);
    grid->addLayout(knoppen, 3, 0, 1, 2);

    MakeElementGrid(fraTeelt.add(1, new QGroupBox(this)));

    // Only numbers are typed, except in the name.
    auto* cijfers = new KeyAsciiFilter(this, 1);
    txtTeelt.forEach([cijfers](int index, QLineEdit* box) {
        if (index != kNaam)
            box->installEventFilter(cijfers);
    });
    // A changed name or code is a change as much as a changed element.
    for (int index = 1; index <= 15; ++index)
        connectAction(txtTeelt[index], &QLineEdit::textEdited, this, [this] { m_changed = true; });
    connectAction(txtTeelt[kCode], &QLineEdit::textEdited, this, [this] { m_changed = true; });
    connectAction(txtTeelt[kNaam], &QLineEdit::textEdited, this, [this] { m_changed = true; });
    cmdTeelt.forEach([this](int index, QPushButton* button) {
        connectAction(button, &QPushButton::clicked, this, [this, index] { cmdTeelt_Click(index); });
    });

    // The search beside the code comes between the code and the name, where it stands.
    QList<QWidget*> volgorde{txtTeelt[kCode], cmdTeelt[5], txtTeelt[kNaam]};
    for (int index = 1; index <= 15; ++index)
        volgorde << txtTeelt[index];
    for (int index = 0; index <= 4; ++index)
        volgorde << cmdTeelt[index];
    volgorde << cmdControl[1];
    for (int i = 1; i < volgorde.size(); ++i)
        QWidget::setTabOrder(volgorde[i - 1], volgorde[i]);
}

void frmEigenTeelt::MakeElementGrid(QGroupBox* frame)
{
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 4, 8, 8);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(4);
    // The captions' small font in the boxes too: wide enough for values in the
    // thousands (NO3 in ppm), narrow enough for 16 columns on a small screen.
    QFont klein = frame->font();
    klein.setPointSize(8);
    const int breedte = std::max(twips(700), QFontMetrics(klein).horizontalAdvance("8,888.88") + 10);
    // The EC column stands a little apart from the elements.
    const int ecKolom = kEC;
    grid->setColumnMinimumWidth(kEC - 1, twips(200));
    const auto kolom = [](int index) { return index == kEC ? ecKolom : index - 1; };

    for (int index = 1; index <= kEC; ++index) {
        QLabel* kop = lblTeelt.add(index, new QLabel(frame));
        PlaceLabelText(kop, 0, 0, 700, 2, 1, frame);
        kop->setMinimumWidth(breedte);
        grid->addWidget(kop, 1, kolom(index));
        QLineEdit* box = txtTeelt.add(index, new QLineEdit(frame));
        box->setAlignment(Qt::AlignRight);
        box->setFont(klein);
        box->setFixedWidth(breedte);
        grid->addWidget(box, 2, kolom(index));
        if (isElementVak(index))
            kop->setText(elementVan(index));
    }
    lblTeelt[kEC]->setText("EC");
    txtTeelt[kEC]->setReadOnly(true);
    txtTeelt[kEC]->setFocusPolicy(Qt::NoFocus);

    // The units: the macro elements up to Si, the trace elements from Fe on.
    const int eersteSpoor =
        int(std::find(Elementen::Teelt.begin(), Elementen::Teelt.end(), int(EP::pFe)) - Elementen::Teelt.begin()) + 1;
    for (int deel : {0, 1}) {
        QLabel* eenheid = lblEenheid.add(deel, new QLabel(frame));
        eenheid->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        eenheid->setText(GetUnitText(deel == 0 ? 210 : 310));
    }
    grid->addWidget(lblEenheid[0], 0, 0, 1, eersteSpoor - 1);
    grid->addWidget(lblEenheid[1], 0, eersteSpoor - 1, 1, 15 - eersteSpoor + 1);

    // The two sums below the first columns, as in the water step.
    grid->setRowMinimumHeight(3, 10);
    for (int index : {kKationen, kAnionen}) {
        const int links = index == kKationen ? 0 : 4;
        grid->addWidget(lblTeelt.add(index, new QLabel(frame)), 4, links, 1, 4);
        QLineEdit* box = txtTeelt.add(index, new QLineEdit(frame));
        box->setAlignment(Qt::AlignRight);
        box->setFont(klein);
        box->setFixedWidth(breedte);
        box->setReadOnly(true);
        box->setEnabled(false);
        box->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(box, 5, links);
    }
    grid->setColumnStretch(kEC + 1, 1);
}

void frmEigenTeelt::Form_Load()
{
    Bezig bezig(-1);
    SetLangStrings();
    SetLogoButtons(this);
    ClearFields();
    RunUserAction([this] {
        const QList<qint16> codes = EigenTeelten::Codes();
        m_loaded = true;
        // The highest code: usually the crop entered last.
        if (!codes.isEmpty()) {
            m_code = codes.last();
            ShowCrop();
        } else {
            m_code = 0;
        }
    });
    fraTeelt.forEach([this](int, QGroupBox* frame) {
        frame->setEnabled(m_loaded);
        frame->adjustSize();
    });
    m_changed = false;
}

void frmEigenTeelt::SetLangStrings()
{
    setWindowTitle(GetLangStr(830000000));
    const std::pair<int, qint32> labels[] = {
        {1000, 830100000}, {1001, 830100100}, {1002, 830100200}, {kKationen, 830101700}, {kAnionen, 830101800}};
    for (const auto& [index, id] : labels)
        if (SetCaptionLang(lblTeelt, index, id) != 0)
            return;
    for (int index = 0; index <= 4; ++index)
        if (SetCaptionLang(cmdTeelt, index, 830400000 + 100 * index) != 0)
            return;
    fraTeelt[1]->setTitle(GetLangStr(830500100));
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmEigenTeelt::ShowCrop()
{
    Bezig bezig(-1);
    const std::optional<EigenTeelt> teelt = EigenTeelten::Lees(m_code);
    if (!teelt) {
        m_changed = false;
        return;
    }
    txtTeelt[kCode]->setText(QString::number(teelt->Code));
    txtTeelt[kNaam]->setText(teelt->Naam);
    m_oplossing = teelt->Oplossing;
    for (int index = 1; index <= 15; ++index)
        ToonVak(index);
    txtTeelt[kEC]->setText(FormatNumber(m_oplossing.EC, 2));
    // The sums are shown; whether they agree is told when the user edits.
    ToonSommen();
    txtTeelt.forEach([](int, QLineEdit* box) { box->setModified(false); });
    m_changed = false;
}

void frmEigenTeelt::ToonVak(int index)
{
    QLineEdit* box = txtTeelt[index];
    box->setText(FormatNumber(IonToUnit(m_oplossing[positieVan(index)], elementVan(index)), 2));
    box->setModified(false);
}

void frmEigenTeelt::ToonSommen()
{
    const IonenSommen sommen = BerekenIonenSommen(m_oplossing);
    txtTeelt[kKationen]->setText(FormatNumber(sommen.kationen, 2));
    txtTeelt[kAnionen]->setText(FormatNumber(sommen.anionen, 2));
}

void frmEigenTeelt::CheckBalance()
{
    ToonSommen();
    const bool inBalans = IsInBalans(BerekenIonenSommen(m_oplossing));
    const QColor kleur = inBalans ? QApplication::palette().color(QPalette::Base) : QColor(255, 0, 0);
    for (int index = 1; index <= kEC; ++index)
        ZetAchtergrond(txtTeelt[index], kleur);
    if (inBalans) {
        m_balansUit = false;
        return;
    }
    // Told once per change from balanced to off; set first, as the message moves the focus.
    if (!m_balansUit) {
        m_balansUit = true;
        MessageBox::show(GetLangStr(999000028), MsgBox::Critical);
    }
}

void frmEigenTeelt::CalcEC()
{
    // Stored as shown.
    const QString ec = FormatNumber(SchatEC(BerekenIonenSommen(m_oplossing)), 2);
    txtTeelt[kEC]->setText(ec);
    m_oplossing.EC = NzValue(ec, NzType::Single).toFloat();
}

bool frmEigenTeelt::LeesVak(int index)
{
    QLineEdit* box = txtTeelt[index];
    if (!box->isModified())
        return true;
    float mmol = 0;
    if (!LeesElementWaarde(box->text(), elementVan(index), mmol)) {
        ToonVak(index);
        MessageBox::show(VeldMelding(lblTeelt[index]->text(), GetLangStr(999000080)), MsgBox::Exclamation);
        return false;
    }
    m_oplossing[positieVan(index)] = mmol;
    ToonVak(index);
    return true;
}

bool frmEigenTeelt::VerwerkInvoer()
{
    // What was typed but not yet left counts before any button works.
    const bool wasUit = m_balansUit;
    bool gelezen = false;
    for (int index = 1; index <= 15; ++index) {
        if (!txtTeelt[index]->isModified())
            continue;
        gelezen = true;
        if (!LeesVak(index))
            return false;
    }
    if (gelezen) {
        CheckBalance();
        CalcEC();
    }
    // The balance that went off just now has been told; the button waits for the next press.
    return !(m_balansUit && !wasUit);
}

void frmEigenTeelt::txtTeelt_LostFocus(int index)
{
    if (isElementVak(index) && !LeesVak(index))
        return;
    CheckBalance();
    CalcEC();
}

bool frmEigenTeelt::KnopMagWerken()
{
    if (!VerwerkInvoer())
        return false;
    if (!m_balansUit)
        return true;
    // While the balance is off a button only checks it again, and tells it again when it still is.
    m_balansUit = false;
    CheckBalance();
    return false;
}

void frmEigenTeelt::cmdTeelt_Click(int index)
{
    if (!m_loaded || !KnopMagWerken())
        return;
    switch (index) {
    case 0:
        if (BewaarWijzigingen()) {
            PrevCrop();
            ShowCrop();
        }
        break;
    case 1:
        if (BewaarWijzigingen()) {
            NextCrop();
            ShowCrop();
        }
        break;
    case 2:
        if (BewaarWijzigingen())
            ClearFields();
        break;
    case 3:
        DeleteCrop();
        break;
    case 4:
        s_Close();
        break;
    case 5:
        if (BewaarWijzigingen()) {
            SearchCrop();
            ShowCrop();
        }
        break;
    default:
        break;
    }
}

bool frmEigenTeelt::BewaarWijzigingen()
{
    // A crop that could not be stored stays on screen with its changes.
    return !m_changed || SaveCrop();
}

void frmEigenTeelt::PrevCrop()
{
    m_code = VorigeCode(EigenTeelten::Codes(), m_code);
}

void frmEigenTeelt::NextCrop()
{
    m_code = VolgendeCode(EigenTeelten::Codes(), m_code);
}

void frmEigenTeelt::ClearFields()
{
    m_code = -1;
    txtTeelt[kCode]->clear();
    txtTeelt[kNaam]->clear();
    m_oplossing = ElementVector{};
    for (int index = 1; index <= 15; ++index)
        ToonVak(index);
    txtTeelt[kEC]->setText(FormatNumber(0, 2));
    ToonSommen();
    txtTeelt[kCode]->setFocus();
}

void frmEigenTeelt::DeleteCrop()
{
    if (m_code <= 0) {
        // A crop not stored yet: only its entries go.
        if (MessageBox::show(GetLangStr(999000017), MsgBox::YesNo | MsgBox::Critical) == MsgBox::Yes) {
            ClearFields();
            m_changed = false;
        }
        return;
    }
    // The working set would compute on a crop that is gone.
    if (EigenTeelten::InGebruik(m_code)) {
        MessageBox::show(GetLangStr(830900200), MsgBox::Exclamation);
        return;
    }
    if (MessageBox::show(GetLangStr(999000017), MsgBox::YesNo | MsgBox::Critical) != MsgBox::Yes)
        return;
    try {
        EigenTeelten::Verwijder(m_code);
    } catch (const AppError& e) {
        MessageBox::show(GetLangStr(830900100) + "\n" + e.description(), MsgBox::Critical);
        return;
    }
    const QList<qint16> codes = EigenTeelten::Codes();
    if (codes.isEmpty()) {
        // Nothing left to show: the screen offers a new crop instead of the deleted one.
        ClearFields();
        m_changed = false;
        return;
    }
    m_code = codes.first();
    ShowCrop();
}

void frmEigenTeelt::SearchCrop()
{
    // The own crops are in the grower database; naming it leaves the next search its own database.
    const AppState& s = appState();
    const qint32 code = ShowSearchTable({"Code;10", "Naam;40"},
                                        "SELECT Code, Code, Lang" + QString::number(s.languageID) + " FROM TEELT",
                                        m_code, "Gewas zoeken", s.AppPath + s.TDatabaseNaam);
    if (code != 0)
        m_code = qint16(code);
}

bool frmEigenTeelt::SaveCrop()
{
    if (!m_loaded || !VerwerkInvoer())
        return false;
    qint16 code = 0;
    if (!LeesTeeltCode(txtTeelt[kCode]->text(), code)) {
        MessageBox::show(GetLangStr(999000014).arg(kHoogsteEigenCode), MsgBox::OkOnly);
        txtTeelt[kCode]->setFocus();
        txtTeelt[kCode]->selectAll();
        return false;
    }
    // A stored crop saved under another code is a copy; the crop that was shown stays as it is.
    const bool bestaat = EigenTeelten::Bestaat(code);
    if (code != m_code || m_code <= 0) {
        if (bestaat && MessageBox::show(GetLangStr(999000016), MsgBox::YesNo) != MsgBox::Yes)
            return false;
        if (!bestaat && m_code > 0 && MessageBox::show(GetLangStr(999000015), MsgBox::YesNo) != MsgBox::Yes)
            return false;
    }
    EigenTeelt teelt;
    teelt.Code = code;
    teelt.Naam = txtTeelt[kNaam]->text();
    teelt.Oplossing = m_oplossing;
    if (!SchrijfMetMelding(830900000, [&] {
            EigenTeelten::Schrijf(teelt);
            return true;
        }))
        return false;
    m_code = code;
    m_changed = false;
    txtTeelt[kCode]->setText(QString::number(code));
    txtTeelt[kCode]->setModified(false);
    txtTeelt[kNaam]->setModified(false);
    // A copy the calculation reads follows the crop at once, not only at the next crop step.
    RunUserAction([code] {
        if (EigenTeelten::HeeftReferentieKopie(code))
            CopieGewasT2H(qint16(code + 1000));
    });
    return true;
}

void frmEigenTeelt::cmdControl_Click(int index)
{
    if (!KnopMagWerken())
        return;
    StepWindow::cmdControl_Click(index);
}

void frmEigenTeelt::Form_Activate()
{
    fraTeelt[0]->show();
    fraTeelt[1]->show();
    fraControl->show();
    if (!m_loaded)
        return;
    // The child window passes the focus around while it becomes active: that is no leaving of a box.
    m_activeren = true;
    QTimer::singleShot(0, this, [this] { m_activeren = false; });
    txtTeelt[kCode]->setFocus();
    CheckBalance();
}

bool frmEigenTeelt::queryUnload()
{
    if (!m_loaded)
        return true;
    if (!VerwerkInvoer())
        return false;
    if (m_balansUit) {
        // An unbalanced crop cannot be stored; what was typed goes only when the user agrees.
        return !m_changed || MessageBox::show(GetLangStr(830900300), MsgBox::YesNo) == MsgBox::Yes;
    }
    if (m_changed && MessageBox::show(GetLangStr(999000013), MsgBox::YesNo) == MsgBox::Yes)
        return SaveCrop();
    return true;
}

void frmEigenTeelt::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    QGroupBox* gewas = fraTeelt[0];
    QGroupBox* oplossing = fraTeelt[1];
    const QSize outer = OuterSize(this);
    const int top = std::max(0, outer.height() / 2 - (gewas->height() + oplossing->height()) / 2 - twips(900));
    const auto links = [&](const QWidget* frame) {
        return std::max(0, outer.width() / 2 - frame->width() / 2 - twips(60));
    };
    gewas->move(links(gewas), top);
    oplossing->move(links(oplossing), top + gewas->height() + twips(120));
}

int frmEigenTeelt::vakIndex(QObject* object) const
{
    int gevonden = -1;
    txtTeelt.forEach([&](int index, QLineEdit* box) {
        if (box == object)
            gevonden = index;
    });
    return gevonden;
}

bool frmEigenTeelt::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const int index = vakIndex(watched);
        if (index >= 0 && event->type() == QEvent::FocusIn)
            SelectAllOnceFocused(txtTeelt[index]);
        else if (index >= 0 && m_loaded && !m_activeren)
            RunUserAction([&] { txtTeelt_LostFocus(index); });
    }
    return StepWindow::eventFilter(watched, event);
}
