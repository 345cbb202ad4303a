#include "ellipsoid/meridian_arc.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"

#include <cmath>

namespace kvelta {

void MeridianArcLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {
        "a", "e^2", "a(1-e^2)", "1/6Ro", "B2", "B1", "Bcp", "0.25e^2", "1.25e^2", "sinB1", "SinB2",
        "SinBcp", "Sin^2B1", "Sin^2B2", "Sin^2Bcp", "0.25e^2sin^2B1", "0.25e^2sin^2B2"});
    WriteLabelColumn(table, 2, {
        "0.25e^2sin^2Bcp", "1.25e^2sin^2B1", "1.25e^2sin^2B2", "1.25e^2sin^2Bcp", "1+0.25e^2sin^2B1",
        "1+0.25e^2sin^2B2", "1+0.25e^2sin^2Bcp", "1-1.25e^2sin^2B1", "1-1.25e^2sin^2B2",
        "1-1.25e^2sin^2Bcp", "M1", "M2", "Mcp", "(B2-B1)\"", "(B2-B1)\"/6Ro", "S, м"});
}

MeridianArcLatitudes ReadMeridianArcLatitudes(const Inputs& inputs)
{
    MeridianArcLatitudes l;
    l.B1 = inputs.angle(QStringLiteral("B1"));
    l.B2 = inputs.angle(QStringLiteral("B2"));
    l.Bcp = ToDouble((static_cast<Extended>(l.B1) + l.B2) / 2);
    return l;
}

void ComputeMeridianArc(const MeridianArcLatitudes& l, ResultTable& t)
{
    const Extended a = KrasovskyA;
    const Extended e2 = KrasovskyE2Rounded;
    const Extended k1 = 0.25L * e2;
    const Extended k5 = 1.25L * e2;
    const Extended a1e2 = (1 - e2) * a;

    const Extended sinB1 = SinDeg(l.B1), sinB2 = SinDeg(l.B2), sinBcp = SinDeg(l.Bcp);
    const Extended sin2B1 = sinB1 * sinB1, sin2B2 = sinB2 * sinB2, sin2Bcp = sinBcp * sinBcp;
    const Extended q1B1 = sin2B1 * k1, q1B2 = sin2B2 * k1, q1Bcp = sin2Bcp * k1;
    const Extended q5B1 = sin2B1 * k5, q5B2 = sin2B2 * k5, q5Bcp = sin2Bcp * k5;
    auto meridianRadius = [&](Extended q1, Extended q5) { return Divide((q1 + 1) * a1e2, 1 - q5); };

    WriteFixed(t, FirstValueColumn, MeridianArcRowA, a, 1);
    WriteFixed(t, FirstValueColumn, MeridianArcRowE2, e2, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowA1e2, a1e2, 3);
    WriteFixed(t, FirstValueColumn, MeridianArcRowSimpsonCoefficient, 1.0L / (6 * RoSecondsTextbook), 8);
    WriteAngle(t, FirstValueColumn, MeridianArcRowB2, l.B2);
    WriteAngle(t, FirstValueColumn, MeridianArcRowB1, l.B1);
    WriteAngle(t, FirstValueColumn, MeridianArcRowBcp, l.Bcp);
    WriteFixed(t, FirstValueColumn, MeridianArcRowK1, k1, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowK5, k5, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowSinB1, sinB1, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowSinB2, sinB2, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowSinBcp, sinBcp, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowSin2B1, sin2B1, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowSin2B2, sin2B2, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowSin2Bcp, sin2Bcp, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowQ1B1, q1B1, 8);
    WriteFixed(t, FirstValueColumn, MeridianArcRowQ1B2, q1B2, 8);

    WriteFixed(t, SecondValueColumn, MeridianArcRowQ1Bcp, q1Bcp, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowQ5B1, q5B1, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowQ5B2, q5B2, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowQ5Bcp, q5Bcp, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowOnePlusQ1B1, 1 + q1B1, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowOnePlusQ1B2, 1 + q1B2, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowOnePlusQ1Bcp, 1 + q1Bcp, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowOneMinusQ5B1, 1 - q5B1, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowOneMinusQ5B2, 1 - q5B2, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowOneMinusQ5Bcp, 1 - q5Bcp, 8);
    const Extended M1 = meridianRadius(q1B1, q5B1);
    const Extended M2 = meridianRadius(q1B2, q5B2);
    WriteFixed(t, SecondValueColumn, MeridianArcRowM1, M1, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowM2, M2, 8);
    WriteFixed(t, SecondValueColumn, MeridianArcRowMcp, meridianRadius(q1Bcp, q5Bcp), 8);
    const Extended deltaSeconds = Checked((static_cast<Extended>(l.B2) - l.B1) * 3600);
    WriteFixed(t, SecondValueColumn, MeridianArcRowDeltaSeconds, deltaSeconds, 8);
    const Extended simpsonFactor = deltaSeconds / 6 / RoSecondsTextbook;
    WriteFixed(t, SecondValueColumn, MeridianArcRowSimpsonFactor, simpsonFactor, 8);
    const Extended fourMcp = Divide(a1e2 * 4 * (1 + q1Bcp), 1 - q5Bcp);
    WriteFixed(t, SecondValueColumn, MeridianArcRowS, Checked((M1 + fourMcp + M2) * simpsonFactor), 8);
}

}  // namespace kvelta
