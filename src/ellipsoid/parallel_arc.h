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

// Rows of the second value column that hold N, N·cos B and the arc, for the exercise description.
inline constexpr int ParallelArcRowN = 3, ParallelArcRowNcosB = 7, ParallelArcRowS = 9, ParallelArcRows = 10;

// Headings and the 18 row labels of the 4 × ParallelArcRows table.
void ParallelArcLabels(ResultTable& table);

// Reads L (Edit3–Edit5) and B (Edit6–Edit8): whole degrees and minutes, real seconds.
ParallelArcInputs ReadParallelArcInputs(const Inputs& inputs);

// Writes the 18 value cells in order: column 1 rows 1–9, then column 3 rows 1–9.
void ComputeParallelArc(const ParallelArcInputs& inputs, ResultTable& table);

}  // namespace kvelta
