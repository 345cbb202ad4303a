#pragma once
// The direct and inverse geodetic problems on long lines (up to 20 000 km) by Bessel's method on
// the Krasovsky ellipsoid: the geodesic is carried onto the auxiliary sphere by the reduced
// latitudes u (tg u = √(1 − e²)·tg B), solved there as a spherical triangle with the pole, and the
// arc σ and the longitude difference λ − l brought back to the ellipsoid by series whose
// coefficients depend on the azimuth A0 where the line crosses the equator.

#include "frame/result_table.h"
#include "geodetic_problems/mean_argument.h"

namespace kvelta {

// The most approximations either problem shows (one table column each) before it gives up.
inline constexpr int BesselMaxIterations = 20;
// The longest line either problem takes, metres.
inline constexpr double BesselLongestLine = 20000000;

// The series' coefficients at c = cos²A0:
//   s = A·σ + (B·x + C·y + D·z)·sin σ,   λ − l = (α·σ − β·x·sin σ − γ·y·sin σ)·sin A0,
// with x = 2 sin u1 sin u2 − c·cos σ (= −c·cos(2σ1 + σ)), y = (c² − 2x²)·cos σ and
// z = x·(3c² − 4x²)·(4cos²σ − 1); A…D in metres, α…γ dimensionless.
struct BesselCoefficients {
    Extended k2 = 0;  // k² = e′²·cos²A0
    Extended A = 0, B = 0, C = 0, D = 0;
    Extended alpha = 0, beta = 0, gamma = 0;
};
BesselCoefficients CoefficientsAt(Extended cos2A0);

// The terms x, y, z of the series from c = cos²A0, x and the arc σ.
Extended BesselY(Extended cos2A0, Extended x, Extended sigma);
Extended BesselZ(Extended cos2A0, Extended x, Extended sigma);
// The series themselves: the length of an arc σ (radians) and λ − l (radians).
Extended BesselLength(const BesselCoefficients& k, Extended sigma, Extended x, Extended y, Extended z);
Extended BesselLongitudeShift(const BesselCoefficients& k, Extended sinA0, Extended sigma, Extended x,
                              Extended y);

// The direct problem: from point 1, the azimuth A12 and the distance s, point 2 and the reverse
// azimuth A21; the inverse problem: from the two points, s and both azimuths. The inputs are those of
// the geodetic problems by the mean-argument formulas (degrees, metres), read from the same edits.
struct BesselDirectResult {
    double B2 = 0, L2 = 0, A21 = 0;
};
void BesselDirectLabels(ResultTable& table);
BesselDirectResult SolveBesselDirect(const DirectInput& in, ResultTable& table);

struct BesselInverseResult {
    double s = 0, A12 = 0, A21 = 0;
};
void BesselInverseLabels(ResultTable& table);
BesselInverseResult SolveBesselInverse(const InverseInput& in, ResultTable& table);

// Table rows: the iterated block starts at its "Приближение" row; the final results.
namespace bessel_rows {
// The rows both tables begin with: a, b, e², e′², ρ″.
enum Constant : int { SemiMajorAxis = 1, SemiMinorAxis, E2, E2Second, Ro };
// The direct problem: u1 and the azimuth A0 of the geodesic at the equator, σ1, the five rows of
// the length coefficients A, B, C, D, α from DirectLengthCoefficients, the longitude coefficients
// from DirectLongitudeCoefficients, the approximations of σ, then point 2 on the sphere and on the
// ellipsoid.
enum Direct : int {
    DirectTanU1 = 6, DirectU1, DirectSinA0, DirectCos2A0, DirectTanSigma1, DirectLengthCoefficients,
    DirectLongitudeCoefficients = 16, DirectSinU2 = 25, DirectU2, DirectLambda, DirectA2, DirectDelta, DirectL
};
inline constexpr int DirectIteration = 19, DirectB2 = 31, DirectL2 = 32, DirectA21 = 33, DirectCount = 34;
// The inverse problem: tg u1, tg u2, l and the products a1, a2, b1, b2 before the approximations.
enum Inverse : int { InverseTanU1 = 6, InverseTanU2, InverseL, InverseA1, InverseA2, InverseB1, InverseB2 };
inline constexpr int InverseIteration = 13, InverseS = 33, InverseA12 = 34, InverseA21 = 35, InverseCount = 36;
}  // namespace bessel_rows

}  // namespace kvelta
