#pragma once
// A small spherical triangle (sides of some tens of kilometres) from its three measured angles
// and the side b opposite B, solved twice: by Legendre's theorem (each adjusted angle reduced by
// a third of the spherical excess, then the plane sine rule) and by the method of additaments
// (the sides reduced by k·s³, the plane sine rule over the adjusted spherical angles, and the
// additaments added back).

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

struct LegendreTriangleData {
    double A = 0;  // measured spherical angles, degrees
    double B = 0;
    double C = 0;
    double b = 0;  // side opposite B, metres
};

// The cells of the results, for the exercise description: (column, row) of the Legendre table.
inline constexpr int LegendreExcessColumn = 3, LegendreExcessRow = 4;        // E″
inline constexpr int LegendreMisclosureColumn = 1, LegendreMisclosureRow = 12;  // W
inline constexpr int LegendreSideBColumn = 1, LegendreSidesColumn = 3, LegendreSidesRow = 15;  // b; c
inline constexpr int LegendreSideARow = 14;                                    // a, in the sides' column
inline constexpr int LegendreRows = 16;
// The sides in the last column of the additaments table, in the rows of b, a, c.
inline constexpr int AdditamentsSidesColumn = 7, AdditamentsRowB = 1, AdditamentsRowA = 2, AdditamentsRowC = 3,
                     AdditamentsRows = 7;

// The Legendre table (7 × LegendreRows) and the additaments table (8 × AdditamentsRows) as created.
void LegendreTableLabels(ResultTable& legendre);
void AdditamentsTableLabels(ResultTable& additaments);

// Reads A (Edit3–Edit5), B (Edit6–Edit8), C (Edit9–Edit11) with whole degrees and minutes,
// then b (Edit12).
LegendreTriangleData ReadLegendreTriangle(const Inputs& inputs);

// Writes every value cell of the Legendre table, then of the additaments table.
void ComputeLegendreTriangle(const LegendreTriangleData& data, ResultTable& legendre,
                             ResultTable& additaments);

}  // namespace kvelta
