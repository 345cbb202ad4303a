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
    auto angle = [&](int firstEdit) {
        return ReadAngle(inputs, QStringLiteral("Edit%1").arg(firstEdit), QStringLiteral("Edit%1").arg(firstEdit + 1),
                         QStringLiteral("Edit%1").arg(firstEdit + 2));
    };
    LargeTriangleInput in;
    in.A = angle(3);
    in.B = angle(6);
    in.C = angle(9);
    in.Bb = angle(12);
    in.Bc = angle(15);
    in.Bm = angle(18);
    in.Ba = angle(22);  // Ba's edits were added after b's
    in.b = inputs.real(QStringLiteral("Edit21"));
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

    WriteFixed(t, 1, 1, a, 0);
    WriteFixed(t, 1, 2, a1e2, 0);
    for (int i = 0; i < 4; ++i)
        WriteAngle(t, 1, 3 + i, latitudes[i]);
    WriteFixed(t, 1, 7, k25, 5);
    WriteFixed(t, 1, 8, k125, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, 1, 9 + i, x[i].sinB, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, 1, 13 + i, x[i].sin2B, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, 1, 17 + i, x[i].q25, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, 1, 21 + i, x[i].q125, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, 1, 25 + i, x[i].q25 + 1, 5);
    // The factor 1 - 1.25e²sin²B runs on from the foot of column 1 into the top of column 3.
    WriteFixed(t, 1, 29, 1 - x[0].q125, 5);
    WriteFixed(t, 1, 30, 1 - x[1].q125, 5);
    WriteFixed(t, 3, 1, 1 - x[2].q125, 5);
    WriteFixed(t, 3, 2, 1 - x[3].q125, 5);

    for (int i = 0; i < 4; ++i) {
        x[i].M = ToDouble(Divide((x[i].q25 + 1) * a1e2, 1 - x[i].q125));
        WriteFixed(t, 3, 3 + i, x[i].M, 0);
    }
    WriteFixed(t, 3, 7, k75, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, 3, 8 + i, x[i].q75, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, 3, 12 + i, 1 - x[i].q25, 5);
    for (int i = 0; i < 4; ++i)
        WriteFixed(t, 3, 16 + i, 1 - x[i].q75, 5);
    for (int i = 0; i < 4; ++i) {
        x[i].N = ToDouble(Divide((1 - x[i].q25) * a, 1 - x[i].q75));
        WriteFixed(t, 3, 20 + i, x[i].N, 0);
    }

    // The textbook's fixed twelfth of the excess, not the excess of this triangle.
    const Extended excess12 = 59.074L;
    t.setValue(3, 24, SecondsText(excess12), excess12);

    // Gaussian curvature K = 1/(MN) at each vertex against the mean latitude's.
    double K[4];
    for (int i = 0; i < 4; ++i)
        K[i] = ToDouble(Divide(1, static_cast<Extended>(x[i].N) * x[i].M));
    Extended ratio[3];
    for (int i = 0; i < 3; ++i) {
        ratio[i] = Divide(static_cast<Extended>(K[i]) - K[3], K[3]);
        WriteFixed(t, 3, 25 + i, ratio[i], 5);
    }
    double delta[3];
    for (int i = 0; i < 3; ++i) {
        delta[i] = ToDouble(ratio[i] * excess12);
        WriteFixed(t, 3, 28 + i, delta[i], 3);
    }

    SphericalReduction s;
    s.Mm = x[3].M;
    s.Nm = x[3].N;
    s.Asf = ToDouble(static_cast<Extended>(in.A) - static_cast<Extended>(delta[0]) / 3600);
    WriteAngle(page2, 1, 1, s.Asf);
    s.Bsf = ToDouble(static_cast<Extended>(in.B) - static_cast<Extended>(delta[1]) / 3600);
    WriteAngle(page2, 1, 2, s.Bsf);
    s.Csf = ToDouble(static_cast<Extended>(in.C) - static_cast<Extended>(delta[2]) / 3600);
    WriteAngle(page2, 3, 1, s.Csf);
    return s;
}

void ComputeLargeTriangle(const LargeTriangleInput& in, const LargeTriangleTables& tables)
{
    const SphericalReduction sphere = ComputeSphericalReduction(in, *tables[0], *tables[1]);
    ComputeTriangleSolution(in, sphere, tables);
}

}  // namespace kvelta
