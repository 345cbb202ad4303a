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

// The rows of the first page: the point, its longitude from the axial meridian, the quantities
// at B, then γ (seconds and angle) and m with the terms of their series.
enum ConvergenceTableRow : int {
    ConvergenceRowB = 1, ConvergenceRowL, ConvergenceRowLo, ConvergenceRowLFromAxis, ConvergenceRowLRadians,
    ConvergenceRowSinB, ConvergenceRowCosB, ConvergenceRowTanB, ConvergenceRowEta2, ConvergenceRowLCosB,
    ConvergenceRowGammaSecondTerm, ConvergenceRowGammaFourthTerm, ConvergenceRowGammaSeconds, ConvergenceRowGamma,
    ConvergenceRowScaleSecondTerm, ConvergenceRowScaleFourthTerm, ConvergenceRowScaleSixthTerm, ConvergenceRowScale,
    ConvergenceRows  // the heading row and the rows above
};
// The rows of the second page: the line, the quantities at its middle, δ12 and δ21 with the
// ellipsoid's term, Δs with its three terms, d and the chord from the coordinates.
enum ReductionTableRow : int {
    ReductionRowX1 = 1, ReductionRowY1, ReductionRowX2, ReductionRowY2, ReductionRowS, ReductionRowXm, ReductionRowYm,
    ReductionRowBm, ReductionRowNm, ReductionRowEta2, ReductionRowTanBm, ReductionRowRm, ReductionRowDx, ReductionRowDy,
    ReductionRowF, ReductionRowYmCubed, ReductionRowEllipsoidTerm, ReductionRowDelta12, ReductionRowDelta21,
    ReductionRowMeanScaleTerm, ReductionRowSpreadTerm, ReductionRowFourthTerm, ReductionRowDeltaS, ReductionRowD,
    ReductionRowChord,
    ReductionRows  // the heading row and the rows above
};
// The rows of γ and m from x, y: the point, the footpoint latitude Bx and the quantities at it,
// u = y/Nx, the longitude with its series, then γ (seconds and angle) and m with theirs.
enum PlaneConvergenceTableRow : int {
    PlaneConvergenceRowX = 1, PlaneConvergenceRowY, PlaneConvergenceRowLo, PlaneConvergenceRowBetaRadians,
    PlaneConvergenceRowBeta, PlaneConvergenceRowBx, PlaneConvergenceRowSinBx, PlaneConvergenceRowCosBx,
    PlaneConvergenceRowTanBx, PlaneConvergenceRowEta2, PlaneConvergenceRowNx, PlaneConvergenceRowU,
    PlaneConvergenceRowLSecondTerm, PlaneConvergenceRowLFourthTerm, PlaneConvergenceRowLFromAxis, PlaneConvergenceRowL,
    PlaneConvergenceRowGammaSecondTerm, PlaneConvergenceRowGammaFourthTerm, PlaneConvergenceRowGammaSeconds,
    PlaneConvergenceRowGamma, PlaneConvergenceRowScaleSecondTerm, PlaneConvergenceRowScaleFourthTerm,
    PlaneConvergenceRowScale,
    PlaneConvergenceRows  // the heading row and the rows above
};

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

// The angles L0, B and L.
ConvergenceInput ReadConvergenceInput(const Inputs& inputs);
// x1, y1, x2, y2 and s.
LineInput ReadLineInput(const Inputs& inputs);
// The angle L0, x and y.
PlanePointInput ReadPlanePointInput(const Inputs& inputs);

// Writes the value column of the first page in row order; a point beyond its limits is an error that
// says which.
ConvergenceResult ComputeConvergence(const ConvergenceInput& in, ResultTable& table);
// Writes the value column of the second page in row order; likewise.
ReductionResult ComputeReduction(const LineInput& in, ResultTable& table);
// γ and m from x, y: writes the value column in row order; a point nearer a pole than 9900 km of x
// allows or farther than 3°30′ from the axial meridian is an error that says which.
ConvergenceResult ComputePlaneConvergence(const PlanePointInput& in, ResultTable& table);

}  // namespace kvelta
