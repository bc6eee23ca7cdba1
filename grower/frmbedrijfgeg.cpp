#include "frmbedrijfgeg.h"

#include "bedrijfgegevens.h"
#include "general.h"
#include "generalui.h"
#include "invoervak.h"
#include "laden.h"
#include "programsettings.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <algorithm>

namespace {

// A box and the value it shows; maxLength 0 for the display-only dealer boxes.
template <class T> struct Field {
    int box;
    QString T::*value;
    int maxLength;
};

using TG = TuinderGegevens;
using AA = Afleveradres;
using HA = Handelaar;
const Field<TG> kTuinderVelden[] = {
    {0, &TG::relNR, 8}, {1, &TG::Naam, 50},     {2, &TG::Adres, 50},  {3, &TG::Postcode, 10}, {4, &TG::woonplaats, 20},
    {5, &TG::Land, 20}, {6, &TG::Telefoon, 20}, {7, &TG::Mobiel, 20}, {8, &TG::Email, 50},    {9, &TG::Fax, 20}};
const Field<AA> kAdresVelden[] = {{20, &AA::AfleverAdres, 50}, {21, &AA::Adres, 50}, {22, &AA::Postcode, 10},
                                  {23, &AA::Woonplaats, 20},   {24, &AA::Land, 20},  {25, &AA::Deurcode, 20},
                                  {26, &AA::ExtraInfo, 48}};
const Field<HA> kHandelaarVelden[] = {{30, &HA::Handelaar, 0},  {31, &HA::Adres, 0},          {32, &HA::Postcode, 0},
                                      {33, &HA::Woonplaats, 0}, {34, &HA::Contactpersoon, 0}, {35, &HA::Telefoon, 0}};

// In the order of the list; the first two letters are the code that is stored.
const char* const kLanden[] = {"BE Belgium",        "CH Switzerland", "DE Germany", "ES Spain",  "FR France",
                               "GB United Kingdom", "GR Greece",      "IE Ireland", "IL Israel", "IT Italy",
                               "LU Luxembourg",     "NL Netherlands", "PT Portugal"};

// The list whose drop-down button stands beside the box: the country lists,
// and the address list beside the address's name.
int listOfBox(int box)
{
    switch (box) {
    case 5:
    case 24:
        return box;
    case 20:
        return 0;
    default:
        return -1;
    }
}

} // namespace

frmBedrijfGeg::frmBedrijfGeg(QWidget* parent) : StepWindow(parent)
{
    setObjectName("frmBedrijfGeg");
    buildControls();
    Form_Load();
}

void frmBedrijfGeg::buildControls()
{
    QList<int> tuinder, adres, handelaar;
    for (const auto& f : kTuinderVelden)
        tuinder << f.box;
    for (const auto& f : kAdresVelden)
        adres << f.box;
    for (const auto& f : kHandelaarVelden)
        handelaar << f.box;
    buildFrame(0, tuinder);
    buildFrame(1, adres);
    buildFrame(2, handelaar);

    for (const auto& f : kTuinderVelden)
        txtBedrijfGeg[f.box]->setMaxLength(f.maxLength);
    for (const auto& f : kAdresVelden)
        txtBedrijfGeg[f.box]->setMaxLength(f.maxLength);
    // The countries are chosen from the list; the box shows the code. Boxes
    // that take no typing take no Tab stop either: what is typed there is lost.
    QList<int> alleenTonen{5, 24};
    for (const auto& f : kHandelaarVelden)
        alleenTonen << f.box;
    for (int box : alleenTonen) {
        txtBedrijfGeg[box]->setReadOnly(true);
        txtBedrijfGeg[box]->setFocusPolicy(Qt::ClickFocus);
    }

    txtBedrijfGeg.forEach([this](int index, QLineEdit* box) {
        connectAction(box, &QLineEdit::textChanged, this, [this, index] { txtBedrijfGeg_Change(index); });
    });
    cboBedrijfGeg.forEach([this](int index, QComboBox* list) {
        connectAction(list, &QComboBox::currentIndexChanged, this, [this, index] { cboBedrijfGeg_Click(index); });
    });
    buildTabOrder();
}

void frmBedrijfGeg::buildFrame(int frame, const QList<int>& boxes)
{
    auto* group = fraBedrijfGeg.add(frame, new QGroupBox(this));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    grid->setHorizontalSpacing(8);
    // Two columns of label and box pairs keep the three frames low enough to stand one above the other.
    const int rows = int(boxes.size() + 1) / 2;
    for (int k = 0; k < boxes.size(); ++k) {
        const int box = boxes[k];
        const int row = k % rows;
        const int column = k < rows ? 0 : 2;
        grid->addWidget(lblBedrijfGeg.add(box, new QLabel(group)), row, column);
        auto* edit = txtBedrijfGeg.add(box, new QLineEdit(group));
        edit->setMinimumWidth(180);
        const int list = listOfBox(box);
        if (list < 0) {
            grid->addWidget(edit, row, column + 1);
            continue;
        }
        auto* combo = cboBedrijfGeg.add(list, new QComboBox(group));
        // Only the drop-down button shows beside the box; the opened list is wide enough to read.
        combo->setFixedWidth(24);
        combo->view()->setMinimumWidth(220);
        OpenListUnderBox(combo, edit);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(0);
        cell->addWidget(edit);
        cell->addWidget(combo);
        grid->addLayout(cell, row, column + 1);
    }
}

void frmBedrijfGeg::buildTabOrder()
{
    const QList<QWidget*> order = {txtBedrijfGeg[0],  txtBedrijfGeg[1],  txtBedrijfGeg[2],  txtBedrijfGeg[3],
                                   txtBedrijfGeg[4],  cboBedrijfGeg[5],  txtBedrijfGeg[6],  txtBedrijfGeg[7],
                                   txtBedrijfGeg[8],  txtBedrijfGeg[9],  cboBedrijfGeg[0],  txtBedrijfGeg[20],
                                   txtBedrijfGeg[21], txtBedrijfGeg[22], txtBedrijfGeg[23], cboBedrijfGeg[24],
                                   txtBedrijfGeg[25], txtBedrijfGeg[26]};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmBedrijfGeg::Form_Load()
{
    ShowStatusLang(MainWindow(), -1);
    LaadMetHerhaling([this] {
        SetLangStrings();
        // Equal widths keep the stacked frames tidy whatever the captions' language.
        int width = 0;
        fraBedrijfGeg.forEach([&width](int, QGroupBox* frame) {
            frame->adjustSize();
            width = std::max(width, frame->width());
        });
        fraBedrijfGeg.forEach([width](int, QGroupBox* frame) { frame->resize(width, frame->height()); });

        VulLanden(5);
        VulLanden(24);
        LeesTuinder();
        SetLogoButtons(this);
    });
    ShowStatusLang(MainWindow(), 0);
}

void frmBedrijfGeg::Form_Activate()
{
    fraBedrijfGeg[0]->show();
    fraBedrijfGeg[1]->show();
    showProductLineFrames(ProgramSettings::mixoraWaardig());
    fraControl->show();
    txtBedrijfGeg[0]->setFocus();
}

void frmBedrijfGeg::Form_KeyDown()
{
    // Any value but 1, also one that is not a number, counts as off.
    const bool on = !ProgramSettings::mixoraWaardig();
    if (InstellingenOpgeslagen(ProgramSettings::setMixoraWaardig(on)))
        showProductLineFrames(on);
}

void frmBedrijfGeg::showProductLineFrames(bool on)
{
    fraBedrijfGeg[1]->setVisible(on);
    fraBedrijfGeg[2]->setVisible(on);
    Form_Resize();
}

void frmBedrijfGeg::SetLangStrings()
{
    setWindowTitle(GetLangStr(20000000));
    for (int i = 0; i <= 40; ++i)
        SetCaptionLang(lblBedrijfGeg, i, 20100000 + 100 * i);
    for (int i = 0; i < 3; ++i)
        fraBedrijfGeg[i]->setTitle(GetLangStr(20500000 + 100 * i));
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmBedrijfGeg::VulLanden(int index)
{
    QComboBox* list = cboBedrijfGeg[index];
    // Filling is not a choice: the box keeps the stored code.
    const QSignalBlocker blocker(list);
    list->clear();
    for (const char* land : kLanden)
        list->addItem(land);
    list->setCurrentIndex(-1);
}

void frmBedrijfGeg::LeesTuinder()
{
    const TuinderGegevens tuinder = BedrijfGegevens::Lees();
    m_changed = false;
    m_adresChanged = false;
    for (const auto& f : kTuinderVelden)
        txtBedrijfGeg[f.box]->setText(tuinder.*f.value);
    m_Code_ALG_Handelaar = tuinder.Code_ALG_Handelaar;

    LeesAfleveradressen();
    m_ID_ALG_Afleveradres = tuinder.ID_ALG_Afleveradres;
    bool found = true;
    VulAdresCombo(m_ID_ALG_Afleveradres, found);
    LeesHandelaar(m_Code_ALG_Handelaar);

    // An address that had to be replaced is stored when the window is left.
    m_changed = !found;
    m_adresChanged = !found;
}

void frmBedrijfGeg::LeesAfleveradressen()
{
    try {
        BedrijfGegevens::HerstelAfleveradressen();
    } catch (const AppError& e) {
        // The addresses stay as they were; the window shows what there is.
        MessageBox::show(GetLangStr(999000067) + "\n" + e.description(), MsgBox::Critical);
    }
}

void frmBedrijfGeg::VulAdresCombo(qint32& id, bool& found)
{
    // Filling and selecting show an address through the list's click
    // handler, which changes id: the value given is kept aside.
    const qint32 kept = id;
    found = true;
    QComboBox* list = cboBedrijfGeg[0];
    qint16 flag = 0;
    const LijstQuery query = BedrijfGegevens::AfleveradresLijst();
    FillComboList(list, *query.db, query.sql, flag, query.params);
    id = kept;
    SelectListItem(id, list);
    const qint32 selected = list->currentData().toInt();
    if (selected != kept) {
        found = false;
        id = selected;
    }
}

void frmBedrijfGeg::cboBedrijfGeg_Click(int index)
{
    QComboBox* list = cboBedrijfGeg[index];
    if (list->currentIndex() < 0)
        return;
    if (index == 5 || index == 24) {
        txtBedrijfGeg[index]->setText(list->currentText().left(2));
        return;
    }
    if (index != 0)
        return;

    if (AskSaveChanges(m_adresChanged) == MsgBox::Yes) {
        bool saved = ControleerBestelVelden(20, 26);
        if (saved) {
            try {
                SchrijfAfleveradres();
            } catch (const AppError& e) {
                MessageBox::show(GetLangStr(999000003) + "\n" + e.description(), MsgBox::Critical);
                saved = false;
            }
        }
        if (!saved) {
            // The edits that could not be stored stay on screen.
            const QSignalBlocker blocker(list);
            SelectListItem(m_ID_ALG_Afleveradres, list);
            return;
        }
    }
    m_ID_ALG_Afleveradres = list->currentData().toInt();
    LeesAfleveradres();
    m_changed = true;
}

void frmBedrijfGeg::LeesAfleveradres()
{
    const Afleveradres adres = BedrijfGegevens::LeesAfleveradres(m_ID_ALG_Afleveradres);
    for (const auto& f : kAdresVelden)
        txtBedrijfGeg[f.box]->setText(adres.*f.value);
    m_adresChanged = false;
}

void frmBedrijfGeg::LeesHandelaar(qint16 code)
{
    // Without a dealer the boxes keep their text.
    const std::optional<Handelaar> handelaar = BedrijfGegevens::LeesHandelaar(code);
    if (!handelaar)
        return;
    for (const auto& f : kHandelaarVelden)
        txtBedrijfGeg[f.box]->setText((*handelaar).*f.value);
}

void frmBedrijfGeg::txtBedrijfGeg_Change(int index)
{
    // Only a text that really changed counts, typed, pasted or chosen from a
    // list: a key that changes nothing (Esc, which is Stop) asks no question.
    m_changed = true;
    if (index >= 20 && index <= 26)
        m_adresChanged = true;
    if (index < 30)
        txtBedrijfGeg[index]->setPalette(QPalette());
}

void frmBedrijfGeg::txtBedrijfGeg_GotFocus(int index)
{
    if (index == 20 || index == 26 || index == 30)
        return;
    SelectAllOnceFocused(txtBedrijfGeg[index]);
}

void frmBedrijfGeg::txtBedrijfGeg_LostFocus(int index)
{
    if (index != 20)
        return;
    QComboBox* list = cboBedrijfGeg[0];
    if (list->currentIndex() >= 0)
        list->setItemText(list->currentIndex(), txtBedrijfGeg[20]->text());
}

void frmBedrijfGeg::markBox(int index)
{
    QLineEdit* box = txtBedrijfGeg[index];
    box->setFocus();
    QPalette yellow = box->palette();
    yellow.setColor(QPalette::Base, QColor(255, 255, 0));
    box->setPalette(yellow);
}

bool frmBedrijfGeg::ControleerVerplicht()
{
    const auto filled = [this](int from, int to) {
        for (int i = from; i <= to; ++i)
            if (txtBedrijfGeg[i]->text().isEmpty()) {
                markBox(i);
                return false;
            }
        return true;
    };
    if (!filled(0, 5))
        return false;
    // The delivery address counts only where it is shown (product-line mode).
    if (!txtBedrijfGeg[21]->isVisibleTo(this))
        return true;
    return filled(21, 24);
}

bool frmBedrijfGeg::ControleerBestelVelden(int first, int last)
{
    // Every box here goes into the order file, whose values end in ";;" and
    // whose lines end in CR LF; relNR also names that file. A hidden
    // delivery address cannot have been edited and is written back as it was.
    static const QRegularExpression relNR("^[A-Za-z0-9_-]*$");
    const auto unsafe = [](QChar c) { return c == ';' || c.category() == QChar::Other_Control; };
    for (int i = first; i <= last; ++i) {
        if (!txtBedrijfGeg.contains(i) || !txtBedrijfGeg[i]->isVisibleTo(this))
            continue;
        const QString text = txtBedrijfGeg[i]->text();
        QString message;
        if (i == 0 && !relNR.match(text).hasMatch())
            message = GetLangStr(999000065);
        else if (std::any_of(text.begin(), text.end(), unsafe))
            message = GetLangStr(999000066) + "\n" + lblBedrijfGeg[i]->text();
        if (!message.isEmpty()) {
            markBox(i);
            MessageBox::show(message, MsgBox::Exclamation);
            return false;
        }
    }
    return true;
}

bool frmBedrijfGeg::s_Save()
{
    return PutData();
}

bool frmBedrijfGeg::PutData()
{
    if (!ControleerBestelVelden(0, 26))
        return false;
    TuinderGegevens tuinder;
    for (const auto& f : kTuinderVelden)
        tuinder.*f.value = txtBedrijfGeg[f.box]->text();
    tuinder.Code_ALG_Handelaar = m_Code_ALG_Handelaar;
    tuinder.ID_ALG_Afleveradres = m_ID_ALG_Afleveradres;
    try {
        // The grower row and the shown address are stored together or not at all.
        BedrijfGegevens::Schrijf(tuinder, AdresUitVakken());
    } catch (const AppError& e) {
        MessageBox::show(GetLangStr(999000003) + "\n" + e.description(), MsgBox::Critical);
        return false;
    }
    m_adresChanged = false;
    m_changed = false;
    return true;
}

Afleveradres frmBedrijfGeg::AdresUitVakken() const
{
    Afleveradres adres;
    adres.ID = m_ID_ALG_Afleveradres;
    for (const auto& f : kAdresVelden)
        adres.*f.value = txtBedrijfGeg[f.box]->text();
    return adres;
}

void frmBedrijfGeg::SchrijfAfleveradres()
{
    BedrijfGegevens::SchrijfAfleveradres(AdresUitVakken());
    m_adresChanged = false;
}

void frmBedrijfGeg::cmdControl_Click(int index)
{
    if (ControleerVerplicht())
        StepWindow::cmdControl_Click(index);
}

bool frmBedrijfGeg::queryUnload()
{
    // A save that fails keeps the window open, so the typed data are not lost.
    if (AskSaveChanges(m_changed) == MsgBox::Yes)
        return s_Save();
    return true;
}

void frmBedrijfGeg::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    Form_Resize();
}

void frmBedrijfGeg::Form_Resize()
{
    if (isShownMinimized())
        return;
    // Grower above the middle, the delivery address around it, the dealer
    // below; the grower alone where the other two are hidden, which leaves
    // no room above the middle for it on a low screen.
    const bool three = !fraBedrijfGeg[1]->isHidden();
    CenterControl(this, fraBedrijfGeg[0], 0, three ? -toTwips(fraBedrijfGeg[0]->height()) - 200 : -300);
    CenterControl(this, fraBedrijfGeg[1], 0, -300);
    CenterControl(this, fraBedrijfGeg[2], 0, toTwips(fraBedrijfGeg[1]->height()) + 100);
}

int frmBedrijfGeg::boxIndexOf(QObject* object) const
{
    int found = -1;
    txtBedrijfGeg.forEach([&](int index, QLineEdit* box) {
        if (box == object)
            found = index;
    });
    return found;
}

bool frmBedrijfGeg::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return StepWindow::eventFilter(watched, event);
    const int box = boxIndexOf(watched);
    try {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
            if (key->key() == Qt::Key_M && modifiers == Qt::ControlModifier) {
                Form_KeyDown();
                return true;
            }
            break;
        }
        case QEvent::FocusIn:
            if (box >= 0)
                txtBedrijfGeg_GotFocus(box);
            break;
        case QEvent::FocusOut:
            if (box >= 0) {
                HideSelection(txtBedrijfGeg[box], static_cast<QFocusEvent*>(event)->reason());
                txtBedrijfGeg_LostFocus(box);
            }
            break;
        default:
            break;
        }
    } catch (const AppError& e) {
        qint16 marker = 0;
        ErrorHandler(marker, e);
    }
    return StepWindow::eventFilter(watched, event);
}
