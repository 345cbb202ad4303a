// The direct and inverse geodetic problems: agreement with the rigorous geodesic over generated
// lines of 1–200 km up to 70° of latitude, the round trip, the worked examples cell by cell, and the inputs the
// formulas cannot take.
#include "frame/errors.h"
#include "geodetic_problems/exercises.h"
#include "geodetic_problems/mean_argument.h"
#include "rigorous/geodesic_problems.h"
#include "support/kvelta_test.h"

#include <cmath>
#include <iostream>
#include <numbers>
#include <random>

namespace kvelta {
namespace {

using test::kSeparators;
using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

// An azimuth difference in seconds, across the 0°/360° turn.
double AzimuthSeconds(double a, double b) { return std::remainder(a - b, 360.0) * 3600; }

// What the method leaves out is of relative order (s/N)⁸ (tan B raises it towards the poles): a bound
// at 200 km falling off as s⁸, over what the iteration and the rounding leave (the floor).
struct Bound {
    double at200km, floor;
    double at(double s) const { return floor + at200km * std::pow(s / 200000, 8); }
};
// The inverse problem turns the direct one's micrometres across the line's end into its azimuths.
constexpr Bound DirectSeconds{0.000001, 0.000001};
constexpr Bound InverseSeconds{0.000023, 0.000001};
constexpr Bound Metres{0.00002, 0.0000001};
// Direct then inverse closes to the iteration's tolerances.
constexpr double RoundTripSeconds = 0.00001, RoundTripMetres = 0.00001;

TEST(GeodeticProblems, AgreeWithTheGeodesicUpTo200KmAnd70Degrees)
{
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> latitude(-70, 70), longitude(-180, 180), azimuth(0, 360),
        distance(1000, 200000);
    double worstAngle = 0, worstDistance = 0, worstRoundTrip = 0, worstRoundTripDistance = 0;
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

        const std::pair<double, const Bound&> angles[] = {
            {(d.B2 - B2) * 3600, DirectSeconds},          {AzimuthSeconds(d.L2, L2), DirectSeconds},
            {AzimuthSeconds(d.A21, A21), DirectSeconds},  {AzimuthSeconds(i.A12, A12), InverseSeconds},
            {AzimuthSeconds(i.A21, A21), InverseSeconds}};
        for (const auto& [difference, bound] : angles) {
            EXPECT_LE(std::fabs(difference), bound.at(s)) << B1 << " " << A12 << " " << s;
            worstAngle = std::max(worstAngle, std::fabs(difference));
        }
        EXPECT_LE(std::fabs(i.s - s), Metres.at(s)) << B1 << " " << A12 << " " << s;
        worstDistance = std::max(worstDistance, std::fabs(i.s - s));
        EXPECT_LE(std::fabs(back.s - s), RoundTripMetres);
        EXPECT_LE(std::fabs(AzimuthSeconds(back.A12, A12)), RoundTripSeconds);
        worstRoundTrip = std::max(worstRoundTrip, std::fabs(AzimuthSeconds(back.A12, A12)));
        worstRoundTripDistance = std::max(worstRoundTripDistance, std::fabs(back.s - s));
    }
    std::cout << "worst: angles " << worstAngle << "\", s " << worstDistance << " m; round trip A12 " << worstRoundTrip
              << "\", s " << worstRoundTripDistance << " m\n";
}

// The worked examples: the direct problem over 50 km from 50° N, 30° E at 45°, and the inverse
// problem back between its printed ends; cells written with a point, (column, row, text).
struct Cell {
    int column, row;
    const char* text;
};
struct WorkedExample {
    const Exercise& exercise;
    std::vector<Cell> cells;
};

TEST(GeodeticProblems, WorkedExamplesCellByCell)
{
    const WorkedExample examples[] = {
        {DirectProblemExercise(),
         {{1, 2, "0.006693421623"}, {1, 4, "206264.80624710"}, {1, 6, "50° 0` 0.0000\""}, {5, 5, "5"},
          {5, 6, "50° 9` 30.2222\""}, {5, 7, "45° 11` 26.0552\""}, {5, 8, "6390866.884"}, {5, 9, "1.0027658597"},
          {5, 11, "1.1984666181"}, {4, 12, "1140.44439\""}, {5, 13, "1787.01299\""}, {5, 14, "1372.11044\""},
          {6, 5, ""}, {1, 15, "50° 19` 0.4444\""}, {1, 16, "30° 29` 47.0130\""}, {1, 17, "225° 22` 52.1104\""}}},
        {InverseProblemExercise(),
         {{1, 5, "1140.44440\""}, {1, 6, "1787.01300\""}, {1, 7, "50° 9` 30.2222\""}, {1, 8, "6390866.884"},
          {3, 12, "3"}, {1, 13, "35472.7604"}, {3, 13, "35472.7385"}, {3, 14, "35237.5491"}, {4, 12, ""},
          {1, 15, "50000.0004"}, {1, 16, "45° 11` 26.0546\""}, {1, 17, "1372.11044\""},
          {1, 18, "44° 59` 59.9994\""}, {1, 19, "225° 22` 52.1098\""}}},
    };
    for (const WorkedExample& example : examples)
        for (QChar separator : kSeparators) {
            const SeparatorScope scope(separator);
            ExerciseTables tables(example.exercise);
            example.exercise.compute(EditTexts(example.exercise, example.exercise.shownExample()), tables.set());
            for (const Cell& cell : example.cells)
                EXPECT_EQ(Str(tables[0].cell(cell.column, cell.row)),
                          Str(WithSeparator(QString::fromUtf8(cell.text), separator)))
                    << Str(example.exercise.name) << " column " << cell.column << " row " << cell.row;
        }
}

// Inputs the formulas cannot take end with an error that says why; the short way across the
// 180th meridian is taken.
TEST(GeodeticProblems, InputsTheFormulasCannotTake)
{
    struct Case {
        const Exercise& exercise;
        TypedTexts edits;
        const char* error;  // empty: computes
    };
    const Case cases[] = {
        {InverseProblemExercise(), {{"Edit3", "50"}, {"Edit9", "50"}}, "Точки совпадают: s = 0, азимут не определён"},
        {InverseProblemExercise(), {{"Edit3", "90"}, {"Edit9", "89"}}, "Точка B1 на полюсе"},
        {InverseProblemExercise(), {{"Edit9", "-91"}}, "Точка B2 на полюсе"},
        {InverseProblemExercise(), {{"Edit6", "179"}, {"Edit7", "59"}, {"Edit12", "-179"}, {"Edit13", "-59"}}, ""},
        {InverseProblemExercise(), {{"Edit3", "10"}, {"Edit12", "150"}}, "Линия длиннее 1000 км"},
        {DirectProblemExercise(), {{"Edit3", "90"}, {"Edit12", "1000"}}, "Точка B1 на полюсе"},
        {DirectProblemExercise(), {{"Edit3", "50"}, {"Edit12", "-1"}}, "Расстояние s не может быть отрицательным"},
        {DirectProblemExercise(), {{"Edit3", "89"}, {"Edit4", "59"}, {"Edit12", "10000"}}, "Линия проходит через полюс"},
        {DirectProblemExercise(), {{"Edit3", "50"}, {"Edit12", "0"}}, ""},
        {DirectProblemExercise(), {{"Edit3", "50"}, {"Edit12", "1000001"}}, "Линия длиннее 1000 км"},
        {DirectProblemExercise(), {{"Edit3", "79"}, {"Edit9", "30"}, {"Edit12", "900000"}},
         "Формулы со средними аргументами не дают здесь"},
        {InverseProblemExercise(), {{"Edit3", "77"}, {"Edit4", "24"}, {"Edit5", "35,654644"}, {"Edit6", "-49"}, {"Edit7", "-16"},
          {"Edit8", "-26,181069"}, {"Edit9", "77"}, {"Edit10", "50"}, {"Edit11", "35,023257"}, {"Edit12", "-91"}, {"Edit13", "-7"},
          {"Edit14", "-34,798947"}}, "Формулы со средними аргументами не дают здесь"},
    };
    for (const Case& c : cases) {
        ExerciseTables tables(c.exercise);
        const std::optional<QString> error =
            ErrorOf([&] { c.exercise.compute(EditTexts(c.exercise, c.edits), tables.set()); });
        const ResultQuantity& last = c.exercise.results.back();
        if (QString::fromUtf8(c.error).isEmpty()) {
            EXPECT_FALSE(error) << Str(error.value_or(QString()));
            EXPECT_FALSE(tables[0].cell(1, last.row).isEmpty());
        } else {
            EXPECT_TRUE(error && error->startsWith(QString::fromUtf8(c.error))) << Str(error.value_or("none"));
            EXPECT_TRUE(tables[0].cell(1, last.row).isEmpty());
        }
    }
    // Across the 180th meridian: 2′ of longitude east, not 359°58′ west.
    ExerciseTables tables(InverseProblemExercise());
    InverseProblemExercise().compute(
        EditTexts(InverseProblemExercise(), {{"Edit6", "179"}, {"Edit7", "59"}, {"Edit12", "-179"}, {"Edit13", "-59"}}),
        tables.set());
    EXPECT_EQ(Str(tables[0].cell(1, InverseRowS)), Str(WithSeparator("3710.7125", DecimalSeparator())));
    EXPECT_EQ(Str(tables[0].cell(1, InverseRowA12)), Str(WithSeparator("90° 0` 0.0000\"", DecimalSeparator())));
}

// On a sphere (η² = 0) the series must give spherical trigonometry's increments but for the ninth-order
// terms, measured below 0.000027·σ⁹(1 + 2t²)⁴ (σ = s/R): on lines of 1500 km dropping any
// seventh-order coefficient shows, but for ΔL's 91t²·Q²P⁴ and −P⁶.
TEST(GeodeticProblems, SeriesOnTheSphere)
{
    using std::sin, std::cos;
    constexpr double R = 6371000, Degree = std::numbers::pi / 180, sigma = 1500000 / R;
    for (double B1 = -10; B1 <= 70; B1 += 10)
        for (double A12 = 5; A12 < 180; A12 += 20) {
            const double b1 = B1 * Degree, a1 = A12 * Degree;
            const double b2 = std::asin(sin(b1) * cos(sigma) + cos(b1) * sin(sigma) * cos(a1));
            const double dL = std::atan2(sin(a1) * sin(sigma) * cos(b1), cos(sigma) - sin(b1) * sin(b2));
            const double a2 = std::atan2(sin(a1) * cos(b1), cos(a1) * cos(b1) * cos(sigma) - sin(b1) * sin(sigma));
            const double Bm = (b1 + b2) / 2, Am = (a1 + a2) / 2, t = std::tan(Bm);
            const Increments series =
                MeanArgumentIncrements({R, 1, 0, t, cos(Bm)}, R * sigma * cos(Am), R * sigma * sin(Am));
            const double bound = 0.00003 * std::pow(sigma, 9) * std::pow(1 + 2 * t * t, 4);
            EXPECT_NEAR(static_cast<double>(series.dB), b2 - b1, bound) << B1 << " " << A12;
            EXPECT_NEAR(static_cast<double>(series.dL), dL, bound) << B1 << " " << A12;
            EXPECT_NEAR(static_cast<double>(series.dA), a2 - a1, bound) << B1 << " " << A12;
        }
}
}  // namespace
}  // namespace kvelta
