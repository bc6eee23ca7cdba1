#pragma once

#include "historie.h"
#include "stepwindow.h"

#include <QList>

class QTableView;
class RegistratieModel;

// The grower's stored history sets, newest first: one is opened in place of
// the working set (every step then shows its stored rows read-only), the
// working set taken back, or a set deleted with all its rows. Opened by the
// menu only: forward and back are off, stop closes it.
//
// cmdHist 0 deletes the chosen set, 1 opens it, 2 returns to the working
// set. fraHist 0 holds the grid grdHist, fraHist 1 the buttons below it.
class frmHistorie : public StepWindow {
    Q_OBJECT
public:
    explicit frmHistorie(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu1"; }

    ControlArray<QPushButton> cmdHist{"cmdHist"};
    ControlArray<QFrame> fraHist{"fraHist"};
    QTableView* grdHist = nullptr;

    // The sets the grid lists.
    const QList<HistorieSet>& sets() const { return m_sets; }

protected:
    void Form_Activate() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void SetLangStrings();
    void Vernieuw();
    void cmdHist_Click(int index);
    void Verwijder();
    void Open();
    void TerugNaarWerkset();
    bool SluitAndereStappen();
    // The set of the grid's current row; null when the list is empty.
    const HistorieSet* HuidigeSet() const;

    QList<HistorieSet> m_sets;
    RegistratieModel* m_model = nullptr;
};
