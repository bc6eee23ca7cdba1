#pragma once

#include "records.h"
#include "stepwindow.h"

class QGroupBox;
class QLabel;
class QLineEdit;

// The editor of the grower's own crops: one crop at a time with its code,
// its name in the current language and its standard solution, stepped
// through, searched, added and deleted. The solution must balance (cation
// sum against anion sum) before any button does its work. The menu opens it;
// forward and back are off.
//
// Boxes txtTeelt: 1000 code, 1001 name, 1 to 15 NH4 to Mo in the display
// unit, 16 the EC estimate, 17 the cation sum, 18 the anion sum.
// Buttons cmdTeelt: 0 previous, 1 next, 2 new, 3 delete, 4 close, 5 search.
class frmEigenTeelt : public StepWindow {
    Q_OBJECT
public:
    explicit frmEigenTeelt(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu1"; }
    // Stores the crop on screen; false when it was not stored (the user has been told).
    bool s_Save() override { return SaveCrop(); }

    ControlArray<QLineEdit> txtTeelt{"txtTeelt"};
    ControlArray<QLabel> lblTeelt{"lblTeelt"};
    ControlArray<QPushButton> cmdTeelt{"cmdTeelt"};
    ControlArray<QGroupBox> fraTeelt{"fraTeelt"};
    // The units above the macro elements (0) and the trace elements (1).
    ControlArray<QLabel> lblEenheid{"lblEenheid"};

    // The crop on screen: its code, 0 when there was none at loading, -1 for a new crop.
    qint16 HuidigeCode() const { return m_code; }
    // The sums disagree: every button only checks them again.
    bool BalansUit() const { return m_balansUit; }

protected:
    void cmdControl_Click(int index) override;
    void Form_Activate() override;
    bool queryUnload() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void MakeElementGrid(QGroupBox* frame);
    void Form_Load();
    void SetLangStrings();

    void ShowCrop();
    void ToonVak(int index);
    void ToonSommen();
    void CheckBalance();
    void CalcEC();
    bool LeesVak(int index);
    bool VerwerkInvoer();
    void txtTeelt_LostFocus(int index);

    // Takes in what was typed; false when the button's own work must wait.
    bool KnopMagWerken();
    void cmdTeelt_Click(int index);
    bool BewaarWijzigingen();
    void PrevCrop();
    void NextCrop();
    void ClearFields();
    void DeleteCrop();
    void SearchCrop();
    bool SaveCrop();

    int vakIndex(QObject* object) const;

    qint16 m_code = 0;
    ElementVector m_oplossing; // the solution on screen, in mmol per litre
    bool m_balansUit = false;
    bool m_loaded = false;    // the crops could be read; without them nothing is edited
    bool m_activeren = false; // the window is becoming the active one
};
