// Opening the crop step on the default data: the main window loaded with the
// grower taken and tomato with its stages chosen, then the step window shown
// from the menu (and closed again between the runs). Prints the median.
#include "appstate.h"
#include "benchutil.h"
#include "frmmain.h"
#include "programfixture.h"
#include "stepwindows.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QMdiSubWindow>

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
        PutTeeltInstelling("Code_Teelt", 1, InstellingMode::Number);
        PutTeeltInstelling("BakGrootte", 1000, InstellingMode::Number);

        // Only the opening is timed; each run closes the window again before the next.
        std::vector<double> times;
        for (int run = 0; run < 25; ++run) {
            QElapsedTimer t;
            t.start();
            main.barMain_Click("mnu4");
            QCoreApplication::processEvents();
            times.push_back(t.nsecsElapsed() / 1e6);
            QWidget* w = OpenStepWindow("frmTeelt");
            if (!w)
                return 1; // the step did not open
            qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
            QCoreApplication::processEvents();
        }
        std::sort(times.begin(), times.end());
        report("crop step opened from the menu", times[times.size() / 2], "under 50 ms");
    }
    resetAppState();
    return 0;
}
