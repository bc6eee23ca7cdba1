#pragma once

#include "stepwindow.h"

class InvoerVakFocus;
class QCheckBox;
class QLabel;
class QLineEdit;

// The drain step: the drain-water analysis in the display unit, its EC and
// pH, and whether the advice is adjusted by hand. The window edits the shared
// DrainAnalyse; MAT gets a copy when the step is left, so that the history can
// keep it and a later run finds it again.
// Box index = 10 · column + row: row 0 the main elements (40 NH4 .. 140 Si),
// row 1 the trace elements (41 Fe .. 91 Mo), row 2 EC (42) and pH (52).
class frmDrain : public StepWindow {
    Q_OBJECT
public:
    explicit frmDrain(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu5"; }
    bool s_Save() override;

    ControlArray<QLineEdit> txtDrain{"txtDrain"};
    ControlArray<QLabel> lblDrain{"lblDrain"};
    QCheckBox* chkdrain = nullptr;
    QFrame* fraDrain = nullptr;

protected:
    void cmdControl_Click(int index) override;
    bool queryUnload() override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void LeesDrain();
    bool SchrijfDrain();
    void SetLangStrings();
    void BouwRooster();
    void MakeTextBox(int index, int left, int top, int width);
    void ToonVeld(int index);
    bool LeesVeld(int index);
    void ToonWaarschuwing(int index);
    void txtDrain_LostFocus(int index);
    void LeesGewijzigdeVelden();

    QString m_hco3Warning;
    QString m_balanceWarning;
    InvoerVakFocus* m_boxes = nullptr;
};
