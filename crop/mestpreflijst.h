#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The grower's fertiliser preference list: MEST_PrefList in the grower
// database, one row per fertiliser with UseMeststof 1 (offered by the
// fertiliser searches) or 0 (left out), and its copy in the reference
// database, where the searches read it. The searches offer a fertiliser
// that has no row, so the list reads it as on. No widgets.
struct MestPref {
    qint16 Code = 0;
    QString Naam; // in the current language
    bool Aan = true;
};

namespace MestPrefLijst {

// Every fertiliser of the reference data in code order, each with its
// switch from the grower's list (made when missing). Throws AppError.
QList<MestPref> Lees();

// Rewrites the grower's list to exactly these fertilisers in one transaction,
// then refreshes the reference copy. Throws AppError when the grower's list
// cannot be written (it is then as it was). False when only the copy failed:
// the searches then follow the old copy until the grower database is opened again.
bool Schrijf(const QList<MestPref>& lijst);

} // namespace MestPrefLijst
