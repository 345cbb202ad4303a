#include "datums/exact_datums.h"

#include "frame/angles.h"

#include <GeographicLib/Geocentric.hpp>

#include <cmath>
#include <exception>

namespace kvelta::rigorous {

namespace {

constexpr double RoSeconds = static_cast<double>(RoSecondsExact);

const GeographicLib::Geocentric& Earth(const Ellipsoid& e)
{
    static const GeographicLib::Geocentric krasovsky(KrasovskyEllipsoid.a, KrasovskyEllipsoid.f);
    static const GeographicLib::Geocentric pz90(Pz90Ellipsoid.a, Pz90Ellipsoid.f);
    static const GeographicLib::Geocentric wgs84(Wgs84Ellipsoid.a, Wgs84Ellipsoid.f);
    return e.a == KrasovskyEllipsoid.a ? krasovsky : e.a == Pz90Ellipsoid.a ? pz90 : wgs84;
}

Xyz Forward(const Blh& p, const Ellipsoid& e)
{
    Xyz xyz;
    Earth(e).Forward(p.B, p.L, p.H, xyz.X, xyz.Y, xyz.Z);
    return xyz;
}

Blh Reverse(const Xyz& p, const Ellipsoid& e)
{
    Blh blh;
    Earth(e).Reverse(p.X, p.Y, p.Z, blh.B, blh.L, blh.H);
    return blh;
}

}  // namespace

Xyz HelmertInverse(const Xyz& p, const HelmertParameters& t)
{
    const double wx = t.wx / RoSeconds, wy = t.wy / RoSeconds, wz = t.wz / RoSeconds, scale = 1 + t.m * 1e-6;
    const double r[3][3] = {{1, wz, -wy}, {-wz, 1, wx}, {wy, -wx, 1}};
    const double v[3] = {(p.X - t.dX) / scale, (p.Y - t.dY) / scale, (p.Z - t.dZ) / scale};
    // Cramer's rule: the matrix is within 10⁻⁵ of the identity, so nothing is lost.
    const auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double d = det(r);
    double out[3];
    for (int column = 0; column < 3; ++column) {
        double replaced[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                replaced[i][j] = j == column ? v[i] : r[i][j];
        out[column] = det(replaced) / d;
    }
    return {out[0], out[1], out[2]};
}

DatumValues ExactDatumChain(const Blh& start, DatumDirection direction)
{
    const QString reason = LatitudeReason(start.B, QStringLiteral("B"));
    if (!reason.isEmpty())
        return {None(reason), None(reason), None(reason)};
    try {
        Blh end;
        if (direction == DatumDirection::Sk42ToWgs84) {
            const Xyz pz = Helmert(Forward(start, KrasovskyEllipsoid), Sk42ToPz9011);
            end = Reverse(HelmertInverse(pz, Wgs84ToPz9011), Wgs84Ellipsoid);
        } else {
            const Xyz pz = Helmert(Forward(start, Wgs84Ellipsoid), Wgs84ToPz9011);
            end = Reverse(HelmertInverse(pz, Sk42ToPz9011), KrasovskyEllipsoid);
        }
        const RigorousValue B = WithGround(Known(end.B), {});
        return {WithGround(B, LatitudeSeconds(B)), WithGround(Known(end.L), LongitudeSeconds(B)),
                WithGround(Known(end.H), SameLength())};
    } catch (const std::exception& e) {
        const RigorousValue none = None(QStringLiteral("ошибка библиотеки: %1").arg(QString::fromLocal8Bit(e.what())));
        return {none, none, none};
    }
}

}  // namespace kvelta::rigorous
