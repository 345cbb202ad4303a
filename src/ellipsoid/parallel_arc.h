#pragma once
// Length of an arc of a parallel of the Krasovsky ellipsoid: Sп = N·cos B·L″/ρ″, with the
// prime-vertical radius N ≈ a(1 - 0.25e²sin²B)/(1 - 0.75e²sin²B).

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

struct ParallelArcInputs {
    double L = 0;  // longitude difference spanned by the arc, degrees
    double B = 0;  // latitude of the parallel, degrees
};

// The rows of the two value columns (q1 = 0.25e²sin²B, q3 = 0.75e²sin²B); N, N·cos B and S are the
// results the description names.
enum ParallelArcFirstRow : int {
    ParallelArcRowL = 1, ParallelArcRowB, ParallelArcRowA, ParallelArcRowK1, ParallelArcRowK3, ParallelArcRowSinB,
    ParallelArcRowSin2B, ParallelArcRowQ1, ParallelArcRowQ3,
};
enum ParallelArcSecondRow : int {
    ParallelArcRowOneMinusQ1 = 1, ParallelArcRowOneMinusQ3, ParallelArcRowN, ParallelArcRowCosB,
    ParallelArcRowLSeconds, ParallelArcRowInverseRo, ParallelArcRowNcosB, ParallelArcRowLRadians, ParallelArcRowS,
};
inline constexpr int ParallelArcRows = 10;  // the heading row and the rows above

// Headings and the 18 row labels of the 4 × ParallelArcRows table.
void ParallelArcLabels(ResultTable& table);

// Reads the angles L and B: whole degrees and minutes, real seconds.
ParallelArcInputs ReadParallelArcInputs(const Inputs& inputs);

// Writes the 18 value cells in order: column 1 rows 1–9, then column 3 rows 1–9.
void ComputeParallelArc(const ParallelArcInputs& inputs, ResultTable& table);

}  // namespace kvelta
