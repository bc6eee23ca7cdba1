#pragma once

#include "clsprintmeststofmeststof.h"
#include "invoergetal.h"
#include "records.h"

#include <QList>
#include <QString>
#include <array>

// The two big-bag blends of the blends step, without the window: per blend
// lines 1 to 20 of product-line fertilisers with their amounts. A line whose
// Code_MEST is 0 is empty; a used line's Bak holds its blend number (1 or 2),
// Hoeveelheid its kilograms and Hoeveelheid2 its litres, which are kept
// apart: a liquid is typed in litres, a solid in kilograms. Line 0 is never
// used.
class BigBagMengsels {
public:
    static constexpr int kRegels = 20;

    enum class Toevoegen { Toegevoegd, AlInMengsel, Vol };

    // Line r (0 to 20) of blend 1 or 2.
    const MeststofRecord& Regel(int mengsel, int regel) const { return m_mengsels.at(mengsel - 1).at(regel); }

    // The used lines from line 1 up to the first empty one: the rows of the blend's grid.
    int AantalRegels(int mengsel) const;

    // The kilograms of the blend's used lines; trace-element products
    // (codes of 100 and more, in gram or ml) are not counted.
    float TotaalKg(int mengsel) const;

    // Puts the fertiliser on the first empty line of the blend with no
    // amount yet. A fertiliser that is in the blend already, or a blend with
    // no empty line left, leaves the blend as it was.
    Toevoegen VoegToe(int mengsel, const MeststofRecord& meststof);

    // A stored line back on the next empty line of its blend; false when the
    // blend is full or the line has no fertiliser.
    bool Plaats(int mengsel, const MeststofRecord& regel);

    // The amount of row r (0-based) of the blend's grid: the litres of a
    // liquid, the kilograms of a solid; the other amount stays. False for a
    // row that is not used.
    bool ZetHoeveelheid(int mengsel, int rij, float hoeveelheid);

    void Leeg();
    // Whether neither blend holds a fertiliser or an amount: clearing them would lose nothing.
    bool IsLeeg() const;

    // One print line per used line of blend 1, then of blend 2, the blend
    // number as the tank, so that the advice report puts them in its two columns.
    QList<clsPrintMeststofMeststof> PrintRegels() const;

private:
    std::array<std::array<MeststofRecord, kRegels + 1>, 2> m_mengsels;
};

// What a line's amount may be, in kilograms or litres (grams or millilitres
// for a trace-element product). One big bag holds about a tonne, so the
// limit lies far above any real amount, yet an amount, a blend's total of 20
// lines and the printed line keep to the width they are shown in, and every
// amount keeps its decimal in the seven digits of a single.
inline constexpr InvoerBereik kHoeveelheidBereik{0, 99999.9, 1, false};

// The amount typed in the user's locale (an empty text is 0); text that is
// no number and amounts outside kHoeveelheidBereik are refused.
InvoerFout LeesHoeveelheid(const QString& tekst, float& hoeveelheid);

// The amount and unit of a line as the grid and the report show them.
QString HoeveelheidTekst(const MeststofRecord& regel);
QString EenheidTekst(const MeststofRecord& regel);

// A blend's total as shown beneath its grid: as the amounts in the grid, one decimal, and " KG ".
QString TotaalTekst(float kg);
