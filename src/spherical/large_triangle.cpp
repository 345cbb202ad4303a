#include "spherical/large_triangle.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"

#include <QStringList>
#include <cmath>

namespace kvelta {

namespace large_triangle {

Extended Rad(Extended degrees)
{
    static constexpr Extended radiansPerDegree = Pi / 180;
    return Checked(degrees * radiansPerDegree);
}

Extended Sin(Extended degrees) { return Checked(std::sin(Rad(degrees))); }

QString SecondsText(Extended seconds) { return FormatFixed(Checked(seconds), 3) + QStringLiteral(" \""); }

QString TightSecondsText(Extended seconds) { return FormatFixed(Checked(seconds), 4) + QLatin1Char('"'); }

void WriteDegrees(ResultTable& table, int column, int row, Extended degrees)
{
    WriteAngle(table, column, row, ToDouble(degrees));
}

}  // namespace large_triangle

using namespace large_triangle;

namespace {

const QString Formula = QStringLiteral("Формула");
const QString Result = QStringLiteral("Результат");
const QString Vertex = QStringLiteral("Вершина");
const QString Sum = QStringLiteral("Сумма");

// "Формула" / "Результат" over each pair of columns.
void PairHeadings(ResultTable& t)
{
    for (int c = 0; c + 1 < t.columnCount(); c += 2) {
        t.setLabel(c, 0, Formula);
        t.setLabel(c + 1, 0, Result);
    }
}

void Column(ResultTable& t, int column, int firstRow, const QStringList& labels)
{
    for (int i = 0; i < labels.size(); ++i)
        t.setLabel(column, firstRow + i, labels[i]);
}

// Labels that run over the four latitudes: prefix + "a", "b", "c", "m".
QStringList ForLatitudes(const QString& prefix)
{
    return {prefix + QLatin1Char('a'), prefix + QLatin1Char('b'), prefix + QLatin1Char('c'),
            prefix + QLatin1Char('m')};
}

// Page 1, the radii at the four latitudes a, b, c, m: a group of four rows (one per latitude) is
// named by its first row ("Rows"). The first value column (q25 = 0.25e²sin²B, q125 = 1.25e²sin²B) ...
enum Page1FirstRow : int {
    Page1RowA = 1, Page1RowA1e2, Page1RowsB, Page1RowK25 = Page1RowsB + 4, Page1RowK125, Page1RowsSinB,
    Page1RowsSin2B = Page1RowsSinB + 4, Page1RowsQ25 = Page1RowsSin2B + 4, Page1RowsQ125 = Page1RowsQ25 + 4,
    Page1RowsOnePlusQ25 = Page1RowsQ125 + 4, Page1RowsOneMinusQ125 = Page1RowsOnePlusQ25 + 4
};
// ... whose last group runs on into the top of the second (q75 = 0.75e²sin²B; the curvature
// ratios and the reductions dA, dB, dC are three rows each, for the vertices).
enum Page1SecondRow : int {
    Page1RowsOneMinusQ125Continued = 1, Page1RowsM = 3, Page1RowK75 = Page1RowsM + 4, Page1RowsQ75,
    Page1RowsOneMinusQ25 = Page1RowsQ75 + 4, Page1RowsOneMinusQ75 = Page1RowsOneMinusQ25 + 4,
    Page1RowsN = Page1RowsOneMinusQ75 + 4, Page1RowExcessTwelfth = Page1RowsN + 4, Page1RowsCurvatureRatio,
    Page1RowsReduction = Page1RowsCurvatureRatio + 3
};
// Page 2: the spherical angles.
enum Page2Row : int { Page2RowAsf = 1, Page2RowBsf, Page2RowCsf = 1 };

void Page1Labels(ResultTable& t)
{
    PairHeadings(t);
    QStringList left = {QStringLiteral("a"), QStringLiteral("a(1-e^2)")};
    left << ForLatitudes(QStringLiteral("B")) << QStringLiteral("0,25e^2") << QStringLiteral("1,25e^2")
         << ForLatitudes(QStringLiteral("sinB")) << ForLatitudes(QStringLiteral("sin^2B"))
         << ForLatitudes(QStringLiteral("0,25e^2sin^2B")) << ForLatitudes(QStringLiteral("1,25e^2sin^2B"))
         << ForLatitudes(QStringLiteral("1+0,25e^2sin^2B"));
    const QStringList reduced = ForLatitudes(QStringLiteral("1-1,25e^2sin^2B"));
    left << reduced[0] << reduced[1];
    Column(t, 0, 1, left);

    QStringList right = {reduced[2], reduced[3]};
    right << ForLatitudes(QStringLiteral("M")) << QStringLiteral("0,75e^2")
          << ForLatitudes(QStringLiteral("0,75e^2sin^2B")) << ForLatitudes(QStringLiteral("1-0,25e^2sin^2B"))
          << ForLatitudes(QStringLiteral("1-0,75e^2sin^2B")) << ForLatitudes(QStringLiteral("N"))
          << QStringLiteral("E/12") << QStringLiteral("(Ka-K)/K") << QStringLiteral("(Kb-K)/K")
          << QStringLiteral("(Kc-K)/K") << QStringLiteral("dA") << QStringLiteral("dB") << QStringLiteral("dC");
    Column(t, 2, 1, right);
}

void Page2Labels(ResultTable& t)
{
    PairHeadings(t);
    // Latin vertex letters, Cyrillic "сф".
    t.setLabel(0, 1, QStringLiteral("A\u0441\u0444=A-dA"));
    t.setLabel(0, 2, QStringLiteral("B\u0441\u0444=B-dB"));
    t.setLabel(2, 1, QStringLiteral("C\u0441\u0444=C-dC"));
    t.setLabel(2, 2, QString());
}

void Page3Labels(ResultTable& t)
{
    PairHeadings(t);
    Column(t, 0, 1, {QStringLiteral("f"), QStringLiteral("b^2"), QStringLiteral("sinA"), QStringLiteral("sinC"),
                     QStringLiteral("sinAsinC")});
    Column(t, 2, 1, {QStringLiteral("b^2sinAsinC"), QStringLiteral("sinB"), QStringLiteral("D1"),
                     QStringLiteral("E\""), QStringLiteral("E")});
}

void Page4Labels(ResultTable& t)
{
    const QStringList rows = {QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C"), Sum,
                              QStringLiteral("E"), QStringLiteral("W")};
    Column(t, 0, 0, QStringList{Vertex} + rows);
    t.setLabel(1, 0, QStringLiteral("Углы сфю тр."));
    t.setLabel(2, 0, QStringLiteral("Поправка из урав."));
    t.setLabel(3, 0, QStringLiteral("Урав углы сф. тр."));
    // The lower half has its own heading row inside the grid.
    Column(t, 0, 7, QStringList{Vertex} + rows);
    t.setLabel(1, 7, QStringLiteral("-E/3"));
    t.setLabel(2, 7, QStringLiteral("Углы плоск. тр."));
    t.setLabel(3, 7, QStringLiteral("Sin плоск. тр."));
    t.setLabel(4, 7, QStringLiteral("стороны сф. тр."));
}

void Page5Labels(ResultTable& t)
{
    PairHeadings(t);
    Column(t, 0, 1, {QStringLiteral("Ro/Rm"), QStringLiteral("a*Ro/Rm"), QStringLiteral("b*Ro/Rm"),
                     QStringLiteral("c*Ro/Rm"), QStringLiteral("2p"), QStringLiteral("p"), QStringLiteral("p/2"),
                     QStringLiteral("(p-a)/2")});
    Column(t, 2, 1, {QStringLiteral("(p-b)/2"), QStringLiteral("(p-c)/2"), QStringLiteral("tg(p/2)"),
                     QStringLiteral("tg[(p-a)/2]"), QStringLiteral("tg[(p-b)/2]"), QStringLiteral("tg[(p-c)/2]"),
                     QStringLiteral("tg^2(E/4)"), QStringLiteral("tg(E/4)"), QStringLiteral("E/4"),
                     QStringLiteral("E")});
}

void Page6Labels(ResultTable& t)
{
    PairHeadings(t);
    Column(t, 0, 1, {QStringLiteral("a^2"), QStringLiteral("b^2"), QStringLiteral("c^2"), QStringLiteral("(MN)m"),
                     QStringLiteral("3(MN)m"), QStringLiteral("b^2+c^2"), QStringLiteral("2a^2"),
                     QStringLiteral("b^2+a^2")});
    Column(t, 2, 1, {QStringLiteral("2c^2"), QStringLiteral("a^2+c^2"), QStringLiteral("2b^2"), QStringLiteral("E/60"),
                     QStringLiteral("dA"), QStringLiteral("dB"), QStringLiteral("dC"), QString()});
}

void Page7Labels(ResultTable& t)
{
    PairHeadings(t);
    Column(t, 0, 1, {QStringLiteral("A1=A\u0441\u0444-E/3-dA"), QStringLiteral("B1=B\u0441\u0444-E/3-dB"),
                     QStringLiteral("C1=C\u0441\u0444-E/3-dC")});
}

void Page8Labels(ResultTable& t)
{
    Column(t, 0, 0, {Vertex, QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C"), Sum});
    t.setLabel(1, 0, QStringLiteral("углы плю треуг."));
    t.setLabel(2, 0, QStringLiteral("Sin угл. пл. треуг."));
    t.setLabel(3, 0, QStringLiteral("Стороны сф. тр., м"));
}

// Meridian (M) and prime-vertical (N) radii of curvature at one latitude, with the terms shown.
struct LatitudeTerms {
    Extended sinB, sin2B, q25, q125, q75;  // sin²B times 0.25e², 1.25e², 0.75e²
    double M = 0, N = 0;
};

}  // namespace

void LargeTriangleLabels(const LargeTriangleTables& tables)
{
    Page1Labels(*tables[0]);
    Page2Labels(*tables[1]);
    Page3Labels(*tables[2]);
    Page4Labels(*tables[3]);
    Page5Labels(*tables[4]);
    Page6Labels(*tables[5]);
    Page7Labels(*tables[6]);
    Page8Labels(*tables[7]);
}

LargeTriangleInput ReadLargeTriangle(const Inputs& inputs)
{
    // In the order of the edits' numbers: a conversion error names the first edit that fails.
    LargeTriangleInput in;
    in.A = inputs.angle(QStringLiteral("A"));
    in.B = inputs.angle(QStringLiteral("B"));
    in.C = inputs.angle(QStringLiteral("C"));
    in.Bb = inputs.angle(QStringLiteral("Bb"));
    in.Bc = inputs.angle(QStringLiteral("Bc"));
    in.Bm = inputs.angle(QStringLiteral("Bm"));
    in.Ba = inputs.angle(QStringLiteral("Ba"));  // Ba's edits were added after b's
    in.b = inputs.real(QStringLiteral("b"));
    return in;
}

SphericalReduction ComputeSphericalReduction(const LargeTriangleInput& in, ResultTable& t, ResultTable& page2)
{
    const Extended a = KrasovskyA;
    const Extended e2 = KrasovskyE2Rounded;
    const Extended k25 = 0.25L * e2, k125 = 1.25L * e2, k75 = 0.75L * e2;
    const Extended a1e2 = (1 - e2) * a;

    // Index 0..3: latitudes a, b, c, m.
    const double latitudes[4] = {in.Ba, in.Bb, in.Bc, in.Bm};
    LatitudeTerms x[4];
    for (int i = 0; i < 4; ++i) {
        x[i].sinB = Sin(latitudes[i]);
        x[i].sin2B = x[i].sinB * x[i].sinB;
        x[i].q25 = x[i].sin2B * k25;
        x[i].q125 = x[i].sin2B * k125;
        x[i].q75 = x[i].sin2B * k75;
    }

    WriteFixed(t, FirstValueColumn, Page1RowA, a, 0);
    WriteFixed(t, FirstValueColumn, Page1RowA1e2, a1e2, 0);
    for (int i = 0; i < 4; ++i)
        WriteAngle(t, FirstValueColumn, Page1RowsB + i, latitudes[i]);
    WriteFixed(t, FirstValueColumn, Page1RowK25, k25, 5);
    WriteFixed(t, FirstValueColumn, Page1RowK125, k125, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, FirstValueColumn, Page1RowsSinB + i, x[i].sinB, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, FirstValueColumn, Page1RowsSin2B + i, x[i].sin2B, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, FirstValueColumn, Page1RowsQ25 + i, x[i].q25, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, FirstValueColumn, Page1RowsQ125 + i, x[i].q125, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, FirstValueColumn, Page1RowsOnePlusQ25 + i, x[i].q25 + 1, 5);
    // The factor 1 - 1.25e²sin²B runs on from the foot of column 1 into the top of column 3.
    WriteFixed(t, FirstValueColumn, Page1RowsOneMinusQ125, 1 - x[0].q125, 5);
    WriteFixed(t, FirstValueColumn, Page1RowsOneMinusQ125 + 1, 1 - x[1].q125, 5);
    WriteFixed(t, SecondValueColumn, Page1RowsOneMinusQ125Continued, 1 - x[2].q125, 5);
    WriteFixed(t, SecondValueColumn, Page1RowsOneMinusQ125Continued + 1, 1 - x[3].q125, 5);

    for (int i = 0; i < 4; ++i) {
        x[i].M = ToDouble(Divide((x[i].q25 + 1) * a1e2, 1 - x[i].q125));
        WriteFixed(t, SecondValueColumn, Page1RowsM + i, x[i].M, 0);
    }
    WriteFixed(t, SecondValueColumn, Page1RowK75, k75, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, SecondValueColumn, Page1RowsQ75 + i, x[i].q75, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, SecondValueColumn, Page1RowsOneMinusQ25 + i, 1 - x[i].q25, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, SecondValueColumn, Page1RowsOneMinusQ75 + i, 1 - x[i].q75, 5);
    for (int i = 0; i < 4; ++i) {
        x[i].N = ToDouble(Divide((1 - x[i].q25) * a, 1 - x[i].q75));
        WriteFixed(t, SecondValueColumn, Page1RowsN + i, x[i].N, 0);
    }

    // The textbook's fixed twelfth of the excess, not the excess of this triangle.
    const Extended excess12 = 59.074L;
    t.setValue(SecondValueColumn, Page1RowExcessTwelfth, SecondsText(excess12), excess12);

    // Gaussian curvature K = 1/(MN) at each vertex against the mean latitude's.
    double K[4];
    for (int i = 0; i < 4; ++i)
        K[i] = ToDouble(Divide(1, static_cast<Extended>(x[i].N) * x[i].M));
    Extended ratio[3];
    for (int i = 0; i < 3; ++i) {
        ratio[i] = Divide(static_cast<Extended>(K[i]) - K[3], K[3]);
        WriteFixed(t, SecondValueColumn, Page1RowsCurvatureRatio + i, ratio[i], 5);
    }
    double delta[3];
    for (int i = 0; i < 3; ++i) {
        delta[i] = ToDouble(ratio[i] * excess12);
        WriteFixed(t, SecondValueColumn, Page1RowsReduction + i, delta[i], 3);
    }

    SphericalReduction s;
    s.Mm = x[3].M;
    s.Nm = x[3].N;
    s.Asf = ToDouble(static_cast<Extended>(in.A) - static_cast<Extended>(delta[0]) / 3600);
    WriteAngle(page2, FirstValueColumn, Page2RowAsf, s.Asf);
    s.Bsf = ToDouble(static_cast<Extended>(in.B) - static_cast<Extended>(delta[1]) / 3600);
    WriteAngle(page2, FirstValueColumn, Page2RowBsf, s.Bsf);
    s.Csf = ToDouble(static_cast<Extended>(in.C) - static_cast<Extended>(delta[2]) / 3600);
    WriteAngle(page2, SecondValueColumn, Page2RowCsf, s.Csf);
    return s;
}

void ComputeLargeTriangle(const LargeTriangleInput& in, const LargeTriangleTables& tables)
{
    const SphericalReduction sphere = ComputeSphericalReduction(in, *tables[0], *tables[1]);
    ComputeTriangleSolution(in, sphere, tables);
}

}  // namespace kvelta
