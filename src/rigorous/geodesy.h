#pragma once
// The rigorous quantities the comparisons need, on the Krasovsky ellipsoid (a = 6378245 m,
// 1/f = 298.3), from GeographicLib: meridian and prime-vertical radii, meridian arcs, parallel
// radii, the area of a sheet bounded by parallels and meridians, geodesic distances, and the
// exact transverse Mercator projection with scale 1 on the axial meridian (Gauss–Krüger). Each
// answers with a value or the reason there is none; no library exception gets through.

#include "frame/exercise.h"

#include <QString>
#include <functional>

namespace kvelta::rigorous {

// Seconds of arc per radian, exactly; the textbook rounds it to 206265.
double RoExact();

RigorousValue None(const QString& reason);
RigorousValue Known(double value);
// Runs a library call: an exception or a non-finite result becomes a reason.
RigorousValue Call(const std::function<double()>& f);
// The reasons of two values joined, without repeating one.
QString JoinReasons(const QString& a, const QString& b);
// Why a latitude has no rigorous value ("широта B1 за пределами ±90°"); empty when it has.
QString LatitudeReason(double B, const QString& name);

RigorousValue MeridianRadius(double B, const QString& name);
RigorousValue PrimeVerticalRadius(double B, const QString& name);
RigorousValue CircleRadius(double B, const QString& name);  // radius of the parallel, N·cos B
RigorousValue MeridianArc(double B1, double B2);            // signed, metres
// Area of the sheet between the parallels B1, B2 and two meridians ΔL apart, square metres.
RigorousValue SheetArea(double B1, double B2, double deltaLDegrees);
// Geodesic distance between two points, metres.
RigorousValue GeodesicDistance(double B1, double L1, double B2, double L2);
// √(M·N) at a latitude: the radius of the sphere of mean curvature.
RigorousValue MeanRadius(double B, const QString& name);

// Gauss–Krüger x (northing) and y (ordinate from the axial meridian Lo).
struct PlaneValues {
    RigorousValue x, y;
};
PlaneValues GaussKrugerForward(double B, double L, double Lo);

struct GeodeticValues {
    RigorousValue B, L;
};
GeodeticValues GaussKrugerInverse(double x, double y, double Lo);

// What turns a difference into a length on the ground (metres).
using Ground = std::function<std::optional<double>(double difference)>;
Ground SameLength();
// Seconds of latitude / longitude at the latitude of `B` (nothing when B has no value).
Ground LatitudeSeconds(const RigorousValue& B);
Ground LongitudeSeconds(const RigorousValue& B);
// Centimetres on a map at the scale 1 : scale.
Ground MapCentimetres(double scale);
// A value with its ground conversion attached.
RigorousValue WithGround(RigorousValue value, Ground ground);

// The share of a textbook length that comes from ρ″ = 206265 in place of the exact ρ″ (a
// length inversely proportional to ρ″).
double RoShare(double textbookValue);
QString Metres(double value, int decimals = 3);
// Why the textbook lengths are short: the rounded ρ″.
QString RoNote();

// The statement of the ellipsoid shown with every comparison.
QString EllipsoidStatement(bool derivedE2 = false);
// Its last sentence, where the rigorous values come from: "Строгие значения: GeographicLib 2.1.2."
QString RigorousSourceStatement();

}  // namespace kvelta::rigorous
