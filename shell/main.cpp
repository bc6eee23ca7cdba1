// Start of the program: start-up, then the splash window or the main window.
#include "appstate.h"
#include "frmsplash.h"
#include "instanceguard.h"
#include "program.h"
#include "startup.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "ui/widgetdialogs.h"
#include "windowhelpers.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zelvora");
    QApplication::setApplicationVersion(ZELVORA_VERSION);
    installWidgetDialogs();
    SetCommandLine(app.arguments().mid(1));

    bool splash = true;
    try {
        splash = StartUp();
    } catch (const AppError& e) {
        MessageBox::show("Zelvora kan niet starten. / Zelvora cannot start.\n\n" + e.description(), MsgBox::Critical,
                         "Zelvora");
        return 1;
    }
    RegisterStepWindows();
    InstanceGuard& guard = InstanceGuard::instance();
    guard.setActivationHandler([] {
        if (QWidget* main = MainWindow()) {
            main->showNormal();
            main->raise();
            main->activateWindow();
        }
    });

    if (splash) {
        auto* window = new frmSplash;
        if (window->loaded())
            window->show();
        else
            delete window;
    } else {
        ShowMainWindow();
    }
    guard.listen();
    return app.exec();
}
