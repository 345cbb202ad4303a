#include "gauss_kruger/gauss_kruger.h"

#include "frame/angles.h"

namespace kvelta {

namespace {

// Length of the meridian arc per radian of latitude on the Krasovsky ellipsoid.
constexpr Extended MeridianFactor = 6367558.4969L;

// A named quantity of the hand computation: evaluated in extended precision, kept as a double.
double Held(Extended value) { return ToDouble(value); }

// Seconds of arc, written with the seconds mark after four decimals.
void WriteSeconds(ResultTable& table, int row, Extended value)
{
    table.setValue(GaussKrugerValueColumn, row, FormatFixed(Checked(value), 4) + QLatin1Char('"'), value);
}

// Radius of curvature in the prime vertical as a polynomial in cos²B (Krasovsky ellipsoid).
double PrimeVerticalRadius(double c)
{
    return Held(6399698.902L - (21562.267L - (108.973L - 0.612L * c) * c) * c);
}

// The labels below are written in row order.
static_assert(GkForwardRowX == 20 && GkForwardRowY == 23 && GkForwardRows == 24);
static_assert(GkInverseRowB == 23 && GkInverseRowL == 26 && GkInverseRows == 27);

}  // namespace

void GeodeticToGaussKrugerLabels(ResultTable& table)
{
    WriteHeadingRow(table, {"Формула", "Результаты"});
    // Row 19 prints 6267558 although the factor used is 6367558.4969: the course sheet's label.
    WriteLabelColumn(table, 0, {
        "B",      "B\"",       "B\"/Ro\"", "sin B", "cos B", "cos^2 B",   "l=L-Lo",
        "l\"",    "l=l\"/Ro\"", "N",        "ao",    "a4",    "a6",        "a3",
        "a5",     "sinB*cosB", "l^2",      "N*l^2", "6267558,4969*B\"/Ro\"", "x",
        "1+(a3+a5*l^2)*l^2",   "[^]*l*cosB",        "y"});
}

PlaneCoordinates GeodeticToGaussKruger(double B, double L, double Lo, ResultTable& t)
{
    WriteAngle(t, GaussKrugerValueColumn, GkForwardRowB, B);
    const double Bsec = Held(3600.0L * B);
    WriteSeconds(t, GkForwardRowBSeconds, Bsec);
    // The arc term takes the latitude in radians through ρ″ = 206265, the sines through π/180.
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowBRadians, Held(Bsec / RoSecondsTextbook), 9);
    const double sinB = Held(SinDeg(B));
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowSinB, sinB, 6);
    const double cosB = Held(CosDeg(B));
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowCosB, cosB, 6);
    const double c = Held(static_cast<Extended>(cosB) * cosB);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowCos2B, c, 6);

    const double lDeg = Held(static_cast<Extended>(L) - Lo);
    WriteAngle(t, GaussKrugerValueColumn, GkForwardRowL, lDeg);
    const double lSec = Held(3600.0L * lDeg);
    WriteSeconds(t, GkForwardRowLSeconds, lSec);
    const double l = Held(lSec / RoSecondsTextbook);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowLRadians, l, 9);

    // All coefficients come from the same cos²B before the first of them is shown.
    const double N = PrimeVerticalRadius(c);
    const double a0 = Held(32140.404L - (135.3302L - (0.7092L - 0.004L * c) * c) * c);
    const double a4 = Held((0.25L + 0.00252L * c) * c - 0.04166L);
    const double a6 = Held((0.166L * c - 0.084L) * c);
    const double a3 = Held((0.3333333333333L + 0.001123L * c) * c - 0.16666666L);
    const double a5 = Held(0.0083L - (0.16666L - (0.1968L + 0.004L * c) * c) * c);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowN, N, 3);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowA0, a0, 3);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowA4, a4, 3);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowA6, a6, 3);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowA3, a3, 3);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowA5, a5, 3);

    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowSinBCosB, Held(static_cast<Extended>(sinB) * cosB), 7);
    const double l2 = Held(static_cast<Extended>(l) * l);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowL2, l2, 9);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowNL2, Held(static_cast<Extended>(N) * l2), 3);
    const double X0 = Held(MeridianFactor * Bsec / RoSecondsTextbook);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowArc, X0, 4);

    const Extended bracket = a0 - (0.5L + (a4 + static_cast<Extended>(a6) * l2) * l2) * l2 * N;
    const double x = Held(X0 - Checked(bracket * cosB * sinB));
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowX, x, 3);

    const double K = Held(1 + (a3 + static_cast<Extended>(a5) * l2) * l2);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowYFactor, K, 8);
    const double Klcos = Held(static_cast<Extended>(K) * l * cosB);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowYFactorLCosB, Klcos, 8);
    const double y = Held(static_cast<Extended>(Klcos) * N);
    WriteFixed(t, GaussKrugerValueColumn, GkForwardRowY, y, 3);
    return {x, y};
}

void GaussKrugerToGeodeticLabels(ResultTable& table)
{
    WriteHeadingRow(table, {"Формулы", "Значения"});
    WriteLabelColumn(table, 0, {
        "Бета, рад", "Бета\"",     "Бета, град", "sin Бета", "cos Бета",  "cos^2 Бета", "Bx,рад",
        "Bx\"",      "Bx, град",   "sin Bx",     "cos Bx",   "cos^2 Bx",  "Nx",         "b2",
        "b3",        "b4",         "b5",         "Nx*cos Bx", "z",        "z^2",
        "[1-(b4-0,12z^2)z^2]z^2*b2", "Ro\"[^]", "B",         "[1-(b3-b5z^2)z^2]z", "l=[^]Ro\"", "L=Lo+l"});
}

Footpoint FootpointLatitude(double x, Extended secondsPerRadian)
{
    Footpoint f;
    // The "Бета" angle: the latitude whose meridian arc from the equator is x on a sphere.
    f.beta = Held(x / MeridianFactor);
    f.betaSeconds = Held(secondsPerRadian * f.beta);
    f.betaDegrees = Held(f.betaSeconds / 3600);
    f.sinBeta = Held(SinDeg(f.betaDegrees));
    f.cosBeta = Held(CosDeg(f.betaDegrees));
    f.cos2Beta = Held(static_cast<Extended>(f.cosBeta) * f.cosBeta);
    // β plus a correction in seconds of arc, back to radians through ρ″.
    const Extended series = 50221746 + (293622 + (2350 + 22.0L * f.cos2Beta) * f.cos2Beta) * f.cos2Beta;
    const Extended correctionSec = secondsPerRadian * f.sinBeta * f.cosBeta * 1e-10L * series;
    f.Bx = Held(Checked(correctionSec + 3600.0L * f.betaDegrees) / secondsPerRadian);
    f.BxSeconds = Held(secondsPerRadian * f.Bx);
    f.BxDegrees = Held(f.BxSeconds / 3600);
    return f;
}

GeodeticCoordinates GaussKrugerToGeodetic(double x, double y, double Lo, ResultTable& t)
{
    const Footpoint f = FootpointLatitude(x, RoSecondsTextbook);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowBeta, f.beta, 9);
    WriteSeconds(t, GkInverseRowBetaSeconds, f.betaSeconds);
    WriteAngle(t, GaussKrugerValueColumn, GkInverseRowBetaDegrees, f.betaDegrees);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowSinBeta, f.sinBeta, 6);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowCosBeta, f.cosBeta, 6);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowCos2Beta, f.cos2Beta, 6);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowBx, f.Bx, 9);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowBxSeconds, f.BxSeconds, 4);
    const double BxDeg = f.BxDegrees;
    WriteAngle(t, GaussKrugerValueColumn, GkInverseRowBxDegrees, BxDeg);
    const double sinBx = Held(SinDeg(BxDeg));
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowSinBx, sinBx, 6);
    const double cosBx = Held(CosDeg(BxDeg));
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowCosBx, cosBx, 6);
    const double c = Held(static_cast<Extended>(cosBx) * cosBx);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowCos2Bx, c, 6);

    // All coefficients come from the same cos²Bx before the first of them is shown.
    const double Nx = PrimeVerticalRadius(c);
    const double b2 = Held((0.5L + 0.0033692L * c) * cosBx * sinBx);
    const double b3 = Held(0.333333L - (0.166666L - 0.001123L * c) * c);
    const double b4 = Held(0.25L + (0.16161L + 0.00562L * c) * c);
    const double b5 = Held(0.2L - (0.1667L - 0.0088L * c) * c);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowNx, Nx, 4);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowB2, b2, 8);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowB3, b3, 8);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowB4, b4, 8);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowB5, b5, 8);

    const double NxCos = Held(static_cast<Extended>(cosBx) * Nx);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowNxCosBx, NxCos, 4);
    const double z = Held(Divide(y, NxCos));
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowZ, z, 8);
    const double z2 = Held(static_cast<Extended>(z) * z);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowZ2, z2, 8);

    // Latitude: the footpoint latitude less a correction that depends on y² only.
    const double dB = Held((1 - (b4 - 0.12L * z2) * z2) * z2 * b2);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowDeltaB, dB, 8);
    const double dBsec = Held(RoSecondsTextbook * dB);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowDeltaBSeconds, dBsec, 8);
    const double B = Held(BxDeg - RoSecondsTextbook * dB / 3600);
    WriteAngle(t, GaussKrugerValueColumn, GkInverseRowB, B);

    // Longitude difference from the axial meridian, signed like y.
    const double l = Held((1 - (b3 - static_cast<Extended>(b5) * z2) * z2) * z);
    WriteFixed(t, GaussKrugerValueColumn, GkInverseRowLRadians, l, 8);
    const double lDeg = Held(RoSecondsTextbook * l / 3600);
    WriteAngle(t, GaussKrugerValueColumn, GkInverseRowLDegrees, lDeg);
    const double L = Held(static_cast<Extended>(Lo) + lDeg);
    WriteAngle(t, GaussKrugerValueColumn, GkInverseRowL, L);
    return {B, L};
}

GeodeticInput ReadGeodeticInput(const Inputs& inputs)
{
    GeodeticInput in;
    in.Lo = inputs.angle(QStringLiteral("L0"));
    in.B = inputs.angle(QStringLiteral("B"));
    in.L = inputs.angle(QStringLiteral("L"));
    return in;
}

PlaneInput ReadPlaneInput(const Inputs& inputs)
{
    PlaneInput in;
    in.Lo = inputs.angle(QStringLiteral("L0"));
    in.x = inputs.real(QStringLiteral("x"));
    in.y = inputs.real(QStringLiteral("y"));
    return in;
}

}  // namespace kvelta
