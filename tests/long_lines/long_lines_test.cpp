// The geodetic problems on long lines by Bessel's method: agreement with the rigorous geodesic
// over generated lines up to 20 000 km weighted to the hard places, the worked examples cell by
// cell, and the inputs the method cannot take.
#include "frame/errors.h"
#include "long_lines/bessel.h"
#include "long_lines/exercises.h"
#include "rigorous/comparison.h"
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
    case Place::NearlyAntipodal: line.s = uniform(19000000, 20000000); break;
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
        for (int n = 0; n < 1500; ++n) {
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
    // Only lines close to half the globe are refused.
    EXPECT_GT(shortestRefused, 19500000);
    std::cout << "inverse, worst: " << worst.seconds << "\", " << worst.metres << " m; refused " << refused
              << ", the shortest of them " << shortestRefused << " m\n";
}

// Inputs the method cannot take end with an error that says why; the others compute, the short
// way across the 180th meridian and over the pole.
TEST(LongLines, InputsTheMethodCannotTake)
{
    struct Case {
        const Exercise& exercise;
        TypedTexts edits;
        const char* error;  // empty: computes
    };
    const Exercise& direct = BesselDirectExercise();
    const Exercise& inverse = BesselInverseExercise();
    const Case cases[] = {
        {direct, {{"Edit3", "90"}, {"Edit12", "1000"}}, "Точка B1 на полюсе"},
        {direct, {{"Edit3", "50"}, {"Edit12", "-1"}}, "Расстояние s не может быть отрицательным"},
        {direct, {{"Edit3", "50"}, {"Edit12", "20000000,001"}}, "Линия длиннее 20 000 км"},
        {direct, {{"Edit3", "50"}, {"Edit12", "0"}}, ""},
        {direct, {{"Edit3", "89"}, {"Edit4", "59"}, {"Edit5", "59,9999"}, {"Edit12", "20000000"}}, ""},
        {direct, {{"Edit9", "90"}, {"Edit12", "20000000"}}, ""},
        {inverse, {{"Edit3", "50"}, {"Edit9", "50"}}, "Точки совпадают: s = 0, азимут не определён"},
        {inverse, {{"Edit3", "90"}, {"Edit9", "89"}}, "Точка B1 на полюсе"},
        {inverse, {{"Edit9", "-91"}}, "Точка B2 на полюсе"},
        {inverse, {{"Edit12", "179"}, {"Edit13", "50"}}, "Точки почти диаметрально противоположны"},
        {inverse, {{"Edit3", "10"}, {"Edit9", "-10"}, {"Edit12", "179"}, {"Edit13", "50"}},
         "Точки почти диаметрально противоположны"},
        {inverse, {{"Edit3", "10"}, {"Edit9", "-10"}, {"Edit12", "178"}}, ""},
        {inverse, {{"Edit3", "80"}, {"Edit9", "80"}, {"Edit12", "180"}}, ""},
        {inverse, {{"Edit6", "179"}, {"Edit7", "59"}, {"Edit12", "-179"}, {"Edit13", "-59"}}, ""},
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
}

// Lines whose answers are known without the series: along the equator and a meridian over the pole.
TEST(LongLines, LinesWithKnownAnswers)
{
    struct Case {
        TypedTexts edits;
        const char *s, *A12, *A21;
    };
    const Case cases[] = {
        // 2′ of the equator across the 180th meridian: a·2′ = 3710.7125 m, due east.
        {{{"Edit6", "179"}, {"Edit7", "59"}, {"Edit12", "-179"}, {"Edit13", "-59"}}, "3710.713", "90° 0` 0.0000\"",
         "270° 0` 0.0000\""},
        // From 80° N over the pole to 80° N on the opposite meridian: 20° of meridian due north.
        {{{"Edit3", "80"}, {"Edit9", "80"}, {"Edit12", "180"}}, "2233688.492", "0° 0` 0.0000\"", "0° 0` 0.0000\""},
    };
    for (const Case& c : cases) {
        ExerciseTables tables(BesselInverseExercise());
        BesselInverseExercise().compute(EditTexts(BesselInverseExercise(), c.edits), tables.set());
        const QChar point = DecimalSeparator();
        EXPECT_EQ(Str(tables[0].cell(1, row::InverseS)), Str(WithSeparator(c.s, point)));
        EXPECT_EQ(Str(tables[0].cell(1, row::InverseA12)), Str(WithSeparator(c.A12, point)));
        EXPECT_EQ(Str(tables[0].cell(1, row::InverseA21)), Str(WithSeparator(c.A21, point)));
    }
}

// The worked examples: 10 000 km from Moscow at 60°, and the inverse problem back between its
// printed ends. Every value cell of the table, written with a point: row, then columns 1, 2, ...;
// the columns after the last approximation stay empty.
struct WorkedExample {
    const Exercise& exercise;
    std::vector<std::pair<int, std::vector<const char*>>> rows;
};

TEST(LongLines, WorkedExamplesCellByCell)
{
    const WorkedExample examples[] = {
        {BesselDirectExercise(),
         {
             {1, {"6378245.000"}},
             {2, {"6356863.0188"}},
             {3, {"0.006693421623"}},
             {4, {"0.006738525415"}},
             {5, {"206264.80624710"}},
             {6, {"1.464078295655"}},
             {7, {"55° 39` 57.60948\""}},
             {8, {"0.488452295283"}},
             {9, {"0.761414355232"}},
             {10, {"71° 8` 39.69231\""}},
             {11, {"0.005130809984"}},
             {12, {"6365009.1552"}},
             {13, {"10695.2673"}},
             {14, {"4.492876"}},
             {15, {"-0.00125825"}},
             {16, {"0.003350187574"}},
             {17, {"0.00000281177492"}},
             {18, {"0.000000002361118"}},
             {19, {"1", "2", "3", "4", "5"}},
             {20, {"90° 1` 0.50206\"", "89° 58` 19.14042\"", "89° 58` 18.97711\"", "89° 58` 18.97694\"", "89° 58` 18.97694\""}},
             {21, {"0.465567380711", "0.466038571124", "0.466039047874", "0.466039048356", "0.466039048356"}},
             {22, {"-0.000042897164", "0.000071082152", "0.000071196815", "0.000071196931", "0.000071196931"}},
             {23, {"-0.406087989858", "-0.405680438164", "-0.405680023541", "-0.405680023122", "-0.405680023121"}},
             {24, {"89° 58` 19.14042\"", "89° 58` 18.97711\"", "89° 58` 18.97694\"", "89° 58` 18.97694\"", "89° 58` 18.97694\""}},
             {25, {"0.282412467624"}},
             {26, {"16° 24` 15.26839\""}},
             {27, {"115° 28` 29.31371\""}},
             {28, {"149° 23` 26.92633\""}},
             {29, {"529.89847\""}},
             {30, {"115° 19` 39.41524\""}},
             {31, {"16° 27` 23.1779\""}},
             {32, {"152° 56` 39.4152\""}},
             {33, {"329° 23` 26.9263\""}},
         }},
        {BesselInverseExercise(),
         {
             {1, {"6378245.000"}},
             {2, {"6356863.0188"}},
             {3, {"0.006693421623"}},
             {4, {"0.006738525415"}},
             {5, {"206264.80624710"}},
             {6, {"1.464078295655"}},
             {7, {"0.294396442304"}},
             {8, {"115° 19` 39.41520\""}},
             {9, {"0.233205984436"}},
             {10, {"0.541056764463"}},
             {11, {"0.792149465568"}},
             {12, {"0.159285186543"}},
             {13, {"1", "2", "3", "4", "5"}},
             {14, {"115° 19` 39.41520\"", "115° 28` 29.53745\"", "115° 28` 29.31357\"", "115° 28` 29.31367\"", "115° 28` 29.31367\""}},
             {15, {"0.867082433169", "0.866024852378", "0.866025300209", "0.866025300018", "0.866025300018"}},
             {16, {"0.498161628114", "0.500000715704", "0.499999939519", "0.499999939850", "0.499999939850"}},
             {17, {"60° 7` 17.40438\"", "59° 59` 59.81529\"", "60° 0` 0.00012\"", "60° 0` 0.00004\"", "60° 0` 0.00004\""}},
             {18, {"89° 53` 59.98855\"", "89° 58` 19.08624\"", "89° 58` 18.97689\"", "89° 58` 18.97694\"", "89° 58` 18.97694\""}},
             {19, {"0.489049221816", "0.488452042739", "0.488452295450", "0.488452295342", "0.488452295342"}},
             {20, {"0.760830858641", "0.761414601944", "0.761414355070", "0.761414355175", "0.761414355175"}},
             {21, {"0.465084026955", "0.466039451583", "0.466039048038", "0.466039048210", "0.466039048210"}},
             {22, {"0.000255275119", "0.000071119719", "0.000071196970", "0.000071196937", "0.000071196937"}},
             {23, {"0.003350189212", "0.003350187573", "0.003350187574", "0.003350187574", "0.003350187574"}},
             {24, {"0.00000281178043", "0.00000281177492", "0.00000281177492", "0.00000281177492", "0.00000281177492"}},
             {25, {"0.000000002361126", "0.000000002361118", "0.000000002361118", "0.000000002361118", "0.000000002361118"}},
             {26, {"530.12225\"", "529.89837\"", "529.89847\"", "529.89847\"", "529.89847\""}},
             {27, {"0.005130809983"}},
             {28, {"6365009.1552"}},
             {29, {"10695.2673"}},
             {30, {"4.492876"}},
             {31, {"-0.00125825"}},
             {32, {"-0.405680023126"}},
             {33, {"10000000.000"}},
             {34, {"60° 0` 0.0000\""}},
             {35, {"329° 23` 26.9263\""}},
         }},
    };
    for (const WorkedExample& example : examples)
        for (QChar separator : kSeparators) {
            const SeparatorScope scope(separator);
            ExerciseTables tables(example.exercise);
            example.exercise.compute(EditTexts(example.exercise, example.exercise.shownExample()), tables.set());
            ASSERT_EQ(example.rows.size() + 1, static_cast<std::size_t>(tables[0].rowCount()));
            for (const auto& [row, texts] : example.rows)
                for (int column = 1; column < tables[0].columnCount(); ++column) {
                    const std::size_t at = static_cast<std::size_t>(column - 1);
                    const QString expected = at < texts.size() ? WithSeparator(QString::fromUtf8(texts[at]), separator) : QString();
                    EXPECT_EQ(Str(tables[0].cell(column, row)), Str(expected))
                        << Str(example.exercise.name) << " column " << column << " row " << row;
                }
        }
}

// Each worked example's results agree with the rigorous geodesic to every printed digit.
TEST(LongLines, WorkedExamplesAgreeWithTheGeodesic)
{
    for (const Exercise* exercise : {&BesselDirectExercise(), &BesselInverseExercise()}) {
        ExerciseTables tables(*exercise);
        const EditTexts inputs(*exercise, exercise->shownExample());
        exercise->compute(inputs, tables.set());
        const std::optional<Comparison> comparison = CompareExercise(*exercise, inputs, {tables.constSet(), {}});
        ASSERT_TRUE(comparison);
        ASSERT_EQ(comparison->rows.size(), 3u);
        for (const ComparisonRow& row : comparison->rows) {
            EXPECT_EQ(Str(row.textbook), Str(row.rigorous)) << Str(exercise->name) << " " << Str(row.quantity);
            EXPECT_FALSE(row.textbook.isEmpty());
        }
    }
}

}  // namespace
}  // namespace kvelta
