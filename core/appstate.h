#pragma once

#include "db/database.h"
#include "db/recordset.h"
#include "records.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

// The process-wide state every part of the program reads: the application
// directory, the open databases, the language and unit, the current grower
// and history set, and the advice vectors shared between the steps.
struct AppState {
    QString AppPath;                  // program directory (or the /Path switch), ending in the separator
    QString HDatabaseNaam;            // reference database file name in AppPath
    QString TDatabaseNaam;            // grower database file name in AppPath
    std::unique_ptr<Database> dbH;    // reference data, opened by the main window
    std::unique_ptr<Database> dbT;    // the grower's data, opened on the main window's first activation
    QString ZoekDatabase;             // file name handed to the search component
    qint32 ID_HISTORIE = 0;           // 0 = the working set, else a stored history set
    qint32 ID_ALG_Tuinder = 0;        // current grower
    std::unique_ptr<Database> dbTaal; // language texts
    RecordSet rsTaal;                 // texts of languageID
    qint16 languageID = 0;            // column "Lang" + languageID
    qint16 UnitID = 0;                // display unit: 0 mmol, 1 meq, 2 mgr, 3 ppm
    ElementVector StreefWaarden;      // base target of the advice
    WaterRecord DrainAnalyse;         // drain analysis with the recirculation figures
    ElementVector AdviesAanpassing;   // per-element adjustment; Vlag 1 = to be stored
    ElementVector StreefGecorrigeerd; // corrected target
    qint16 ZoekFoutMarker = 0;        // 9999: the next step's failure is expected and handled by the caller
    QString AppNaam;                  // "Zelvora"
    qint16 KiesTuinder = 0;           // 1 = offer the choice of grower database at first activation
    qint16 GeenBestelling = 0;        // non-zero: orders go to the fixed test dealer
    QString HelpFile;                 // the application's help file
    QString CommandLine;              // the arguments joined with single blanks
    qint16 ElementType = 0;           // page of the fertiliser window: 0 macro, 1 micro
    QPointer<QObject> mainWindow;     // the main window, once it exists
};

AppState& appState();

// The connect string of the reference and language databases (the password is
// accepted and has no meaning for the files themselves).
inline constexpr const char* DatabasePassword = ";pwd=qzmwRV61";

// The open databases: the grower's, the reference data and the language
// texts. Each throws AppError ObjectNotSet when its database is not open.
Database& growerDb();
Database& referenceDb();
Database& languageDb();

// Drops every open database and returns the state to its start values (tests).
void resetAppState();
