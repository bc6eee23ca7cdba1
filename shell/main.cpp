// Start of the program: start-up, then the main window.
#include "appstate.h"
#include "frmmain.h"
#include "instanceguard.h"
#include "startup.h"
#include "ui/dialogs.h"
#include "ui/widgetdialogs.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zelvora");
    QApplication::setApplicationVersion(ZELVORA_VERSION);
    installWidgetDialogs();
    SetCommandLine(app.arguments().mid(1));

    try {
        StartUp();
    } catch (const AppError& e) {
        MessageBox::show("Zelvora kan niet starten. / Zelvora cannot start.\n\n" + e.description(), MsgBox::Critical,
                         "Zelvora");
        return 1;
    }
    InstanceGuard::instance().listen();

    frmMain window;
    window.show();
    return app.exec();
}
