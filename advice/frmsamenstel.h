#pragma once

#include "printregels.h"
#include "samenstelling.h"
#include "stepwindow.h"

#include <memory>

class HoverTimer;
class QLabel;
class QTimer;

// The stock-tank composition step: per element the target the recipe is
// computed for, in the display unit, and the two tank columns A and B with
// the amount of every fertiliser. For the working set it computes the recipe
// once, from the advice of this run, and stores it; a stored history set
// shows its stored recipe. Going forward hands the fertiliser lines on to the
// mail and print step. Nothing on it can be edited.
//
// Labels: 10..26 the element names of the grid, 30..46 their values; 100 and
// 200 the tank headers; 100+n, 120+n, 140+n name, amount and unit of line n
// of tank A (200+n... of tank B); 114 the sub-header of the silicon line; 999
// the warning of unmet elements and negative amounts; 998 why the recipe
// cannot go on (no advice, a failed calculation, a line without a tank); 300
// and 400 the headers of the two big-bag blends, 300+n, 320+n, 340+n line n
// of blend 1 (400+n... of blend 2).
class frmSamenstel : public StepWindow {
    Q_OBJECT
public:
    explicit frmSamenstel(QWidget* parent = nullptr);

    // Whether there is a recipe to show: a stored set, or the working set
    // once this run has its advice. Says why not, so that no empty window
    // opens only to refuse the way forward.
    static bool KanOpenen();

    QString menuToolKey() const override { return "mnu7"; }
    // Nothing to store: the recipe is stored when it is computed.
    bool s_Save() override { return true; }

    // Whether a recipe is shown (computed or loaded) that may be taken forward.
    bool heeftResultaat() const { return m_heeftResultaat; }
    // What blocks the way forward besides the warning label; "" when nothing does.
    QString blokkade() const { return m_blokkade; }

    BerekenInstellingen Instellingen; // Concentratie: the concentration the headers show
    Samenstelling Resultaat;
    std::shared_ptr<PrintRegels> Regels; // PrintMeststof and PrintMeststofEBB

    ControlArray<QLabel> lblSamenstel{"lblSamenstel"};
    ControlArray<QFrame> fraSamenstel{"fraSamenstel"};
    QTimer* tmrSamenstel = nullptr;

protected:
    void cmdControl_Click(int index) override;
    void Form_Activate() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void LaadResultaat();
    void BouwRooster();
    void SetLangStrings();
    void ShowSamenstelling();
    void ToonRooster();
    void PlaatsRooster();
    int breedte() const; // of both frames, in twips
    void ToonKoppen();
    void ToonTankRegels();
    void MaakRegel(const TankRegel& regel);
    void LaadBigBag();
    void ToonBigBag();
    int BigBagTop() const;
    void Blokkeer(const QString& tekst);
    void PasFramesAan();
    void Form_KeyPress();
    void GeefRegelsDoor();

    bool m_heeftResultaat = false;
    bool m_waarschuwing = false; // label 999: an unmet element or a negative amount
    QString m_blokkade;
    int m_hoogsteRegel = 0;
    int m_bigBagRegels = 0;
    int m_kolom = 670;     // a column of the grid, in twips
    int m_naam = 3500;     // the names of the tank lines, in twips
    bool m_actief = false; // this step is the active one since its last activation
    HoverTimer* m_hover = nullptr;
};
