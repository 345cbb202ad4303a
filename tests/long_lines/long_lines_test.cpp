// The geodetic problems on long lines by Bessel's method: agreement with the rigorous geodesic
// over generated lines up to 20 000 km weighted to the hard places, the worked examples cell by
// cell, and the inputs the method cannot take.
#include "frame/errors.h"
#include "long_lines/bessel.h"
#include "long_lines/exercises.h"
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

namespace row = bessel_rows;

// Half a unit of the printed last place: a result this close rounds as the rigorous value does
// but where the two straddle a rounding boundary.
constexpr double HalfPrintedSecond = 0.00005, HalfPrintedMetre = 0.0005;

double AngleSeconds(double a, double b) { return std::remainder(a - b, 360.0) * 3600; }

// A line drawn for one kind of hard place: where it starts, which way it goes and how far.
struct Line {
    double B1, L1, A12, s;
};

enum class Place { Anywhere, NearPole, AlongEquator, AlongMeridian, NearlyAntipodal };

Line Draw(Place place, std::mt19937_64& random)
{
    auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    const double sign = uniform(0, 1) < 0.5 ? -1 : 1;
    Line line{uniform(-89, 89), uniform(-180, 180), uniform(0, 360), uniform(1000, 20000000)};
    switch (place) {
    case Place::Anywhere: break;
    case Place::NearPole: line.B1 = sign * uniform(85, 89.9999); break;
    case Place::AlongEquator:
        line.B1 = uniform(-0.001, 0.001);
        line.A12 = (sign > 0 ? 90 : 270) + uniform(-0.01, 0.01);
        break;
    case Place::AlongMeridian: line.A12 = (sign > 0 ? 0 : 180) + uniform(-0.0001, 0.0001); break;
    case Place::NearlyAntipodal: line.s = uniform(19900000, 20000000); break;
    }
    return line;
}

struct Worst {
    double seconds = 0, metres = 0;
    void see(double s, double m = 0) { seconds = std::max(seconds, std::fabs(s)), metres = std::max(metres, std::fabs(m)); }
};

TEST(LongLines, DirectAgreesWithTheGeodesicUpTo20000Km)
{
    std::mt19937_64 random(28);
    Worst worst;
    for (Place place : {Place::Anywhere, Place::NearPole, Place::AlongEquator, Place::AlongMeridian, Place::NearlyAntipodal})
        for (int n = 0; n < 600; ++n) {
            const Line line = Draw(place, random);
            ResultTable table(1 + BesselMaxIterations, row::DirectCount);
            const BesselDirectResult d = SolveBesselDirect({line.B1, line.L1, line.A12, line.s}, table);
            const rigorous::DirectGeodesic g = rigorous::SolveDirectGeodesic(line.B1, line.L1, line.A12, line.s);
            for (double difference : {(d.B2 - *g.B2.value) * 3600, AngleSeconds(d.L2, *g.L2.value),
                                      AngleSeconds(d.A21, *g.A21.value)}) {
                EXPECT_LE(std::fabs(difference), HalfPrintedSecond / 5)
                    << int(place) << ": " << line.B1 << " " << line.A12 << " " << line.s;
                worst.see(difference);
            }
        }
    std::cout << "direct, worst: " << worst.seconds << "\"\n";
}

// The inverse problem between the rigorous ends of the same lines: every line it accepts is right
// to the printed digits; it refuses only nearly antipodal points, saying so.
TEST(LongLines, InverseAgreesWithTheGeodesicOrRefusesNearlyAntipodalPoints)
{
    std::mt19937_64 random(82);
    Worst worst;
    int refused = 0;
    double shortestRefused = 1e9;
    for (Place place : {Place::Anywhere, Place::NearPole, Place::AlongEquator, Place::AlongMeridian, Place::NearlyAntipodal})
        for (int n = 0; n < 600; ++n) {
            const Line line = Draw(place, random);
            const rigorous::DirectGeodesic end = rigorous::SolveDirectGeodesic(line.B1, line.L1, line.A12, line.s);
            const double B2 = *end.B2.value, L2 = *end.L2.value;
            const rigorous::InverseGeodesic g = rigorous::SolveInverseGeodesic(line.B1, line.L1, B2, L2);
            ResultTable table(1 + BesselMaxIterations, row::InverseCount);
            BesselInverseResult i;
            const std::optional<QString> error =
                ErrorOf([&] { i = SolveBesselInverse({line.B1, line.L1, B2, L2}, table); });
            if (error) {
                ++refused;
                shortestRefused = std::min(shortestRefused, *g.s.value);
                EXPECT_TRUE(error->contains("почти диаметрально противоположны")) << Str(*error);
                continue;
            }
            const double ds = i.s - *g.s.value;
            EXPECT_LE(std::fabs(ds), HalfPrintedMetre / 5) << int(place) << ": " << line.B1 << " " << line.A12 << " " << line.s;
            worst.see(0, ds);
            for (double difference : {AngleSeconds(i.A12, *g.A12.value), AngleSeconds(i.A21, *g.A21.value)}) {
                EXPECT_LE(std::fabs(difference), HalfPrintedSecond / 5)
                    << int(place) << ": " << line.B1 << " " << line.A12 << " " << line.s;
                worst.see(difference);
            }
        }
    std::cout << "inverse, worst: " << worst.seconds << "\", " << worst.metres << " m; refused " << refused
              << ", the shortest of them " << shortestRefused << " m\n";
}

}  // namespace
}  // namespace kvelta
