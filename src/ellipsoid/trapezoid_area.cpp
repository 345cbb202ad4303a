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
    in.B1 = inputs.angle(QStringLiteral("B1"));
    in.B2 = inputs.angle(QStringLiteral("B2"));
    in.deltaLSeconds = inputs.real(QStringLiteral("L2-L1"));
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

    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowSemiMinorAxis, SemiMinorAxisKm, 3);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowE2, e2, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowInverseRo, 1 / RoSecondsTextbook, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowDeltaLSeconds, in.deltaLSeconds, 2);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowSinB2, s2, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowSin3B2, s2p3, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowSin5B2, s2p5, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowSin7B2, s2p7, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowSinB1, s1, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowSin3B1, s1p3, 8);
    WriteFixed(t, FirstValueColumn, TrapezoidAreaRowSin5B1, s1p5, 8);

    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowSin7B1, s1p7, 8);
    // The coefficient cells are shown only; the terms below form e⁴ and e⁶ themselves.
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowTwoThirdsE2, 2 * e2 / 3, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowThreeFifthsE2, 0.6L * e2, 8);
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowFourSeventhsE2, 4 * e2 / 7, 8);
    // The three series terms are kept as doubles too.
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowTermI, ToDouble(2 * e2 / 3 * (static_cast<Extended>(s2p3) - s1p3)), 10);
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowTermII, ToDouble(e2 * e2 * 0.6L * (static_cast<Extended>(s2p5) - s1p5)), 10);
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowTermIII, ToDouble(e2 * e2 * (4.0L / 7) * e2 * (static_cast<Extended>(s2p7) - s1p7)), 10);

    // b² and K are kept as doubles, as the worked solution carries them.
    const double bSquared = ToDouble(static_cast<Extended>(SemiMinorAxisKm) * SemiMinorAxisKm);
    const double K = ToDouble(static_cast<Extended>(bSquared) * in.deltaLSeconds / RoSecondsTextbook);
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowK, K, 9);

    // The bracket takes the terms as rounded in their cells, so that P agrees with the table;
    // the bracket and P are kept as doubles.
    auto bracket = [&] {
        const Extended I = ParseReal(t.cell(SecondValueColumn, TrapezoidAreaRowTermI));
        const Extended II = ParseReal(t.cell(SecondValueColumn, TrapezoidAreaRowTermII));
        const Extended III = ParseReal(t.cell(SecondValueColumn, TrapezoidAreaRowTermIII));
        return ToDouble((static_cast<Extended>(s2) - s1 + I) + II + III);
    };
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowBracket, bracket(), 8);
    WriteFixed(t, SecondValueColumn, TrapezoidAreaRowP, ToDouble(static_cast<Extended>(K) * bracket()), 8);
}

}  // namespace kvelta
