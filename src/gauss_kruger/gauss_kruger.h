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

// Headings and the 23 row labels of the forward table (2 columns, 24 rows).
void GeodeticToGaussKrugerLabels(ResultTable& table);
// Writes column 1, rows 1–23, in row order; returns x (row 20) and y (row 23).
PlaneCoordinates GeodeticToGaussKruger(double B, double L, double Lo, ResultTable& table);

// Headings and the 26 row labels of the inverse table (2 columns, 27 rows).
void GaussKrugerToGeodeticLabels(ResultTable& table);
// Writes column 1, rows 1–26, in row order; returns B (row 23) and L (row 26).
GeodeticCoordinates GaussKrugerToGeodetic(double x, double y, double Lo, ResultTable& table);

// The forward window's inputs: Lo (Edit3–Edit5), B (Edit6–Edit8), L (Edit9–Edit11).
struct GeodeticInput {
    double Lo = 0;
    double B = 0;
    double L = 0;
};
GeodeticInput ReadGeodeticInput(const Inputs& inputs);

// The inverse window's inputs: Lo (Edit3–Edit5), then x (Edit9) and y (Edit10).
struct PlaneInput {
    double Lo = 0;
    double x = 0;
    double y = 0;
};
PlaneInput ReadPlaneInput(const Inputs& inputs);

}  // namespace kvelta
