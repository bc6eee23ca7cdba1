#pragma once

#include "stepwindow.h"

struct Afleveradres;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The first step of the wizard: the grower's address, the chosen one of the
// grower's nine delivery addresses and the grower's dealer. The delivery
// address and the dealer are shown only in product-line mode, which Ctrl+M
// switches on and off.
class frmBedrijfGeg : public StepWindow {
    Q_OBJECT
public:
    explicit frmBedrijfGeg(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu2"; }
    bool s_Save() override;

    ControlArray<QGroupBox> fraBedrijfGeg{"fraBedrijfGeg"};
    ControlArray<QLineEdit> txtBedrijfGeg{"txtBedrijfGeg"};
    ControlArray<QComboBox> cboBedrijfGeg{"cboBedrijfGeg"};
    ControlArray<QLabel> lblBedrijfGeg{"lblBedrijfGeg"};

protected:
    void cmdControl_Click(int index) override;
    bool queryUnload() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildFrame(int frame, const QList<int>& boxes);
    void buildTabOrder();

    void Form_Load();
    void Form_Activate() override;
    void Form_KeyDown();
    void cboBedrijfGeg_Click(int index);
    void txtBedrijfGeg_Change(int index);
    void txtBedrijfGeg_GotFocus(int index);
    void txtBedrijfGeg_LostFocus(int index);

    void SetLangStrings();
    void VulLanden(int index);
    void LeesTuinder();
    void LeesAfleveradressen();
    void VulAdresCombo(qint32& id, bool& found);
    void LeesAfleveradres();
    void LeesHandelaar(qint16 code);
    bool ControleerVerplicht();
    bool ControleerBestelVelden(int first, int last);
    bool PutData();
    void SchrijfAfleveradres();
    Afleveradres AdresUitVakken() const;

    void markBox(int index);
    void showProductLineFrames(bool on);
    // Places the frames by the window's size and the frames that show.
    void Form_Resize();
    int boxIndexOf(QObject* object) const;

    bool m_adresChanged = false;
    qint32 m_ID_ALG_Afleveradres = 0;
    qint16 m_Code_ALG_Handelaar = 0;
};
