#pragma once
// The direct and inverse geodetic problems on the Krasovsky ellipsoid by Gauss's mean-argument
// formulas: the increments of latitude, longitude and azimuth along a geodesic as odd series in
// its length s, to the seventh order, with every coefficient taken at the mean latitude
// Bm = (B1 + B2)/2 and the mean azimuth Am = (A12 + A21 ∓ 180°)/2.

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

// The most approximations either problem shows (one table column each) before it gives up.
inline constexpr int MeanArgumentMaxIterations = 20;

// The quantities at the mean latitude.
struct MeanLatitude {
    Extended N = 0;     // radius of curvature in the prime vertical, metres
    Extended V2 = 0;    // V² = 1 + η²
    Extended eta2 = 0;  // η² = e′² cos² Bm
    Extended t = 0;     // tan Bm
    Extended cosB = 0;
};
MeanLatitude AtMeanLatitude(Extended BmDegrees);

// The increments ΔB, ΔL, ΔA in radians of a line whose projections on the mean meridian and
// the mean prime vertical are P = s·cos Am and Q = s·sin Am (metres).
struct Increments {
    Extended dB = 0;
    Extended dL = 0;
    Extended dA = 0;
};
Increments MeanArgumentIncrements(const MeanLatitude& m, Extended P, Extended Q);

// The direct problem: from point 1 (B1, L1), the azimuth A12 and the distance s, point 2 and the
// reverse azimuth A21. Angles in degrees, s in metres.
struct DirectInput {
    double B1 = 0;
    double L1 = 0;
    double A12 = 0;
    double s = 0;
};
struct DirectResult {
    double B2 = 0;
    double L2 = 0;
    double A21 = 0;
};
DirectInput ReadDirectInput(const Inputs& inputs);  // B1, L1, A12, s
void DirectProblemLabels(ResultTable& table);
DirectResult SolveDirectProblem(const DirectInput& in, ResultTable& table);

// The inverse problem: from the two points, the distance and both azimuths.
struct InverseInput {
    double B1 = 0;
    double L1 = 0;
    double B2 = 0;
    double L2 = 0;
};
struct InverseResult {
    double s = 0;
    double A12 = 0;
    double A21 = 0;
};
InverseInput ReadInverseInput(const Inputs& inputs);  // B1, L1, B2, L2
void InverseProblemLabels(ResultTable& table);
InverseResult SolveInverseProblem(const InverseInput& in, ResultTable& table);

// The rows both tables begin with: the ellipsoid's a, e², e′² and ρ″.
enum MeanArgumentConstantRow : int { MeanArgumentRowA = 1, MeanArgumentRowE2, MeanArgumentRowE2Second, MeanArgumentRowRo };
// The direct problem's rows of one approximation (a column each): its number, Bm, Am, the four rows
// of the mean latitude and the increments ΔB″, ΔL″, ΔA″.
inline constexpr int DirectRowApproximation = 5, DirectRowBm = 6, DirectRowAm = 7, DirectRowMeanLatitude = 8,
                     DirectRowDB = 12, DirectRowDL = 13, DirectRowDA = 14;
// The inverse problem's rows of one approximation: its number, s·sin Am and s·cos Am.
inline constexpr int InverseRowApproximation = 12, InverseRowQ = 13, InverseRowP = 14;
// The inverse problem's rows around its approximations: the differences of latitude and longitude
// in seconds, Bm and the four rows of the mean latitude; after them Am and ΔA″.
inline constexpr int InverseRowDB = 5, InverseRowDL = 6, InverseRowBm = 7, InverseRowMeanLatitude = 8,
                     InverseRowAm = 16, InverseRowDA = 17;
// Table rows of the final results, for the exercise descriptions.
inline constexpr int DirectRowB2 = 15, DirectRowL2 = 16, DirectRowA21 = 17, DirectRows = 18;
inline constexpr int InverseRowS = 15, InverseRowA12 = 18, InverseRowA21 = 19, InverseRows = 20;

// An angle in degrees brought into [0°, 360°), and a difference of longitudes into (−180°, 180°].
Extended Azimuth360(Extended degrees);
Extended LongitudeDifference180(Extended degrees);

}  // namespace kvelta
