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

// Rows of the second value column that hold the radii and the arc, for the exercise description.
inline constexpr int MeridianArcRowM1 = 11, MeridianArcRowM2 = 12, MeridianArcRowMcp = 13, MeridianArcRowS = 16,
                     MeridianArcRows = 18;

// Headings and the 33 row labels of the 4 × MeridianArcRows table.
void MeridianArcLabels(ResultTable& table);

// Reads B1 (Edit3–Edit5) and B2 (Edit6–Edit8), all real numbers, and forms the mean latitude.
MeridianArcLatitudes ReadMeridianArcLatitudes(const Inputs& inputs);

// Writes the 33 value cells in order: column 1 rows 1–17, then column 3 rows 1–16.
void ComputeMeridianArc(const MeridianArcLatitudes& latitudes, ResultTable& table);

}  // namespace kvelta
