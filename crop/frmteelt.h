#pragma once

#include "invoergetal.h"
#include "stepwindow.h"
#include "teeltinstellingen.h"

class QComboBox;
class QLabel;
class QLineEdit;

// The wizard step between the fertiliser choice and the water analysis: the
// crop (a standard crop of the reference data or one of the grower's own),
// its growth stage, the growing system, the EC raise, the adjustment, the
// accounting of the standard EC and the tank, bag and concentration sizes of
// the grower's settings row. A stored history set is shown read-only.
//
// Boxes txtTeelt: 0 tank size, 1 concentration or bag size, 8 product-line
// tank size, 2 the crop's name, 3 to 7 the text chosen in cboTeelt 1 to 5.
// Lists cboTeelt: 0 standard or own crops (a choice opens the crop search),
// 1 stage, 2 growing system, 3 EC raise, 4 adjustment, 5 standard EC.
class frmTeelt : public StepWindow {
    Q_OBJECT
public:
    explicit frmTeelt(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu4"; }
    bool s_Save() override;

    ControlArray<QLabel> lblTeelt{"lblTeelt"};
    ControlArray<QLineEdit> txtTeelt{"txtTeelt"};
    ControlArray<QComboBox> cboTeelt{"cboTeelt"};
    QFrame* fraTeelt = nullptr;

    // The chosen crop; an own crop as its own code plus 1000.
    qint16 Code_Teelt = 0;
    // The adjustment as stored: 2 (by hand with the drain) has no entry of its own.
    qint16 Aanpassing = 0;
    // Product-line mode as read at loading: 1 the second size box is the bag size.
    qint16 MixoraMest = 0;

protected:
    void cmdControl_Click(int index) override;
    void Form_Activate() override;
    bool queryUnload() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void SetLangStrings();
    void VulLijsten();
    void LeesInstelling();
    void VulStadia();
    void cboTeelt_Click(int index);
    void KiesTeelt();
    void EigenTeeltSlot();
    void txtTeelt_GotFocus(int index);
    void txtTeelt_LostFocus(int index);
    // What a size box takes.
    InvoerBereik MaatBereik(int box) const;
    // The size in the box; false with the message that refuses it.
    bool LeesMaat(int box, qint16& waarde, QString& melding);
    int maatVak(QObject* object) const;

    // The row as read: what the window does not set is written back as it was.
    TeeltInstelling m_instelling;
    bool m_loaded = false;
    bool m_terug = false; // saving for back: a size that cannot be stored stays as stored
};
