#pragma once
// The Krasovsky ellipsoid, the one the course computes on. Its defining figures are a and 1/f;
// the course's worked tables take e² rounded to 0,00669342, and their printed digits depend on
// it, so both values of e² are kept, each named for what it is.

namespace kvelta {

inline constexpr double KrasovskyA = 6378245.0;    // semi-major axis a, metres
inline constexpr double KrasovskyF = 1.0 / 298.3;  // flattening

// e² as the course rounds it: the arcs, the trapezoids and the large triangle.
inline constexpr double KrasovskyE2Rounded = 0.00669342;

// e² = f(2 − f) from 1/f, not rounded, and e′² from it: the exercises checked against the
// rigorous solution to fractions of a millimetre (the geodetic problems, spatial coordinates).
inline constexpr double KrasovskyE2 = KrasovskyF * (2.0 - KrasovskyF);
inline constexpr double KrasovskyE2Second = KrasovskyE2 / (1.0 - KrasovskyE2);

}  // namespace kvelta
