#include "ellipsoid/trapezoid_area.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"

namespace kvelta {

namespace {

constexpr double SemiMinorAxisKm = 6356.863;

}  // namespace

void TrapezoidAreaLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {
        "b", "e^2", "1/Ro", "(L2-L1)\"", "SinB2", "Sin^3B2", "Sin^5B2", "Sin^7B2", "SinB1", "Sin^3B1",
        "Sin^5B1"});
    WriteLabelColumn(table, 2, {
        "Sin^7B1", "(2/3)e^2", "(3/5)e^2", "(4/7)e^2", "I", "II", "III", "b^2(L2-L1)/Ro\"",
        "SinB2-SinB1+I+II+III", "P"});
}

TrapezoidAreaInputs ReadTrapezoidAreaInputs(const Inputs& inputs)
{
    TrapezoidAreaInputs in;
    in.B1 = ReadAngle(inputs, QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5"));
    in.B2 = ReadAngle(inputs, QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8"));
    in.deltaLSeconds = inputs.real(QStringLiteral("Edit9"));
    return in;
}

void ComputeTrapezoidArea(const TrapezoidAreaInputs& in, ResultTable& t)
{
    const Extended e2 = KrasovskyE2Rounded;
    // The sines and their odd powers are kept as doubles; each power is formed from the kept sine
    // with its products carried in extended precision.
    const double s1 = ToDouble(SinDeg(in.B1)), s2 = ToDouble(SinDeg(in.B2));
    const Extended s1sq = static_cast<Extended>(s1) * s1, s2sq = static_cast<Extended>(s2) * s2;
    const double s1p3 = ToDouble(s1sq * s1), s2p3 = ToDouble(s2sq * s2);
    const double s1p5 = ToDouble(s1sq * s1sq * s1), s2p5 = ToDouble(s2sq * s2sq * s2);
    const double s1p7 = ToDouble(s1sq * s1sq * s1 * s1sq), s2p7 = ToDouble(s2sq * s2sq * s2 * s2sq);

    WriteFixed(t, 1, 1, SemiMinorAxisKm, 3);
    WriteFixed(t, 1, 2, e2, 8);
    WriteFixed(t, 1, 3, 1 / RoSecondsTextbook, 8);
    WriteFixed(t, 1, 4, in.deltaLSeconds, 2);
    WriteFixed(t, 1, 5, s2, 8);
    WriteFixed(t, 1, 6, s2p3, 8);
    WriteFixed(t, 1, 7, s2p5, 8);
    WriteFixed(t, 1, 8, s2p7, 8);
    WriteFixed(t, 1, 9, s1, 8);
    WriteFixed(t, 1, 10, s1p3, 8);
    WriteFixed(t, 1, 11, s1p5, 8);

    WriteFixed(t, 3, 1, s1p7, 8);
    // The coefficient cells are shown only; the terms below form e⁴ and e⁶ themselves.
    WriteFixed(t, 3, 2, 2 * e2 / 3, 8);
    WriteFixed(t, 3, 3, 0.6L * e2, 8);
    WriteFixed(t, 3, 4, 4 * e2 / 7, 8);
    // The three series terms are kept as doubles too.
    WriteFixed(t, 3, 5, ToDouble(2 * e2 / 3 * (static_cast<Extended>(s2p3) - s1p3)), 10);
    WriteFixed(t, 3, 6, ToDouble(e2 * e2 * 0.6L * (static_cast<Extended>(s2p5) - s1p5)), 10);
    WriteFixed(t, 3, 7, ToDouble(e2 * e2 * (4.0L / 7) * e2 * (static_cast<Extended>(s2p7) - s1p7)), 10);

    // b² and K are kept as doubles, as the worked solution carries them.
    const double bSquared = ToDouble(static_cast<Extended>(SemiMinorAxisKm) * SemiMinorAxisKm);
    const double K = ToDouble(static_cast<Extended>(bSquared) * in.deltaLSeconds / RoSecondsTextbook);
    WriteFixed(t, 3, 8, K, 9);

    // The bracket takes the terms as rounded in their cells, so that P agrees with the table;
    // the bracket and P are kept as doubles.
    auto bracket = [&] {
        const Extended I = ParseReal(t.cell(3, 5));
        const Extended II = ParseReal(t.cell(3, 6));
        const Extended III = ParseReal(t.cell(3, 7));
        return ToDouble((static_cast<Extended>(s2) - s1 + I) + II + III);
    };
    WriteFixed(t, 3, 9, bracket(), 8);
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowP, ToDouble(static_cast<Extended>(K) * bracket()), 8);
}

}  // namespace kvelta
