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
    in.B1 = inputs.angle(QStringLiteral("B1"));
    in.B2 = inputs.angle(QStringLiteral("B2"));
    in.Bm = ToDouble((static_cast<Extended>(in.B1) + in.B2) / 2);
    in.deltaLSeconds = inputs.real(QStringLiteral("L2-L1"));
    in.scale = inputs.real(QStringLiteral("M"));
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

    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowA, a, 0);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowA1e2, a1e2, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowE2, e2, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowK1, k1, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowK3, k3, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowK5, k5, 8);
    WriteAngle(t, FirstValueColumn, TrapezoidSidesRowB1, in.B1);
    WriteAngle(t, FirstValueColumn, TrapezoidSidesRowB2, in.B2);
    WriteAngle(t, FirstValueColumn, TrapezoidSidesRowBm, in.Bm);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowSinB1, s1, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowSinB2, s2, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowSinBm, sm, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowSin2B1, s1sq, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowSin2B2, s2sq, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowSin2Bm, smsq, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowCosB1, c1, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowCosB2, c2, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowMapL, kL, 3);
    WriteFixed(t, FirstValueColumn, TrapezoidSidesRowMapB, kB, 3);

    const Extended f1 = 1 - s1sq * k1, g1 = 1 - s1sq * k3;
    const Extended f2 = 1 - s2sq * k1, g2 = 1 - s2sq * k3;
    const Extended fm = 1 + smsq * k1, gm = 1 - smsq * k5;
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowF1, f1, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowG1, g1, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowF2, f2, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowG2, g2, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowFm, fm, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowGm, gm, 8);
    const Extended N1 = Divide(f1 * a, g1);
    const Extended N2 = Divide(f2 * a, g2);
    const Extended Mm = Divide(fm * (1 - e2) * a, gm);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowN1, N1, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowN2, N2, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowMm, Mm, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowInverseRo, 1 / RoSecondsTextbook, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowN1OverRo, N1 / RoSecondsTextbook, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowN2OverRo, N2 / RoSecondsTextbook, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowMmOverRo, Mm / RoSecondsTextbook, 8);
    const Extended a1 = Checked(Divide(c1 * f1 * Checked(kL * a), g1) / RoSecondsTextbook);
    const Extended a2 = Checked(Divide(c2 * f2 * Checked(kL * a), g2) / RoSecondsTextbook);
    const Extended c = Checked(Divide(fm * Checked(kB * a * (1 - e2)), gm) / RoSecondsTextbook);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowA1, a1, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowA2, a2, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowC, c, 8);
    const Extended a1a2 = Checked(a1 * a2);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowA1A2, a1a2, 8);
    const Extended dSquared = Checked(c * c + a1a2);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowDSquared, dSquared, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidSidesRowD, SquareRoot(dSquared), 8);
}

}  // namespace kvelta
