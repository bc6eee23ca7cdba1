#pragma once

#include "bestelrecord.h"
#include "printregels.h"
#include "stepwindow.h"

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;

// The last step of the wizard, reached forward from the stock-tank
// composition, which hands it its fertiliser lines: the advice report is
// printed from here, the recipe ordered from the grower's dealer, and the
// whole working set saved as a new history set. In a stored history set only
// printing is possible.
//
// Frames and their controls, by index:
//   fraMP 0  the order's address: lblMP 100..104 captions, 110..114 name,
//            street, postcode, town and telephone; cmdMP 0 closes the window
//   fraMP 1  the report: lblMP 200 and txtMP 200 the remark, cmdMP 200 prints
//   fraMP 2  the order, product-line mode only: lblMP 300..302 and txtMP
//            300..302 the counts of tank A, tank B and C, lblMP 310..312
//            after them; cmdMP 300 orders
//   fraMP 3  the history: lblMP 400 and txtMP 400 the description, cmdMP 400
//            saves
class frmMailPrint : public StepWindow, public PrintRegelsOntvanger {
    Q_OBJECT
public:
    explicit frmMailPrint(QWidget* parent = nullptr);

    // The step leaves the main menu as the composition step left it.
    QString menuToolKey() const override { return {}; }
    // Nothing to store on forward or back.
    bool s_Save() override { return true; }

    // PrintMeststof and PrintMeststofEBB of the composition step.
    void ZetPrintRegels(std::shared_ptr<PrintRegels> regels) override;
    const PrintRegels& printRegels() const { return *m_regels; }

    // The order's header as far as the window has filled it.
    const BestelRecord& bestelling() const { return m_bestel; }
    bool productLijn() const { return m_productLijn; }

    ControlArray<QPushButton> cmdMP{"cmdMP"};
    ControlArray<QLineEdit> txtMP{"txtMP"};
    ControlArray<QLabel> lblMP{"lblMP"};
    ControlArray<QGroupBox> fraMP{"fraMP"};

protected:
    void Form_Activate() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void SetLangStrings();
    void LeesBestelPartijen();
    void ToonAdres();
    void ZetBigBagIndeling();
    void ZetHistorieStand();
    void PasFramesAan();
    void PlaatsFrames();
    void cmdMP_Click(int index);
    void Afdrukken();
    void Bestellen();
    void BewaarHistorie();
    void BewaarAanpassing();

    std::shared_ptr<PrintRegels> m_regels = std::make_shared<PrintRegels>();
    BestelRecord m_bestel;
    bool m_productLijn = false;
    bool m_bigBag = false;
    bool m_partijenFoutGemeld = false; // the parties could not be read, and the user was told
    bool m_inKlik = false;             // a cmdMP click is being handled
};
