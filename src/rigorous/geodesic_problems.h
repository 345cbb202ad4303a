#pragma once
// The direct and inverse geodetic problems solved rigorously on the Krasovsky ellipsoid
// (GeographicLib's Geodesic), for the comparison with the mean-argument formulas. Azimuths are
// in [0°, 360°); the reverse azimuth A21 points from point 2 back to point 1.

#include "frame/exercise.h"

namespace kvelta::rigorous {

struct DirectGeodesic {
    RigorousValue B2, L2, A21;  // L2 = L1 + the longitude travelled (not brought into ±180°)
};
DirectGeodesic SolveDirectGeodesic(double B1, double L1, double A12, double s);

struct InverseGeodesic {
    RigorousValue s, A12, A21;
};
InverseGeodesic SolveInverseGeodesic(double B1, double L1, double B2, double L2);

}  // namespace kvelta::rigorous
