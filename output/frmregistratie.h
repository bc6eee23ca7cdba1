#pragma once

#include "registratie.h"
#include "stepwindow.h"

#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class RegistratieModel;

// The order register: the grower's registered orders over a period, summed
// per fertiliser or per nutrient element, with the orders of one fertiliser
// a double-click away and a printed list. Opened by the menu only: forward
// and back are off, stop closes it.
//
// Boxes txtRegistratie: 0 first day, 1 last day, 2 the chosen report's name.
// cboRegistratie 0 chooses the report (0 per fertiliser, 1 per element);
// cmdRegistratie prints.
class frmRegistratie : public StepWindow {
    Q_OBJECT
public:
    explicit frmRegistratie(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu1"; }

    ControlArray<QLabel> lblRegistratie{"lblRegistratie"};
    ControlArray<QLineEdit> txtRegistratie{"txtRegistratie"};
    ControlArray<QComboBox> cboRegistratie{"cboRegistratie"};
    ControlArray<QFrame> fraRegistratie{"fraRegistratie"};
    QPushButton* cmdRegistratie = nullptr;
    QTableView* grdRegistratie = nullptr;

    qint16 modus() const { return m_modus; }
    // The lines the grid shows.
    const QList<RegisterRij>& rijen() const { return m_rijen; }

protected:
    void Form_Activate() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void SetLangStrings();
    void EnsurePeriod();
    void Vernieuw();
    void ZetKolommen();
    void cboRegistratie_Click();
    void cmdRegistratie_Click();
    void grdRegistratie_DblClick();
    void txtRegistratie_GotFocus(int index);
    void txtRegistratie_LostFocus(int index);
    int datumVak(QObject* object) const;

    qint16 m_modus = Registratie::PerMeststof;
    QList<RegisterRij> m_rijen;
    // The period texts the grid's lines belong to: what the print shows.
    QString m_van;
    QString m_tot;
    RegistratieModel* m_model = nullptr;
    bool m_bezig = false;
};
