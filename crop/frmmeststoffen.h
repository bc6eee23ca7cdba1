#pragma once

#include "meststofselectie.h"
#include "stepwindow.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The fertiliser choice: one fertiliser per element, chosen through the
// search table, on a macro page (11 rows) and a micro page (7 rows) of one
// window. The page is appState().ElementType; the wizard turns it and the
// window stays until the wizard leaves it. A stored history set shows the
// texts saved with it and cannot be edited.
//
// Row r shows its element in lblMeststoffen(r), the fertiliser's name in
// 20 + r and its composition in 40 + r, 60 + r and 80 + r; cmdMeststoffen(r)
// chooses and 20 + r clears it.
class frmMeststoffen : public StepWindow {
    Q_OBJECT
public:
    explicit frmMeststoffen(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu3"; }
    // Stores the page shown; a stored history set is not written.
    bool s_Save() override;

    // The page the window shows (the value ElementType had when it was loaded).
    qint16 pagina() const { return m_pagina; }

    ControlArray<QLabel> lblMeststoffen{"lblMeststoffen"};
    ControlArray<QToolButton> cmdMeststoffen{"cmdMeststoffen"};
    QComboBox* cboMeststoffen = nullptr;
    QLineEdit* txtMeststoffen = nullptr;
    QFrame* fraMeststoffen = nullptr;

    void cmdMeststoffen_Click(int index);
    void cboMeststoffen_Click();

protected:
    void cmdControl_Click(int index) override;
    void Form_Activate() override;
    bool queryUnload() override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bouwRijen();
    void Form_Load();
    void Form_KeyDown();
    // Shows the page ElementType names: captions, rows and what is stored for it.
    void LaadPagina();
    void SetLangStrings();
    void LayoutPage();
    void plaatsFrame();
    void LoadSelectie();
    void LoadHistorieMest();
    void ZetFilter(qint16 filter);
    void FilterBeschikbaar();
    qint32 ZoekMeststof(int rij);
    void KiesMeststof(int rij);
    void WisMeststof(int rij);
    void ShowMeststof(int rij);
    void CheckKGl(bool melding);
    bool isTweedeBron(int rij) const;
    int aantalRijen() const;
    MestSlot& slot(int rij) { return m_slots[m_pagina][rij]; }

    qint16 m_pagina = MestPagina::Macro;
    qint16 m_filter = 0; // the product-line filter: 0 every fertiliser, 1 only the product line
    std::array<std::array<MestSlot, 11>, 2> m_slots{};
    bool m_geladen = false; // the page's choice could be read; without it nothing is stored
    bool m_gesloten = false;
};
