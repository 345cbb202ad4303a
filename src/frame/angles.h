#pragma once
// Angles entered as degrees, minutes and seconds, and their text in the tables.

#include <QString>

namespace kvelta {

// Decimal degrees from the three parts; each part adds with its own sign.
double DmsToDegrees(double degrees, double minutes, double seconds);

// Angle text: degrees, "° ", minutes, "` ", seconds with four decimals and a double quote.
// Seconds that would print as 60.0000 are carried into the minutes, and 60 minutes into the
// degrees; each part keeps the sign of the angle.
QString FormatDms(double degrees);
// The same with the seconds to `secondsDecimals` decimals.
QString FormatDms(double degrees, int secondsDecimals);

}  // namespace kvelta
