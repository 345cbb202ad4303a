#include "rigorous/geocentric.h"

#include "frame/ellipsoid_constants.h"

#include <GeographicLib/Geocentric.hpp>

#include <array>
#include <cmath>
#include <exception>

namespace kvelta::rigorous {

namespace {

const GeographicLib::Geocentric& Krasovsky()
{
    static const GeographicLib::Geocentric earth(KrasovskyA, KrasovskyF);
    return earth;
}

// The three results of one library call, or its reason for each of them.
template <class Call>
std::array<RigorousValue, 3> Three(Call call)
{
    try {
        const std::array<double, 3> v = call();
        std::array<RigorousValue, 3> values;
        for (std::size_t i = 0; i < 3; ++i)
            values[i] = std::isfinite(v[i]) ? Known(v[i]) : None(QStringLiteral("библиотека вернула нечисловое значение"));
        return values;
    } catch (const std::exception& e) {
        const RigorousValue none = None(QStringLiteral("ошибка библиотеки: %1").arg(QString::fromLocal8Bit(e.what())));
        return {none, none, none};
    }
}

}  // namespace

GeocentricValues GeocentricForward(double B, double L, double H)
{
    const QString reason = LatitudeReason(B, QStringLiteral("B"));
    if (!reason.isEmpty())
        return {None(reason), None(reason), None(reason)};
    const auto v = Three([&] {
        std::array<double, 3> xyz{};
        Krasovsky().Forward(B, L, H, xyz[0], xyz[1], xyz[2]);
        return xyz;
    });
    return {WithGround(v[0], SameLength()), WithGround(v[1], SameLength()), WithGround(v[2], SameLength())};
}

GeodeticHeightValues GeocentricReverse(double X, double Y, double Z)
{
    if (X == 0 && Y == 0 && Z == 0) {
        const RigorousValue none = None(QStringLiteral("точка в центре эллипсоида: B, L, H не определены"));
        return {none, none, none};
    }
    const auto v = Three([&] {
        std::array<double, 3> blh{};
        Krasovsky().Reverse(X, Y, Z, blh[0], blh[1], blh[2]);
        return blh;
    });
    return {WithGround(v[0], LatitudeSeconds(v[0])), WithGround(v[1], LongitudeSeconds(v[0])),
            WithGround(v[2], SameLength())};
}

}  // namespace kvelta::rigorous
