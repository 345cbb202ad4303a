#pragma once
// The Krasovsky ellipsoid as the course uses it.

namespace kvelta {

inline constexpr double EllipsoidA = 6378245.0;    // semi-major axis a, metres
inline constexpr double EllipsoidE2 = 0.00669342;  // first eccentricity squared e²

}  // namespace kvelta
