// Start of the program: start-up, then the splash window or the main window.
#include "appstate.h"
#include "frmsplash.h"
#include "instanceguard.h"
#include "program.h"
#include "qtlanguage.h"
#include "startup.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "ui/widgetdialogs.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

// A request to stop (logging out, shutting down) ends the program the normal
// way, so that the databases are closed properly.
void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &c, 1);
}

void quitOnSignals(QApplication& app)
{
    if (::pipe(g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGHUP, onSignal);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zelvora");
    QApplication::setApplicationVersion(ZELVORA_VERSION);
    installWidgetDialogs();
    quitOnSignals(app);
    SetCommandLine(app.arguments().mid(1));

    bool splash = true;
    try {
        splash = StartUp();
    } catch (const AppError& e) {
        LogAppError(e);
        // The language of the standard buttons is the one the settings ask for.
        SetQtLanguage(appState().languageID);
        MessageBox::show("Zelvora kan niet starten. / Zelvora cannot start.\n\n" + e.description(), MsgBox::Critical,
                         "Zelvora");
        return 1;
    }
    SetQtLanguage(appState().languageID);
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
    const int exitCode = app.exec();
    // The databases close while Qt is still there to close them.
    resetAppState();
    return exitCode;
}
