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

// Rows of the second value column that hold the sides, for the exercise description.
inline constexpr int TrapezoidSidesRowA1 = 14, TrapezoidSidesRowA2 = 15, TrapezoidSidesRowC = 16,
                     TrapezoidSidesRowD = 19, TrapezoidSidesRows = 20;

// Headings and the 38 row labels of the 4 × TrapezoidSidesRows table.
void TrapezoidSidesLabels(ResultTable& table);

// Reads B1 (Edit3–Edit5), B2 (Edit6–Edit8), ΔL″ (Edit9, a whole number) and M (Edit10), and
// refuses a scale denominator of zero before anything is written.
TrapezoidSidesInputs ReadTrapezoidSidesInputs(const Inputs& inputs);

// Writes the 38 value cells in order: column 1 rows 1–19, then column 3 rows 1–19.
void ComputeTrapezoidSides(const TrapezoidSidesInputs& inputs, ResultTable& table);

}  // namespace kvelta
