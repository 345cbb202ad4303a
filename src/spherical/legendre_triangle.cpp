#include "spherical/legendre_triangle.h"

#include "frame/angles.h"

#include <cmath>

namespace kvelta {

namespace {

// Spherical-excess coefficient f = 1/(2R²ρ″) for the mean Earth radius, seconds per km².
constexpr Extended ExcessCoefficient = 0.002533L;
// Additament coefficient k = 1/(6R²), per m²: a side's additament is k·s³.
constexpr Extended AdditamentCoefficient = 4.11e-15L;

// The adjusted and plane angles are never stored; their sines take the extended value.
// Radians as x·π/180: the product comes first, which shows in the sines of very large angles.
Extended SinOfDegrees(Extended degrees) { return Checked(std::sin(Checked(degrees * Pi / 180))); }

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The vertex rows run B, A, C.
struct Vertices {
    Extended B, A, C;
};

}  // namespace

void LegendreTableLabels(ResultTable& t)
{
    t.setLabel(0, 0, Text("Формула"));
    t.setLabel(1, 0, Text("Результат"));
    t.setLabel(2, 0, Text("Формула"));
    t.setLabel(3, 0, Text("Результат"));

    static const char* const column0[] = {"f", "b^2", "sinA", "sinC", "sinA*sinC"};
    for (int r = 0; r < 5; ++r)
        t.setLabel(0, LegendreRowF + r, Text(column0[r]));
    static const char* const column2[] = {"b^2*sinA*sinC", "sinB", "DI", "E"};
    for (int r = 0; r < 4; ++r)
        t.setLabel(2, LegendreRowProduct + r, Text(column2[r]));

    // The angle table; the Е of "-Е/3" is Cyrillic, every other E is Latin.
    static const char* const headings[] = {"Вершина", "Измер. углы сф. тр.", "Поправка из урав.",
                                           "Урав. углы сф. тр.", "-Е/3", "Углы плоск. тр.",
                                           "sin углов пл.тр."};
    for (int c = 0; c < 7; ++c)
        t.setLabel(c, LegendreAngleHeadingRow, Text(headings[c]));
    static const char* const rows[] = {"B", "A", "C", "Сумма", "E", "Омега"};
    for (int r = 0; r < 6; ++r)
        t.setLabel(0, LegendreRowVertexB + r, Text(rows[r]));

    // The side table.
    t.setLabel(0, LegendreRowDII, Text("DII"));
    t.setLabel(2, LegendreSideARow, Text("a"));
    t.setLabel(0, LegendreSidesRow, Text("b"));
    t.setLabel(2, LegendreSidesRow, Text("c"));
}

void AdditamentsTableLabels(ResultTable& t)
{
    static const char* const headings[] = {"Вершина", "Измер. углы сф. тр.", "Поправка из урав.",
                                           "Урав. углы сф. тр.", "sin урав. уг. сф. тр.",
                                           "Стор. плоск. тр.", "As", "Стор. сф. тр."};
    for (int c = 0; c < 8; ++c)
        t.setLabel(c, 0, Text(headings[c]));
    static const char* const rows[] = {"B", "A", "C", "Сумма", "E", "Омега"};
    for (int r = 0; r < 6; ++r)
        t.setLabel(0, AdditamentsRowB + r, Text(rows[r]));
}

LegendreTriangleData ReadLegendreTriangle(const Inputs& in)
{
    LegendreTriangleData d;
    d.A = in.angle(QStringLiteral("A"));
    d.B = in.angle(QStringLiteral("B"));
    d.C = in.angle(QStringLiteral("C"));
    d.b = in.real(QStringLiteral("b"));
    return d;
}

namespace {

// The spherical excess from the given side, E = f·b²·sinA·sinC/sinB with b in km, in seconds.
double WriteExcess(const LegendreTriangleData& d, ResultTable& t)
{
    const Extended f = ExcessCoefficient, b = d.b;
    const Extended bKm2 = Checked((b / 1000) * (b / 1000));
    const Extended sinA = SinOfDegrees(d.A);
    const Extended sinC = SinOfDegrees(d.C);
    const Extended sinB = SinOfDegrees(d.B);
    WriteFixed(t, FirstValueColumn, LegendreRowF, f, 6);
    WriteFixed(t, FirstValueColumn, LegendreRowBSquared, bKm2, 6);
    WriteFixed(t, FirstValueColumn, LegendreRowSinA, sinA, 6);
    WriteFixed(t, FirstValueColumn, LegendreRowSinC, sinC, 6);
    WriteFixed(t, FirstValueColumn, LegendreRowSinASinC, sinA * sinC, 6);
    WriteFixed(t, SecondValueColumn, LegendreRowProduct, bKm2 * sinA * sinC, 6);
    WriteFixed(t, SecondValueColumn, LegendreRowSinB, sinB, 6);
    WriteFixed(t, SecondValueColumn, LegendreRowDI, Divide(bKm2 * sinA * sinC, sinB), 6);
    const double E = ToDouble(Divide(f * bKm2 * sinA * sinC, sinB));
    WriteFixed(t, LegendreExcessColumn, LegendreExcessRow, E, 6);
    return E;
}

// The measured angles closed against 180° + E: each takes a third of the misclosure.
struct ClosedAngles {
    Extended sum = 0;         // of the measured angles, degrees
    Extended W = 0;           // misclosure, degrees
    Extended correction = 0;  // −W″/3, seconds
    Vertices adjusted{};      // spherical angles after the correction, degrees
};

// The first value column of one table's angle rows: B, A, C as measured, their sum, E and W.
void WriteMeasuredAngles(ResultTable& t, const LegendreTriangleData& d, double E, const ClosedAngles& closed,
                         int firstRow)
{
    WriteAngle(t, FirstValueColumn, firstRow, d.B);
    WriteAngle(t, FirstValueColumn, firstRow + 1, d.A);
    WriteAngle(t, FirstValueColumn, firstRow + 2, d.C);
    WriteAngle(t, FirstValueColumn, firstRow + 3, ToDouble(closed.sum));
    WriteFixed(t, FirstValueColumn, firstRow + 4, E, 6);
    WriteAngle(t, FirstValueColumn, firstRow + 5, ToDouble(closed.W));
}

// The correction and the adjusted angle of each vertex, rows B, A, C from `firstRow`.
void WriteAdjustedAngles(ResultTable& t, const ClosedAngles& closed, int firstRow, int correctionColumn,
                         int adjustedColumn)
{
    for (int r = firstRow; r < firstRow + 3; ++r)
        WriteFixed(t, correctionColumn, r, closed.correction, 6);
    WriteAngle(t, adjustedColumn, firstRow, ToDouble(closed.adjusted.B));
    WriteAngle(t, adjustedColumn, firstRow + 1, ToDouble(closed.adjusted.A));
    WriteAngle(t, adjustedColumn, firstRow + 2, ToDouble(closed.adjusted.C));
}

// Legendre's theorem: the adjusted angles less E/3 each solve the plane triangle by the sine rule.
ClosedAngles WriteLegendreSolution(const LegendreTriangleData& d, double E, ResultTable& t)
{
    const Extended A = d.A, B = d.B, C = d.C, b = d.b;
    ClosedAngles closed;
    closed.sum = (A + B) + C;
    closed.W = Checked(closed.sum - E / 3600.0L - 180);
    WriteMeasuredAngles(t, d, E, closed, LegendreRowVertexB);
    // W″ is stored only after the misclosure is shown: an overflow here must not pre-empt the
    // angle cells above.
    const double W2 = ToDouble(closed.W * 3600);
    closed.correction = -static_cast<Extended>(W2) / 3;
    closed.adjusted = {B - W2 / 3.0L / 3600, A - W2 / 3.0L / 3600, C - W2 / 3.0L / 3600};
    const Vertices plane{B - W2 / 3.0L / 3600 - E / 3.0L / 3600, A - W2 / 3.0L / 3600 - E / 3.0L / 3600,
                         C - W2 / 3.0L / 3600 - E / 3.0L / 3600};
    WriteAdjustedAngles(t, closed, LegendreRowVertexB, LegendreCorrectionColumn, LegendreAdjustedColumn);
    for (int r = LegendreRowVertexB; r <= LegendreRowVertexC; ++r)
        WriteFixed(t, LegendreExcessThirdColumn, r, -(E / 3.0L), 6);
    WriteAngle(t, LegendrePlaneAngleColumn, LegendreRowVertexB, ToDouble(plane.B));
    WriteAngle(t, LegendrePlaneAngleColumn, LegendreRowVertexA, ToDouble(plane.A));
    WriteAngle(t, LegendrePlaneAngleColumn, LegendreRowVertexC, ToDouble(plane.C));
    const Extended sinPlaneB = SinOfDegrees(plane.B);
    const Extended sinPlaneA = SinOfDegrees(plane.A);
    const Extended sinPlaneC = SinOfDegrees(plane.C);
    WriteFixed(t, LegendrePlaneSineColumn, LegendreRowVertexB, sinPlaneB, 6);
    WriteFixed(t, LegendrePlaneSineColumn, LegendreRowVertexA, sinPlaneA, 6);
    WriteFixed(t, LegendrePlaneSineColumn, LegendreRowVertexC, sinPlaneC, 6);

    // Plane sine rule: DII = b / sinB′ is the common ratio of the sides.
    const double DII = ToDouble(Divide(b, sinPlaneB));
    WriteFixed(t, FirstValueColumn, LegendreRowDII, DII, 4);
    WriteFixed(t, LegendreSideBColumn, LegendreSidesRow, b, 4);
    WriteFixed(t, LegendreSidesColumn, LegendreSideARow, DII * sinPlaneA, 4);
    WriteFixed(t, LegendreSidesColumn, LegendreSidesRow, DII * sinPlaneC, 4);
    return closed;
}

// The method of additaments over the same excess and adjusted angles: the sides reduced by k·s³,
// the plane sine rule, the additaments added back. The plane side c′ follows from a′, as the
// textbook solves it.
void WriteAdditaments(const LegendreTriangleData& d, double E, const ClosedAngles& closed, ResultTable& t)
{
    const Extended k = AdditamentCoefficient, b = d.b;
    WriteMeasuredAngles(t, d, E, closed, AdditamentsRowB);
    WriteAdjustedAngles(t, closed, AdditamentsRowB, AdditamentsCorrectionColumn, AdditamentsAdjustedColumn);
    const Extended sinAdjB = SinOfDegrees(closed.adjusted.B);
    const Extended sinAdjA = SinOfDegrees(closed.adjusted.A);
    const Extended sinAdjC = SinOfDegrees(closed.adjusted.C);
    WriteFixed(t, AdditamentsSineColumn, AdditamentsRowB, sinAdjB, 6);
    WriteFixed(t, AdditamentsSineColumn, AdditamentsRowA, sinAdjA, 6);
    WriteFixed(t, AdditamentsSineColumn, AdditamentsRowC, sinAdjC, 6);

    const double AsB = ToDouble(k * b * b * b);
    const Extended bPlane = b - AsB;
    const double aPlane = ToDouble(Divide(bPlane * sinAdjA, sinAdjB));
    const double cPlane = ToDouble(Divide(aPlane * sinAdjC, sinAdjA));
    const double AsA = ToDouble(k * aPlane * aPlane * aPlane);
    const double AsC = ToDouble(k * cPlane * cPlane * cPlane);
    WriteFixed(t, AdditamentsPlaneSideColumn, AdditamentsRowB, bPlane, 6);
    WriteFixed(t, AdditamentsPlaneSideColumn, AdditamentsRowA, aPlane, 6);
    WriteFixed(t, AdditamentsPlaneSideColumn, AdditamentsRowC, cPlane, 6);
    WriteFixed(t, AdditamentsAdditamentColumn, AdditamentsRowB, AsB, 4);
    WriteFixed(t, AdditamentsAdditamentColumn, AdditamentsRowA, AsA, 4);
    WriteFixed(t, AdditamentsAdditamentColumn, AdditamentsRowC, AsC, 4);
    WriteFixed(t, AdditamentsSidesColumn, AdditamentsRowB, b, 4);
    WriteFixed(t, AdditamentsSidesColumn, AdditamentsRowA, static_cast<Extended>(aPlane) + AsA, 4);
    WriteFixed(t, AdditamentsSidesColumn, AdditamentsRowC, static_cast<Extended>(cPlane) + AsC, 4);
}

}  // namespace

void ComputeLegendreTriangle(const LegendreTriangleData& d, ResultTable& legendre, ResultTable& additaments)
{
    const double E = WriteExcess(d, legendre);
    const ClosedAngles closed = WriteLegendreSolution(d, E, legendre);
    WriteAdditaments(d, E, closed, additaments);
}

}  // namespace kvelta
