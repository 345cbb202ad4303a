#pragma once
// Angles entered as degrees, minutes and seconds, and their text in the tables.

#include <QString>

namespace kvelta {

// Seconds of arc per radian: exactly 648000/π, and as the textbook rounds it, which the course's
// tables take wherever they turn seconds into radians (lengths come out about 0,94·10⁻⁶ short).
inline constexpr long double RoSecondsExact = 206264.806247096355156473357330779L;
inline constexpr long double RoSecondsTextbook = 206265;

// Decimal degrees from the three parts; each part adds with its own sign.
double DmsToDegrees(double degrees, double minutes, double seconds);

// Angle text: degrees, "° ", minutes, "` ", seconds with four decimals and a double quote.
// Seconds that would print as 60.0000 are carried into the minutes, and 60 minutes into the
// degrees; each part keeps the sign of the angle.
QString FormatDms(double degrees);
// The same with the seconds to `secondsDecimals` decimals.
QString FormatDms(double degrees, int secondsDecimals);

}  // namespace kvelta
