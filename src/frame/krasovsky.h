#pragma once
// The Krasovsky ellipsoid from its defining figures (a, 1/f), for the exercises that are checked
// against the rigorous solution to fractions of a millimetre: e² is derived, not rounded.

namespace kvelta {

inline constexpr double KrasovskyA = 6378245.0;              // semi-major axis a, metres
inline constexpr double KrasovskyF = 1.0 / 298.3;            // flattening
inline constexpr double KrasovskyE2 = KrasovskyF * (2.0 - KrasovskyF);  // first eccentricity squared e²
inline constexpr double KrasovskyE2Second = KrasovskyE2 / (1.0 - KrasovskyE2);  // second eccentricity squared e′²
inline constexpr long double RoSecondsExact = 206264.806247096355156473357330779L;  // seconds of arc per radian

}  // namespace kvelta
