#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <QtGlobal>

// The order register in the grower database: one BEST_Hist row per order
// sent and one BEST_Meststoffen row per fertiliser line of it. The order
// adds rows and reads the previous order to the same delivery address; the
// register window lists and deletes them.

// One fertiliser of a registered order. Hoeveelheid is the amount of all
// fills together; Null for a line in a tank that is not ordered by count.
struct BestelRegel {
    qint32 Code_Meststof = 0;
    QString NaamMeststof;
    QVariant Hoeveelheid;
    QString Eenheid;
};

// Adds one order with its lines in one transaction: either the whole order is
// registered or nothing is. Returns the new BEST_Hist ID; throws AppError
// (3078 when a table is missing) after rolling back.
qint32 RegistreerBestelling(qint32 tuinder, qint16 afleveradres, const QDateTime& datum,
                            const QList<BestelRegel>& regels);

// The newest order of this grower to this delivery address (the latest
// date, and of two in the same second the one registered last), with its
// lines in the order they were stored. ID 0 when there is none.
struct VorigeBestelling {
    qint32 ID = 0;
    QList<BestelRegel> regels;
};
VorigeBestelling LeesVorigeBestelling(qint32 tuinder, qint16 afleveradres);
