// The comparison rows against the reference values computed independently with GeographicLib
// and PROJ (textbook as printed, rigorous, difference), the bad inputs, and the dispatch.
#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "ellipsoid/exercises.h"
#include "frame/errors.h"
#include "gauss_kruger/exercises.h"
#include "rigorous/comparison.h"
#include "rigorous/spherical_triangle.h"
#include "spherical/exercises.h"
#include "support/kvelta_test.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/PolygonArea.hpp>
#include <cmath>

namespace kvelta {
namespace {

using test::kSeparators;
using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

// Edit texts by name, written with a point and typed with the separator.
struct MapInputs {
    MapInputs(std::initializer_list<std::pair<const char*, const char*>> given, QChar separator)
    {
        for (const auto& [name, text] : given)
            texts.emplace_back(QString::fromLatin1(name), WithSeparator(QString::fromUtf8(text), separator));
    }
    TypedTexts texts;
};

// The comparison of the exercise computed from the texts; a number edit not given reads "0", as
// the windows' angle edits start. A conversion error goes through.
Comparison Compare(const Exercise& exercise, const MapInputs& in)
{
    TypedTexts typed;
    for (const EditField& edit : exercise.edits)
        if (edit.kind == EditKind::Real || edit.kind == EditKind::Integer)
            typed.emplace_back(edit.name, QStringLiteral("0"));
    for (const auto& text : in.texts)
        if (exercise.edit(text.first))  // an edit the exercise does not have is not typed
            typed.push_back(text);
    const Solution solution = SolveExercise(exercise, typed);
    return CompareExercise(exercise, solution.edits, solution.computed()).value();
}

// One reference row: the textbook text as printed (with a point), the rigorous value and the
// tolerance it is checked to, and the reference difference (the computed textbook value, not its
// print, less the rigorous one).
struct Expected {
    const char* quantity;
    const char* textbook;
    double rigorous;
    double tolerance;
    double difference;
};

void ExpectRows(const Comparison& c, const std::vector<Expected>& expected, QChar sep)
{
    ASSERT_EQ(c.rows.size(), expected.size()) << Str(c.className);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ComparisonRow& row = c.rows[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(Str(c.className + QLatin1Char(' ') + row.quantity));
        EXPECT_EQ(Str(row.quantity), e.quantity);
        EXPECT_EQ(Str(row.textbook), Str(WithSeparator(QString::fromUtf8(e.textbook), sep)));
        ASSERT_TRUE(row.rigorousValue.has_value()) << Str(row.reason);
        ASSERT_TRUE(row.differenceValue.has_value());
        EXPECT_TRUE(row.reason.isEmpty()) << Str(row.reason);
        const bool angle = row.textbook.contains(QChar(0x00B0));
        EXPECT_NEAR(*row.rigorousValue * (angle ? 3600 : 1), e.rigorous * (angle ? 3600 : 1), e.tolerance);
        EXPECT_NEAR(*row.differenceValue, e.difference, e.tolerance * 1.5);
        EXPECT_NE(row.difference, NoValue);
        EXPECT_FALSE(row.rigorous.contains(sep == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',')));
    }
    EXPECT_FALSE(c.note.isEmpty());
    EXPECT_TRUE(c.ellipsoid.contains(QStringLiteral("6378245"))) << Str(c.ellipsoid);
    EXPECT_TRUE(c.textbookFault.isEmpty()) << Str(c.textbookFault);
}

double Dms(double d, double m, double s) { return d + m / 60 + s / 3600; }

TEST(RigorousComparison, ArcsAreasAndSides)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        ExpectRows(Compare(MeridianArcExercise(), MapInputs({{"Edit3", "50"}, {"Edit6", "51"}}, sep)),
                   {{"M1, м", "6373064.65142330", 6373064.58944904, 1e-6, 0.061974},
                    {"Mcp, м", "6373615.88832730", 6373615.82377433, 1e-6, 0.064553},
                    {"M2, м", "6374165.33738282", 6374165.27018035, 1e-6, 0.067202},
                    {"S, м", "111240.47281540", 111240.57618118, 1e-6, -0.10336578}},
                   sep);
        ExpectRows(Compare(MeridianArcExercise(), MapInputs({{"Edit6", "1"}}, sep)),
                   {{"M1, м", "6335552.72735210", 6335552.71700043, 1e-6, 0.010352},
                    {"Mcp, м", "6335557.57139345", 6335557.56104294, 1e-6, 0.010351},
                    {"M2, м", "6335572.10207899", 6335572.09173199, 1e-6, 0.010347},
                    {"S, м", "110576.26387900", 110576.36756741, 1e-6, -0.103688}},
                   sep);
        ExpectRows(Compare(ParallelArcExercise(), MapInputs({{"Edit3", "1"}, {"Edit6", "50"}}, sep)),
                   {{"N, м", "6390808.43756720", 6390808.45279658, 1e-6, -0.015229},
                    {"N·cosB, м", "4107932.480", 4107932.48933764, 1e-6, -0.009789},
                    {"Sп, м", "71696.87986994", 71696.94738859, 1e-6, -0.067519}},
                   sep);
        const Comparison equator = Compare(ParallelArcExercise(), MapInputs({{"Edit3", "1"}}, sep));
        ExpectRows(equator, {{"N, м", "6378245.00000000", 6378245.0, 1e-6, 0},
                             {"N·cosB, м", "6378245.000", 6378245.0, 1e-6, 0},
                             {"Sп, м", "111321.27118028", 111321.37574887, 1e-6, -0.104569}},
                   sep);
        ExpectRows(Compare(TrapezoidAreaExercise(), MapInputs({{"Edit3", "50"}, {"Edit6", "50"}, {"Edit7", "20"}, {"Edit9", "1800"}}, sep)),
                   {{"P, км²", "1324.58782133", 1324.58906810, 1e-7, -0.00124677}}, sep);
        ExpectRows(Compare(TrapezoidAreaExercise(), MapInputs({{"Edit6", "4"}, {"Edit9", "21600"}}, sep)),
                   {{"P, км²", "295194.22826101", 295194.50766521, 1e-5, -0.27940421}}, sep);
        ExpectRows(Compare(TrapezoidAreaExercise(), MapInputs({{"Edit3", "48"}, {"Edit6", "52"}, {"Edit9", "21600"}}, sep)),
                   {{"P, км²", "191357.64327668", 191357.82482552, 1e-5, -0.18154884}}, sep);
        ExpectRows(Compare(TrapezoidAreaExercise(), MapInputs({{"Edit3", "56"}, {"Edit6", "60"}, {"Edit9", "21600"}}, sep)),
                   {{"P, км²", "158037.32407914", 158037.47420438, 1e-5, -0.15012525}}, sep);

        const Comparison sheet = Compare(TrapezoidSidesExercise(), 
            MapInputs({{"Edit3", "50"}, {"Edit6", "50"}, {"Edit7", "10"}, {"Edit9", "900"}, {"Edit10", "50000"}}, sep));
        ExpectRows(sheet,
                   {{"a1, см", "35.84843993", 35.84847369, 1e-8, -0.00003376},
                    {"a2, см", "35.72435738", 35.72439102, 1e-8, -0.00003364},
                    {"c, см", "37.07748755", 37.07752197, 1e-8, -0.00003442},
                    {"d, см", "51.53059832", 51.53065237, 1e-8, -0.00005405}},
                   sep);
        EXPECT_NEAR(*sheet.rows[3].groundValue, -0.0270, 1e-4);
        const Comparison million = Compare(TrapezoidSidesExercise(), 
            MapInputs({{"Edit3", "48"}, {"Edit6", "52"}, {"Edit9", "21600"}, {"Edit10", "1000000"}}, sep));
        ExpectRows(million,
                   {{"a1, см", "44.77591626", 44.77595842, 1e-8, -0.00004215},
                    {"a2, см", "41.20745626", 41.20749508, 1e-8, -0.00003882},
                    {"c, см", "44.49234285", 44.49235407, 1e-8, -0.00001122},
                    {"d, см", "61.84391792", 61.84802635, 1e-8, -0.00410843}},
                   sep);
        EXPECT_NEAR(*million.rows[3].groundValue, -41.0843, 1e-4);
        EXPECT_EQ(Str(million.rows[3].ground), Str(WithSeparator(QStringLiteral("-41.0843"), sep)));
    }
}

TEST(RigorousComparison, GaussKruger)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        const auto example = MapInputs({{"Edit3", "21"}, {"Edit6", "51"}, {"Edit7", "38"}, {"Edit8", "44.0822"},
                                        {"Edit9", "24"}, {"Edit10", "2"}, {"Edit11", "13.1579"}},
                                       sep);
        const Comparison forward = Compare(GaussKrugerForwardExercise(), example);
        ExpectRows(forward, {{"x, м", "5728374.727", 5728380.1263, 1e-3, -5.3992},
                             {"y, м", "210198.193", 210198.3901, 1e-3, -0.1971}},
                   sep);
        EXPECT_EQ(Str(forward.rows[0].rigorous), Str(WithSeparator(QStringLiteral("5728380.126"), sep)));
        EXPECT_EQ(Str(forward.rows[0].difference), Str(WithSeparator(QStringLiteral("-5.399 м"), sep)));
        ExpectRows(Compare(GaussKrugerForwardExercise(), MapInputs({{"Edit9", "-3"}}, sep)),
                   {{"x, м", "0.000", 0, 1e-3, 0}, {"y, м", "-334117.545", -334117.859, 1e-3, 0.3146}}, sep);
        ExpectRows(Compare(GaussKrugerForwardExercise(), MapInputs({{"Edit6", "90"}, {"Edit9", "3"}}, sep)),
                   {{"x, м", "10002128.102", 10002137.498, 1e-3, -9.3954}, {"y, м", "0.000", 0, 1e-3, 0}}, sep);

        const auto plane = MapInputs({{"Edit3", "21"}, {"Edit9", "5728374.726"}, {"Edit10", "210198.193"}}, sep);
        const Comparison inverse = Compare(GaussKrugerInverseExercise(), plane);
        const double B = Dms(51, 38, 43.9080), L = Dms(24, 2, 13.1360);
        ExpectRows(inverse, {{"B", "51° 38` 44.0822\"", B, 1e-4, 0.1742}, {"L", "24° 2` 13.1579\"", L, 1e-4, 0.0220}}, sep);
        EXPECT_EQ(Str(inverse.rows[0].rigorous), Str(WithSeparator(QStringLiteral("51° 38` 43.9080\""), sep)));
        EXPECT_NEAR(*inverse.rows[0].groundValue, 0.1742 * 30.91, 0.01);  // 1″ of latitude ≈ 30.91 m here
        EXPECT_NEAR(*inverse.rows[1].groundValue, 0.0220 * 19.23, 0.01);

        const Comparison zone = Compare(ZoneTransferExercise(), MapInputs(
            {{"Edit3", "21"}, {"Edit4", "27"}, {"Edit5", "5728374.726"}, {"Edit6", "210198.193"}}, sep));
        ExpectRows(zone, {{"B", "51° 38` 44.0822\"", B, 1e-4, 0.1742},
                          {"L", "24° 2` 13.1579\"", L, 1e-4, 0.0220},
                          {"x′, м", "5728164.346", 5728164.379, 1e-3, -0.0330},
                          {"y′, м", "-205079.132", -205079.965, 1e-3, 0.8331}},
                   sep);
    }
}

TEST(RigorousComparison, Triangles)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        const Comparison small = Compare(LegendreTriangleExercise(), MapInputs(
            {{"Edit3", "60"}, {"Edit4", "12"}, {"Edit5", "15.32"}, {"Edit6", "58"}, {"Edit7", "40"}, {"Edit8", "20.10"},
             {"Edit9", "61"}, {"Edit10", "7"}, {"Edit11", "28.12"}, {"Edit12", "44797.282"}},
            sep));
        ExpectRows(small, {{"E, ″", "4.522068", 4.522079, 2e-6, -0.000011},
                           {"Невязка W", "0° 0` -0.9821\"", -0.982079 / 3600, 2e-6, 0.000011},
                           {"a (теорема Лежандра), м", "45510.2687", 45510.26871, 1e-5, -0.00001},
                           {"c (теорема Лежандра), м", "45922.9257", 45922.92568, 1e-5, 0.0},
                           {"a (способ аддитаментов), м", "45510.2688", 45510.26871, 1e-5, 0.000039},
                           {"c (способ аддитаментов), м", "45922.9257", 45922.92568, 1e-5, 0.000067}},
                   sep);
        EXPECT_TRUE(small.note.contains(QStringLiteral("6380874"))) << Str(small.note);

        const Comparison large = Compare(LargeTriangleExercise(), MapInputs(
            {{"Edit3", "50"}, {"Edit4", "7"}, {"Edit6", "60"}, {"Edit7", "8"}, {"Edit9", "70"}, {"Edit10", "7"},
             {"Edit11", "43"}, {"Edit22", "44"}, {"Edit23", "30"}, {"Edit12", "50"}, {"Edit15", "48"},
             {"Edit18", "47"}, {"Edit19", "30"}, {"Edit21", "804666.593"}},
            sep));
        const double E = 1366.0036 / 3600;
        ExpectRows(large, {{"E по углам и b (стр. 3)", "0° 22` 45.2024\"", E, 1e-4, -0.8012},
                           {"E по Люилье (стр. 5)", "0° 22` 46.0065\"", E, 1e-4, 0.0029},
                           {"Невязка W (стр. 4)", "0° 0` -2.2027\"", -3.0039 / 3600, 1e-4, 0.8012},
                           {"a (стр. 4), м", "711618.658", 711618.434, 1e-3, 0.224},
                           {"c (стр. 4), м", "873064.972", 873065.066, 1e-3, -0.094},
                           {"a (стр. 8), м", "711617.527", 711618.434, 1e-3, -0.907},
                           {"c (стр. 8), м", "873065.971", 873065.066, 1e-3, 0.905}},
                   sep);
        EXPECT_TRUE(large.note.contains(QStringLiteral("6380076"))) << Str(large.note);
    }
}

// The exact spherical solution, checked against GeographicLib on the sphere: the vertices placed
// by geodesics of the solved sides must meet at the given angles and enclose the solved excess.
TEST(RigorousComparison, SphericalSolutionClosesOnTheSphere)
{
    const double R = 6380076.262;
    const double A = Dms(50, 6, 59.9585), B = Dms(60, 8, 0.0343), C = Dms(70, 7, 43.0069), b = 804666.593;
    const SphericalTriangleResult r = SolveSphericalTriangle(A, B, C, b, R);
    ASSERT_TRUE(r.solution.has_value()) << Str(r.reason);
    const double correction = r.solution->misclosureSeconds / 3600 / 3;
    const GeographicLib::Geodesic sphere(R, 0);
    // A at the origin, C along the meridian at distance b, B at distance c from A at azimuth A*.
    double latC, lonC, latB, lonB;
    sphere.Direct(0, 0, 0, b, latC, lonC);
    sphere.Direct(0, 0, A - correction, r.solution->c, latB, lonB);
    double ab, azi1, azi2;
    sphere.Inverse(latB, lonB, latC, lonC, ab, azi1, azi2);
    EXPECT_NEAR(ab, r.solution->a, 1e-6);
    GeographicLib::PolygonArea polygon(sphere);
    polygon.AddPoint(0, 0);
    polygon.AddPoint(latB, lonB);
    polygon.AddPoint(latC, lonC);
    double perimeter, area;
    polygon.Compute(false, false, perimeter, area);
    EXPECT_NEAR(area / (R * R) * 180 / M_PI * 3600, r.solution->excessSeconds, 1e-6);
}

TEST(RigorousComparison, BadInputsGiveADashWithAReason)
{
    SeparatorScope scope(QLatin1Char(','));
    auto expectDash = [](const Comparison& c, std::size_t row, const char* reasonPart) {
        ASSERT_LT(row, c.rows.size());
        const ComparisonRow& r = c.rows[row];
        SCOPED_TRACE(Str(c.className + QLatin1Char(' ') + r.quantity));
        EXPECT_EQ(Str(r.rigorous), Str(NoValue));
        EXPECT_EQ(Str(r.difference), Str(NoValue));
        EXPECT_FALSE(r.rigorousValue.has_value());
        EXPECT_FALSE(r.differenceValue.has_value());
        EXPECT_TRUE(r.reason.contains(QString::fromUtf8(reasonPart))) << Str(r.reason);
    };
    // A latitude beyond the pole.
    const Comparison beyond = Compare(MeridianArcExercise(), MapInputs({{"Edit3", "50"}, {"Edit6", "95"}}, QLatin1Char(',')));
    expectDash(beyond, 3, "±90°");
    EXPECT_TRUE(beyond.rows[0].rigorousValue.has_value());  // M1 at 50° still exists
    expectDash(Compare(ParallelArcExercise(), MapInputs({{"Edit3", "1"}, {"Edit6", "91"}}, QLatin1Char(','))), 2, "±90°");
    expectDash(Compare(TrapezoidAreaExercise(), MapInputs({{"Edit6", "1"}, {"Edit9", "1300000"}}, QLatin1Char(','))), 0, "360°");
    expectDash(Compare(TrapezoidSidesExercise(), MapInputs({{"Edit6", "1"}, {"Edit9", "648000"}, {"Edit10", "50000"}}, QLatin1Char(','))), 3, "180°");
    // 80° from the axial meridian, forward and inverse.
    const Comparison far = Compare(GaussKrugerForwardExercise(), MapInputs({{"Edit6", "50"}, {"Edit9", "80"}}, QLatin1Char(',')));
    expectDash(far, 0, "80°");
    expectDash(far, 1, "80°");
    EXPECT_FALSE(far.rows[0].textbook.isEmpty());
    expectDash(Compare(GaussKrugerInverseExercise(), MapInputs({{"Edit9", "0"}, {"Edit10", "16000000"}}, QLatin1Char(','))), 0, "80°");
    // At the pole the latitude exists, the longitude does not.
    const Comparison pole = Compare(GaussKrugerInverseExercise(), MapInputs({{"Edit9", "10002137,4975"}, {"Edit10", "0"}}, QLatin1Char(',')));
    EXPECT_TRUE(pole.rows[0].rigorousValue.has_value()) << Str(pole.rows[0].reason);
    expectDash(pole, 1, "полюсе");
    // A zero side: no triangle.
    const Comparison zero = Compare(LegendreTriangleExercise(), MapInputs(
        {{"Edit3", "60"}, {"Edit6", "60"}, {"Edit9", "60"}, {"Edit12", "0"}}, QLatin1Char(',')));
    expectDash(zero, 0, "сторона b");
    EXPECT_FALSE(zero.rows[0].textbookValue.has_value() && zero.rows[0].rigorousValue.has_value());
    // The textbook run stops (0/0 in a new window): both sides say why, nothing crashes.
    const Comparison fresh = Compare(LegendreTriangleExercise(), MapInputs({{"Edit12", "44797,282"}}, QLatin1Char(',')));
    EXPECT_FALSE(fresh.textbookFault.isEmpty());
    for (const ComparisonRow& r : fresh.rows) {
        EXPECT_EQ(Str(r.textbook), Str(NoValue));
        EXPECT_TRUE(r.reason.contains(QStringLiteral("учебное решение прервано"))) << Str(r.reason);
    }
    const Comparison freshLarge = Compare(LargeTriangleExercise(), MapInputs({{"Edit21", "804666,593"}}, QLatin1Char(',')));
    EXPECT_FALSE(freshLarge.textbookFault.isEmpty());
    for (const ComparisonRow& r : freshLarge.rows)
        EXPECT_FALSE(r.reason.isEmpty());
}

TEST(RigorousComparison, NoRowEverShowsANonNumber)
{
    SeparatorScope scope(QLatin1Char('.'));
    const char* hostile[] = {"0", "-0", "90", "-90", "1e300", "-1e300", "1e-300", "359.9999", "1e9"};
    for (const Exercise* exercise : Catalogue()) {
        const QString cls = exercise->windowClass;
        for (const char* value : hostile) {
            // Every number edit the exercises read gets the value; degree and minute edits read
            // as whole numbers then refuse the non-integers, which is a conversion error.
            MapInputs in({{"Edit3", value}, {"Edit5", value}, {"Edit6", value}, {"Edit9", value}, {"Edit10", "5"},
                          {"Edit12", value}, {"Edit21", value}, {"Edit18", value}, {"Edit4", "1"}}, QLatin1Char('.'));
            std::optional<Comparison> c;
            try {
                c = Compare(*exercise, in);
            } catch (const KveltaError&) {
                continue;
            }
            ASSERT_TRUE(c.has_value());
            for (const ComparisonRow& r : c->rows) {
                for (const QString& text : {r.textbook, r.rigorous, r.difference, r.ground}) {
                    EXPECT_FALSE(text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << Str(cls) << value;
                    EXPECT_FALSE(text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << Str(cls) << value;
                }
                if (r.differenceValue) {
                    EXPECT_TRUE(std::isfinite(*r.differenceValue));
                }
                EXPECT_EQ(r.rigorousValue.has_value(), r.rigorous != NoValue) << Str(cls) << value;
                EXPECT_EQ(r.reason.isEmpty(), r.textbookValue.has_value() && r.rigorousValue.has_value())
                    << Str(cls) << value << Str(r.reason);
            }
        }
    }
}

TEST(RigorousComparison, ConversionErrorsGoThroughAsVychislitReportsThem)
{
    SeparatorScope scope(QLatin1Char(','));
    MapInputs bad({{"Edit3", "5x"}}, QLatin1Char(','));
    EXPECT_THROW(Compare(MeridianArcExercise(), bad), ConversionError);
    EXPECT_THROW(Compare(LargeTriangleExercise(), bad), ConversionError);
}

}  // namespace
}  // namespace kvelta
