// The program's start without the splash window, up to the main window shown
// with its menu, both databases open and the first grower taken. Prints
// "ready <peak KiB>" and ends.
#include "appstate.h"
#include "frmmain.h"
#include "startup.h"
#include "stepwindows.h"
#include "ui/widgetdialogs.h"

#include <QApplication>
#include <QTextStream>
#include <sys/resource.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zelvora");
    installWidgetDialogs();
    SetCommandLine(app.arguments().mid(1));
    StartUp();
    RegisterStepWindows();
    frmMain main;
    main.show();
    main.MDIForm_Activate();
    QCoreApplication::processEvents();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QTextStream(stdout) << "ready " << usage.ru_maxrss << Qt::endl;
    const bool ok = appState().dbT && appState().ID_ALG_Tuinder > 0;
    resetAppState();
    return ok ? 0 : 1;
}
