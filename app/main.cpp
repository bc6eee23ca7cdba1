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
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};
bool g_stopRequested = false;

// A request to stop (logging out, shutting down, Ctrl+C) ends the program
// the normal way, so that the databases are closed properly.
void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &c, 1);
}

void stopProgram()
{
    // The byte must be read, or the notifier fires again at once, for ever.
    char buffer[16];
    while (::read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
    }
    if (g_stopRequested)
        return;
    g_stopRequested = true;
    // A question that is open is answered as cancelled, and so is every
    // question still to come, so that nothing half-done is saved on the way
    // out. Every event loop then ends, the modal ones too; main() closes the
    // main window the ordinary way.
    cancelWidgetDialogs();
    QCoreApplication::exit(0);
}

void stopOnSignals(QApplication& app)
{
    if (::pipe(g_signalPipe) != 0)
        return;
    for (int fd : g_signalPipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, stopProgram);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

// The application state holds the open databases; it must let go of them
// while Qt's database drivers are still there, on every way out of main().
struct ReleaseDatabasesFirst {
    ~ReleaseDatabasesFirst() { resetAppState(); }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const ReleaseDatabasesFirst releaseDatabases;
    QApplication::setApplicationName("Zelvora");
    QApplication::setApplicationVersion(ZELVORA_VERSION);
    installWidgetDialogs();
    stopOnSignals(app);
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
    int exitCode = g_stopRequested ? 0 : app.exec();
    if (g_stopRequested) {
        // The ordinary close: the steps close (their questions answered as
        // cancelled, so nothing is saved), then the databases.
        if (QWidget* main = MainWindow())
            main->close();
        exitCode = 0;
    }
    return exitCode;
}
