#pragma once
// Corrections on the Gauss–Krüger plane of the Krasovsky ellipsoid. First, the meridian
// convergence γ and the scale m at a point given by B, L and the axial meridian Lo, by the
// series in l·cos B. Second, the reduction of a line between two points given by their plane
// coordinates: the corrections δ12, δ21 for the curvature of the geodesic's image (the chord's
// directional angle is α12 = A12 − γ1 + δ12) and the correction Δs that turns the length s on
// the ellipsoid into the chord d = s + Δs on the plane. Third, γ and m at a point given by its
// plane coordinates x, y, by the series in y/Nx through the footpoint latitude Bx.

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

// The rows of the results: γ (seconds and angle) and m on the first page, δ12, δ21, Δs and d
// on the second.
inline constexpr int ConvergenceSecondsRow = 13, ConvergenceRow = 14, ScaleRow = 18, ConvergenceRows = 19;
inline constexpr int Delta12Row = 18, Delta21Row = 19, DistanceCorrectionRow = 23, PlaneDistanceRow = 24;
inline constexpr int ReductionRows = 26;
// The rows of γ and m from x, y: the point's longitude, γ (seconds and angle) and m.
inline constexpr int PlaneLongitudeRow = 16, PlaneConvergenceSecondsRow = 19, PlaneConvergenceRow = 20;
inline constexpr int PlaneScaleRow = 23, PlaneConvergenceRows = 24;

// The largest |l| the series of the first page are accurate for to their printed digits
// (0.001″, 1·10⁻⁸): half a degree beyond the edge of a six-degree zone.
inline constexpr double MaxLongitudeFromAxis = 3.5;
// The reduction's limits: ordinates within 350 km of the axial meridian, lines up to 30 km,
// points no nearer the pole than the parallel of 89°.
inline constexpr double MaxOrdinate = 350000, MaxLineLength = 30000, MaxAbscissa = 9900000;
// γ and m from x, y: no point farther than this from the axial meridian lies within 3°30′ of it.
inline constexpr double MaxPlaneOrdinate = 400000;

struct ConvergenceInput {
    double Lo = 0;  // degrees
    double B = 0;
    double L = 0;
};

struct LineInput {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // metres
    double s = 0;                           // the line's length on the ellipsoid, metres
};

struct PlanePointInput {
    double Lo = 0;  // degrees
    double x = 0, y = 0;  // metres
};

struct ConvergenceResult {
    double gammaSeconds = 0;
    double scale = 0;
};

struct ReductionResult {
    double delta12 = 0, delta21 = 0;  // seconds of arc
    double deltaS = 0, d = 0;         // metres
};

void ConvergenceLabels(ResultTable& table);
void ReductionLabels(ResultTable& table);
void PlaneConvergenceLabels(ResultTable& table);

// Lo (Edit3–Edit5), B (Edit6–Edit8), L (Edit9–Edit11).
ConvergenceInput ReadConvergenceInput(const Inputs& inputs);
// x1 (Edit12), y1 (Edit13), x2 (Edit14), y2 (Edit15), s (Edit16).
LineInput ReadLineInput(const Inputs& inputs);
// Lo (Edit3–Edit5), x (Edit6), y (Edit7).
PlanePointInput ReadPlanePointInput(const Inputs& inputs);

// Writes column 1 of the first page in row order; a point beyond its limits is an error that
// says which.
ConvergenceResult ComputeConvergence(const ConvergenceInput& in, ResultTable& table);
// Writes column 1 of the second page in row order; likewise.
ReductionResult ComputeReduction(const LineInput& in, ResultTable& table);
// γ and m from x, y: writes column 1 in row order; a point nearer a pole than 9900 km of x
// allows or farther than 3°30′ from the axial meridian is an error that says which.
ConvergenceResult ComputePlaneConvergence(const PlanePointInput& in, ResultTable& table);

}  // namespace kvelta
