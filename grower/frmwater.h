#pragma once

#include "stepwindow.h"
#include "watermix.h"

class InvoerVakFocus;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The water step: up to three water sources with their shares, entered as
// quick-entry readings or as a full analysis in the display unit, and their
// mix in a read-only line. The sources are stored in WATER, one row per source.
// A box's index is 10 · field + line: lines 0, 1, 2 are the sources, 7 the mix.
class frmWater : public StepWindow {
    Q_OBJECT
public:
    explicit frmWater(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu5"; }
    bool s_Save() override { return PutData(); }

    qint16 WaterInputType = WaterInvoer::Snel;
    WaterRecords WaterAnalyses; // 0 the mix, 1..3 the sources

    ControlArray<QLineEdit> txtWater{"txtWater"};
    ControlArray<QLabel> lblWater{"lblWater"};
    ControlArray<QToolButton> cmdwater{"cmdwater"};
    ControlArray<QLabel> lblcmdWater{"lblcmdWater"};
    ControlArray<QLabel> lblVeld{"lblVeld"}; // field captions: 100 + field above the sources, 200 + field above the mix
    QComboBox* cboWater = nullptr;
    QFrame* fraWater = nullptr;

    void cboWater_Click();
    void cmdwater_Click(int index);

protected:
    void cmdControl_Click(int index) override;
    bool queryUnload() override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void LeesWater();
    bool PutData();
    void SetLangStrings();
    // Places of the grid (twips), measured from the font and the values the boxes take.
    struct Rooster {
        int kop = 2000;
        int aandeelLinks = 2120;
        int aandeel = 500;
        int waarden = 2900; // the first value box, or the class label in quick entry
        int element = 700;
        int aflezing = 600;
        int elementLinks(int field) const;
        int snelLinks(int field) const;
    };
    Rooster MeetRooster() const;
    void BouwRooster();
    void MakeTextBox(int index, int left, int top, int width, bool tabStop);
    void ToonVeld(int index);
    bool LeesVeld(int index);
    void ResetBereken();
    void ToonAlleVelden();
    void LeesGewijzigdeVelden();
    void txtWater_LostFocus(int index);

    // The mix, colours and checks of the sources.
    void Herbereken(int index);
    void BerekenMengwater();
    bool ControleerPercentage();
    void ToonMengwater();
    void ZetWaterKlasse(int index);
    bool MagVerlaten();

    bool m_loaded = false; // the rows could be read; without them nothing is stored
    InvoerVakFocus* m_boxes = nullptr;
    QWidget* m_lastTab = nullptr; // the tab order follows the order in which the grid is built
};
