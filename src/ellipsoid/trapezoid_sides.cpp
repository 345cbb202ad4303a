#include "ellipsoid/trapezoid_sides.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
#include "frame/errors.h"

#include <cmath>

namespace kvelta {

void TrapezoidSidesLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {
        "a",     "a(1-e^2)", "e^2",     "0.25e^2", "0.75e^2", "1.25e^2", "B1",    "B2",      "Bm",      "sinB1",
        "sinB2", "sinBm",    "sin^2B1", "sin^2B2", "sin^2Bm", "cosB1",   "cosB2", "100*L/m", "100*dB/m"});
    // Rows 5 and 6 keep their labels although they hold the factors of the meridian radius.
    WriteLabelColumn(table, 2, {
        "1-0.25e^2sin^B1", "1-0.75e^2sin^B1", "1-0.25e^2sin^B2", "1-0.75e^2sin^B2", "1-0.25e^2sin^Bm",
        "1-0.75e^2sin^Bm", "N1",              "N2",              "Nm",              "1/Ro",
        "N1/Ro",           "N2/Ro",           "Nm/Ro",           "a1",              "a2",
        "c",               "a1*a2",           "d62",             "d"});
}

TrapezoidSidesInputs ReadTrapezoidSidesInputs(const Inputs& inputs)
{
    TrapezoidSidesInputs in;
    in.B1 = ReadAngle(inputs, QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5"));
    in.B2 = ReadAngle(inputs, QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8"));
    in.Bm = ToDouble((static_cast<Extended>(in.B1) + in.B2) / 2);
    in.deltaLSeconds = inputs.real(QStringLiteral("Edit9"));
    in.scale = inputs.real(QStringLiteral("Edit10"));
    // Every map length is divided by M: stop before the first cell rather than fill the table
    // with a division fault half-way.
    if (in.scale == 0)
        throw KveltaError(QStringLiteral("Знаменатель масштаба M не может быть равен нулю"));
    return in;
}

void ComputeTrapezoidSides(const TrapezoidSidesInputs& in, ResultTable& t)
{
    const Extended a = KrasovskyA;
    const Extended e2 = KrasovskyE2Rounded;
    // The three factors are kept as doubles, as the worked solution carries them.
    const Extended k1 = static_cast<double>(0.25L * e2);
    const Extended k3 = static_cast<double>(0.75L * e2);
    const Extended k5 = static_cast<double>(1.25L * e2);
    const Extended a1e2 = (1 - e2) * a;

    const Extended s1 = SinDeg(in.B1), s2 = SinDeg(in.B2), sm = SinDeg(in.Bm);
    const Extended c1 = CosDeg(in.B1), c2 = CosDeg(in.B2);
    const Extended s1sq = s1 * s1, s2sq = s2 * s2, smsq = sm * sm;
    const Extended kL = Divide(static_cast<Extended>(in.deltaLSeconds) * 100, in.scale);
    const Extended kB = Divide(Checked(std::fabs(static_cast<Extended>(in.B1) - in.B2) * 360000), in.scale);

    WriteFixed(t, 1, 1, a, 0);
    WriteFixed(t, 1, 2, a1e2, 8);
    WriteFixed(t, 1, 3, e2, 8);
    WriteFixed(t, 1, 4, k1, 8);
    WriteFixed(t, 1, 5, k3, 8);
    WriteFixed(t, 1, 6, k5, 8);
    WriteAngle(t, 1, 7, in.B1);
    WriteAngle(t, 1, 8, in.B2);
    WriteAngle(t, 1, 9, in.Bm);
    WriteFixed(t, 1, 10, s1, 8);
    WriteFixed(t, 1, 11, s2, 8);
    WriteFixed(t, 1, 12, sm, 8);
    WriteFixed(t, 1, 13, s1sq, 8);
    WriteFixed(t, 1, 14, s2sq, 8);
    WriteFixed(t, 1, 15, smsq, 8);
    WriteFixed(t, 1, 16, c1, 8);
    WriteFixed(t, 1, 17, c2, 8);
    WriteFixed(t, 1, 18, kL, 3);
    WriteFixed(t, 1, 19, kB, 3);

    const Extended f1 = 1 - s1sq * k1, g1 = 1 - s1sq * k3;
    const Extended f2 = 1 - s2sq * k1, g2 = 1 - s2sq * k3;
    const Extended fm = 1 + smsq * k1, gm = 1 - smsq * k5;
    WriteFixed(t, 3, 1, f1, 8);
    WriteFixed(t, 3, 2, g1, 8);
    WriteFixed(t, 3, 3, f2, 8);
    WriteFixed(t, 3, 4, g2, 8);
    WriteFixed(t, 3, 5, fm, 8);
    WriteFixed(t, 3, 6, gm, 8);
    const Extended N1 = Divide(f1 * a, g1);
    const Extended N2 = Divide(f2 * a, g2);
    const Extended Mm = Divide(fm * (1 - e2) * a, gm);
    WriteFixed(t, 3, 7, N1, 8);
    WriteFixed(t, 3, 8, N2, 8);
    WriteFixed(t, 3, 9, Mm, 8);
    WriteFixed(t, 3, 10, 1 / RoSecondsTextbook, 8);
    WriteFixed(t, 3, 11, N1 / RoSecondsTextbook, 8);
    WriteFixed(t, 3, 12, N2 / RoSecondsTextbook, 8);
    WriteFixed(t, 3, 13, Mm / RoSecondsTextbook, 8);
    const Extended a1 = Checked(Divide(c1 * f1 * Checked(kL * a), g1) / RoSecondsTextbook);
    const Extended a2 = Checked(Divide(c2 * f2 * Checked(kL * a), g2) / RoSecondsTextbook);
    const Extended c = Checked(Divide(fm * Checked(kB * a * (1 - e2)), gm) / RoSecondsTextbook);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowA1, a1, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowA2, a2, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowC, c, 8);
    const Extended a1a2 = Checked(a1 * a2);
    WriteFixed(t, 3, 17, a1a2, 8);
    const Extended dSquared = Checked(c * c + a1a2);
    WriteFixed(t, 3, 18, dSquared, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowD, SquareRoot(dSquared), 8);
}

}  // namespace kvelta
