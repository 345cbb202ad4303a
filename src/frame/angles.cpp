#include "frame/angles.h"

#include "frame/errors.h"
#include "frame/numbers.h"

#include <cmath>

namespace kvelta {

double DmsToDegrees(double degrees, double minutes, double seconds)
{
    const Extended t = static_cast<Extended>(minutes) / 60 + degrees;
    return ToDouble(t + static_cast<Extended>(seconds) / 3600);
}

QString FormatDms(double x) { return FormatDms(x, 4); }

QString FormatDms(double x, int secondsDecimals)
{
    // The whole degrees must be a 64-bit integer: -2^63 <= x < 2^63.
    constexpr double limit = 9223372036854775808.0;
    if (!(x >= -limit && x < limit))
        RaiseInvalidOperation();

    const Extended whole = std::trunc(static_cast<Extended>(x));
    long long d = static_cast<long long>(whole);
    long long m = static_cast<long long>(std::trunc((x - whole) * 60));
    const Extended x60 = static_cast<Extended>(x) * 60;
    double s = static_cast<double>((x60 - std::trunc(x60)) * 60);

    // Carry at the printed precision: seconds that print as ±60.0000 become a minute. Below 59.5
    // none can (the test is a tenth of the time of a batch that prints many angles).
    if (std::fabs(s) >= 59.5 && FormatFixed(std::fabs(s), secondsDecimals) == FormatFixed(60, secondsDecimals)) {
        const int sign = s < 0 ? -1 : 1;
        m += sign;
        s -= sign * 60.0;
        if (m == 60 * sign) {
            d += sign;
            m = 0;
        }
    }
    return QString::number(d) + QStringLiteral("\u00B0 ") + QString::number(m) + QStringLiteral("` ")
           + FormatFixed(s, secondsDecimals) + QLatin1Char('"');
}

}  // namespace kvelta
