#pragma once

#include "printregels.h"
#include "samenstellingopslag.h"

#include <QList>
#include <QString>
#include <optional>

// The stock-tank composition beside its window, without widgets: whether
// there is an advice to compute it from, the run settings, one computation
// stored as a whole, and where each fertiliser line goes on screen.

// Whether the advice step computed the working set's advice in this run: it
// marks the adjustment (Vlag 1) when it has. Opening a stored set, or going
// back from one, clears the vectors it left but not the mark, so a cleared
// corrected target counts as no advice either.
bool AdviesBerekend();

// The run settings from the settings row of the current grower and history
// set, with Concentratie 100 when the row has 0 or big bags are on.
BerekenInstellingen LeesSamenstelInstellingen();

// The concentration the last calculation of the current grower and history
// set computed its amounts at (Concentratie_berek); 0 when it holds none.
qint16 BerekendeConcentratie();

// The percentage of a split second source (the second phosphate or iron
// source) as the selection holds it; none when the selection names another
// fertiliser for that source, or the line is no second source.
std::optional<float> BronPercentage(const MeststofRecord& m);
// The name with the percentage: "name [30%]".
QString NaamMetPercentage(const QString& naam, float percentage);

enum class SamenstelFout {
    Geen,
    Berekening,   // the calculation ended on an error (a database error, an overflow)
    Concentratie, // the concentration of the stock tanks could not be computed
    Opslag,       // the composition or its concentration could not be stored
    ZakGrootte    // product-line mode with a bag of less than 1 kg: nothing computed
};

// Computes the working set's composition from the shared advice vectors with
// the settings, adds the percentages to the names of the split sources and
// stores it (with the settings the calculation keeps: the concentration and
// the big-bag factor) in one transaction. On success s and instellingen get
// the result; on a failure neither changes, nothing is stored and fout tells
// why (omschrijving: the error's description).
SamenstelFout BerekenSamenstelling(Samenstelling& s, BerekenInstellingen& instellingen, QString& omschrijving);

// Where one fertiliser line stands on screen: in column A (label base 100)
// or B (200), on line n (top 300·n + 180 twips, 160 lower for the lines
// listed after a column's own).
struct TankRegel {
    int slot = 0;
    int kolom = 100;
    int n = 0;
    bool lager = false;
    bool silicium = false;  // the silicon line, fixed on line 15 under its own sub-header
    bool negatief = false;  // an amount below 0: shown in red
    bool zonderBak = false; // an amount in a tank the composition has no place for: shown in red
};

struct TankIndeling {
    QList<TankRegel> regels;               // in slot order
    int eigenA = 0;                        // the lines of tank A itself
    int aantalA = 0;                       // lines of column A, the empty ones that pad it to B's length included
    int hoogsteRegel = 0;                  // the lowest line used in either column
    QList<clsPrintMeststofMeststof> print; // the lines shown, one per line of regels, for the report and the order
};

// Places every line whose amount lies outside −0.5 … 0.5: tank 1 in column A,
// tank 2 in B, the trace elements (100) after B's own lines, 101 after the
// longer column in A, silicon (10) on line 15 of A. A line with an amount in
// any other tank is placed after those in A and marked, rather than dropped.
TankIndeling DeelTankRegelsIn(const MeststofLijst& lijst);
