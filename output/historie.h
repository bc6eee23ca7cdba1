#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The stored history sets of the grower database: a dated, described copy of
// the grower's working set (ID_HISTORIE 0) under a new ID, which the steps
// later show read-only in place of the working set. No widgets; every
// function throws AppError on a database error.

// One stored set as the history list shows it.
struct HistorieSet {
    qint32 ID = 0;
    QDate Datum; // the day it was saved
    QString Omschrijving;
};

namespace Historie {

// The tables whose working-set rows a save copies, in the order it copies them.
const QStringList& KopieTabellen();
// The tables a deleted set is removed from, in that order: the copied ones
// and MEST_Selectie, which a stored set should not have but may.
const QStringList& SetTabellen();

// The grower's stored sets, the newest (highest ID) first.
QList<HistorieSet> Lijst(qint32 tuinder);

// Saves the grower's working set as a new set: a HISTORIE row with the day
// and the description, and a copy of every working-set row of the copied
// tables (every column but the table's own key) under the new ID. The
// adjustment row (HISTORIE_Aanpassing) stays with the working set. One
// transaction: when any part fails nothing of the set is left and the
// AppError is thrown. Returns the new set's ID.
qint32 Bewaar(qint32 tuinder, const QString& omschrijving, const QDate& datum);

// Deletes the set's HISTORIE row and its rows of every set table, in one
// transaction: on failure the whole set stays. The working set (0) is never
// a stored set and is refused (false, nothing deleted); so is an ID the
// grower has no HISTORIE row for, though rows left under it are removed.
bool Verwijder(qint32 tuinder, qint32 id);

// Makes set id (0 = the working set) the one every step shows: ID_HISTORIE
// is set, and the advice vectors and the drain analysis of this run are
// cleared, as they belong to the set that was open. The request to store the
// adjustment (Vlag of AdviesAanpassing) is cleared with them: the cleared
// vector is no adjustment anyone made.
void KiesSet(qint32 id);

} // namespace Historie
