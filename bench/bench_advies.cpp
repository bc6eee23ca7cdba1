// The advice step as a grower meets it, on the default databases with a
// water analysis and a drain analysis: forward on the water step until the
// advice is shown, and one recomputation after a typed adjustment.
#include "appstate.h"
#include "benchutil.h"
#include "frmadvies.h"
#include "frmmain.h"
#include "programfixture.h"
#include "stepwindows.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>

namespace {

void settings()
{
    for (auto [name, value] :
         {std::pair{"Code_Teelt", 1}, {"TeeltSysteem", 0}, {"Aanpassing", 1}, {"WaterInputType", 1}})
        PutTeeltInstelling(name, value, InstellingMode::Number);
    growerDb().execute("INSERT INTO WATER (ID_ALG_Tuinder, ID_HISTORIE, Type, Perc, K, Ca, Mg, Cl, SO4, HCO3, Si) "
                       "VALUES (?, 0, 1, 100, 0.1, 1.2, 0.4, 0.9, 0.3, 2.3, 0.3)",
                       {appState().ID_ALG_Tuinder});
    WaterRecord& drain = appState().DrainAnalyse;
    drain.Elementen.K = 8;
    drain.Elementen.Ca = 6;
    drain.Elementen.NO3 = 20;
    drain.Elementen.EC = 3.2f;
    drain.Ph = 6.2f;
}

void close(QWidget* w)
{
    qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterStepWindows();
    ProgramFixture program;
    program.main()->show();
    if (!QTest::qWaitForWindowExposed(program.main()))
        qFatal("the main window is not shown");
    settings();
    appState().UnitID = 3;

    constexpr int runs = 30;
    // The forward press alone: the water step is opened and the advice closed outside the timing.
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto* water = qobject_cast<StepWindow*>(ShowStepWindow("frmWater"));
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        water->cmdControl[0]->click();
        QCoreApplication::processEvents();
        times.push_back(t.nsecsElapsed() / 1e6);
        close(OpenStepWindow("frmAdvies"));
    }
    std::sort(times.begin(), times.end());
    report("forward on the water step to the advice shown", times[times.size() / 2], "under 30 ms");

    auto* advies = qobject_cast<frmAdvies*>(ShowStepWindow("frmAdvies"));
    QCoreApplication::processEvents();
    QLineEdit* k = advies->txtAdvies[42];
    times.clear();
    float gecorrigeerdK = -1;
    for (int i = 0; i < runs; ++i) {
        k->setFocus();
        k->selectAll();
        QTest::keyClicks(k, QString::number(10 * (i % 5))); // ppm
        QElapsedTimer t;
        t.start();
        QTest::keyClick(k, Qt::Key_Tab); // leaving the box recomputes
        times.push_back(t.nsecsElapsed() / 1e6);
        if (appState().StreefGecorrigeerd.K == gecorrigeerdK)
            qFatal("the typed adjustment was not taken up");
        gecorrigeerdK = appState().StreefGecorrigeerd.K;
    }
    std::sort(times.begin(), times.end());
    report("one recomputation after a typed adjustment", times[times.size() / 2], "under 10 ms");
    close(advies);
    return 0;
}
