#pragma once

#include "adviesberekening.h"
#include "stepwindow.h"

class InvoerVakFocus;
class QCheckBox;
class QLabel;
class QLineEdit;

// The advice step: per element the crop's base target, the adjustment, the
// advised solution, the water as counted, the drain water as counted
// (recirculating systems) and the corrected target that the fertilisers must
// supply, in the display unit. For the working set it runs the advice chain
// and recomputes after every edit; a stored history set shows its stored
// advice and computes nothing. The advice is stored when the step is left.
//
// Rows 1 to 17 are the elements NH4 to Mo (row 10 the bicarbonate, or the
// acid in the corrected target); a value's index is column code + row, the
// column codes 20, 40, 60, 80, 100, 120 and 200 (the stored adjustment).
class frmAdvies : public StepWindow {
    Q_OBJECT
public:
    explicit frmAdvies(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu6"; }
    // Stores the advice of the working set; false when it could not.
    bool s_Save() override;

    // Recomputes the working set's advice after an edit and shows it again.
    void RecalcAdvies();
    void chkAdvies_Click();
    void cmdAdvies_Click();
    void lblAdvies_DblClick(int index);

    // Whether the working set's advice could be computed (forward needs it).
    bool isBerekend() const { return m_berekend; }

    AdviesBerekening Advies;
    ElementVector OpgeslagenAanpassing; // the adjustment last kept, shown in column 200
    qint16 LaatsteAmoniumKlasse = 0;    // the class whose text was shown last

    ControlArray<QLabel> lblAdvies{"lblAdvies"};
    ControlArray<QLineEdit> txtAdvies{"txtAdvies"};
    ControlArray<QFrame> fraAdvies{"fraAdvies"};
    QCheckBox* chkAdvies = nullptr;
    QPushButton* cmdAdvies = nullptr;

protected:
    void cmdControl_Click(int index) override;
    void Form_Activate() override;
    bool queryUnload() override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void MaakVasteVelden();
    void SetLangStrings();
    void BouwRooster();
    void VerwijderRooster();
    void MaakVak(int index, int left, int top, int width);
    void ToonWaarden();
    void ToonKolom(int code, const ElementVector& v);
    void ToonRecirculatie();
    bool Bereken();
    bool BewaarAdvies();
    void CheckAdvies(bool quiet);
    void ShowAdviesWarning(qint16 klasse);
    void txtAdvies_LostFocus(int index);
    bool LeesVak(int index);
    void LeesGewijzigdeVakken();
    bool Werkset() const;

    bool m_berekend = false;
    bool m_opgeslagen = false; // the advice on screen is the one stored
    bool m_aanpassingZichtbaar = false;
    InvoerVakFocus* m_vakken = nullptr; // the value boxes: numeric keys, selected on entry, read when left
};
