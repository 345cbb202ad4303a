#include "rigorous/geodesic_problems.h"

#include "frame/ellipsoid_constants.h"
#include "rigorous/geodesy.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

namespace kvelta::rigorous {

namespace {

const GeographicLib::Geodesic& Krasovsky()
{
    static const GeographicLib::Geodesic geodesic{KrasovskyA, KrasovskyF};
    return geodesic;
}

double Azimuth360(double degrees)
{
    double a = std::fmod(degrees, 360.0);
    if (a < 0)
        a += 360;
    return a >= 360 ? 0 : a;
}

QString PoleReason(double B, const QString& name)
{
    const QString reason = LatitudeReason(B, name);
    if (!reason.isEmpty() || std::fabs(B) < 90)
        return reason;
    return QStringLiteral("точка %1 на полюсе: азимут не определён").arg(name);
}

}  // namespace

DirectGeodesic SolveDirectGeodesic(double B1, double L1, double A12, double s)
{
    QString reason = PoleReason(B1, QStringLiteral("B1"));
    if (reason.isEmpty() && !(std::isfinite(L1) && std::isfinite(A12) && std::isfinite(s)))
        reason = QStringLiteral("исходные данные не являются конечными числами");
    if (!reason.isEmpty())
        return {None(reason), None(reason), None(reason)};
    double B2 = 0, L2 = 0, A2 = 0;
    const RigorousValue ok = Call([&] {
        using GeographicLib::Geodesic;
        double s12 = 0, m12 = 0, M12 = 0, M21 = 0, S12 = 0;
        Krasovsky().GenDirect(B1, L1, A12, false, s,
                              Geodesic::LATITUDE | Geodesic::LONGITUDE | Geodesic::AZIMUTH | Geodesic::LONG_UNROLL, B2,
                              L2, A2, s12, m12, M12, M21, S12);
        return B2 + L2 + A2;
    });
    if (!ok.value)
        return {ok, ok, ok};
    return {Known(B2), Known(L2), Known(Azimuth360(A2 + 180))};
}

InverseGeodesic SolveInverseGeodesic(double B1, double L1, double B2, double L2)
{
    QString reason = JoinReasons(PoleReason(B1, QStringLiteral("B1")), PoleReason(B2, QStringLiteral("B2")));
    if (reason.isEmpty() && !(std::isfinite(L1) && std::isfinite(L2)))
        reason = QStringLiteral("долгота не является конечным числом");
    if (!reason.isEmpty())
        return {None(reason), None(reason), None(reason)};
    double s = 0, A1 = 0, A2 = 0;
    const RigorousValue ok = Call([&] {
        Krasovsky().Inverse(B1, L1, B2, L2, s, A1, A2);
        return s + A1 + A2;
    });
    if (!ok.value)
        return {ok, ok, ok};
    if (s == 0) {
        const RigorousValue none = None(QStringLiteral("точки совпадают: азимут не определён"));
        return {Known(0), none, none};
    }
    return {Known(s), Known(Azimuth360(A1)), Known(Azimuth360(A2 + 180))};
}

RigorousValue NearTextbook(RigorousValue angle, const ComputedTables& textbook, int row)
{
    const std::optional<Extended> printed = textbook.tables.empty() ? std::nullopt : textbook.tables[0]->number(1, row);
    if (angle.value && printed)
        *angle.value += 360 * std::round((static_cast<double>(*printed) - *angle.value) / 360);
    return angle;
}

}  // namespace kvelta::rigorous
