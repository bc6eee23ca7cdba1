// History on the default databases after the whole road of one tomato
// advice, driven forward from the grower data to the mail and print step:
// the median time to save the working set as a set, to list 1,000 sets, to
// open one set (the history window's open button until the stored recipe is
// on screen) and to delete one; and the peak memory after the road and a
// print of the advice report to PDF.
#include "appstate.h"
#include "benchutil.h"
#include "defaultstate.h"
#include "frmhistorie.h"
#include "frmmailprint.h"
#include "frmmain.h"
#include "frmprintpreview.h"
#include "historie.h"
#include "mdlzelvoraprint.h"
#include "programfixture.h"
#include "stepwindow.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "wizard.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <sys/resource.h>

namespace {

StepWindow* actief()
{
    auto* sub = MainWindow()->findChild<QMdiArea*>()->activeSubWindow();
    return sub ? qobject_cast<StepWindow*>(sub->widget()) : nullptr;
}

frmMailPrint* rijDeWeg()
{
    StepWindow* w = qobject_cast<StepWindow*>(ShowStepWindow("frmBedrijfGeg"));
    QCoreApplication::processEvents();
    // The grower's own data, as a new grower types them.
    const char* gegevens[] = {"K-1042", "Kwekerij 't Hof", "Naaldwijkseweg 12", "2691 RC", "'s-Gravenzande"};
    for (int i = 0; w && i < 5; ++i)
        w->findChild<QLineEdit*>("txtBedrijfGeg_" + QString::number(i))->setText(gegevens[i]);
    if (w)
        w->findChild<QComboBox*>("cboBedrijfGeg_5")->setCurrentIndex(11);
    for (int i = 0; w && i < 12 && !qobject_cast<frmMailPrint*>(w); ++i) {
        w->cmdControl[0]->click();
        QCoreApplication::processEvents();
        w = actief();
    }
    return qobject_cast<frmMailPrint*>(w);
}

void sluitAlles()
{
    for (QMdiSubWindow* sub : MainWindow()->findChild<QMdiArea*>()->subWindowList())
        sub->close();
    QCoreApplication::processEvents();
}

double mib(long kib)
{
    return kib / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    RegisterStepWindows();
    ProgramFixture program;
    program.main()->show();
    QCoreApplication::processEvents();
    AppState& s = appState();
    QTemporaryDir dir;
    if (!TestSupport::chooseTomatoExample()) {
        QTextStream(stderr) << "the tomato example could not be chosen\n";
        return 1;
    }

    frmMailPrint* w = rijDeWeg();
    if (!w) {
        QTextStream(stderr) << "the road stopped before the mail and print step: " << MessageBox::last().text << "\n";
        return 1;
    }
    const PrintRegels& r = w->printRegels();
    if (!PrintAdvies(r.PrintMeststof, nullptr, "bench", w->bestelling()) ||
        !frmPrintPreview::instance().writePdf(dir.filePath("advies.pdf"))) {
        QTextStream(stderr) << "the report was not printed\n";
        return 1;
    }
    rusage gebruik{};
    getrusage(RUSAGE_SELF, &gebruik);
    const double piek = mib(gebruik.ru_maxrss);
    sluitAlles();

    const qint32 tuinder = s.ID_ALG_Tuinder;
    int n = 0;
    report("save the working set to history (median of 50)",
           medianMs(50, [&] { Historie::Bewaar(tuinder, QString("set %1").arg(++n), QDate::currentDate()); }),
           "< 50 ms");
    while (n < 1000)
        Historie::Bewaar(tuinder, QString("set %1").arg(++n), QDate::currentDate());

    report("list 1,000 sets in the history window (median of 20)",
           medianMs(20,
                    [] {
                        ShowStepWindow("frmHistorie");
                        QCoreApplication::processEvents();
                        sluitAlles();
                    }),
           "< 100 ms");

    report("open a set until its recipe is shown (median of 20)",
           medianMs(20,
                    [] {
                        auto* h = qobject_cast<frmHistorie*>(ShowStepWindow("frmHistorie"));
                        QCoreApplication::processEvents();
                        MessageBox::setNextAnswer(MsgBox::Yes);
                        h->cmdHist[1]->click();
                        ShowStepWindow("frmSamenstel");
                        QCoreApplication::processEvents();
                        sluitAlles();
                    }),
           "< 50 ms");
    Historie::KiesSet(0);

    QList<HistorieSet> sets = Historie::Lijst(tuinder);
    report("delete one set (median of 50)", medianMs(50, [&] { Historie::Verwijder(tuinder, sets.takeFirst().ID); }),
           "< 50 ms");

    QTextStream(stdout)
        << QString("peak memory after the road and a print to PDF: %1 MiB (aim: < 60 MiB)\n").arg(piek, 0, 'f', 1);
    return 0;
}
