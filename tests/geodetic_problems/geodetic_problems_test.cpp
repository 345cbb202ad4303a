// The direct and inverse geodetic problems: agreement with the rigorous geodesic over generated
// lines of 1–200 km, the round trip, the worked examples cell by cell, and the inputs the
// formulas cannot take.
#include "frame/errors.h"
#include "geodetic_problems/exercises.h"
#include "geodetic_problems/mean_argument.h"
#include "rigorous/geodesic_problems.h"
#include "support/kvelta_test.h"

#include <cmath>
#include <iostream>
#include <random>

namespace kvelta {
namespace {

using test::kSeparators;
using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

// An azimuth difference in seconds, across the 0°/360° turn.
double AzimuthSeconds(double a, double b) { return std::remainder(a - b, 360.0) * 3600; }

// What the method leaves out is of relative order (s/N)⁶ and grows, through tan B, fast towards the poles: the bound at
// 200 km up to 75° and up to 80° of latitude, plus what the iteration's 0.00001″ and the
// rounding leave (the floor).
struct Bound {
    double at200km75, at200km80, floor;
    double at(double s, double B1, double B2) const
    {
        const double k = std::max(std::fabs(B1), std::fabs(B2)) <= 75 ? at200km75 : at200km80;
        return floor + k * std::pow(s / 200000, 6);
    }
};
constexpr Bound Seconds{0.00032, 0.0045, 0.00002};
constexpr Bound Metres{0.0003, 0.004, 0.0001};

TEST(GeodeticProblems, AgreeWithTheGeodesicUpTo200Km)
{
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> latitude(-80, 80), longitude(-180, 180), azimuth(0, 360),
        distance(1000, 200000);
    double worstAngle = 0, worstDistance = 0, worstRoundTrip = 0;
    for (int n = 0; n < 1200; ++n) {
        const double B1 = latitude(random), L1 = longitude(random), A12 = azimuth(random), s = distance(random);
        ResultTable directTable(1 + MeanArgumentMaxIterations, DirectRows);
        const DirectResult d = SolveDirectProblem({B1, L1, A12, s}, directTable);
        const rigorous::DirectGeodesic g = rigorous::SolveDirectGeodesic(B1, L1, A12, s);
        const double B2 = *g.B2.value, L2 = *g.L2.value, A21 = *g.A21.value;
        // The inverse problem between the rigorous ends; the round trip between the textbook's.
        ResultTable inverseTable(1 + MeanArgumentMaxIterations, InverseRows);
        const InverseResult i = SolveInverseProblem({B1, L1, B2, L2}, inverseTable);
        const InverseResult back = SolveInverseProblem({B1, L1, d.B2, d.L2}, inverseTable);

        const double angles[] = {(d.B2 - B2) * 3600, (d.L2 - L2) * 3600, AzimuthSeconds(d.A21, A21),
                                 AzimuthSeconds(i.A12, A12), AzimuthSeconds(i.A21, A21)};
        for (double difference : angles) {
            EXPECT_LE(std::fabs(difference), Seconds.at(s, B1, B2)) << B1 << " " << A12 << " " << s;
            worstAngle = std::max(worstAngle, std::fabs(difference));
        }
        EXPECT_LE(std::fabs(i.s - s), Metres.at(s, B1, B2)) << B1 << " " << A12 << " " << s;
        worstDistance = std::max(worstDistance, std::fabs(i.s - s));
        EXPECT_LE(std::fabs(back.s - s), Metres.floor);
        EXPECT_LE(std::fabs(AzimuthSeconds(back.A12, A12)), Seconds.floor);
        worstRoundTrip = std::max(worstRoundTrip, std::fabs(AzimuthSeconds(back.A12, A12)));
    }
    std::cout << "worst: angles " << worstAngle << "\", s " << worstDistance << " m; round trip A12 " << worstRoundTrip
              << "\"\n";
}

}  // namespace
}  // namespace kvelta
