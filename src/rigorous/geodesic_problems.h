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

// A rigorous angle taken to the turn nearest the one the textbook's table prints in its first
// table's value column at `row` (359°59′59″ beside 0°00′01″ differ by 2″, not by 359°59′58″).
RigorousValue NearTextbook(RigorousValue angle, const ComputedTables& textbook, int row);

}  // namespace kvelta::rigorous
