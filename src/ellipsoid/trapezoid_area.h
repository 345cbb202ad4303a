#pragma once
// Area of a map-sheet trapezoid of the Krasovsky ellipsoid between the parallels B1, B2 and two
// meridians ΔL″ apart, by the series
//   P = b²·ΔL·[sinB2 - sinB1 + (2/3)e²(sin³B2 - sin³B1) + (3/5)e⁴(sin⁵B2 - sin⁵B1)
//              + (4/7)e⁶(sin⁷B2 - sin⁷B1)],
// b in kilometres, so that P comes out in square kilometres.

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

struct TrapezoidAreaInputs {
    double B1 = 0;
    double B2 = 0;
    double deltaLSeconds = 0;  // L2 - L1 in seconds of arc
};

// The row of the second value column that holds the area, for the exercise description.
// The rows of the two value columns (b the semi-minor axis in km, K = b²(L2 − L1)″/ρ″); P is the
// result the description names.
enum TrapezoidAreaFirstRow : int {
    TrapezoidAreaRowSemiMinorAxis = 1, TrapezoidAreaRowE2, TrapezoidAreaRowInverseRo, TrapezoidAreaRowDeltaLSeconds,
    TrapezoidAreaRowSinB2, TrapezoidAreaRowSin3B2, TrapezoidAreaRowSin5B2, TrapezoidAreaRowSin7B2,
    TrapezoidAreaRowSinB1, TrapezoidAreaRowSin3B1, TrapezoidAreaRowSin5B1,
};
enum TrapezoidAreaSecondRow : int {
    TrapezoidAreaRowSin7B1 = 1, TrapezoidAreaRowTwoThirdsE2, TrapezoidAreaRowThreeFifthsE2,
    TrapezoidAreaRowFourSeventhsE2, TrapezoidAreaRowTermI, TrapezoidAreaRowTermII, TrapezoidAreaRowTermIII,
    TrapezoidAreaRowK, TrapezoidAreaRowBracket, TrapezoidAreaRowP,
};
inline constexpr int TrapezoidAreaRows = 12;  // the heading row and the rows above

// Headings and the 21 row labels of the 4 × TrapezoidAreaRows table.
void TrapezoidAreaLabels(ResultTable& table);

// Reads the angles B1, B2 and ΔL″ ("L2-L1"), all real numbers.
TrapezoidAreaInputs ReadTrapezoidAreaInputs(const Inputs& inputs);

// Writes the 21 value cells in order: column 1 rows 1–11, then column 3 rows 1–10. The bracket
// of the series takes the three terms back from their ten-decimal cells, as the student sees them.
void ComputeTrapezoidArea(const TrapezoidAreaInputs& inputs, ResultTable& table);

}  // namespace kvelta
