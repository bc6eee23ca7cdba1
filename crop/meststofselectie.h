#pragma once

#include "meststofteksten.h"

#include <QString>
#include <array>
#include <optional>
#include <span>
#include <vector>

// The grower's fertiliser choice: one fertiliser per element on a macro page
// (11 rows) and a micro page (7 rows). MEST_Selectie keeps the chosen codes
// per grower and history set, which the calculation reads; HISTORIE_Mest the
// texts of every row as shown, which a stored history set shows again.

namespace MestPagina {
enum : qint16 { Macro = 0, Micro = 1 };
}

// One row of a page: the column that keeps its fertiliser, the column of its
// share when it is a second source, and the element codes of which a
// fertiliser must have one as primary element to be offered there.
struct MestRij {
    const char* codeKolom;
    const char* percKolom; // null: not a second source
    std::array<qint16, 2> elementen;
};

// The rows of a page in their order.
std::span<const MestRij> MestRijen(qint16 pagina);

// A row's choice: the fertiliser's code (0 none) and, for a second source,
// its share of the element's need in per cent.
struct MestSlot {
    qint16 code = 0;
    float perc = 0;
};

// The texts of a row as shown: the name and three composition texts.
struct MestRegelTekst {
    QString naam;
    std::array<QString, 3> conc;
};

// The stored rows of the current grower and history set. Every function
// throws AppError when the database fails.
namespace MeststofSelectie {

// The page's choice; the working set's row is created when it has none.
std::vector<MestSlot> LeesSelectie(qint16 pagina);

// The page's stored texts by row, each from the row with its own Index;
// empty for a row that has none.
std::vector<MestRegelTekst> LeesTeksten(qint16 pagina);

// Stores the filter, the page's choice and its texts together, or nothing.
// The other page's columns and texts stay. Only the working set is written.
void Schrijf(qint16 pagina, qint16 filter, const std::vector<MestSlot>& keuze,
             const std::vector<MestRegelTekst>& teksten);

// A fertiliser of the reference data with its name and composition; none
// when it is not there, or not in the product line when only that is asked.
std::optional<MeststofGegevens> LeesMeststof(qint16 code, bool alleenProductlijn);

// KGl of a fertiliser (empty counts as 0); none when it is not there.
std::optional<float> LeesKGl(qint16 code);

} // namespace MeststofSelectie
