// Meridian convergence, scale and the reduction of a line to the Gauss–Krüger plane: the worked
// example cell by cell in both separators, the inputs refused with their causes, and the accuracy
// against GeographicLib's exact transverse Mercator projection and geodesic over generated sets
// weighted to the zone's edges and the poles.
#include "frame/errors.h"
#include "plane_corrections/exact_plane.h"
#include "plane_corrections/example_run.h"
#include "plane_corrections/exercises.h"
#include "plane_corrections/plane_corrections.h"
#include "support/kvelta_test.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace kvelta {
namespace {

using test::Str;
using test::WithSeparator;

const Exercise& Plane() { return PlaneCorrectionsExercise(); }

using test::Computed;

// "Вычислить" over the worked example with some edits retyped (numbers with a point).
Computed Compute(const TypedTexts& typed = {}) { return test::ComputeExample(Plane(), typed); }

// Checked independently: GeographicLib's exact projection gives γ = 8576.75998″, k = 1.0005422458
// at the point, and for the line δ12 = −10.7952″, δ21 = 11.0504″ (the table's 11.0505…″ rounds
// up) and, for s = 25000.000 m, d = s·chord/geodesic = 25014.5643 m.
TEST(PlaneCorrections, WorkedExampleBothPages)
{
    const std::vector<std::pair<int, const char*>> page1 = {
        {1, "51° 38` 44.0822\""},
        {2, "24° 2` 13.1579\""},
        {3, "21° 0` 0.0000\""},
        {4, "3° 2` 13.1579\""},
        {5, "0.0530054453"},
        {6, "0.7841873280"},
        {7, "0.6205241612"},
        {8, "1.2637498699"},
        {9, "0.0025946708"},
        {10, "0.0328911595"},
        {11, "0.000363421301"},
        {12, "0.000000031439"},
        {13, "8576.760\""},
        {14, "2° 22` 56.760\""},
        {15, "0.000542317680"},
        {16, "-0.000000071580"},
        {17, "-0.000000000237"},
        {18, "1.00054225"},
    };
    const std::vector<std::pair<int, const char*>> page2 = {
        {1, "5728374.726"},
        {2, "210198.193"},
        {3, "5748189.623"},
        {4, "225465.749"},
        {5, "25000.000"},
        {6, "5738282.174"},
        {7, "217831.971"},
        {8, "51° 43` 53.7123\""},
        {9, "6391443.835"},
        {10, "0.0025848298"},
        {11, "1.2676558104"},
        {12, "6383199.417"},
        {13, "19814.897"},
        {14, "15267.556"},
        {15, "8.4371750156"},
        {16, "253.681"},
        {17, "0.0019\""},
        {18, "-10.795\""},
        {19, "11.051\""},
        {20, "0.0005822861"},
        {21, "0.0000002384"},
        {22, "0.0000000571"},
        {23, "14.565"},
        {24, "25014.565"},
        {25, "25014.564"},
    };
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        const Computed run = Compute();
        ASSERT_FALSE(run.error) << Str(*run.error);
        for (const auto& [table, rows] : {std::pair{0, &page1}, std::pair{1, &page2}})
            for (const auto& [row, text] : *rows)
                EXPECT_EQ(Str(run.tables[table].cell(1, row)), Str(WithSeparator(QString::fromUtf8(text), separator)))
                    << "page " << table + 1 << ", row " << row << ", separator " << Str(QString(separator));
    }
}

// What each input beyond the formulas' reach is refused with; the first page stays computed when
// only the line is wrong.
TEST(PlaneCorrections, RefusesInputsBeyondTheSeries)
{
    struct Case {
        const char* what;
        TypedTexts typed;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"beyond the pole", {{"Edit6", "90"}, {"Edit8", "0.1"}}, "Широта B за пределами ±90°"},
        {"beyond the zone's overlap", {{"Edit9", "24"}, {"Edit10", "30"}, {"Edit11", "0.1"}},
         "Точка дальше 3°30' от осевого меридиана (l = 3° 30` 0.1000\"): ряды для сближения меридианов и масштаба не "
         "дают 0,001\" и 1·10^-8"},
        {"far from the axis", {{"Edit13", "350000.001"}},
         "Ордината y1 дальше 350 км от осевого меридиана: формулы редукции не дают поправок с точностью 0,001\" и 1 мм"},
        {"far from the axis, second end", {{"Edit15", "-350001"}},
         "Ордината y2 дальше 350 км от осевого меридиана: формулы редукции не дают поправок с точностью 0,001\" и 1 мм"},
        {"near the pole", {{"Edit14", "9900001"}},
         "Абсцисса x2 по модулю больше 9900 км: точка ближе градуса к полюсу, где зона вырождается"},
        {"too long", {{"Edit14", "5758375.726"}, {"Edit15", "210198.193"}, {"Edit16", "30001"}},
         "Линия длиннее 30 км: формулы редукции выведены для сторон до 30 км"},
        {"one point twice", {{"Edit14", "5728374.726"}, {"Edit15", "210198.193"}},
         "Точки 1 и 2 совпадают: направление линии не определено"},
        {"s not the line's", {{"Edit16", "24000"}},
         "Длина s на эллипсоиде должна быть положительной и отличаться от расстояния между точками по координатам "
         "(25014.564 м) не больше чем на 1%"},
        {"s negative", {{"Edit16", "-25000"}},
         "Длина s на эллипсоиде должна быть положительной и отличаться от расстояния между точками по координатам "
         "(25014.564 м) не больше чем на 1%"},
        {"middle too far near the pole", {{"Edit12", "9800000"}, {"Edit13", "300000"}, {"Edit14", "9800000"},
                                          {"Edit15", "320000"}, {"Edit16", "20000"}},
         "Середина линии дальше 3.5° по долготе от осевого меридиана: линия вне зоны с перекрытием, формулы редукции к ней не применяются"},
    };
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Case& c : cases) {
            const Computed run = Compute(c.typed);
            EXPECT_EQ(Str(run.error.value_or(QString())), Str(WithSeparator(QString::fromUtf8(c.error), separator)))
                << c.what;
            const bool pointRefused = c.typed.front().first.mid(4).toInt() <= 11;
            EXPECT_EQ(run.tables[0].cell(1, ConvergenceRowScale).isEmpty(), pointRefused) << c.what;
            EXPECT_TRUE(run.tables[1].cell(1, ReductionRowD).isEmpty()) << c.what;
        }
    }
}

double Value(const ResultTable& t, int row) { return static_cast<double>(t.number(1, row).value()); }

// Points over the whole quadrant, every third within 2° of a pole and every other near the edge of
// the zone's overlap (|l| 2°50′…3°30′): γ and m against the exact projection, to their printed
// 0.001″ and 10⁻⁸; and points just beyond 3°30′ refused.
TEST(PlaneCorrections, ConvergenceAndScaleAgreeWithExactProjection)
{
    std::mt19937_64 random(28);
    std::uniform_real_distribution<double> unit(0, 1);
    ResultTable table(2, ConvergenceRows);
    double worstGamma = 0, worstScale = 0;
    int refused = 0;
    constexpr int Cases = 4000;
    for (int i = 0; i < Cases; ++i) {
        const double B = (i % 3 ? 90 * unit(random) : 88 + 2 * unit(random)) * (unit(random) < 0.5 ? -1 : 1);
        const double lMax = i % 5 == 0 ? 4.0 : MaxLongitudeFromAxis;
        const double l = (i % 2 ? 2 + 5.0 / 6 + (lMax - 2 - 5.0 / 6) * unit(random) : lMax * unit(random)) *
                         (unit(random) < 0.5 ? -1 : 1);
        const double Lo = 6 * std::floor(60 * unit(random)) - 177;
        const auto error = ErrorOf([&] { ComputeConvergence({Lo, B, Lo + l}, table); });
        if (std::fabs(l) > MaxLongitudeFromAxis) {
            EXPECT_TRUE(error && error->startsWith(QStringLiteral("Точка дальше 3°30'"))) << B << " " << l;
            ++refused;
            continue;
        }
        ASSERT_FALSE(error) << Str(*error) << " at B " << B << ", l " << l;
        const rigorous::ConvergenceValues exact = rigorous::ExactConvergence(B, Lo + l, Lo);
        worstGamma = std::max(worstGamma, std::fabs(Value(table, ConvergenceRowGammaSeconds) - *exact.gamma.value * 3600));
        worstScale = std::max(worstScale, std::fabs(Value(table, ConvergenceRowScale) - *exact.scale.value));
    }
    std::printf("worst over %d points (%d refused): gamma %.2e\", m %.2e\n", Cases, refused, worstGamma, worstScale);
    EXPECT_GT(refused, 50);
    EXPECT_LT(worstGamma, 0.0005);  // half the printed 0.001″
    EXPECT_LT(worstScale, 5e-9);    // half the printed 10⁻⁸
}

// Lines of 1–31 km from points within 3°30′ of the axial meridian (every other beyond 2°48′, every
// fifth above 80° of latitude): δ12, δ21, Δs and d against the exact projection and
// geodesic, to half their printed 0.01″ and 1 mm; lines the checks refuse are counted, not compared.
TEST(PlaneCorrections, ReductionAgreesWithExactProjectionAndGeodesic)
{
    std::mt19937_64 random(2028);
    std::uniform_real_distribution<double> unit(0, 1);
    ResultTable table(2, ReductionRows);
    double worstDelta = 0, worstLength = 0;
    int accepted = 0;
    std::map<QString, int> refused;
    constexpr int Cases = 4000;
    for (int i = 0; i < Cases; ++i) {
        const double B = i % 5 ? 80 * unit(random) : 80 + 9 * unit(random);
        const double l = (i % 2 ? 2.8 + 0.7 * unit(random) : 3.5 * unit(random)) * (unit(random) < 0.5 ? -1 : 1);
        const rigorous::PlanePoint p1 = rigorous::ExactPlanePoint(B, l);
        const double length = 1000 + (MaxLineLength + 1000) * unit(random);
        const rigorous::PlanePoint p2 = rigorous::ExactLineEnd(p1, 360 * unit(random), length);
        const double s = rigorous::ExactGeodesicLength(p1, p2);
        const auto error = ErrorOf([&] { ComputeReduction({p1.x, p1.y, p2.x, p2.y, s}, table); });
        if (error) {
            // Only the stated limits refuse a line.
            const bool beyond = std::fabs(p1.y) > MaxOrdinate || std::fabs(p2.y) > MaxOrdinate || std::hypot(p2.x - p1.x, p2.y - p1.y) > MaxLineLength ||
                                std::fabs(p2.x) > MaxAbscissa || error->startsWith(QStringLiteral("Середина линии"));
            EXPECT_TRUE(beyond) << Str(*error);
            ++refused[error->left(12)];
            continue;
        }
        ++accepted;
        const rigorous::ReductionValues exact = rigorous::ExactReduction(p1.x, p1.y, p2.x, p2.y, s);
        worstDelta = std::max({worstDelta, std::fabs(Value(table, ReductionRowDelta12) - *exact.delta12.value),
                               std::fabs(Value(table, ReductionRowDelta21) - *exact.delta21.value)});
        worstLength = std::max({worstLength, std::fabs(Value(table, ReductionRowDeltaS) - *exact.deltaS.value),
                                std::fabs(Value(table, ReductionRowD) - *exact.d.value)});
    }
    std::printf("worst over %d accepted lines of %d: delta %.2e\", ds %.2e m\n", accepted, Cases, worstDelta,
                worstLength);
    for (const auto& [cause, count] : refused)
        std::printf("refused %d: %s...\n", count, Str(cause).c_str());
    EXPECT_GT(accepted, Cases * 3 / 4);
    EXPECT_LT(worstDelta, 0.005);
    EXPECT_LT(worstLength, 0.0005);
}

}  // namespace
}  // namespace kvelta
