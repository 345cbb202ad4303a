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
inline constexpr int TrapezoidAreaRowP = 10, TrapezoidAreaRows = 12;

// Headings and the 21 row labels of the 4 × TrapezoidAreaRows table.
void TrapezoidAreaLabels(ResultTable& table);

// Reads B1 (Edit3–Edit5), B2 (Edit6–Edit8) and ΔL″ (Edit9), all real numbers.
TrapezoidAreaInputs ReadTrapezoidAreaInputs(const Inputs& inputs);

// Writes the 21 value cells in order: column 1 rows 1–11, then column 3 rows 1–10. The bracket
// of the series takes the three terms back from their ten-decimal cells, as the student sees them.
void ComputeTrapezoidArea(const TrapezoidAreaInputs& inputs, ResultTable& table);

}  // namespace kvelta
