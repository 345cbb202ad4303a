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
        t.setLabel(0, r + 1, Text(column0[r]));
    static const char* const column2[] = {"b^2*sinA*sinC", "sinB", "DI", "E"};
    for (int r = 0; r < 4; ++r)
        t.setLabel(2, r + 1, Text(column2[r]));

    // The angle table; the Е of "-Е/3" is Cyrillic, every other E is Latin.
    static const char* const headings[] = {"Вершина", "Измер. углы сф. тр.", "Поправка из урав.",
                                           "Урав. углы сф. тр.", "-Е/3", "Углы плоск. тр.",
                                           "sin углов пл.тр."};
    for (int c = 0; c < 7; ++c)
        t.setLabel(c, 6, Text(headings[c]));
    static const char* const rows[] = {"B", "A", "C", "Сумма", "E", "Омега"};
    for (int r = 0; r < 6; ++r)
        t.setLabel(0, r + 7, Text(rows[r]));

    // The side table.
    t.setLabel(0, 14, Text("DII"));
    t.setLabel(2, 14, Text("a"));
    t.setLabel(0, 15, Text("b"));
    t.setLabel(2, 15, Text("c"));
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
        t.setLabel(0, r + 1, Text(rows[r]));
}

LegendreTriangleData ReadLegendreTriangle(const Inputs& in)
{
    LegendreTriangleData d;
    d.A = ReadAngle(in, QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5"));
    d.B = ReadAngle(in, QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8"));
    d.C = ReadAngle(in, QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11"));
    d.b = in.real(QStringLiteral("Edit12"));
    return d;
}

void ComputeLegendreTriangle(const LegendreTriangleData& d, ResultTable& t, ResultTable& t2)
{
    const Extended A = d.A, B = d.B, C = d.C, b = d.b;
    const Extended f = ExcessCoefficient;
    const Extended k = AdditamentCoefficient;

    // The spherical excess from the given side: E = f·b²·sinA·sinC/sinB, b in km.
    const Extended bKm2 = Checked((b / 1000) * (b / 1000));
    const Extended sinA = SinOfDegrees(A);
    const Extended sinC = SinOfDegrees(C);
    const Extended sinB = SinOfDegrees(B);
    WriteFixed(t, 1, 1, f, 6);
    WriteFixed(t, 1, 2, bKm2, 6);
    WriteFixed(t, 1, 3, sinA, 6);
    WriteFixed(t, 1, 4, sinC, 6);
    WriteFixed(t, 1, 5, sinA * sinC, 6);
    WriteFixed(t, 3, 1, bKm2 * sinA * sinC, 6);
    WriteFixed(t, 3, 2, sinB, 6);
    WriteFixed(t, 3, 3, Divide(bKm2 * sinA * sinC, sinB), 6);
    const double E = ToDouble(Divide(f * bKm2 * sinA * sinC, sinB));
    WriteFixed(t, LegendreExcessColumn, LegendreExcessRow, E, 6);

    // Misclosure of the measured angles against 180° + E.
    const Extended sum = (A + B) + C;
    const Extended W = Checked(sum - E / 3600.0L - 180);

    // Legendre's theorem.
    WriteAngle(t, 1, 7, d.B);
    WriteAngle(t, 1, 8, d.A);
    WriteAngle(t, 1, 9, d.C);
    WriteAngle(t, 1, 10, ToDouble(sum));
    WriteFixed(t, 1, 11, E, 6);
    WriteAngle(t, LegendreMisclosureColumn, LegendreMisclosureRow, ToDouble(W));
    // W″ is stored only after the misclosure is shown: an overflow here must not pre-empt the
    // angle cells above.
    const double W2 = ToDouble(W * 3600);
    const Extended correction = -static_cast<Extended>(W2) / 3;
    const Vertices adjusted{B - W2 / 3.0L / 3600, A - W2 / 3.0L / 3600, C - W2 / 3.0L / 3600};
    const Vertices plane{B - W2 / 3.0L / 3600 - E / 3.0L / 3600, A - W2 / 3.0L / 3600 - E / 3.0L / 3600,
                         C - W2 / 3.0L / 3600 - E / 3.0L / 3600};
    for (int r = 7; r <= 9; ++r)
        WriteFixed(t, 2, r, correction, 6);
    WriteAngle(t, 3, 7, ToDouble(adjusted.B));
    WriteAngle(t, 3, 8, ToDouble(adjusted.A));
    WriteAngle(t, 3, 9, ToDouble(adjusted.C));
    for (int r = 7; r <= 9; ++r)
        WriteFixed(t, 4, r, -(E / 3.0L), 6);
    WriteAngle(t, 5, 7, ToDouble(plane.B));
    WriteAngle(t, 5, 8, ToDouble(plane.A));
    WriteAngle(t, 5, 9, ToDouble(plane.C));
    const Extended sinPlaneB = SinOfDegrees(plane.B);
    const Extended sinPlaneA = SinOfDegrees(plane.A);
    const Extended sinPlaneC = SinOfDegrees(plane.C);
    WriteFixed(t, 6, 7, sinPlaneB, 6);
    WriteFixed(t, 6, 8, sinPlaneA, 6);
    WriteFixed(t, 6, 9, sinPlaneC, 6);

    // Plane sine rule: DII = b / sinB′ is the common ratio of the sides.
    const double DII = ToDouble(Divide(b, sinPlaneB));
    WriteFixed(t, 1, 14, DII, 4);
    WriteFixed(t, LegendreSideBColumn, LegendreSidesRow, b, 4);
    WriteFixed(t, LegendreSidesColumn, LegendreSideARow, DII * sinPlaneA, 4);
    WriteFixed(t, LegendreSidesColumn, LegendreSidesRow, DII * sinPlaneC, 4);

    // Additaments: the same excess and adjusted angles.
    WriteAngle(t2, 1, 1, d.B);
    WriteAngle(t2, 1, 2, d.A);
    WriteAngle(t2, 1, 3, d.C);
    WriteAngle(t2, 1, 4, ToDouble(sum));
    WriteFixed(t2, 1, 5, E, 6);
    WriteAngle(t2, 1, 6, ToDouble(W));
    for (int r = 1; r <= 3; ++r)
        WriteFixed(t2, 2, r, correction, 6);
    WriteAngle(t2, 3, 1, ToDouble(adjusted.B));
    WriteAngle(t2, 3, 2, ToDouble(adjusted.A));
    WriteAngle(t2, 3, 3, ToDouble(adjusted.C));
    const Extended sinAdjB = SinOfDegrees(adjusted.B);
    const Extended sinAdjA = SinOfDegrees(adjusted.A);
    const Extended sinAdjC = SinOfDegrees(adjusted.C);
    WriteFixed(t2, 4, 1, sinAdjB, 6);
    WriteFixed(t2, 4, 2, sinAdjA, 6);
    WriteFixed(t2, 4, 3, sinAdjC, 6);

    // The plane side c′ follows from a′, as the textbook solves it.
    const double AsB = ToDouble(k * b * b * b);
    const Extended bPlane = b - AsB;
    const double aPlane = ToDouble(Divide(bPlane * sinAdjA, sinAdjB));
    const double cPlane = ToDouble(Divide(aPlane * sinAdjC, sinAdjA));
    const double AsA = ToDouble(k * aPlane * aPlane * aPlane);
    const double AsC = ToDouble(k * cPlane * cPlane * cPlane);
    WriteFixed(t2, 5, 1, bPlane, 6);
    WriteFixed(t2, 5, 2, aPlane, 6);
    WriteFixed(t2, 5, 3, cPlane, 6);
    WriteFixed(t2, 6, 1, AsB, 4);
    WriteFixed(t2, 6, 2, AsA, 4);
    WriteFixed(t2, 6, 3, AsC, 4);
    WriteFixed(t2, AdditamentsSidesColumn, AdditamentsRowB, b, 4);
    WriteFixed(t2, AdditamentsSidesColumn, AdditamentsRowA, static_cast<Extended>(aPlane) + AsA, 4);
    WriteFixed(t2, AdditamentsSidesColumn, AdditamentsRowC, static_cast<Extended>(cPlane) + AsC, 4);
}

}  // namespace kvelta
