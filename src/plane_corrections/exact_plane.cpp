#include "plane_corrections/exact_plane.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/TransverseMercatorExact.hpp>

#include <cmath>
#include <exception>

namespace kvelta::rigorous {

namespace {

const GeographicLib::TransverseMercatorExact& Projection()
{
    static const GeographicLib::TransverseMercatorExact projection(KrasovskyA, KrasovskyF, 1);
    return projection;
}

const GeographicLib::Geodesic& Earth()
{
    static const GeographicLib::Geodesic earth(KrasovskyA, KrasovskyF);
    return earth;
}

RigorousValue Finite(double value)
{
    return std::isfinite(value) ? Known(value) : None(QStringLiteral("библиотека вернула нечисловое значение"));
}

// A point of the plane on the ellipsoid, with the convergence there (degrees).
struct EllipsoidPoint {
    double B = 0, L = 0, gamma = 0;
};

EllipsoidPoint OnEllipsoid(double x, double y)
{
    EllipsoidPoint p;
    double k = 0;
    Projection().Reverse(0, y, x, p.B, p.L, p.gamma, k);  // the library's x is the easting
    return p;
}

// γ (degrees) and k from one call of the projection; the library's error is the reason for both.
template <class Call>
ConvergenceValues ConvergenceFrom(Call call)
{
    try {
        double gamma = 0, k = 0;
        call(gamma, k);
        return {WithGround(Finite(gamma), {}), Finite(k)};
    } catch (const std::exception& e) {
        const RigorousValue none = None(QStringLiteral("ошибка библиотеки: %1").arg(QString::fromLocal8Bit(e.what())));
        return {none, none};
    }
}

double Degrees(double radians) { return radians * 180 / 3.14159265358979323846; }

}  // namespace

ConvergenceValues ExactConvergence(double B, double L, double Lo)
{
    const QString reason = LatitudeReason(B, QStringLiteral("B"));
    if (!reason.isEmpty())
        return {None(reason), None(reason)};
    return ConvergenceFrom([&](double& gamma, double& k) {
        double x = 0, y = 0;
        Projection().Forward(Lo, B, L, x, y, gamma, k);
    });
}

ConvergenceValues ExactConvergenceAtPlanePoint(double x, double y)
{
    return ConvergenceFrom([&](double& gamma, double& k) {
        double B = 0, L = 0;
        Projection().Reverse(0, y, x, B, L, gamma, k);  // the library's x is the easting
    });
}

ReductionValues ExactReduction(double x1, double y1, double x2, double y2, double s)
{
    try {
        const EllipsoidPoint p1 = OnEllipsoid(x1, y1), p2 = OnEllipsoid(x2, y2);
        double length = 0, azimuth1 = 0, azimuth2 = 0;
        Earth().Inverse(p1.B, p1.L, p2.B, p2.L, length, azimuth1, azimuth2);
        // α = A − γ + δ at each end: δ is the chord's directional angle less the geodesic's image's.
        const double alpha12 = Degrees(std::atan2(y2 - y1, x2 - x1)), alpha21 = Degrees(std::atan2(y1 - y2, x1 - x2));
        const double delta12 = std::remainder(alpha12 - azimuth1 + p1.gamma, 360.0) * 3600;
        const double delta21 = std::remainder(alpha21 - (azimuth2 + 180) + p2.gamma, 360.0) * 3600;
        const double deltaS = s * (std::hypot(x2 - x1, y2 - y1) / length - 1);
        return {Finite(delta12), Finite(delta21), WithGround(Finite(deltaS), SameLength()),
                WithGround(Finite(s + deltaS), SameLength())};
    } catch (const std::exception& e) {
        const RigorousValue none = None(QStringLiteral("ошибка библиотеки: %1").arg(QString::fromLocal8Bit(e.what())));
        return {none, none, none, none};
    }
}

PlanePoint ExactPlanePoint(double B, double l)
{
    PlanePoint p;
    double gamma = 0, k = 0;
    Projection().Forward(0, B, l, p.y, p.x, gamma, k);
    return p;
}

PlanePoint ExactLineEnd(const PlanePoint& start, double azimuth, double s)
{
    const EllipsoidPoint p = OnEllipsoid(start.x, start.y);
    double B2 = 0, L2 = 0;
    Earth().Direct(p.B, p.L, azimuth, s, B2, L2);
    return ExactPlanePoint(B2, L2);
}

double ExactGeodesicLength(const PlanePoint& p1, const PlanePoint& p2)
{
    const EllipsoidPoint e1 = OnEllipsoid(p1.x, p1.y), e2 = OnEllipsoid(p2.x, p2.y);
    double length = 0;
    Earth().Inverse(e1.B, e1.L, e2.B, e2.L, length);
    return length;
}

}  // namespace kvelta::rigorous
