#pragma once
// Spatial rectangular (geocentric) coordinates on the Krasovsky ellipsoid, both ways: geodetic
// B, L, H to X, Y, Z by the closed formulas through the prime-vertical radius N, and X, Y, Z back
// to B, L, H by iterating the latitude from the sea-level first approximation.

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

// The most approximations of B the table has rows for; a point that needs more (one within about
// 100 km of the centre of the ellipsoid; a point near the surface needs two or three) is an error.
inline constexpr int SpatialIterationLimit = 8;
// The rows of an approximation (N, H, B, the change in B) in the second table, the first from row 9.
inline constexpr int SpatialFirstIterationRow = 9, SpatialRowsPerIteration = 4;

struct GeodeticPoint {
    double B = 0;  // degrees
    double L = 0;
    double H = 0;  // metres above the ellipsoid
};

struct GeocentricPoint {
    double X = 0;  // metres
    double Y = 0;
    double Z = 0;
};

// The rows both tables begin with: the ellipsoid's a and e².
inline constexpr int SpatialRowA = 1, SpatialRowE2 = 2;
// The first table, B, L, H to X, Y, Z (N the prime-vertical radius, W = √(1 − e²sin²B)).
enum GeodeticToGeocentricRow : int {
    GivenBRow = 3, GivenLRow, GivenHRow, SinBRow, CosBRow, WRow, PrimeVerticalRow, ParallelRadiusRow, GeocentricXRow,
    GeocentricYRow, PolarFactorRow, GeocentricZRow
};
// The second table, X, Y, Z to B, L, H: the given point, L, D = √(X² + Y²) and the first
// approximation of B; then the approximations (N, H, B and the change of B in seconds, from row
// SpatialFirstIterationRow) and the results.
enum GeocentricToGeodeticRow : int { GivenXRow = 3, GivenYRow, GivenZRow, LongitudeRow, DistanceFromAxisRow, FirstBRow };
enum IterationRowOffset : int { IterationNRow = 0, IterationHRow, IterationBRow, IterationChangeRow };
inline constexpr int GeodeticBRow = 41, GeodeticLRow = 42, GeodeticHRow = 43;
inline constexpr int GeodeticToGeocentricRows = 15, GeocentricToGeodeticRows = 44;

void GeodeticToGeocentricLabels(ResultTable& table);
void GeocentricToGeodeticLabels(ResultTable& table);

// The angles B, L and the height H; a latitude beyond ±90° is an error.
GeodeticPoint ReadGeodeticPoint(const Inputs& inputs);
// X, Y, Z.
GeocentricPoint ReadGeocentricPoint(const Inputs& inputs);

// Writes column 1 of the first table in row order.
GeocentricPoint GeodeticToGeocentric(const GeodeticPoint& point, ResultTable& table);
// Writes column 1 of the second table in row order: the approximations until B changes by less
// than 0.00001″, the rows of approximations not needed emptied, then B, L, H.
GeodeticPoint GeocentricToGeodetic(const GeocentricPoint& point, ResultTable& table);

}  // namespace kvelta
