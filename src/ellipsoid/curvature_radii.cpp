// «Радиусы кривизны»: the description of the exercise, its table and its window.
#include "ellipsoid/curvature_radii.h"

#include "frame/variants.h"
#include "rigorous/geodesy.h"

#include <cmath>
#include <numbers>

namespace kvelta {

namespace {

using namespace rigorous;

// The rows of the two value columns; M, N, R and RA are the results the description names.
enum FirstRow : int { BRow = 1, ARow, SemiMajorAxisRow, E2Row, SinBRow, Sin2BRow, E2Sin2BRow, WRow };
enum SecondRow : int { MRow = 1, NRow, Cos2ARow, Sin2ARow, DenominatorRow, RRow, RARow };
constexpr int Rows = 9;  // the heading row and the rows above

struct LatitudeAndAzimuth {
    double B = 0;
    double A = 0;
};

LatitudeAndAzimuth ReadLatitudeAndAzimuth(const Inputs& inputs)
{
    return {inputs.angle(QStringLiteral("B")),
            inputs.angle(QStringLiteral("A"))};
}

void CurvatureRadiiLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {"B", "A", "a", "e^2", "sinB", "sin^2B", "e^2sin^2B", "W=sqrt(1-e^2sin^2B)"});
    WriteLabelColumn(table, 2, {"M=a(1-e^2)/W^3", "N=a/W", "cos^2A", "sin^2A", "Ncos^2A+Msin^2A", "R=sqrt(MN)",
                                "RA=MN/(Ncos^2A+Msin^2A)"});
}

// Lengths to 8 decimals and the numbers below one to 15: fifteen significant digits.
void WriteCurvatureRadii(const LatitudeAndAzimuth& in, ResultTable& t)
{
    WriteAngle(t, FirstValueColumn, BRow, in.B);
    WriteAngle(t, FirstValueColumn, ARow, in.A);
    WriteFixed(t, FirstValueColumn, SemiMajorAxisRow, KrasovskyA, 1);
    WriteFixed(t, FirstValueColumn, E2Row, KrasovskyE2Rounded, 8);
    const CurvatureRadii r = ComputeCurvatureRadii(in.B, in.A);
    WriteFixed(t, FirstValueColumn, SinBRow, r.sinB, 15);
    WriteFixed(t, FirstValueColumn, Sin2BRow, r.sin2B, 15);
    WriteFixed(t, FirstValueColumn, E2Sin2BRow, r.e2sin2B, 15);
    WriteFixed(t, FirstValueColumn, WRow, r.W, 15);
    WriteFixed(t, SecondValueColumn, MRow, r.M, 8);
    WriteFixed(t, SecondValueColumn, NRow, r.N, 8);
    WriteFixed(t, SecondValueColumn, Cos2ARow, r.cos2A, 15);
    WriteFixed(t, SecondValueColumn, Sin2ARow, r.sin2A, 15);
    WriteFixed(t, SecondValueColumn, DenominatorRow, r.denominator, 8);
    WriteFixed(t, SecondValueColumn, RRow, r.R, 8);
    WriteFixed(t, SecondValueColumn, RARow, r.RA, 8);
}

// GeographicLib's M and N of the Krasovsky ellipsoid (1/f = 298,3), and Euler's formula over them.
RigorousSolution CurvatureRadiiRigorous(const Inputs& inputs, const ComputedTables&)
{
    const LatitudeAndAzimuth in = ReadLatitudeAndAzimuth(inputs);
    const RigorousValue M = MeridianRadius(in.B, QStringLiteral("B"));
    const RigorousValue N = PrimeVerticalRadius(in.B, QStringLiteral("B"));
    RigorousValue RA = M.value ? N : M;
    if (M.value && N.value)
        RA = Call([&] {
            const double cosA = std::cos(in.A * std::numbers::pi / 180), sinA = std::sin(in.A * std::numbers::pi / 180);
            return *M.value * *N.value / (*N.value * cosA * cosA + *M.value * sinA * sinA);
        });
    RigorousSolution r;
    r.values = {WithGround(M, SameLength()), WithGround(N, SameLength()),
                WithGround(MeanRadius(in.B, QStringLiteral("B")), SameLength()), WithGround(RA, SameLength())};
    r.note = QStringLiteral("Формулы точные; расхождение — от e² = 0,00669342 в таблице вместо e² = f(2 − f) = "
                            "0,0066934216…: до сантиметра (у экватора M меньше строгого примерно на 1 см).");
    return r;
}

// B within 40°–70° N and any azimuth, both to 0,0001″.
TypedTexts CurvatureRadiiVariant(QRandomGenerator& random)
{
    constexpr qint64 unitsPerDegree = 3600 * 10000;
    return Join({AngleTexts(3, Between(random, 40 * unitsPerDegree, 70 * unitsPerDegree), 4),
                 AngleTexts(6, Between(random, 0, 360 * unitsPerDegree - 1), 4)});
}

ResultQuantity Radius(const char* name, int row)
{
    return {QString::fromUtf8(name), QStringLiteral("м"), 0, SecondValueColumn, row};
}

}  // namespace

const Exercise& CurvatureRadiiExercise()
{
    static const Exercise exercise{
        .name = "curvature-radii",
        .windowClass = "TCurvatureRadiiForm",
        .caption = "Радиусы кривизны",
        .summary = {"radii of curvature M, N, the mean radius and the radius in an azimuth",
                    "радиусы кривизны M, N, средний радиус и радиус в азимуте"},
        .menu = {{}, {}, "CurvatureRadii", "Радиусы кривизны"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "B", "широта B"), AngleEdits(6, "A", "азимут A")}),
        .example = {{"Edit3", "55"}, {"Edit4", "45"}, {"Edit5", "20"}, {"Edit6", "60"}},
        .help = "qrc:/help/curvature-radii.html",
        .tables = {{"StringGrid1", {}, 4, Rows, {128, 150, 152, 126}}},
        .results = {Radius("M", MRow), Radius("N", NRow), Radius("R", RRow), Radius("RA", RARow)},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { CurvatureRadiiLabels(*t[0]); },
        .compute = ReadThenCompute<ReadLatitudeAndAzimuth, WriteCurvatureRadii>,
        .comparison = {{Radius("M, м", MRow), Radius("N, м", NRow), Radius("R, м", RRow), Radius("RA, м", RARow)},
                       CurvatureRadiiRigorous},
        .makeVariant = CurvatureRadiiVariant,
        .window = {600, 300, 113, false,
                   Controls({StudentRows(), {CaptionAt(QStringLiteral("B"), 16, 68)}, AngleRow(3, 40, 64),
                             {CaptionAt(QStringLiteral("A"), 16, 92)}, AngleRow(6, 40, 88), {ComputeButton(239, 88)}})},
    };
    return exercise;
}

}  // namespace kvelta
