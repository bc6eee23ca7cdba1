// Opening the fertiliser step on the default data (39 fertilisers) with every
// row of both pages chosen: the window shown on its macro page, then the turn
// to the micro page as the wizard does it. Prints medians.
#include "appstate.h"
#include "benchutil.h"
#include "frmmain.h"
#include "frmmeststoffen.h"
#include "programfixture.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QTemporaryDir>

namespace {

void addGrowerChoice()
{
    growerDb().execute("INSERT INTO MEST_Selectie (ID_ALG_Tuinder, ID_HISTORIE, NH4_Code, K_Code, Ca_Code, Mg_Code, "
                       "NO3_Code, Cl_Code, SO4_Code, H2PO4_Code, PBron_Code, PBron_Perc, ZuurLoog_Code, Si_Code, "
                       "Fe_Code, FeBron_Code, FeBron_Perc, Mn_Code, Zn_Code, B_Code, Cu_Code, Mo_Code) "
                       "VALUES (?, 0, 11, 22, 1, 6, 7, 13, 9, 4, 5, 30, 15, 24, 102, 101, 20, 105, 107, 109, 112, 114)",
                       {appState().ID_ALG_Tuinder});
}

frmMeststoffen* openStep()
{
    appState().ElementType = 0;
    auto* w = qobject_cast<frmMeststoffen*>(ShowStepWindow("frmMeststoffen"));
    QCoreApplication::processEvents();
    return w;
}

void closeStep(frmMeststoffen* w)
{
    w->s_Close();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterStepWindows();
    {
        ProgramFixture program;
        frmMain& main = *program.main();
        main.show();
        QCoreApplication::processEvents();
        addGrowerChoice();
        closeStep(openStep()); // warm-up: first use of the fonts and the queries

        report("open the fertiliser step (macro page)", medianMs(25, [] { closeStep(openStep()); }), "< 50 ms");

        frmMeststoffen* w = openStep();
        const double turn = medianMs(25, [w] {
            // Forward to the micro page and back again, each saving the page it leaves.
            w->cmdControl[0]->click();
            w->cmdControl[2]->click();
            QCoreApplication::processEvents();
        });
        report("turn to the micro page and back (two saves)", turn, "< 50 ms");
        closeStep(w);
    }
    resetAppState();
    return 0;
}
