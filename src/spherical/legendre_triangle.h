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

// The Legendre table. The excess from the given side: rows of the first value column ...
enum LegendreExcessFactorRow : int {
    LegendreRowF = 1, LegendreRowBSquared, LegendreRowSinA, LegendreRowSinC, LegendreRowSinASinC
};
// ... and of the second (DI = b²·sinA·sinC/sinB).
enum LegendreExcessResultRow : int { LegendreRowProduct = 1, LegendreRowSinB, LegendreRowDI, LegendreExcessRow };
inline constexpr int LegendreExcessColumn = SecondValueColumn;
// The angles: a row per vertex, B, A, C, under a heading row, then the sum, E and the misclosure W
// in the first value column ...
enum LegendreAngleRow : int {
    LegendreAngleHeadingRow = 6, LegendreRowVertexB, LegendreRowVertexA, LegendreRowVertexC, LegendreRowSum,
    LegendreRowE, LegendreMisclosureRow
};
inline constexpr int LegendreMisclosureColumn = FirstValueColumn;
// ... in these columns.
enum LegendreAngleColumn : int {
    LegendreMeasuredColumn = 1, LegendreCorrectionColumn, LegendreAdjustedColumn, LegendreExcessThirdColumn,
    LegendrePlaneAngleColumn, LegendrePlaneSineColumn
};
// The sides: the common ratio DII = b/sinB′ beside a, then b beside c.
inline constexpr int LegendreSideARow = 14, LegendreSidesRow = 15, LegendreRows = 16;
inline constexpr int LegendreSideBColumn = FirstValueColumn, LegendreSidesColumn = SecondValueColumn;
inline constexpr int LegendreRowDII = LegendreSideARow;

// The additaments table: a row per vertex, B, A, C, then the sum, E and W in the first column ...
enum AdditamentsRow : int {
    AdditamentsRowB = 1, AdditamentsRowA, AdditamentsRowC, AdditamentsRowSum, AdditamentsRowE, AdditamentsRowMisclosure,
    AdditamentsRows
};
// ... in these columns, the spherical sides last.
enum AdditamentsColumn : int {
    AdditamentsMeasuredColumn = 1, AdditamentsCorrectionColumn, AdditamentsAdjustedColumn, AdditamentsSineColumn,
    AdditamentsPlaneSideColumn, AdditamentsAdditamentColumn, AdditamentsSidesColumn
};

// The Legendre table (7 × LegendreRows) and the additaments table (8 × AdditamentsRows) as created.
void LegendreTableLabels(ResultTable& legendre);
void AdditamentsTableLabels(ResultTable& additaments);

// Reads the angles A, B, C with whole degrees and minutes, then the side b.
LegendreTriangleData ReadLegendreTriangle(const Inputs& inputs);

// Writes every value cell of the Legendre table, then of the additaments table.
void ComputeLegendreTriangle(const LegendreTriangleData& data, ResultTable& legendre,
                             ResultTable& additaments);

}  // namespace kvelta
