#pragma once

#include <QTemporaryDir>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

class Database;

namespace TestSupport {

// The program's state as start-up and the main window leave it: the default
// databases in a fresh temporary program directory, dialogs scripted, the
// texts open and, with the grower's data, the reference and grower databases
// open and the first grower taken.
enum class Open { TextsOnly, AllDatabases };
std::unique_ptr<QTemporaryDir> openDefaultState(Open open = Open::AllDatabases);
// The same on the databases already in dir, as a new run of the program finds them.
void openState(const QString& dir, Open open = Open::AllDatabases);

// Adds a row of the current grower's working set to the table.
void insertWorkingSetRow(const QString& table, QVariantMap values);

// The fertiliser choice of the default data's tomato example, one fertiliser
// for every element, as the columns of MEST_Selectie.
const QVariantMap& tomatoChoice();

// What a new user has chosen before the road, in the current grower's
// working set: tomato on rain water (one source at 100 %) in a recirculating
// system, the fertiliser choice given, a 1000-litre tank at the given
// concentration, big bags on or off. False when a setting was not stored.
bool chooseTomatoExample(const QVariantMap& choice = tomatoChoice(), int concentratie = 100, int bigBag = 0);

// The first column of the query's first row as a number: what a COUNT(*) counts.
qint64 countOf(Database& db, const QString& sql, const QVariantList& params = {});

// How many rows of the grower database's table belong to history set `set`
// (0: the working set), whichever grower they are of.
qint64 rowsInSet(const QString& table, qint32 set = 0);

} // namespace TestSupport
