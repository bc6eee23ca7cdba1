#pragma once

#include "bigbagmengsels.h"
#include "stepwindow.h"

class HoverTimer;
class QLabel;
class QTableView;
class QTimer;

// The big-bag step between the advice and the stock-tank composition (when
// the grower works with extra big bags): two blends of product-line
// fertilisers, each up to 20 lines in its own grid with an amount per line
// and the blend's total weight beneath. The blends of the working set are
// stored when the step is left and changed; the composition takes them off
// the tanks. A stored history set shows its blends read-only.
//
// cmdEbb 0 and 1 add a fertiliser to blend 1 and 2, 4 clears both blends,
// 5 prints them; grdEbb 0 and 1 are the grids, lblEbb 1 and 2 their
// headings, 3 and 4 the total labels, 190 and 290 the totals; fraEbb 1 holds
// the blends, fraEbb 2 the clear and print buttons beneath them.
class frmExtraBigBag : public StepWindow {
    Q_OBJECT
public:
    explicit frmExtraBigBag(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu6"; }
    // Stores the working set's blends when they changed; false when they could not be stored.
    bool s_Save() override;

    // Searches a coupled fertiliser and adds it to blend 1 or 2.
    void PickMeststofQuery(int mengsel);
    void cmdEbb_Click(int index);

    BigBagMengsels Mengsels;
    qint16 Koppeling = 1; // coupling number of the searches

    ControlArray<QFrame> fraEbb{"fraEbb"};
    ControlArray<QPushButton> cmdEbb{"cmdEbb"};
    ControlArray<QLabel> lblEbb{"lblEbb"};
    ControlArray<QTableView> grdEbb{"grdEbb"};
    QTimer* tmrEbb = nullptr;

protected:
    void Form_Activate() override;
    bool queryUnload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void MaakVelden();
    void PlaatsVelden(int naamBreedte);
    void SetLangStrings();
    void LaadMengsels();
    void Leegmaken();
    void Afdrukken();
    void VernieuwRoosters();
    void ToonTotalen();
    QVariant LeesCel(int mengsel, int rij, int kolom, int role) const;
    bool SchrijfCel(int mengsel, int rij, int kolom, const QVariant& waarde);
    bool Bewerkbaar() const;

    HoverTimer* m_hover = nullptr;
    int m_naamBreedte = 0;    // twips
    bool m_gelezen = false;   // the stored blends were read; without them nothing is stored
    bool m_gewijzigd = false; // the blends differ from the stored ones
};
