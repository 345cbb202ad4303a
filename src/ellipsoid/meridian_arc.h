#pragma once
// Length of a meridian arc of the Krasovsky ellipsoid between two latitudes, by Simpson's rule
// over the meridian radius of curvature M = a(1-e²)(1 + 0.25e²sin²B)/(1 - 1.25e²sin²B).

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

struct MeridianArcLatitudes {
    double B1 = 0;
    double B2 = 0;
    double Bcp = 0;  // mean latitude
};

// The rows of the two value columns (q1 = 0.25e²sin²B, q5 = 1.25e²sin²B); M1, M2, Mcp and S are the
// results the description names.
enum MeridianArcFirstRow : int {
    MeridianArcRowA = 1, MeridianArcRowE2, MeridianArcRowA1e2, MeridianArcRowSimpsonCoefficient, MeridianArcRowB2,
    MeridianArcRowB1, MeridianArcRowBcp, MeridianArcRowK1, MeridianArcRowK5, MeridianArcRowSinB1,
    MeridianArcRowSinB2, MeridianArcRowSinBcp, MeridianArcRowSin2B1, MeridianArcRowSin2B2, MeridianArcRowSin2Bcp,
    MeridianArcRowQ1B1, MeridianArcRowQ1B2,
};
enum MeridianArcSecondRow : int {
    MeridianArcRowQ1Bcp = 1, MeridianArcRowQ5B1, MeridianArcRowQ5B2, MeridianArcRowQ5Bcp, MeridianArcRowOnePlusQ1B1,
    MeridianArcRowOnePlusQ1B2, MeridianArcRowOnePlusQ1Bcp, MeridianArcRowOneMinusQ5B1, MeridianArcRowOneMinusQ5B2,
    MeridianArcRowOneMinusQ5Bcp, MeridianArcRowM1, MeridianArcRowM2, MeridianArcRowMcp, MeridianArcRowDeltaSeconds,
    MeridianArcRowSimpsonFactor, MeridianArcRowS,
};
inline constexpr int MeridianArcRows = 18;  // the heading row and the rows above

// Headings and the 33 row labels of the 4 × MeridianArcRows table.
void MeridianArcLabels(ResultTable& table);

// Reads the angles B1 and B2, all real numbers, and forms the mean latitude.
MeridianArcLatitudes ReadMeridianArcLatitudes(const Inputs& inputs);

// Writes the 33 value cells in order: column 1 rows 1–17, then column 3 rows 1–16.
void ComputeMeridianArc(const MeridianArcLatitudes& latitudes, ResultTable& table);

}  // namespace kvelta
