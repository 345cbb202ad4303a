// Right or refused: over lines drawn where the mean-argument series are hardest pressed, every
// result the two problems print is within one unit of its last digit of the geodesic
// (GeographicLib on the Krasovsky ellipsoid), and every refusal names its cause.
#include "frame/errors.h"
#include "geodetic_problems/exercises.h"
#include "geodetic_problems/mean_argument.h"
#include "support/kvelta_test.h"

#include <GeographicLib/Geodesic.hpp>

#include <QRandomGenerator>

#include <cmath>
#include <functional>
#include <iostream>
#include <random>

namespace kvelta {
namespace {

using test::Str;

const GeographicLib::Geodesic& Krasovsky()
{
    static const GeographicLib::Geodesic geodesic{6378245, 1 / 298.3};
    return geodesic;
}

// Half a unit of the last printed digit bounds the error of the unrounded value: the printed one
// is then within one unit. GeographicLib's own positions are good to a few nanometres, which
// across a line of a metre is 0.001″: its azimuths of very short lines carry that much.
constexpr double HalfUnitSeconds = 0.00005, HalfUnitMetres = 0.00005, ReferenceMetres = 5e-9;
constexpr double Ro = 206264.80624709636;

double Seconds(double a, double b) { return std::remainder(a - b, 360.0) * 3600; }
double AzimuthBound(double s) { return HalfUnitSeconds + ReferenceMetres / s * Ro; }

struct Line {
    double B1, L1, A12, s;
};
using Draw = std::function<Line(std::mt19937_64&)>;

double Uniform(std::mt19937_64& r, double from, double to) { return std::uniform_real_distribution<double>(from, to)(r); }
double LogUniform(std::mt19937_64& r, double from, double to) { return from * std::pow(to / from, Uniform(r, 0, 1)); }
double Sign(std::mt19937_64& r) { return Uniform(r, 0, 1) < 0.5 ? -1 : 1; }
double AnyLongitude(std::mt19937_64& r) { return Uniform(r, -180, 180); }

// The places, with the least share of lines each problem must solve there (measured shares less a
// margin): refusing everything is not an answer.
struct Place {
    const char* name;
    Draw draw;
    double directShare, inverseShare;
};

const Place Places[] = {
    {"500–1000 km", [](auto& r) { return Line{Uniform(r, -80, 80), AnyLongitude(r), Uniform(r, 0, 360), Uniform(r, 5e5, 1e6)}; }, 0.40, 0.01},
    {"80–89.9°", [](auto& r) { return Line{Sign(r) * Uniform(r, 80, 89.9), AnyLongitude(r), Uniform(r, 0, 360), LogUniform(r, 1e3, 1e6)}; }, 0.55, 0.55},
    {"ΔL near 180° near a pole",
     [](auto& r) {
         const double B = Uniform(r, 85, 89.9), sign = Sign(r);
         return Line{sign * B, AnyLongitude(r), (sign > 0 ? 0 : 180) + Uniform(r, -3, 3), Uniform(r, 1.5, 2.5) * (90 - B) * 111e3};
     }, 0, 0},
    {"along a meridian", [](auto& r) { return Line{Uniform(r, -89.9, 89.9), AnyLongitude(r), Sign(r) > 0 ? 0.0 : 180.0, LogUniform(r, 1, 1e6)}; }, 0.95, 0.9},
    {"along a parallel", [](auto& r) { return Line{Uniform(r, -89.9, 89.9), AnyLongitude(r), Sign(r) > 0 ? 90.0 : 270.0, LogUniform(r, 1, 1e6)}; }, 0.9, 0.85},
    {"tiny s", [](auto& r) { return Line{Uniform(r, -89.9, 89.9), AnyLongitude(r), Uniform(r, 0, 360), LogUniform(r, 0.001, 100)}; }, 1, 1},
    {"anywhere", [](auto& r) { return Line{Uniform(r, -89.9, 89.9), AnyLongitude(r), Uniform(r, 0, 360), LogUniform(r, 1, 1e6)}; }, 0.9, 0.88},
};

bool Starts(const QString& text, const char* start) { return text.startsWith(QString::fromUtf8(start)); }

// A refusal of the direct problem names what is true of the line.
void ExpectDirectCause(const Line& l, const QString& error)
{
    const std::string where = Str(error) + " at " + std::to_string(l.B1) + " " + std::to_string(l.A12) + " " + std::to_string(l.s);
    if (Starts(error, "Линия проходит через полюс")) {
        double toPole = 0;
        Krasovsky().Inverse(l.B1, 0, l.B1 > 0 ? 90 : -90, 0, toPole);
        const bool poleward = (l.A12 == 0) == (l.B1 > 0);
        EXPECT_TRUE((l.A12 == 0 || l.A12 == 180) && poleward && l.s > toPole) << where;
    } else if (Starts(error, "Линия длиннее 1000 км")) {
        EXPECT_GT(l.s, 1e6) << where;
    } else {
        EXPECT_TRUE(Starts(error, "Формулы со средними аргументами не дают здесь")) << where;
        EXPECT_TRUE(error.contains(FormatFixed(l.s / 1000, 3) + QStringLiteral(" км"))) << where;
    }
}

void ExpectInverseCause(double B1, double L1, double B2, double L2, double s, const QString& error)
{
    const std::string where = Str(error) + " at " + std::to_string(B1) + " " + std::to_string(B2) + " " + std::to_string(s);
    if (Starts(error, "Линия проходит через полюс"))
        EXPECT_EQ(std::fabs(std::remainder(L2 - L1, 360.0)), 180) << where;
    else if (Starts(error, "Линия длиннее 1000 км"))
        EXPECT_GT(s, 999999) << where;
    else
        EXPECT_TRUE(Starts(error, "Формулы со средними аргументами не дают здесь")) << where;
}

// The worst differences from the geodesic of the lines solved, printed for the record (the figures
// the help pages quote); azimuths of lines under 100 m, which the reference cannot judge, left out.
struct Worst {
    double B2 = 0, L2 = 0, A21 = 0, s = 0, A12 = 0;
};
Worst worst;

void Record(double& to, double difference) { to = std::max(to, std::fabs(difference)); }

// Returns whether the direct problem solved the line.
bool CheckDirect(const Line& l, double& B2, double& L2)
{
    double A2 = 0;
    Krasovsky().Direct(l.B1, l.L1, l.A12, l.s, B2, L2, A2);
    ResultTable table(1 + MeanArgumentMaxIterations, DirectRows);
    DirectResult d;
    const std::optional<QString> error = ErrorOf([&] { d = SolveDirectProblem({l.B1, l.L1, l.A12, l.s}, table); });
    if (error) {
        ExpectDirectCause(l, *error);
        return false;
    }
    const std::string where = std::to_string(l.B1) + " " + std::to_string(l.A12) + " " + std::to_string(l.s);
    EXPECT_LE(std::fabs(d.B2 - B2) * 3600, HalfUnitSeconds) << where;
    EXPECT_LE(std::fabs(Seconds(d.L2, L2)), HalfUnitSeconds) << where;
    EXPECT_TRUE(d.L2 > -180 && d.L2 <= 180) << where << " L2 " << d.L2;
    EXPECT_LE(std::fabs(Seconds(d.A21, A2 + 180)), AzimuthBound(l.s)) << where;
    Record(worst.B2, (d.B2 - B2) * 3600);
    Record(worst.L2, Seconds(d.L2, L2));
    if (l.s >= 100)
        Record(worst.A21, Seconds(d.A21, A2 + 180));
    return true;
}

bool CheckInverse(double B1, double L1, double B2, double L2)
{
    double s = 0, A1 = 0, A2 = 0;
    Krasovsky().Inverse(B1, L1, B2, L2, s, A1, A2);
    ResultTable table(1 + MeanArgumentMaxIterations, InverseRows);
    InverseResult i;
    const std::optional<QString> error = ErrorOf([&] { i = SolveInverseProblem({B1, L1, B2, L2}, table); });
    if (error) {
        ExpectInverseCause(B1, L1, B2, L2, s, *error);
        return false;
    }
    const std::string where = std::to_string(B1) + " " + std::to_string(L1) + " " + std::to_string(B2) + " " + std::to_string(L2);
    EXPECT_LE(std::fabs(i.s - s), HalfUnitMetres) << where;
    EXPECT_LE(std::fabs(Seconds(i.A12, A1)), AzimuthBound(s)) << where;
    EXPECT_LE(std::fabs(Seconds(i.A21, A2 + 180)), AzimuthBound(s)) << where;
    Record(worst.s, i.s - s);
    if (s >= 100)
        Record(worst.A12, std::max(std::fabs(Seconds(i.A12, A1)), std::fabs(Seconds(i.A21, A2 + 180))));
    return true;
}

TEST(GeodeticProblemsAccuracy, RightToThePrintedDigitOrRefusedWithTheCause)
{
    constexpr int LinesPerPlace = 400;
    std::uint64_t seed = 2311;
    for (const Place& place : Places) {
        std::mt19937_64 random(seed++);
        int direct = 0, inverse = 0;
        for (int n = 0; n < LinesPerPlace; ++n) {
            const Line l = place.draw(random);
            double B2 = 0, L2 = 0;
            direct += CheckDirect(l, B2, L2);
            inverse += CheckInverse(l.B1, l.L1, B2, L2);
        }
        EXPECT_GE(direct, place.directShare * LinesPerPlace) << place.name;
        EXPECT_GE(inverse, place.inverseShare * LinesPerPlace) << place.name;
        std::cout << place.name << ": direct solved " << direct << ", inverse " << inverse << " of " << LinesPerPlace
                  << "\n";
    }
    std::cout << "worst solved: B2 " << worst.B2 << "\", L2 " << worst.L2 << "\", A21 " << worst.A21 << "\"; s "
              << worst.s << " m, A12/A21 " << worst.A12 << "\"\n";
}

// Points on opposite meridians are joined over the pole; along a meridian past the pole, the
// direct problem says so too; the same line short of the pole is solved.
TEST(GeodeticProblemsAccuracy, LinesOverThePole)
{
    double B2 = 0, L2 = 0;
    EXPECT_FALSE(CheckDirect({89, 10, 0, 300000}, B2, L2));
    EXPECT_TRUE(CheckDirect({89, 10, 0, 100000}, B2, L2));
    EXPECT_FALSE(CheckInverse(89, 10, 88, -170));
    EXPECT_TRUE(CheckInverse(89, 10, 88, 10));
    ResultTable table(1 + MeanArgumentMaxIterations, InverseRows);
    EXPECT_TRUE(Starts(ErrorOf([&] { SolveInverseProblem({89, 10, 88, -170}, table); }).value_or(""), "Линия проходит через полюс"));
}

// Every line the variants generator draws, both problems solve.
TEST(GeodeticProblemsAccuracy, VariantsAreAlwaysSolved)
{
    for (const Exercise* exercise : {&DirectProblemExercise(), &InverseProblemExercise()}) {
        QRandomGenerator random(23);
        for (int n = 0; n < 300; ++n) {
            const TypedTexts typed = exercise->makeVariant(random);
            ExerciseTables tables(*exercise);
            const std::optional<QString> error = ErrorOf([&] { exercise->compute(EditTexts(*exercise, typed), tables.set()); });
            EXPECT_FALSE(error) << Str(exercise->name) << ": " << Str(error.value_or(QString()));
        }
    }
}

}  // namespace
}  // namespace kvelta
