#include "frame/angles.h"
#include "frame/errors.h"
#include "support/kvelta_test.h"

namespace kvelta {
namespace {

using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

TEST(DmsToDegrees, AddsEachPartWithItsOwnSign)
{
    EXPECT_EQ(DmsToDegrees(0, 0, 0), 0.0);
    EXPECT_EQ(DmsToDegrees(-30, 15, 0), -29.75);
    EXPECT_EQ(DmsToDegrees(-30, -15, 0), -30.25);
    EXPECT_EQ(DmsToDegrees(10, 90, 0), 11.5);
    EXPECT_EQ(DmsToDegrees(50, 10, 0), static_cast<double>(50 + 10 / 60.0L));
    EXPECT_EQ(DmsToDegrees(12, 20, 44.444), static_cast<double>(20 / 60.0L + 12 + 44.444L / 3600));
    EXPECT_THROW(DmsToDegrees(1e308, 1e308 * 60, 0), FloatingPointError);
}

TEST(FormatDms, PrintsDegreesMinutesSecondsWithCarryAtThePrintedPrecision)
{
    struct Case {
        double x;
        const char* text;  // point separator
    };
    const Case cases[] = {
        {0, "0° 0` 0.0000\""},
        {55.5, "55° 30` 0.0000\""},
        {12.3456789, "12° 20` 44.4440\""},
        {1.0 / 60, "0° 1` 0.0000\""},
        {59.99999999, "60° 0` 0.0000\""},
        {-59.99999999, "-60° 0` 0.0000\""},
        {-10.51, "-10° -30` -36.0000\""},
        {-0.5, "0° -30` 0.0000\""},
        {-29.75, "-29° -45` 0.0000\""},
        {static_cast<double>(50 + 10 / 60.0L), "50° 10` 0.0000\""},
        {static_cast<double>((static_cast<long double>(static_cast<double>(50 + 10 / 60.0L)) + 50) / 2),
         "50° 5` 0.0000\""},
        {-1.0 / 60, "0° -1` 0.0000\""},
        {0.99999999999, "1° 0` 0.0000\""},
        {-0.99999999999, "-1° 0` 0.0000\""},
        {1e-12, "0° 0` 0.0000\""},
        {-1e-12, "0° 0` 0.0000\""},
        {1e15 + 0.5, "1000000000000000° 30` 0.0000\""},
        {-9223372036854775808.0, "-9223372036854775808° 0` 0.0000\""},
        {9223372036854774784.0, "9223372036854774784° 0` 0.0000\""},
    };
    for (QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (const Case& c : cases)
            EXPECT_EQ(Str(FormatDms(c.x)), Str(WithSeparator(QString::fromUtf8(c.text), separator))) << c.x;
    }
}

TEST(FormatDms, RaisesInvalidOperationBeyondA64BitInteger)
{
    // The degrees must lie in [-2^63, 2^63).
    EXPECT_THROW(FormatDms(9223372036854775808.0), FloatingPointError);
    EXPECT_THROW(FormatDms(-9223372036854777856.0), FloatingPointError);
    EXPECT_THROW(FormatDms(-1e300), FloatingPointError);
}

}  // namespace
}  // namespace kvelta
