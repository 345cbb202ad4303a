#include "rigorous/geodesy.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
#include "frame/numbers.h"

#include <GeographicLib/Config.h>
#include <GeographicLib/Ellipsoid.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Math.hpp>
#include <GeographicLib/PolygonArea.hpp>
#include <GeographicLib/Rhumb.hpp>
#include <GeographicLib/TransverseMercatorExact.hpp>

#include <cmath>
#include <exception>
#include <numbers>

namespace kvelta::rigorous {

namespace {

// Beyond this distance from the axial meridian the comparison of Gauss–Krüger coordinates stops:
// the transverse Mercator projection nears its branch point l = 90°(1 − e) ≈ 82.6° on the
// equator (scale 6.6 at 80°) and is many-valued past 90°, while a zone spans a few degrees.
constexpr double GaussKrugerLimitDegrees = 80;

struct Krasovsky {
    GeographicLib::Ellipsoid ellipsoid{KrasovskyA, KrasovskyF};
    GeographicLib::Geodesic geodesic{KrasovskyA, KrasovskyF};
    GeographicLib::Rhumb rhumb{KrasovskyA, KrasovskyF};
    GeographicLib::TransverseMercatorExact gaussKruger{KrasovskyA, KrasovskyF, 1};
};

const Krasovsky& Earth()
{
    static const Krasovsky earth;
    return earth;
}

// A value at a latitude from the library, or why there is none.
RigorousValue AtLatitude(double B, const QString& name, const std::function<double()>& f)
{
    const QString reason = LatitudeReason(B, name);
    return reason.isEmpty() ? Call(f) : None(reason);
}

}  // namespace

double RoExact() { return static_cast<double>(RoSecondsExact); }

RigorousValue None(const QString& reason) { return {std::nullopt, reason, {}}; }
RigorousValue Known(double value) { return {value, QString(), {}}; }

RigorousValue Call(const std::function<double()>& f)
{
    try {
        const double v = f();
        if (!std::isfinite(v))
            return None(QStringLiteral("библиотека вернула нечисловое значение"));
        return Known(v);
    } catch (const std::exception& e) {
        return None(QStringLiteral("ошибка библиотеки: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

QString JoinReasons(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty() || a == b)
        return a;
    return a + QStringLiteral("; ") + b;
}

QString LatitudeReason(double B, const QString& name)
{
    if (!std::isfinite(B) || std::fabs(B) > 90)
        return QStringLiteral("широта %1 за пределами ±90°").arg(name);
    return {};
}

RigorousValue MeridianRadius(double B, const QString& name)
{
    return AtLatitude(B, name, [&] { return Earth().ellipsoid.MeridionalCurvatureRadius(B); });
}

RigorousValue PrimeVerticalRadius(double B, const QString& name)
{
    return AtLatitude(B, name, [&] { return Earth().ellipsoid.TransverseCurvatureRadius(B); });
}

RigorousValue CircleRadius(double B, const QString& name)
{
    return AtLatitude(B, name, [&] { return Earth().ellipsoid.CircleRadius(B); });
}

RigorousValue MeanRadius(double B, const QString& name)
{
    return AtLatitude(B, name, [&] {
        return std::sqrt(Earth().ellipsoid.MeridionalCurvatureRadius(B) * Earth().ellipsoid.TransverseCurvatureRadius(B));
    });
}

RigorousValue MeridianArc(double B1, double B2)
{
    const QString reason = JoinReasons(LatitudeReason(B1, QStringLiteral("B1")), LatitudeReason(B2, QStringLiteral("B2")));
    if (!reason.isEmpty())
        return None(reason);
    return Call([&] { return Earth().ellipsoid.MeridianDistance(B2) - Earth().ellipsoid.MeridianDistance(B1); });
}

// A polygon of rhumb lines through the corners; the parallel sides are split so that no piece
// spans 180° (a rhumb line takes the shorter way round).
RigorousValue SheetArea(double B1, double B2, double deltaLDegrees)
{
    QString reason = JoinReasons(LatitudeReason(B1, QStringLiteral("B1")), LatitudeReason(B2, QStringLiteral("B2")));
    if (reason.isEmpty() && !(std::fabs(deltaLDegrees) <= 360))
        reason = QStringLiteral("L2 − L1 больше 360°: лист перекрывает сам себя");
    if (!reason.isEmpty())
        return None(reason);
    return Call([&] {
        GeographicLib::PolygonAreaRhumb polygon(Earth().rhumb);
        const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(deltaLDegrees) / 90)));
        for (int i = 0; i <= pieces; ++i)
            polygon.AddPoint(B1, deltaLDegrees * i / pieces);
        for (int i = pieces; i >= 0; --i)
            polygon.AddPoint(B2, deltaLDegrees * i / pieces);
        double perimeter = 0, area = 0;
        polygon.Compute(false, true, perimeter, area);
        // The library gives a signed area modulo the whole ellipsoid's; a sheet more than half
        // of it comes back with the wrong sign (or as 0 for the whole ellipsoid).
        const double sign = ((B2 > B1) == (deltaLDegrees > 0)) ? 1 : -1;
        if (B1 != B2 && deltaLDegrees != 0 && (area == 0 || (area > 0) != (sign > 0)))
            area += sign * Earth().ellipsoid.Area();
        return area;
    });
}

RigorousValue GeodesicDistance(double B1, double L1, double B2, double L2)
{
    const QString reason = JoinReasons(LatitudeReason(B1, QStringLiteral("B1")), LatitudeReason(B2, QStringLiteral("B2")));
    if (!reason.isEmpty())
        return None(reason);
    return Call([&] {
        double s12 = 0;
        Earth().geodesic.Inverse(B1, L1, B2, L2, s12);
        return s12;
    });
}

PlaneValues GaussKrugerForward(double B, double L, double Lo)
{
    QString reason = LatitudeReason(B, QStringLiteral("B"));
    if (reason.isEmpty() && !(std::isfinite(L) && std::isfinite(Lo)))
        reason = QStringLiteral("долгота не является конечным числом");
    if (reason.isEmpty() && std::fabs(GeographicLib::Math::AngDiff(Lo, L)) >= GaussKrugerLimitDegrees)
        reason = QStringLiteral("точка в 80° и более от осевого меридиана: вблизи особой точки поперечной "
                                "проекции Меркатора (l = 90°(1 − e) ≈ 82,6°) и за 90° проекция неоднозначна");
    if (!reason.isEmpty())
        return {None(reason), None(reason)};
    double easting = 0, northing = 0;
    const RigorousValue ok = Call([&] {
        Earth().gaussKruger.Forward(Lo, B, L, easting, northing);
        return easting + northing;
    });
    if (!ok.value)
        return {ok, ok};
    return {Known(northing), Known(easting)};
}

GeodeticValues GaussKrugerInverse(double x, double y, double Lo)
{
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(Lo))) {
        const RigorousValue none = None(QStringLiteral("исходные данные не являются конечными числами"));
        return {none, none};
    }
    double lat = 0, lon = 0;
    const RigorousValue ok = Call([&] {
        Earth().gaussKruger.Reverse(Lo, y, x, lat, lon);
        return lat + lon;
    });
    if (!ok.value)
        return {ok, ok};
    if (std::fabs(lat) >= 90 - 1e-9)
        return {Known(lat), None(QStringLiteral("на полюсе долгота не определена"))};
    const double l = GeographicLib::Math::AngDiff(Lo, lon);
    if (std::fabs(l) >= GaussKrugerLimitDegrees) {
        const RigorousValue none = None(QStringLiteral("точка в 80° и более от осевого меридиана или за полюсом: "
                                                       "поперечная проекция Меркатора здесь неоднозначна"));
        return {none, none};
    }
    // The projection is one-to-one inside that band: the point must project back onto x, y.
    double easting = 0, northing = 0;
    Earth().gaussKruger.Forward(Lo, lat, lon, easting, northing);
    if (!(std::fabs(easting - y) < 1e-3 && std::fabs(northing - x) < 1e-3)) {
        const RigorousValue none = None(QStringLiteral("библиотека не даёт однозначной точки для этих x, y"));
        return {none, none};
    }
    return {Known(lat), Known(Lo + l)};
}

Ground SameLength()
{
    return [](double d) -> std::optional<double> { return d; };
}

Ground LatitudeSeconds(const RigorousValue& B)
{
    if (!B.value)
        return {};
    const double lat = *B.value;
    return [lat](double seconds) -> std::optional<double> {
        return seconds / RoExact() * Earth().ellipsoid.MeridionalCurvatureRadius(lat);
    };
}

Ground LongitudeSeconds(const RigorousValue& B)
{
    if (!B.value)
        return {};
    const double lat = *B.value;
    return [lat](double seconds) -> std::optional<double> {
        return seconds / RoExact() * Earth().ellipsoid.CircleRadius(lat);
    };
}

Ground MapCentimetres(double scale)
{
    return [scale](double cm) -> std::optional<double> { return cm / 100 * scale; };
}

RigorousValue WithGround(RigorousValue value, Ground ground)
{
    value.ground = std::move(ground);
    return value;
}

double RoShare(double textbookValue) { return textbookValue * (1 - static_cast<double>(RoSecondsTextbook) / RoExact()); }

QString Metres(double value, int decimals) { return FormatFixed(value, decimals) + QStringLiteral(" м"); }

QString RoNote()
{
    return QStringLiteral("ρ″ = 206265 вместо 206264,806…: учебные длины меньше строгих примерно на 0,94·10⁻⁶ "
                          "(0,94 мм на километр).");
}

QString EllipsoidStatement(bool derivedE2)
{
    const QString e2 = derivedE2 ? QStringLiteral("в таблице e² = f(2 − f) = %1, выведено из f").arg(FormatFixed(KrasovskyE2, 12))
                                 : QStringLiteral("в таблицах упражнений e² = %1, его округление").arg(FormatFixed(0.00669342L, 8));
    return QStringLiteral("Эллипсоид Красовского: a = 6378245 м, 1/f = %1 (%2). ").arg(FormatFixed(298.3L, 1), e2) +
           RigorousSourceStatement();
}

QString RigorousSourceStatement()
{
    return QStringLiteral("Строгие значения: GeographicLib %1.").arg(QStringLiteral(GEOGRAPHICLIB_VERSION_STRING));
}

}  // namespace kvelta::rigorous
