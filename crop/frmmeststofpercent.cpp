#include "frmmeststofpercent.h"

#include "general.h"
#include "generalui.h"
#include "invoergetal.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// A share: none to all of the element.
constexpr InvoerBereik kPercentage{0, 100, 0, false};

} // namespace

frmMeststofPercent::frmMeststofPercent(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmMeststofPercent");
    auto* prompt = lblMeststofPercent.add(1, new QLabel(this));
    prompt->setWordWrap(true);
    prompt->setMinimumWidth(320);
    txtMeststofPercent = new QLineEdit(this);
    txtMeststofPercent->setObjectName("txtMeststofPercent");
    txtMeststofPercent->setAlignment(Qt::AlignRight);
    txtMeststofPercent->setFixedWidth(twips(1200));
    txtMeststofPercent->setMaxLength(12);
    txtMeststofPercent->installEventFilter(new KeyAsciiFilter(txtMeststofPercent, 1));
    txtMeststofPercent->installEventFilter(this);
    cmdMeststofPercent = new QPushButton(this);
    cmdMeststofPercent->setObjectName("cmdMeststofPercent");
    cmdMeststofPercent->setDefault(true);
    connectAction(cmdMeststofPercent, &QPushButton::clicked, this, [this] { cmdMeststofPercent_Click(); });

    auto* invoer = new QHBoxLayout;
    invoer->addWidget(txtMeststofPercent);
    invoer->addStretch();
    invoer->addWidget(cmdMeststofPercent);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(invoer);
}

void frmMeststofPercent::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Load();
}

void frmMeststofPercent::Form_Load()
{
    Bezig bezig(-1);
    SetLangStrings();
    if (QWidget* main = MainWindow())
        setWindowIcon(main->windowIcon());
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    txtMeststofPercent->setText(locale.toString(double(ElementPerc), 'f', 1));
    txtMeststofPercent->setFocus();
    adjustSize();
}

void frmMeststofPercent::SetLangStrings()
{
    setWindowTitle(GetLangStr(tekstBasis()));
    SetCaptionLang(cmdMeststofPercent, tekstBasis() + 1);
    SetCaptionLang(lblMeststofPercent, 1, tekstBasis() + 2);
}

void frmMeststofPercent::cmdMeststofPercent_Click()
{
    // A "%" behind the number only repeats the unit the prompt asks in.
    QString tekst = txtMeststofPercent->text().trimmed();
    if (tekst.endsWith('%'))
        tekst = tekst.chopped(1);
    double waarde = 0;
    const InvoerFout fout = LeesInvoer(tekst, kPercentage, waarde);
    if (fout == InvoerFout::Geen) {
        ElementPerc = float(waarde);
        accept();
        return;
    }
    // Letters or a share outside 0..100 would split the element wrongly; the typing stays to be corrected.
    // The dialog's one box is named by its title, the element's second source.
    MessageBox::show(InvoerMelding(windowTitle(), fout, tekst, kPercentage), MsgBox::Exclamation);
    txtMeststofPercent->setFocus();
    txtMeststofPercent->selectAll();
}

void frmMeststofPercent::txtMeststofPercent_GotFocus()
{
    SelectAllOnceFocused(txtMeststofPercent);
}

bool frmMeststofPercent::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtMeststofPercent && event->type() == QEvent::FocusIn)
        txtMeststofPercent_GotFocus();
    return QDialog::eventFilter(watched, event);
}
