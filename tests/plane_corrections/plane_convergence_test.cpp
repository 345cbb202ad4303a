// Meridian convergence and scale from plane coordinates: the worked example cell by cell in both
// separators, the points refused with their causes, and the accuracy against GeographicLib's exact
// transverse Mercator projection over generated points weighted to the zone's edges and the poles.
#include "frame/errors.h"
#include "plane_corrections/exact_plane.h"
#include "plane_corrections/example_run.h"
#include "plane_corrections/exercises.h"
#include "plane_corrections/plane_corrections.h"
#include "support/kvelta_test.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace kvelta {
namespace {

using test::Str;
using test::WithSeparator;

const Exercise& Convergence() { return PlaneConvergenceExercise(); }

using test::Computed;

// "Вычислить" over the worked example with some edits retyped (numbers with a point).
Computed Compute(const TypedTexts& typed = {}) { return test::ComputeExample(Convergence(), typed); }

// The point of the Gauss–Krüger worked example by its plane coordinates. Checked independently:
// GeographicLib's exact projection, reversed at x, y, gives γ = 8576.73705″ and k = 1.0005422448
// there, the point at l = 3° 2′ 13.13599″; the footpoint latitude from the exact meridian arc is
// 51° 41′ 5.31505″. (The textbook's x, y of this point carry ρ″ = 206265: γ is not quite the
// 8576.760″ of the same point by B, L.)
TEST(PlaneConvergence, WorkedExampleCellByCell)
{
    const std::vector<std::pair<int, const char*>> rows = {
        {1, "5728374.726"},
        {2, "210198.193"},
        {3, "21° 0` 0.0000\""},
        {4, "0.8996187045"},
        {5, "51° 32` 39.6778\""},
        {6, "51° 41` 5.3151\""},
        {7, "0.7846120271"},
        {8, "0.6199870700"},
        {9, "1.2655296619"},
        {10, "0.0025901811"},
        {11, "6391426.778"},
        {12, "0.0328875227"},
        {13, "0.000758143668"},
        {14, "0.000001086512"},
        {15, "3° 2` 13.136\""},
        {16, "24° 2` 13.136\""},
        {17, "0.000937002932"},
        {18, "0.000001380629"},
        {19, "8576.737\""},
        {20, "2° 22` 56.737\""},
        {21, "0.000542195329"},
        {22, "0.000000049504"},
        {23, "1.00054224"},
    };
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        const Computed run = Compute();
        ASSERT_FALSE(run.error) << Str(*run.error);
        EXPECT_EQ(run.tables[0].cell(0, PlaneConvergenceRowGamma), QStringLiteral("гамма"));
        for (const auto& [row, text] : rows)
            EXPECT_EQ(Str(run.tables[0].cell(1, row)), Str(WithSeparator(QString::fromUtf8(text), separator)))
                << "row " << row << ", separator " << Str(QString(separator));
    }
}

// What each point beyond the series' reach is refused with; nothing of the table is written then.
TEST(PlaneConvergence, RefusesPointsBeyondTheSeries)
{
    struct Case {
        const char* what;
        TypedTexts typed;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"near the pole", {{"Edit6", "9900000.001"}},
         "Абсцисса x по модулю больше 9900 км: точка ближе градуса к полюсу, где зона вырождается"},
        {"near the south pole", {{"Edit6", "-9950000"}, {"Edit7", "1000"}},
         "Абсцисса x по модулю больше 9900 км: точка ближе градуса к полюсу, где зона вырождается"},
        {"far from the axis", {{"Edit7", "-400000.001"}},
         "Ордината y по модулю больше 400 км: точка дальше 3°30' от осевого меридиана, ряды для сближения "
         "меридианов и масштаба не дают 0,001\" и 1·10^-8"},
        {"beyond the zone's overlap", {{"Edit7", "245000"}},
         "Точка дальше 3°30' от осевого меридиана (l = 3° 32` 19.8436\"): ряды для сближения меридианов и масштаба "
         "не дают 0,001\" и 1·10^-8"},
    };
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Case& c : cases) {
            const Computed run = Compute(c.typed);
            EXPECT_EQ(Str(run.error.value_or(QString())), Str(WithSeparator(QString::fromUtf8(c.error), separator)))
                << c.what;
            EXPECT_TRUE(run.tables[0].cell(1, 1).isEmpty()) << c.what;
        }
    }
}

double Value(const ResultTable& t, int row) { return static_cast<double>(t.number(1, row).value()); }

// Points over the whole quadrant of both hemispheres, every third within 2° of a pole (as far as
// |x| ≤ 9900 km lets them) and every other near the edge of the zone's overlap (|l| 2°50′…3°30′),
// every fifth up to 4° out: x, y from the exact projection; γ, m and the point's l against the exact
// projection to half their printed 0.001″, 10⁻⁸ and 0.001″; the points beyond 3°30′ refused, and
// only those.
TEST(PlaneConvergence, AgreesWithExactProjectionOverTheZone)
{
    std::mt19937_64 random(2824);
    std::uniform_real_distribution<double> unit(0, 1);
    ResultTable table(2, PlaneConvergenceRows);
    double worstGamma = 0, worstScale = 0, worstLongitude = 0;
    int refused = 0, accepted = 0;
    constexpr int Cases = 4000;
    for (int i = 0; i < Cases; ++i) {
        const double B = (i % 3 ? 89 * unit(random) : 87 + 2.1 * unit(random)) * (unit(random) < 0.5 ? -1 : 1);
        const double lMax = i % 5 == 0 ? 4.0 : MaxLongitudeFromAxis;
        const double l = (i % 2 ? 2 + 5.0 / 6 + (lMax - 2 - 5.0 / 6) * unit(random) : lMax * unit(random)) *
                         (unit(random) < 0.5 ? -1 : 1);
        const double Lo = 6 * std::floor(60 * unit(random)) - 177;
        const rigorous::PlanePoint p = rigorous::ExactPlanePoint(B, l);
        const auto error = ErrorOf([&] { ComputePlaneConvergence({Lo, p.x, p.y}, table); });
        if (error) {
            // Refused only beyond the stated limits (the series' l is good to 0.0001″ at the edge), and
            // with the cause of the limit passed.
            const bool nearPole = std::fabs(p.x) > MaxAbscissa;
            EXPECT_TRUE(nearPole || std::fabs(l) > MaxLongitudeFromAxis - 1e-7) << Str(*error) << " at B " << B << ", l " << l;
            const QString cause = nearPole                                  ? QStringLiteral("Абсцисса x по модулю больше 9900 км")
                                  : std::fabs(p.y) > MaxPlaneOrdinate ? QStringLiteral("Ордината y по модулю больше 400 км")
                                                                      : QStringLiteral("Точка дальше 3°30' от осевого меридиана (l = ");
            EXPECT_TRUE(error->startsWith(cause)) << Str(*error) << " at B " << B << ", l " << l;
            ++refused;
            continue;
        }
        EXPECT_LT(std::fabs(l), MaxLongitudeFromAxis + 1e-7) << "accepted at B " << B << ", l " << l;
        ++accepted;
        const rigorous::ConvergenceValues exact = rigorous::ExactConvergenceAtPlanePoint(p.x, p.y);
        worstGamma = std::max(worstGamma, std::fabs(Value(table, PlaneConvergenceRowGammaSeconds) - *exact.gamma.value * 3600));
        worstScale = std::max(worstScale, std::fabs(Value(table, PlaneConvergenceRowScale) - *exact.scale.value));
        worstLongitude = std::max(worstLongitude, std::fabs(Value(table, PlaneConvergenceRowL) - (Lo + l)) * 3600);
    }
    std::printf("worst over %d accepted points of %d: gamma %.2e\", m %.2e, l %.2e\"\n", accepted, Cases, worstGamma,
                worstScale, worstLongitude);
    EXPECT_GT(refused, 150);
    EXPECT_GT(accepted, Cases / 2);
    EXPECT_LT(worstGamma, 0.0005);     // half the printed 0.001″
    EXPECT_LT(worstScale, 5e-9);       // half the printed 10⁻⁸
    EXPECT_LT(worstLongitude, 0.0005);  // half the printed 0.001″
}

// The comparison's rigorous values are the exact projection's at x, y whatever the zone.
TEST(PlaneConvergence, ComparisonTakesTheExactProjectionAtThePoint)
{
    const ComputedTables none;
    const EditTexts edits(Convergence(), Convergence().example);
    const RigorousSolution solution = Convergence().comparison.solve(edits, none);
    ASSERT_EQ(solution.values.size(), 2u);
    const rigorous::ConvergenceValues exact = rigorous::ExactConvergenceAtPlanePoint(5728374.726, 210198.193);
    EXPECT_DOUBLE_EQ(*solution.values[0].value, *exact.gamma.value);
    EXPECT_DOUBLE_EQ(*solution.values[1].value, *exact.scale.value);
    EXPECT_NEAR(*exact.gamma.value * 3600, 8576.7371, 0.0001);
}

}  // namespace
}  // namespace kvelta
