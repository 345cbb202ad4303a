// Coordinates between SK-42, PZ-90.11 and WGS-84: the worked example cell by cell in both
// separators, the exact inverse of the Helmert transformation, and the whole chain against an
// independent computation: GeographicLib's Geocentric with the exact inverse, and PROJ's cct with
// the same parameters, over generated points weighted to the poles and to heights −500…9000 m.
#include "datums/datums.h"
#include "datums/exact_datums.h"
#include "datums/exercises.h"
#include "frame/errors.h"
#include "rigorous/comparison.h"
#include "support/kvelta_test.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <random>

namespace kvelta {
namespace {

using test::Str;
using test::WithSeparator;

const Exercise& Datums() { return DatumTransformationExercise(); }

struct Computed {
    ExerciseTables tables{Datums()};
    std::optional<QString> error;
};

Computed Compute(const TypedTexts& typed = {})
{
    TypedTexts texts;
    for (const auto& [name, text] : Datums().example)
        texts.emplace_back(name, QString(text).replace(QLatin1Char(','), DecimalSeparator()));
    for (const auto& [name, text] : typed)
        texts.emplace_back(name, WithSeparator(text, DecimalSeparator()));
    Computed run;
    const EditTexts edits(Datums(), texts);
    run.error = ErrorOf([&] { Datums().compute(edits, run.tables.set()); });
    return run;
}

// The worked example, checked independently: PROJ's cct with the same parameters gives
// B = 59°46′18.4461″, L = 30°19′34.0208″, H = 89.052 m in WGS-84 for the Pulkovo point and
// B = 55°45′19.9697″, L = 37°37′10.3157″, H = 145.456 m in SK-42 for the point near Moscow.
TEST(Datums, WorkedExampleBothPages)
{
    const std::vector<std::pair<int, const char*>> page1 = {
        {1, "59° 46` 18.5500\""},
        {2, "30° 19` 42.0900\""},
        {3, "75.000"},
        {4, "2778626.777"},
        {5, "1625543.806"},
        {6, "5487883.538"},
        {7, "2778652.659"},
        {8, "1625413.229"},
        {9, "5487797.860"},
        {10, "59° 46` 18.4481\""},
        {11, "30° 19` 34.0310\""},
        {12, "90.007"},
        {13, "2778652.822"},
        {14, "1625413.140"},
        {15, "5487797.816"},
        {16, "59° 46` 18.4461\""},
        {17, "30° 19` 34.0208\""},
        {18, "89.052"},
        {19, "-0.1018\""},
        {20, "-8.0590\""},
        {21, "15.006"},
        {22, "-0.0020\""},
        {23, "-0.0102\""},
        {24, "-0.954"},
        {25, "59° 46` 18.4461\""},
        {26, "30° 19` 34.0208\""},
        {27, "89.051"},
        {28, "0.0001\""},
        {29, "0.0000\""},
        {30, "-0.001"},
    };
    const std::vector<std::pair<int, const char*>> page2 = {
        {1, "55° 45` 20.1234\""},
        {2, "37° 37` 3.5678\""},
        {3, "150.000"},
        {4, "2849549.408"},
        {5, "2195847.804"},
        {6, "5249301.107"},
        {7, "2849549.238"},
        {8, "2195847.892"},
        {9, "5249301.160"},
        {10, "55° 45` 20.1251\""},
        {11, "37° 37` 3.5778\""},
        {12, "150.966"},
        {13, "2849525.968"},
        {14, "2195978.324"},
        {15, "5249386.897"},
        {16, "55° 45` 19.9697\""},
        {17, "37° 37` 10.3157\""},
        {18, "145.456"},
        {19, "0.0017\""},
        {20, "0.0100\""},
        {21, "0.966"},
        {22, "-0.1554\""},
        {23, "6.7380\""},
        {24, "-5.511"},
        {25, "55° 45` 19.9698\""},
        {26, "37° 37` 10.3158\""},
        {27, "145.455"},
        {28, "0.0001\""},
        {29, "0.0001\""},
        {30, "-0.001"},
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

TEST(Datums, RefusesLatitudeBeyondThePole)
{
    const Computed sk42 = Compute({{"Edit3", "90"}, {"Edit5", "0.01"}});
    EXPECT_EQ(Str(sk42.error.value_or(QString())), "Широта B (СК-42) за пределами ±90°");
    const Computed wgs84 = Compute({{"Edit10", "-91"}});
    EXPECT_EQ(Str(wgs84.error.value_or(QString())), "Широта B (WGS-84) за пределами ±90°");
    EXPECT_TRUE(wgs84.tables[0].cell(1, DatumRowEndB).isEmpty());  // nothing computed after a reading error
    // At the pole the rigorous chain holds; Molodensky's formulas stop with their cause.
    const Computed pole = Compute({{"Edit3", "90"}, {"Edit4", "0"}, {"Edit5", "0"}});
    EXPECT_EQ(Str(pole.error.value_or(QString())),
              "Формулы Молоденского неприменимы на полюсе (|B| = 90°): изменение долготы не определено; строгий путь вычислен");
    EXPECT_FALSE(pole.tables[0].cell(1, DatumRowEndH).isEmpty());
    EXPECT_TRUE(pole.tables[0].cell(1, DatumRowMolodenskyB).isEmpty());
}

// The comparison says which ellipsoid each compared point lies on, with all three of the chain,
// in the locale's separator; the exercises on Krasovsky's ellipsoid alone keep their statement.
TEST(Datums, ComparisonStatesTheThreeEllipsoids)
{
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        const Computed run = Compute();
        TypedTexts example;
        for (const auto& [name, text] : Datums().example)
            example.emplace_back(name, QString(text).replace(QLatin1Char(','), separator));
        const std::optional<Comparison> c =
            CompareExercise(Datums(), EditTexts(Datums(), example), ComputedTables{run.tables.constSet(), {}});
        ASSERT_TRUE(c);
        // '#' stands for the decimal separator.
        const QString expected =
            QStringLiteral("Эллипсоиды: Красовского (СК-42) a = 6378245 м, 1/f = 298#3; ПЗ-90 (ПЗ-90.11) a = 6378136 м, "
                           "1/f = 298#25784; WGS-84 a = 6378137 м, 1/f = 298#257223563. B, L, H (WGS-84) — на эллипсоиде "
                           "WGS-84, B, L, H (СК-42) — на эллипсоиде Красовского. ")
                .replace(QLatin1Char('#'), separator);
        EXPECT_EQ(Str(c->ellipsoid), Str(expected + rigorous::RigorousSourceStatement()));
        EXPECT_TRUE(rigorous::EllipsoidStatement().startsWith(QStringLiteral("Эллипсоид Красовского: a = 6378245 м")));
        EXPECT_TRUE(rigorous::EllipsoidStatement().endsWith(rigorous::RigorousSourceStatement()));
    }
}

// Forward then exact inverse returns the point; the standard's reverse (signs changed) differs
// from the exact inverse by less than a millimetre.
TEST(Datums, HelmertInverseIsExact)
{
    const Xyz p{2778626.7767, 1625543.8058, 5487883.5381};
    for (const HelmertParameters& t : {Sk42ToPz9011, Wgs84ToPz9011}) {
        SCOPED_TRACE(t.dX);
        const Xyz back = rigorous::HelmertInverse(Helmert(p, t), t);
        EXPECT_NEAR(back.X, p.X, 1e-8);
        EXPECT_NEAR(back.Y, p.Y, 1e-8);
        EXPECT_NEAR(back.Z, p.Z, 1e-8);
        const Xyz reversed = Helmert(Helmert(p, t), t.reversed());
        EXPECT_LT(std::hypot(reversed.X - p.X, reversed.Y - p.Y, reversed.Z - p.Z), 1e-3);
    }
    // For SK-42 the second-order terms ω·ΔX are a few tenths of a millimetre: the signs changed are not exact.
    const Xyz reversed = Helmert(Helmert(p, Sk42ToPz9011), Sk42ToPz9011.reversed());
    EXPECT_GT(std::hypot(reversed.X - p.X, reversed.Y - p.Y, reversed.Z - p.Z), 1e-4);
}

double Value(const ResultTable& t, int row) { return static_cast<double>(t.number(1, row).value()); }

struct Point {
    Blh start;
    DatumDirection direction;
};

// Points anywhere, every fourth within a degree of a pole, heights −500…9000 m, both directions.
std::vector<Point> GeneratedPoints(int count)
{
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<Point> points;
    for (int i = 0; i < count; ++i) {
        const double sign = unit(random) < 0.5 ? -1 : 1;
        const double B = sign * (i % 4 ? 89 * unit(random) : 89 + 0.9999 * unit(random));
        points.push_back({{B, 360 * unit(random) - 180, -500 + 9500 * unit(random)},
                          i % 2 ? DatumDirection::Wgs84ToSk42 : DatumDirection::Sk42ToWgs84});
    }
    return points;
}

struct Worst {
    double seconds = 0, metres = 0, ground = 0;
    void add(const Blh& table, const Blh& other)
    {
        const double dB = (table.B - other.B) * 3600, dL = std::remainder(table.L - other.L, 360.0) * 3600;
        seconds = std::max(seconds, std::fabs(dB));
        metres = std::max(metres, std::fabs(table.H - other.H));
        // Seconds as metres on the ground: 30.9 m per second of arc at most.
        ground = std::max(ground, std::hypot(dB, dL * std::cos(table.B * 3.14159265358979 / 180)) * 30.9);
    }
};

// B, L, H of the end point by Molodensky's formulas.
Blh MolodenskyEnd(const ResultTable& t)
{
    return {Value(t, DatumRowMolodenskyB), Value(t, DatumRowMolodenskyL), Value(t, DatumRowMolodenskyH)};
}

// The table's chain against GeographicLib with the exact inverse: within one unit of the printed
// 0.0001″ and 1 mm (the reverse step by the parameters' signs changed differs from the exact
// inverse by up to 0.6 mm); Molodensky's formulas within 10 cm, as the help page says.
TEST(Datums, ChainAgreesWithExactComputation)
{
    Worst rigorous, molodensky;
    ResultTable table(2, DatumRows);
    const std::vector<Point> points = GeneratedPoints(4000);
    for (const Point& p : points) {
        const Blh end = ComputeDatumChain(p.start, p.direction, table);
        const rigorous::DatumValues exact = rigorous::ExactDatumChain(p.start, p.direction);
        rigorous.add(end, {*exact.B.value, *exact.L.value, *exact.H.value});
        if (std::fabs(p.start.B) < 89)
            molodensky.add(MolodenskyEnd(table), end);
    }
    std::printf("worst over %zu points: rigorous chain %.2e\" %.2e m (%.2e m on the ground); Molodensky below 89°: "
                "%.2e\" %.2e m (%.2e m on the ground)\n",
                points.size(), rigorous.seconds, rigorous.metres, rigorous.ground, molodensky.seconds, molodensky.metres,
                molodensky.ground);
    EXPECT_LT(rigorous.seconds, 1e-4);
    EXPECT_LT(rigorous.metres, 1e-3);
    EXPECT_LT(molodensky.ground, 0.1);  // the method's own gap, shown in the table
    EXPECT_LT(molodensky.metres, 0.005);
}

// PROJ's cct with the same parameters, fed all points at once.
QStringList RunCct(const std::vector<Point>& points, DatumDirection direction)
{
    const bool toWgs = direction == DatumDirection::Sk42ToWgs84;
    const QString sk = QStringLiteral(
        "+proj=helmert +x=23.557 +y=-140.844 +z=-79.778 +rx=-0.00230 +ry=-0.34646 +rz=-0.79421 +s=-0.228 "
        "+convention=coordinate_frame");
    const QString wgs = QStringLiteral(
        "+proj=helmert +x=-0.013 +y=0.106 +z=0.022 +rx=-0.00230 +ry=0.00354 +rz=-0.00421 +s=-0.008 "
        "+convention=coordinate_frame");
    const QString krass = QStringLiteral("+proj=cart +ellps=krass"), wgsCart = QStringLiteral("+proj=cart +a=6378137 +rf=298.257223563");
    const QString pipeline =
        QStringLiteral("+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step %1 +step %2 +step +inv %3 "
                       "+step +inv %4 +step +proj=unitconvert +xy_in=rad +xy_out=deg")
            .arg(toWgs ? krass : wgsCart, toWgs ? sk : wgs, toWgs ? wgs : sk, toWgs ? wgsCart : krass);
    QByteArray input;
    for (const Point& p : points)
        if (p.direction == direction)
            input += QByteArray::number(p.start.L, 'f', 12) + ' ' + QByteArray::number(p.start.B, 'f', 12) + ' ' +
                     QByteArray::number(p.start.H, 'f', 6) + " 0\n";
    QProcess cct;
    cct.start(QStringLiteral("cct"), QStringList{QStringLiteral("-d"), QStringLiteral("12")} + pipeline.split(QLatin1Char(' ')));
    cct.write(input);
    cct.closeWriteChannel();
    cct.waitForFinished(60000);
    return QString::fromLatin1(cct.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(Datums, ChainAgreesWithProj)
{
    if (QStandardPaths::findExecutable(QStringLiteral("cct")).isEmpty())
        GTEST_SKIP() << "cct (proj-bin) is not installed: scripts/setup.sh installs it";
    const std::vector<Point> points = GeneratedPoints(2000);
    ResultTable table(2, DatumRows);
    Worst worst;
    int compared = 0;
    for (const DatumDirection direction : {DatumDirection::Sk42ToWgs84, DatumDirection::Wgs84ToSk42}) {
        const QStringList lines = RunCct(points, direction);
        int line = 0;
        for (const Point& p : points) {
            if (p.direction != direction)
                continue;
            ASSERT_LT(line, lines.size());
            const QStringList fields = lines[line++].split(QLatin1Char(' '), Qt::SkipEmptyParts);
            ASSERT_GE(fields.size(), 3);
            worst.add(ComputeDatumChain(p.start, direction, table),
                      {fields[1].toDouble(), fields[0].toDouble(), fields[2].toDouble()});
            ++compared;
        }
    }
    std::printf("worst over %d points against PROJ: %.2e\" %.2e m (%.2e m on the ground)\n", compared, worst.seconds,
                worst.metres, worst.ground);
    EXPECT_EQ(compared, 2000);
    EXPECT_LT(worst.seconds, 1e-4);
    EXPECT_LT(worst.metres, 1e-3);
}

}  // namespace
}  // namespace kvelta
