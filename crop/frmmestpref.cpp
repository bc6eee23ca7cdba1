#include "frmmestpref.h"

#include "general.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

frmMestPref::frmMestPref(QWidget* parent) : StepWindow(parent, Kind::MenuOnly)
{
    setObjectName("frmMestPref");
    QFrame* frame = fraMestPref.add(0, new QFrame(this));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(6);
    lstMestFref = new QListWidget(frame);
    lstMestFref->setObjectName("lstMestFref");
    lstMestFref->setMinimumSize(380, 420);
    grid->addWidget(lstMestFref, 0, 0, 1, 3);
    for (int index : {0, 1}) {
        auto* button = cmdMestPref.add(index, new QPushButton(frame));
        grid->addWidget(button, 1, index);
        connectAction(button, &QPushButton::clicked, this, [this, index] { cmdMestPref_Click(index); });
    }
    cmdMestPref[0]->setText("Alles -");
    cmdMestPref[1]->setText("Alles +");
    grid->setColumnStretch(2, 1);
    Form_Load();
}

void frmMestPref::Form_Load()
{
    Bezig bezig(-1);
    SetLogoButtons(this);
    RunUserAction([this] {
        FillPrefList();
        m_loaded = true;
    });
    SetLangStrings();
    fraMestPref[0]->setEnabled(m_loaded);
    fraMestPref[0]->adjustSize();
}

void frmMestPref::SetLangStrings()
{
    setWindowTitle(GetLangStr(850000000));
    if (SetCaptionLang(cmdMestPref, 0, 850400000) != 0 || SetCaptionLang(cmdMestPref, 1, 850400100) != 0)
        return;
    SetCaptionLang(cmdControl, 1, 10101000);
}

void frmMestPref::FillPrefList()
{
    lstMestFref->clear();
    m_opgeslagen = MestPrefLijst::Lees();
    for (const MestPref& m : std::as_const(m_opgeslagen)) {
        auto* item = new QListWidgetItem(m.Naam, lstMestFref);
        item->setData(Qt::UserRole, int(m.Code));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m.Aan ? Qt::Checked : Qt::Unchecked);
    }
    if (lstMestFref->count() > 0)
        lstMestFref->setCurrentRow(0);
}

void frmMestPref::cmdMestPref_Click(int index)
{
    const Qt::CheckState stand = index == 1 ? Qt::Checked : Qt::Unchecked;
    for (int row = 0; row < lstMestFref->count(); ++row)
        lstMestFref->item(row)->setCheckState(stand);
    if (lstMestFref->count() > 0)
        lstMestFref->setCurrentRow(0);
}

QList<MestPref> frmMestPref::Lijst() const
{
    QList<MestPref> lijst;
    for (int row = 0; row < lstMestFref->count(); ++row) {
        const QListWidgetItem* item = lstMestFref->item(row);
        MestPref m;
        m.Code = qint16(item->data(Qt::UserRole).toInt());
        m.Naam = item->text();
        m.Aan = item->checkState() == Qt::Checked;
        lijst << m;
    }
    return lijst;
}

bool frmMestPref::SavePrefList()
{
    const QList<MestPref> lijst = Lijst();
    const auto zelfde = [](const MestPref& a, const MestPref& b) { return a.Code == b.Code && a.Aan == b.Aan; };
    if (std::equal(lijst.begin(), lijst.end(), m_opgeslagen.begin(), m_opgeslagen.end(), zelfde))
        return true;
    bool kopie = false;
    if (!SchrijfMetMelding(850900000, [&] {
            kopie = MestPrefLijst::Schrijf(lijst);
            return true;
        }))
        return false;
    m_opgeslagen = lijst;
    // The grower's list is stored; only the searches lag behind until the next start.
    if (!kopie)
        MessageBox::show(GetLangStr(850900100), MsgBox::Exclamation);
    return true;
}

void frmMestPref::Form_Activate()
{
    fraMestPref[0]->show();
    fraControl->show();
    // The keyboard starts in the list, where Space ticks and unticks.
    lstMestFref->setFocus();
}

bool frmMestPref::queryUnload()
{
    // A list that could not be read is not written over.
    return !m_loaded || SavePrefList();
}

void frmMestPref::resizeEvent(QResizeEvent* event)
{
    StepWindow::resizeEvent(event);
    if (isShownMinimized())
        return;
    QFrame* frame = fraMestPref[0];
    const QSize outer = OuterSize(this);
    frame->move(std::max(0, outer.width() / 2 - frame->width() / 2 - twips(60)),
                std::max(0, outer.height() / 2 - frame->height() / 2 - twips(450)));
}
