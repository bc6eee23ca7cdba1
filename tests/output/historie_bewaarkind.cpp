// The child of the history save test: saves the grower's working set to
// history over and over on the databases in the folder it is given, until it
// is killed. It writes one line to its output once the first set stands, so
// that the test kills it while later saves run.
#include "appstate.h"
#include "historie.h"
#include "zelvorageneral.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    AppState& s = appState();
    s.AppPath = QString::fromLocal8Bit(argv[1]) + "/";
    s.AppNaam = "Zelvora";
    s.TDatabaseNaam = "ZelvoraT.mdb";
    s.HDatabaseNaam = "ZelvoraH.mdb";
    OpenTuinderDb();
    s.ID_ALG_Tuinder = GetFirstTuinderID();
    for (int n = 0;; ++n) {
        Historie::Bewaar(s.ID_ALG_Tuinder, QString("set %1").arg(n), QDate::currentDate());
        if (n == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
