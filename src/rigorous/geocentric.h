#pragma once
// Spatial rectangular (geocentric) coordinates on the Krasovsky ellipsoid from GeographicLib's
// Geocentric: X, Y, Z of a point given by B, L, H, and back. Each value comes with the reason it
// is missing; no library exception gets through.

#include "rigorous/geodesy.h"

namespace kvelta::rigorous {

struct GeocentricValues {
    RigorousValue X, Y, Z;  // metres
};
// X, Y, Z of the point at latitude B, longitude L (degrees) and height H (metres).
GeocentricValues GeocentricForward(double B, double L, double H);

struct GeodeticHeightValues {
    RigorousValue B, L;  // degrees
    RigorousValue H;     // metres
};
// B, L, H of the point X, Y, Z; on the axis (X = Y = 0) L is 0, at the centre nothing is defined.
GeodeticHeightValues GeocentricReverse(double X, double Y, double Z);

}  // namespace kvelta::rigorous
