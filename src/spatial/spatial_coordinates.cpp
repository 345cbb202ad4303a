#include "spatial/spatial_coordinates.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
#include "frame/errors.h"

#include <cmath>

namespace kvelta {

namespace {

constexpr Extended A = KrasovskyA;
constexpr Extended E2 = KrasovskyE2;
// B stops changing by less than this, in seconds of arc.
constexpr Extended ConvergenceSeconds = 0.00001L;
// Metres to 0.1 mm, angles to 0.00001″: the precision the results are checked to.
constexpr int MetreDecimals = 4;
constexpr int SecondDecimals = 5;
constexpr int RatioDecimals = 12;

Extended ToRadians(Extended degrees) { return degrees * 3600 / RoSecondsExact; }
Extended ToDegrees(Extended radians) { return radians * RoSecondsExact / 3600; }

void WriteMetres(ResultTable& t, int row, Extended value) { WriteFixed(t, FirstValueColumn, row, value, MetreDecimals); }

void WriteRadiansAsAngle(ResultTable& t, int row, Extended radians, const QString& note = QString())
{
    const double degrees = ToDouble(Checked(ToDegrees(radians)));
    t.setValue(FirstValueColumn, row, FormatDms(degrees, SecondDecimals) + note, degrees);
}

void WriteConstants(ResultTable& t)
{
    WriteFixed(t, FirstValueColumn, SpatialRowA, A, 3);
    WriteFixed(t, FirstValueColumn, SpatialRowE2, E2, RatioDecimals);
}

// W = √(1 − e²·sin²B), the ratio of a to the prime-vertical radius N.
Extended W(Extended sinB) { return std::sqrt(1 - E2 * sinB * sinB); }

// The height above the ellipsoid along the normal at latitude B. Equal to D/cos B − N and to
// Z/sin B − N(1 − e²), but free of their division by a cosine or sine near zero: it holds at the
// poles and on the equator alike, and an error in B changes it only to the second order.
Extended Height(Extended D, Extended Z, Extended B)
{
    return Checked(D * std::cos(B) + Z * std::sin(B) - A * W(std::sin(B)));
}

QString IterationLabel(const char* pattern, int i)
{
    return QString::fromUtf8(pattern).arg(i).arg(i - 1);
}

}  // namespace

void GeodeticToGeocentricLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {
        "a, м", "e^2=f(2-f), f=1/298,3", "B", "L", "H, м", "sin B", "cos B", "W=sqrt(1-e^2*sin^2 B)", "N=a/W, м",
        "(N+H)*cos B, м", "X=(N+H)*cos B*cos L, м", "Y=(N+H)*cos B*sin L, м", "N(1-e^2)+H, м",
        "Z=(N(1-e^2)+H)*sin B, м"});
}

void GeocentricToGeodeticLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {"a, м", "e^2=f(2-f), f=1/298,3", "X, м", "Y, м", "Z, м", "L=arctg(Y/X)",
                                "D=sqrt(X^2+Y^2), м", "B0: tg B0=Z/(D(1-e^2))"});
    for (int i = 1; i <= SpatialIterationLimit; ++i) {
        const int row = SpatialFirstIterationRow + SpatialRowsPerIteration * (i - 1);
        table.setLabel(0, row, IterationLabel("N%1=a/W(B%2), м", i));
        table.setLabel(0, row + 1, IterationLabel("H%1=D*cos B%2+Z*sin B%2-a*W, м", i));
        table.setLabel(0, row + 2, QStringLiteral("B%1: tg B%1=Z(N%1+H%1)/(D(N%1(1-e^2)+H%1))").arg(i));
        table.setLabel(0, row + 3, IterationLabel("B%1-B%2, \"", i));
    }
    table.setLabel(0, GeodeticBRow, QStringLiteral("B"));
    table.setLabel(0, GeodeticLRow, QStringLiteral("L"));
    table.setLabel(0, GeodeticHRow, QStringLiteral("H=D*cos B+Z*sin B-a*W, м"));
}

GeodeticPoint ReadGeodeticPoint(const Inputs& inputs)
{
    GeodeticPoint p;
    p.B = inputs.angle(QStringLiteral("B"));
    p.L = inputs.angle(QStringLiteral("L"));
    p.H = inputs.real(QStringLiteral("H"));
    if (std::fabs(p.B) > 90)
        throw KveltaError(QStringLiteral("Широта B за пределами ±90°"));
    return p;
}

GeocentricPoint ReadGeocentricPoint(const Inputs& inputs)
{
    return {inputs.real(QStringLiteral("X")), inputs.real(QStringLiteral("Y")),
            inputs.real(QStringLiteral("Z"))};
}

GeocentricPoint GeodeticToGeocentric(const GeodeticPoint& p, ResultTable& t)
{
    WriteConstants(t);
    t.setValue(FirstValueColumn, GivenBRow, FormatDms(p.B, SecondDecimals), p.B);
    t.setValue(FirstValueColumn, GivenLRow, FormatDms(p.L, SecondDecimals), p.L);
    WriteMetres(t, GivenHRow, p.H);

    const Extended B = ToRadians(p.B), L = ToRadians(p.L);
    const Extended sinB = std::sin(B), cosB = std::cos(B);
    WriteFixed(t, FirstValueColumn, SinBRow, sinB, RatioDecimals);
    WriteFixed(t, FirstValueColumn, CosBRow, cosB, RatioDecimals);
    const Extended w = W(sinB);
    WriteFixed(t, FirstValueColumn, WRow, w, RatioDecimals);
    const Extended N = A / w;
    WriteMetres(t, PrimeVerticalRow, N);

    const Extended parallelRadius = Checked((N + p.H) * cosB);
    WriteMetres(t, ParallelRadiusRow, parallelRadius);
    const Extended X = parallelRadius * std::cos(L), Y = parallelRadius * std::sin(L);
    WriteMetres(t, GeocentricXRow, X);
    WriteMetres(t, GeocentricYRow, Y);
    const Extended polar = Checked(N * (1 - E2) + p.H);
    WriteMetres(t, PolarFactorRow, polar);
    const Extended Z = polar * sinB;
    WriteMetres(t, GeocentricZRow, Z);
    return {ToDouble(X), ToDouble(Y), ToDouble(Z)};
}

GeodeticPoint GeocentricToGeodetic(const GeocentricPoint& p, ResultTable& t)
{
    if (p.X == 0 && p.Y == 0 && p.Z == 0)
        throw KveltaError(QStringLiteral("Точка X = Y = Z = 0 — центр эллипсоида: B, L и H не определены"));
    WriteConstants(t);
    WriteMetres(t, GivenXRow, p.X);
    WriteMetres(t, GivenYRow, p.Y);
    WriteMetres(t, GivenZRow, p.Z);

    // On the axis every meridian passes through the point: L is taken as 0 and the table says so
    // (atan2 of a signed zero would give ±180°). Elsewhere L is brought into (−180°, 180°]: atan2
    // gives −180° for Y = −0 west of the axis.
    const bool onAxis = p.X == 0 && p.Y == 0;
    Extended L = onAxis ? 0 : std::atan2(static_cast<Extended>(p.Y), static_cast<Extended>(p.X));
    if (L <= -Pi)
        L += 2 * Pi;
    WriteRadiansAsAngle(t, LongitudeRow, L, onAxis ? QStringLiteral(" (X = Y = 0: L не определена и принята равной 0)") : QString());
    const Extended X = p.X, Y = p.Y, Z = p.Z;
    const Extended D = std::sqrt(X * X + Y * Y);
    WriteMetres(t, DistanceFromAxisRow, D);

    // First approximation: the point at sea level (H = 0). D ≥ 0 keeps every B within ±90°.
    Extended B = std::atan2(Z, D * (1 - E2));
    WriteRadiansAsAngle(t, FirstBRow, B);
    int row = SpatialFirstIterationRow;
    bool converged = false;
    for (int i = 1; i <= SpatialIterationLimit && !converged; ++i, row += SpatialRowsPerIteration) {
        const Extended N = A / W(std::sin(B));
        WriteMetres(t, row + IterationNRow, N);
        const Extended H = Height(D, Z, B);
        WriteMetres(t, row + IterationHRow, H);
        // Within about 43 km of the centre the normals of several points meet: no iteration holds.
        const Extended polar = N * (1 - E2) + H;
        if (!(polar > 0))
            throw KveltaError(QStringLiteral("Точка слишком близко к центру эллипсоида (N(1-e^2)+H <= 0): "
                                             "широта B не определяется итерациями"));
        const Extended next = std::atan2(Z * (N + H), D * polar);
        WriteRadiansAsAngle(t, row + IterationBRow, next);
        const Extended changeSeconds = ToDegrees(next - B) * 3600;
        WriteFixed(t, FirstValueColumn, row + IterationChangeRow, changeSeconds, SecondDecimals);
        converged = std::fabs(changeSeconds) < ConvergenceSeconds;
        B = next;
    }
    if (!converged)
        throw KveltaError(QStringLiteral("Широта B не сошлась за %1 приближений").arg(SpatialIterationLimit));
    for (; row < GeodeticBRow; ++row)
        t.setValue(FirstValueColumn, row, QString());

    WriteRadiansAsAngle(t, GeodeticBRow, B);
    WriteRadiansAsAngle(t, GeodeticLRow, L);
    const Extended H = Height(D, Z, B);
    WriteMetres(t, GeodeticHRow, H);
    return {ToDouble(ToDegrees(B)), ToDouble(ToDegrees(L)), ToDouble(H)};
}

}  // namespace kvelta
