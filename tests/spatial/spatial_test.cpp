// Spatial rectangular coordinates both ways: the worked example cell by cell in both separators,
// the degenerate points, and the accuracy against GeographicLib's Geocentric over generated points.
#include "frame/errors.h"
#include "rigorous/geocentric.h"
#include "spatial/exercises.h"
#include "spatial/spatial_coordinates.h"
#include "support/kvelta_test.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace kvelta {
namespace {

using test::Str;
using test::WithSeparator;

const Exercise& Spatial() { return SpatialCoordinatesExercise(); }

struct Computed {
    ExerciseTables tables{Spatial()};
    std::optional<QString> error;
};

// "Вычислить" over the typed texts (numbers with a point, put into the current separator).
void Compute(Computed& run, const TypedTexts& typed)
{
    TypedTexts texts;
    for (const auto& [name, text] : typed)
        texts.emplace_back(name, WithSeparator(text, DecimalSeparator()));
    const EditTexts edits(Spatial(), texts);
    run.error = ErrorOf([&] { Spatial().compute(edits, run.tables.set()); });
}

const TypedTexts Example = {{"Edit3", "59"},     {"Edit4", "46"},  {"Edit5", "18.55"},
                            {"Edit6", "30"},     {"Edit7", "19"},  {"Edit8", "42.09"},
                            {"Edit9", "75"},     {"Edit10", "2778626.7767"},
                            {"Edit11", "1625543.8058"}, {"Edit12", "5487883.5381"}};

TEST(SpatialCoordinates, WorkedExampleBothPages)
{
    // Checked against an independent evaluation of the same formulas; the second page closes on the first.
    const std::vector<std::pair<int, const char*>> page1 = {
        {1, "6378245.000"},  {2, "0.006693421623"}, {3, "59° 46` 18.55000\""}, {4, "30° 19` 42.09000\""},
        {5, "75.0000"},      {6, "0.864027290345"}, {7, "0.503444973696"},    {8, "0.997498406956"},
        {9, "6394240.7883"}, {10, "3219186.1438"},  {11, "2778626.7767"},     {12, "1625543.8058"},
        {13, "6351516.4387"}, {14, "5487883.5381"}};
    const std::vector<std::pair<int, const char*>> page2 = {
        {3, "2778626.7767"},  {4, "1625543.8058"}, {5, "5487883.5381"},  {6, "30° 19` 42.09000\""},
        {7, "3219186.1439"},  {8, "59° 46` 18.55709\""}, {9, "6394240.7889"}, {10, "75.0000"},
        {11, "59° 46` 18.55000\""}, {12, "-0.00709"}, {13, "6394240.7883"}, {14, "75.0000"},
        {15, "59° 46` 18.55000\""}, {16, "0.00000"}, {17, ""}, {40, ""},
        {41, "59° 46` 18.55000\""}, {42, "30° 19` 42.09000\""}, {43, "75.0000"}};
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        Computed run;
        Compute(run, Example);
        ASSERT_FALSE(run.error) << Str(*run.error);
        for (const auto& [table, rows] : {std::pair{0, &page1}, std::pair{1, &page2}})
            for (const auto& [row, text] : *rows)
                EXPECT_EQ(Str(run.tables[table].cell(1, row)), Str(WithSeparator(QString::fromUtf8(text), separator)))
                    << "page " << table + 1 << ", row " << row << ", separator " << Str(QString(separator));
    }
}

// Points that have no B, L or no iteration, and a point beyond the pole: what each row shows.
TEST(SpatialCoordinates, DegeneratePoints)
{
    struct Case {
        const char* what;
        TypedTexts typed;
        const char* error;      // empty: none
        int page2Row;           // a cell of the second page
        const char* page2Text;
    };
    const QString onAxis = QStringLiteral("0° 0` 0.00000\" (X = Y = 0: L не определена и принята равной 0)");
    const std::vector<Case> cases = {
        {"north pole, on the axis", {{"Edit10", "0"}, {"Edit11", "0"}, {"Edit12", "6400000"}}, "", GeodeticBRow, "90° 0` 0.00000\""},
        {"south pole, on the axis", {{"Edit10", "0"}, {"Edit11", "0"}, {"Edit12", "-6356863.0188"}}, "", GeodeticHRow, "0.0000"},
        {"the centre", {{"Edit10", "0"}, {"Edit11", "0"}, {"Edit12", "0"}},
         "Точка X = Y = Z = 0 — центр эллипсоида: B, L и H не определены", 3, ""},
        {"near the centre", {{"Edit10", "20000"}, {"Edit11", "0"}, {"Edit12", "100"}},
         "Точка слишком близко к центру эллипсоида (N(1-e^2)+H <= 0): широта B не определяется итерациями", 9, "6378245.5409"},
        {"deep inside", {{"Edit10", "35355"}, {"Edit11", "0"}, {"Edit12", "35355"}},
         "Широта B не сошлась за 8 приближений", GeodeticBRow, ""},
        {"beyond the pole", {{"Edit3", "90"}, {"Edit5", "0.1"}}, "Широта B за пределами ±90°", 1, ""},
    };
    for (const Case& c : cases) {
        Computed run;
        Compute(run, c.typed);
        EXPECT_EQ(Str(run.error.value_or(QString())), c.error) << c.what;
        EXPECT_EQ(Str(run.tables[1].cell(1, c.page2Row)), Str(WithSeparator(QString::fromUtf8(c.page2Text), DecimalSeparator())))
            << c.what;
        // Any fault on the second page leaves the first one computed; a fault in reading, nothing.
        EXPECT_EQ(run.tables[0].cell(1, GeocentricXRow).isEmpty(), QString(c.error).startsWith("Широта B за")) << c.what;
    }
    // On the axis L is 0 whatever the signs of the zeros; west of the axis with Y = −0 it is 180°.
    const std::pair<TypedTexts, QString> longitudes[] = {
        {{{"Edit10", "0"}, {"Edit11", "0"}, {"Edit12", "6400000"}}, onAxis},
        {{{"Edit10", "-0"}, {"Edit11", "0"}, {"Edit12", "6356863"}}, onAxis},
        {{{"Edit10", "0"}, {"Edit11", "-0"}, {"Edit12", "-6356863"}}, onAxis},
        {{{"Edit10", "-0"}, {"Edit11", "-0"}, {"Edit12", "100"}}, onAxis},
        {{{"Edit10", "-6378245"}, {"Edit11", "-0"}, {"Edit12", "0"}}, QStringLiteral("180° 0` 0.00000\"")},
        {{{"Edit10", "-6378245"}, {"Edit11", "0"}, {"Edit12", "0"}}, QStringLiteral("180° 0` 0.00000\"")},
    };
    for (const auto& [typed, text] : longitudes) {
        Computed axis;
        Compute(axis, typed);
        EXPECT_EQ(Str(axis.tables[1].cell(1, 6)), Str(WithSeparator(text, DecimalSeparator())))
            << Str(typed[0].second) << " " << Str(typed[1].second);
    }
}

// The same tables computed twice: the rows of approximations the second run does not need are emptied.
TEST(SpatialCoordinates, ShorterRunEmptiesLaterApproximations)
{
    Computed run;
    Compute(run, Example);
    ASSERT_FALSE(run.tables[1].cell(1, 16).isEmpty());
    const EditTexts axis(Spatial(), {{"Edit10", "0"}, {"Edit11", "0"}, {"Edit12", "6400000"}});
    Spatial().compute(axis, run.tables.set());
    EXPECT_FALSE(run.tables[1].cell(1, 12).isEmpty());  // on the axis the first approximation is exact
    for (int row = 13; row < GeodeticBRow; ++row)
        EXPECT_TRUE(run.tables[1].cell(1, row).isEmpty()) << row;
}

// The largest differences over the generated points: metres, seconds of arc, and metres on the
// ground (a latitude or longitude difference over a radius of 6400 km, more than M and N anywhere).
struct Worst {
    double metres = 0, seconds = 0, ground = 0;
    void metre(double d) { metres = std::max(metres, std::fabs(d)); }
    void angle(double degrees, double radiusFactor = 1)
    {
        seconds = std::max(seconds, std::fabs(degrees) * 3600);
        ground = std::max(ground, std::fabs(degrees) / 180 * 3.14159265358979 * 6.4e6 * radiusFactor);
    }
};

double Value(const ResultTable& t, int row) { return static_cast<double>(t.number(1, row).value()); }

// Page two's B, L, H against the point they should give.
void Compare(const ResultTable& page2, const GeodeticPoint& p, Worst& worst)
{
    worst.angle(Value(page2, GeodeticBRow) - p.B);
    worst.angle(std::remainder(Value(page2, GeodeticLRow) - p.L, 360.0), std::cos(p.B / 180 * 3.14159265358979));
    worst.metre(Value(page2, GeodeticHRow) - p.H);
}

// B within ±80° (and every tenth point within 10° of a pole, where D/cos B would fail), any L, H of
// −500…9000 m: both directions against GeographicLib, the round trip, and the round trip through
// X, Y, Z printed to 0.1 mm as a student copies them.
TEST(SpatialCoordinates, AgreesWithGeocentricOverGeneratedPoints)
{
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> latitude(-80, 80), polar(80, 90), longitude(-180, 180), height(-500, 9000);
    Worst forward, inverse, roundTrip, printedTrip;
    ResultTable page1(2, GeodeticToGeocentricRows), page2(2, GeocentricToGeodeticRows);
    constexpr int Cases = 2000;
    for (int i = 0; i < Cases; ++i) {
        const double B = i % 10 ? latitude(random) : std::copysign(polar(random), latitude(random));
        const GeodeticPoint p{B, longitude(random), height(random)};
        const rigorous::GeocentricValues exact = rigorous::GeocentricForward(p.B, p.L, p.H);
        const GeocentricPoint xyz = GeodeticToGeocentric(p, page1);
        forward.metre(xyz.X - *exact.X.value);
        forward.metre(xyz.Y - *exact.Y.value);
        forward.metre(xyz.Z - *exact.Z.value);

        GeocentricToGeodetic({*exact.X.value, *exact.Y.value, *exact.Z.value}, page2);
        Compare(page2, p, inverse);
        GeocentricToGeodetic(xyz, page2);
        Compare(page2, p, roundTrip);
        const auto printed = [](double metres) { return std::round(metres * 1e4) / 1e4; };
        GeocentricToGeodetic({printed(xyz.X), printed(xyz.Y), printed(xyz.Z)}, page2);
        Compare(page2, p, printedTrip);
    }
    std::printf("worst over %d points: X Y Z %.2e m; B L %.2e\", H %.2e m; round trip %.2e\", %.2e m; "
                "through printed X Y Z %.2e m on the ground, H %.2e m\n",
                Cases, forward.metres, inverse.seconds, inverse.metres, roundTrip.seconds, roundTrip.metres,
                printedTrip.ground, printedTrip.metres);
    // The method itself: far below the 0.1 mm and 0.00001″ the tables print.
    EXPECT_LT(forward.metres, 5e-9);
    EXPECT_LT(inverse.seconds, 2e-10);
    EXPECT_LT(inverse.metres, 5e-9);
    EXPECT_LT(roundTrip.seconds, 2e-10);
    EXPECT_LT(roundTrip.metres, 5e-9);
    // X, Y, Z rounded to 0.1 mm move the point by at most 0.087 mm.
    EXPECT_LT(printedTrip.ground, 9e-5);
    EXPECT_LT(printedTrip.metres, 9e-5);
}

}  // namespace
}  // namespace kvelta
