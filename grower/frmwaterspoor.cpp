#include "frmwaterspoor.h"

#include "elementen.h"
#include "invoervak.h"
#include "ui/dialogs.h"
#include "units.h"
#include "watermix.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Room for the icon and the buttons of a title bar beside its text (pixels).
constexpr int kTitelbalkRuimte = 160;

} // namespace

frmWaterSpoor::frmWaterSpoor(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmWaterSpoor");
    fraWaterSpoor = new QFrame(this);
    fraWaterSpoor->setObjectName("fraWaterSpoor");
    fraWaterSpoor->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(fraWaterSpoor);
    QList<InvoerBereik> bereiken;
    for (int positie : Elementen::Spoor)
        bereiken << BreedsteElementBereik(positie);
    const int boxWidth = InvoerBreedte(fraWaterSpoor, bereiken, twips(1200));
    auto* boxes = new InvoerVakFocus(this, [this](QLineEdit* box) {
        // Leaving the dialog takes the focus from its box; that is no edit to check.
        if (!m_closing)
            txtWaterSpoor_LostFocus(box->property("Index").toInt());
    });
    for (int i = 0; i < 6; ++i) {
        auto* label = lblWaterSpoor.add(i, new QLabel(ElementNaam(Elementen::Spoor[i]), fraWaterSpoor));
        auto* box = txtWaterSpoor.add(i, new QLineEdit(fraWaterSpoor));
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(boxWidth);
        box->setProperty("Index", i);
        boxes->watch(box);
        // Installed last, so the dialog sees a key before the box and its key filter do.
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, &frmWaterSpoor::edited);
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
    }
    cmdWaterSpoor = new QPushButton(this);
    cmdWaterSpoor->setObjectName("cmdWaterSpoor");
    // Enter moves on to the next box; only the button itself confirms.
    cmdWaterSpoor->setAutoDefault(false);
    connectAction(cmdWaterSpoor, &QPushButton::clicked, this, [this] { cmdWaterSpoor_Click(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraWaterSpoor);
    layout->addWidget(cmdWaterSpoor, 0, Qt::AlignRight);
}

void frmWaterSpoor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Load();
}

void frmWaterSpoor::Form_Load()
{
    m_closing = false;
    ShowStatusLang(MainWindow(), -1);
    SetLangStrings();
    if (QWidget* main = MainWindow())
        setWindowIcon(main->windowIcon());
    VulVelden();
    ZetAlleenLezen(WaterReadonly);
    ShowStatusLang(MainWindow(), 0);
}

void frmWaterSpoor::SetLangStrings()
{
    setWindowTitle(GetLangStr(52100000) + " " + ExtraCaption);
    SetCaptionLang(cmdWaterSpoor, 52100001);
    // Wide enough for the whole title beside the title bar's icon and buttons,
    // in the bold face that title bars often use.
    QFont titel = font();
    titel.setBold(true);
    setMinimumWidth(QFontMetrics(titel).horizontalAdvance(windowTitle()) + kTitelbalkRuimte);
}

void frmWaterSpoor::VulVelden()
{
    for (int i = 0; i < 6; ++i) {
        m_shown[i] = FormatNumber(WaterSpoor[i + 1], 2);
        txtWaterSpoor[i]->setText(m_shown[i]);
        m_typed[i] = false;
    }
}

void frmWaterSpoor::LeesVelden()
{
    // Only what the user typed: a box read back unchanged would return its rounded text.
    for (int i = 0; i < 6; ++i)
        if (m_typed[i])
            WaterSpoor[i + 1] = NzValue(txtWaterSpoor[i]->text(), NzType::Single).toFloat();
}

void frmWaterSpoor::ZetAlleenLezen(bool flag)
{
    for (int i = 0; i < 6; ++i) {
        txtWaterSpoor[i]->setReadOnly(flag);
        txtWaterSpoor[i]->setFocusPolicy(flag ? Qt::NoFocus : Qt::StrongFocus);
    }
    if (flag)
        cmdWaterSpoor->setFocus();
    else
        txtWaterSpoor[0]->setFocus();
}

void frmWaterSpoor::cmdWaterSpoor_Click()
{
    // A box still in focus has not had its leaving handled.
    for (int i = 0; i < 6; ++i)
        if (txtWaterSpoor[i]->isModified())
            txtWaterSpoor_LostFocus(i);
    LeesVelden();
    accept();
}

void frmWaterSpoor::txtWaterSpoor_LostFocus(int index)
{
    QLineEdit* box = txtWaterSpoor[index];
    if (!box->isModified())
        return;
    const QString text = box->text();
    const InvoerBereik bereik = ElementBereik(Elementen::Spoor[index]);
    double value = 0;
    const InvoerFout fout = LeesInvoer(text, bereik, value);
    if (fout != InvoerFout::Geen) {
        box->setText(m_shown[index]);
        MessageBox::show(InvoerMelding(lblWaterSpoor[index]->text(), fout, text, bereik), MsgBox::Exclamation);
        return;
    }
    m_shown[index] = FormatNumber(value, 2);
    box->setText(m_shown[index]);
    m_typed[index] = true;
}

void frmWaterSpoor::done(int result)
{
    m_closing = true;
    QDialog::done(result);
}

bool frmWaterSpoor::Form_KeyPress(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter moves on to the next box; only the button confirms.
        focusNextChild();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return false;
    }
}

void frmWaterSpoor::keyPressEvent(QKeyEvent* event)
{
    if (!Form_KeyPress(event))
        QDialog::keyPressEvent(event);
}

bool frmWaterSpoor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched))
        return Form_KeyPress(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}
