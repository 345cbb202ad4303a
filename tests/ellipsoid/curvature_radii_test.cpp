// The radii of curvature: every printed radius agrees with an independent computation through the
// polar radius of curvature c = a/√(1 − e²) and V² = 1 + e′²cos²B (M = c/V³, N = c/V), in both
// decimal-separator locales; Euler's radius lies between M and N and meets them on the meridian
// and the prime vertical; the rigorous comparison differs by the rounded e² only.
#include "ellipsoid/curvature_radii.h"
#include "ellipsoid_test_support.h"

#include <QRandomGenerator>
#include <cmath>
#include <numbers>

namespace kvelta {
namespace {

using namespace test;

struct Independent {
    long double M, N, R, RA;
};

Independent ThroughPolarRadius(long double B, long double A)
{
    const long double a = 6378245.0L, e2 = 0.00669342L;
    const long double c = a / std::sqrt(1 - e2), secondE2 = e2 / (1 - e2);
    const long double toRadians = std::numbers::pi_v<long double> / 180;
    const long double cosB = std::cos(B * toRadians);
    const long double V = std::sqrt(1 + secondE2 * cosB * cosB);
    const long double M = c / (V * V * V), N = c / V;
    const long double cosA = std::cos(A * toRadians), sinA = std::sin(A * toRadians);
    return {M, N, std::sqrt(M * N), 1 / (cosA * cosA / M + sinA * sinA / N)};
}

// The number a cell prints, read back with the separator it was printed with.
long double Printed(const ResultTable& table, int row, QChar separator)
{
    QString text = table.cell(3, row);
    EXPECT_EQ(PrintedDecimals(text), 8) << Str(text);
    return text.replace(separator, QLatin1Char('.')).toDouble();
}

struct Case {
    const char* name;
    QStringList edits;  // B, then A, as degrees, minutes, seconds
    long double B, A;
};

const Case kCases[] = {
    {"worked example", {"55", "45", "20", "60", "0", "0"}, 55 + 45 / 60.0L + 20 / 3600.0L, 60},
    {"equator, along the meridian", {"0", "0", "0", "0", "0", "0"}, 0, 0},
    {"pole", {"90", "0", "0", "45", "0", "0"}, 90, 45},
    {"prime vertical", {"40", "0", "0", "90", "0", "0"}, 40, 90},
    {"southern, westward", {"-50", "-30", "-15.5", "270", "0", "0"}, -(50 + 30 / 60.0L + 15.5L / 3600), 270},
    {"back along the meridian", {"70", "0", "0.0001", "180", "0", "0"}, 70 + 0.0001L / 3600, 180},
    {"any azimuth", {"62", "1", "2.3456", "123", "45", "6.789"}, 62 + 1 / 60.0L + 2.3456L / 3600,
     123 + 45 / 60.0L + 6.789L / 3600},
};

TEST(CurvatureRadii, EveryRadiusAgreesWithAnIndependentComputation)
{
    // Half a unit of the eighth decimal, and the double a cell is read back into.
    constexpr long double tolerance = 0.5e-8L + 2e-9L;
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Case& c : kCases) {
            SCOPED_TRACE(std::string(c.name) + " with '" + char(separator.unicode()) + "'");
            const ResultTable table = Computed(CurvatureRadiiExercise(), c.edits, separator)[0];
            ExpectAllFinite(table);
            const Independent expected = ThroughPolarRadius(c.B, c.A);
            const long double M = Printed(table, 1, separator), N = Printed(table, 2, separator);
            const long double R = Printed(table, 6, separator), RA = Printed(table, 7, separator);
            EXPECT_NEAR(M, expected.M, tolerance);
            EXPECT_NEAR(N, expected.N, tolerance);
            EXPECT_NEAR(R, expected.R, tolerance);
            EXPECT_NEAR(RA, expected.RA, tolerance);
            EXPECT_LE(M, RA + tolerance);
            EXPECT_LE(RA, N + tolerance);
        }
    }
}

TEST(CurvatureRadii, TheWorkedExampleAsTheTablePrintsIt)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        const ExerciseTables tables(CurvatureRadiiExercise());
        EditTexts typed(CurvatureRadiiExercise(), CurvatureRadiiExercise().shownExample());
        ExerciseTables computed = tables;
        CurvatureRadiiExercise().compute(typed, computed.set());
        ExpectCells(computed[0],
                    {{0, 1, "B"}, {1, 1, "55° 45` 20.0000\""}, {1, 2, "60° 0` 0.0000\""}, {1, 3, "6378245.0"},
                     {1, 4, "0.00669342"}, {2, 7, "RA=MN/(Ncos^2A+Msin^2A)"}, {3, 3, "0.250000000000000"},
                     {3, 4, "0.750000000000000"}},
                    separator);
        // The rows of the results are the ones the description names.
        const Independent expected = ThroughPolarRadius(55 + 45 / 60.0L + 20 / 3600.0L, 60);
        const long double printed[] = {expected.M, expected.N, expected.R, expected.RA};
        ASSERT_EQ(CurvatureRadiiExercise().results.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) {
            const ResultQuantity& result = CurvatureRadiiExercise().results[i];
            EXPECT_NEAR(Printed(computed[0], result.row, separator), printed[i], 1e-8L) << Str(result.name);
        }
    }
}

TEST(CurvatureRadii, RigorousValuesDifferByTheRoundedSquaredEccentricityOnly)
{
    const Exercise& exercise = CurvatureRadiiExercise();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const EditTexts typed = Typed(exercise, c.edits, QLatin1Char('.'));
        ExerciseTables tables(exercise);
        SeparatorScope scope(QLatin1Char('.'));
        exercise.compute(typed, tables.set());
        const RigorousSolution rigorous = exercise.comparison.solve(typed, {tables.constSet(), {}});
        ASSERT_EQ(rigorous.values.size(), exercise.comparison.quantities.size());
        for (std::size_t i = 0; i < rigorous.values.size(); ++i) {
            ASSERT_TRUE(rigorous.values[i].value) << Str(rigorous.values[i].reason);
            const ResultQuantity& q = exercise.comparison.quantities[i];
            const double textbook = tables[0].cell(q.column, q.row).toDouble();
            // e² = 0,00669342 against 0,0066934216…: M on the equator about 1 cm short, less elsewhere.
            EXPECT_NEAR(textbook, *rigorous.values[i].value, 0.012) << Str(q.name);
        }
    }
}

TEST(CurvatureRadii, VariantsLieInTheirRangesAndCompute)
{
    QRandomGenerator random(7);
    for (int i = 0; i < 50; ++i) {
        const TypedTexts variant = CurvatureRadiiExercise().makeVariant(random);
        const EditTexts typed(CurvatureRadiiExercise(), variant);
        const double B = ReadAngle(typed, "Edit3", "Edit4", "Edit5"), A = ReadAngle(typed, "Edit6", "Edit7", "Edit8");
        EXPECT_GE(B, 40);
        EXPECT_LE(B, 70);
        EXPECT_GE(A, 0);
        EXPECT_LT(A, 360);
    }
}

}  // namespace
}  // namespace kvelta
