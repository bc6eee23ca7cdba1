#pragma once

#include "clsprintmeststofmeststof.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

// Where the lines of the advice report's tank table go. Columns 1 to 3 are
// tank A (name, amount, unit), 4 a spacer, 5 to 7 tank B. By tank number:
// 1 and 2 fill their own column from row 1; 10 (the silicon product) stands
// under its own heading in rows 14 and 15; 100 follows tank B after one empty
// row, 101 follows the longer column after one empty row; the big-bag
// quantity line closes the column of each blend that has lines. Other tank
// numbers are not printed.
//
// A line never takes a cell another line holds: when the lines in their
// collection order would collide (a tank-1 line after a tank-101 line, more
// than 13 lines in tank A beside the silicon rows, a second silicon line),
// tanks 1, 2 and 10 are placed first, then 100 and 101, then the quantity
// line, each moved down to the first free rows; the table grows as far as it
// must. Without a collision every line keeps the row it has always had.

// (row, column) -> text; rows from 1.
using TankCellen = QMap<QPair<int, int>, QString>;

struct TankIndeling {
    QString siliciumKop; // the heading above the silicon lines
    // The big-bag quantity line is wanted (by the settings): tank-100 lines
    // then keep the row below tank B free for it.
    bool hoeveelheidGewenst = false;
    QStringList hoeveelheidsRegel; // its three cells
    bool regelA = false;           // blend 1 has lines: the quantity line closes tank A
    bool regelB = false;           // blend 2 has lines: the quantity line closes tank B

    TankCellen plaats(const QList<clsPrintMeststofMeststof>& lijnen) const;
};

// The number of body rows the cells need (the last row used).
int TankRijen(const TankCellen& cellen);
