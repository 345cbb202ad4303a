#pragma once
// Gauss–Krüger plane coordinates on the Krasovsky ellipsoid: the forward series (geodetic B, L
// to plane x, y) and the inverse series through the footpoint latitude, both with the
// textbook's numerical coefficients. x is the northing from the equator, y the ordinate from
// the zone's axial meridian Lo (negative to the west); no zone prefix, no false easting.

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

struct PlaneCoordinates {
    double x = 0;  // metres
    double y = 0;
};

struct GeodeticCoordinates {
    double B = 0;  // decimal degrees
    double L = 0;
};

// Both tables: the formula in column 0, its value in column 1.
inline constexpr int GaussKrugerValueColumn = 1;

// The rows of the forward table, in the order the computation writes them.
enum GaussKrugerForwardRow : int {
    GkForwardRowB = 1, GkForwardRowBSeconds, GkForwardRowBRadians, GkForwardRowSinB, GkForwardRowCosB, GkForwardRowCos2B,
    GkForwardRowL, GkForwardRowLSeconds, GkForwardRowLRadians, GkForwardRowN, GkForwardRowA0, GkForwardRowA4, GkForwardRowA6,
    GkForwardRowA3, GkForwardRowA5, GkForwardRowSinBCosB, GkForwardRowL2, GkForwardRowNL2, GkForwardRowArc, GkForwardRowX,
    GkForwardRowYFactor, GkForwardRowYFactorLCosB, GkForwardRowY,
    GkForwardRows  // the heading row and the rows above
};

// The rows of the inverse table, in the order the computation writes them.
enum GaussKrugerInverseRow : int {
    GkInverseRowBeta = 1, GkInverseRowBetaSeconds, GkInverseRowBetaDegrees, GkInverseRowSinBeta, GkInverseRowCosBeta,
    GkInverseRowCos2Beta, GkInverseRowBx, GkInverseRowBxSeconds, GkInverseRowBxDegrees, GkInverseRowSinBx, GkInverseRowCosBx,
    GkInverseRowCos2Bx, GkInverseRowNx, GkInverseRowB2, GkInverseRowB3, GkInverseRowB4, GkInverseRowB5, GkInverseRowNxCosBx,
    GkInverseRowZ, GkInverseRowZ2, GkInverseRowDeltaB, GkInverseRowDeltaBSeconds, GkInverseRowB, GkInverseRowLRadians,
    GkInverseRowLDegrees, GkInverseRowL,
    GkInverseRows  // the heading row and the rows above
};

// Headings and the row labels of the forward table (2 columns, GkForwardRows rows).
void GeodeticToGaussKrugerLabels(ResultTable& table);
// Writes the value column in row order; returns x and y.
PlaneCoordinates GeodeticToGaussKruger(double B, double L, double Lo, ResultTable& table);

// Headings and the row labels of the inverse table (2 columns, GkInverseRows rows).
void GaussKrugerToGeodeticLabels(ResultTable& table);
// Writes the value column in row order; returns B and L.
GeodeticCoordinates GaussKrugerToGeodetic(double x, double y, double Lo, ResultTable& table);

// The footpoint latitude Bx of the abscissa x (the latitude whose meridian arc is x) by the
// textbook's series in β = x / 6367558.4969, each quantity as the hand computation holds it.
// `secondsPerRadian` is ρ″: the course's 206265 in the inverse series, the exact value where the
// printed digits need it.
struct Footpoint {
    double beta = 0;  // radians
    double betaSeconds = 0, betaDegrees = 0;
    double sinBeta = 0, cosBeta = 0, cos2Beta = 0;
    double Bx = 0;  // radians
    double BxSeconds = 0, BxDegrees = 0;
};
Footpoint FootpointLatitude(double x, Extended secondsPerRadian);

// The forward window's inputs: the angles L0, B, L.
struct GeodeticInput {
    double Lo = 0;
    double B = 0;
    double L = 0;
};
GeodeticInput ReadGeodeticInput(const Inputs& inputs);

// The inverse window's inputs: the angle L0, then x and y.
struct PlaneInput {
    double Lo = 0;
    double x = 0;
    double y = 0;
};
PlaneInput ReadPlaneInput(const Inputs& inputs);

}  // namespace kvelta
