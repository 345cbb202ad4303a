#pragma once
// The rigorous counterparts of the plane corrections, on the Krasovsky ellipsoid: GeographicLib's
// exact transverse Mercator projection with scale 1 on the axial meridian (γ, k) and its geodesic.
// Each value comes with the reason it is missing; no library exception gets through.

#include "rigorous/geodesy.h"

namespace kvelta::rigorous {

struct ConvergenceValues {
    RigorousValue gamma;  // degrees
    RigorousValue scale;
};
ConvergenceValues ExactConvergence(double B, double L, double Lo);
// The same at the point of the plane x, y (the zone's Lo does not change them).
ConvergenceValues ExactConvergenceAtPlanePoint(double x, double y);

struct ReductionValues {
    RigorousValue delta12, delta21;  // seconds of arc
    RigorousValue deltaS, d;         // metres
};
// The line between the plane points (x1, y1) and (x2, y2); Δs for the length s on the ellipsoid
// is s times the rigorous ratio of the chord to the geodesic, d = s + Δs.
ReductionValues ExactReduction(double x1, double y1, double x2, double y2, double s);

// For the variants: the plane point of B, l (l from the axial meridian), the far end of the
// geodesic of azimuth A and length s from it, and the geodesic length between two plane points.
struct PlanePoint {
    double x = 0, y = 0;
};
PlanePoint ExactPlanePoint(double B, double l);
PlanePoint ExactLineEnd(const PlanePoint& start, double azimuth, double s);
double ExactGeodesicLength(const PlanePoint& p1, const PlanePoint& p2);

}  // namespace kvelta::rigorous
