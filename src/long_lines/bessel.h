#pragma once
// The direct and inverse geodetic problems on long lines (up to 20 000 km) by Bessel's method on
// the Krasovsky ellipsoid: the geodesic is carried onto the auxiliary sphere by the reduced
// latitudes u (tg u = √(1 − e²)·tg B), solved there as a spherical triangle with the pole, and the
// arc σ and the longitude difference λ − l brought back to the ellipsoid by series whose
// coefficients depend on the azimuth A0 where the line crosses the equator.

#include "frame/inputs.h"
#include "frame/result_table.h"

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

// The direct problem. Angles in degrees, s in metres.
struct BesselDirectInput {
    double B1 = 0, L1 = 0, A12 = 0, s = 0;
};
struct BesselDirectResult {
    double B2 = 0, L2 = 0, A21 = 0;
};
BesselDirectInput ReadBesselDirectInput(const Inputs& inputs);  // B1 Edit3–5, L1 Edit6–8, A12 Edit9–11, s Edit12
void BesselDirectLabels(ResultTable& table);
BesselDirectResult SolveBesselDirect(const BesselDirectInput& in, ResultTable& table);

// The inverse problem.
struct BesselInverseInput {
    double B1 = 0, L1 = 0, B2 = 0, L2 = 0;
};
struct BesselInverseResult {
    double s = 0, A12 = 0, A21 = 0;
};
BesselInverseInput ReadBesselInverseInput(const Inputs& inputs);  // B1 Edit3–5, L1 Edit6–8, B2 Edit9–11, L2 Edit12–14
void BesselInverseLabels(ResultTable& table);
BesselInverseResult SolveBesselInverse(const BesselInverseInput& in, ResultTable& table);

// Table rows: the iterated block starts at its "Приближение" row; the final results.
namespace bessel_rows {
inline constexpr int DirectIteration = 19, DirectB2 = 31, DirectL2 = 32, DirectA21 = 33, DirectCount = 34;
inline constexpr int InverseIteration = 13, InverseS = 33, InverseA12 = 34, InverseA21 = 35, InverseCount = 36;
}  // namespace bessel_rows

}  // namespace kvelta
