#pragma once
// Sides of a map-sheet trapezoid on a map at the scale 1 : M, in centimetres: the parallel sides
// a1, a2 (N·cos B·ΔL″/ρ″), the meridian side c (meridian radius at the middle latitude · ΔB″/ρ″)
// and the diagonal d from d² = c² + a1·a2. The radii are the rational approximations
//   N ≈ a(1 - 0.25e²sin²B)/(1 - 0.75e²sin²B),  M ≈ a(1-e²)(1 + 0.25e²sin²B)/(1 - 1.25e²sin²B).

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

struct TrapezoidSidesInputs {
    double B1 = 0;
    double B2 = 0;
    double Bm = 0;             // middle latitude
    double deltaLSeconds = 0;  // whole seconds of arc
    double scale = 0;          // scale denominator M, never zero
};

// The rows of the two value columns (f = 1 − 0.25e²sin²B, g = 1 − 0.75e²sin²B at B1 and B2; at Bm the
// meridian radius's factors 1 + 0.25e²sin²Bm and 1 − 1.25e²sin²Bm); a1, a2, c, d are the results
// the description names.
enum TrapezoidSidesFirstRow : int {
    TrapezoidSidesRowA = 1, TrapezoidSidesRowA1e2, TrapezoidSidesRowE2, TrapezoidSidesRowK1, TrapezoidSidesRowK3,
    TrapezoidSidesRowK5, TrapezoidSidesRowB1, TrapezoidSidesRowB2, TrapezoidSidesRowBm, TrapezoidSidesRowSinB1,
    TrapezoidSidesRowSinB2, TrapezoidSidesRowSinBm, TrapezoidSidesRowSin2B1, TrapezoidSidesRowSin2B2,
    TrapezoidSidesRowSin2Bm, TrapezoidSidesRowCosB1, TrapezoidSidesRowCosB2, TrapezoidSidesRowMapL,
    TrapezoidSidesRowMapB,
};
enum TrapezoidSidesSecondRow : int {
    TrapezoidSidesRowF1 = 1, TrapezoidSidesRowG1, TrapezoidSidesRowF2, TrapezoidSidesRowG2, TrapezoidSidesRowFm,
    TrapezoidSidesRowGm, TrapezoidSidesRowN1, TrapezoidSidesRowN2, TrapezoidSidesRowMm, TrapezoidSidesRowInverseRo,
    TrapezoidSidesRowN1OverRo, TrapezoidSidesRowN2OverRo, TrapezoidSidesRowMmOverRo, TrapezoidSidesRowA1,
    TrapezoidSidesRowA2, TrapezoidSidesRowC, TrapezoidSidesRowA1A2, TrapezoidSidesRowDSquared, TrapezoidSidesRowD,
};
inline constexpr int TrapezoidSidesRows = 20;  // the heading row and the rows above

// Headings and the 38 row labels of the 4 × TrapezoidSidesRows table.
void TrapezoidSidesLabels(ResultTable& table);

// Reads the angles B1, B2, ΔL″ ("L2-L1", a whole number) and M, and
// refuses a scale denominator of zero before anything is written.
TrapezoidSidesInputs ReadTrapezoidSidesInputs(const Inputs& inputs);

// Writes the 38 value cells in order: column 1 rows 1–19, then column 3 rows 1–19.
void ComputeTrapezoidSides(const TrapezoidSidesInputs& inputs, ResultTable& table);

}  // namespace kvelta
