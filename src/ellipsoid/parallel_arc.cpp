#include "ellipsoid/parallel_arc.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"

namespace kvelta {

void ParallelArcLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {
        "L", "B", "a", "0.25e2", "0.75e2", "sinB", "sin^2B", "0.25e^2sin^2B", "0.75e^2sin^2B"});
    WriteLabelColumn(table, 2, {
        "1-0.25e^2sin^2B", "1-0.75e^2sin^2B", "N", "CosB", "L", "1/Ro", "NCosB", "L/Ro", "Sп"});
}

ParallelArcInputs ReadParallelArcInputs(const Inputs& inputs)
{
    ParallelArcInputs in;
    in.L = inputs.angle(QStringLiteral("L"));
    in.B = inputs.angle(QStringLiteral("B"));
    return in;
}

void ComputeParallelArc(const ParallelArcInputs& in, ResultTable& t)
{
    const Extended a = KrasovskyA;
    const Extended e2 = KrasovskyE2Rounded;
    const Extended k1 = 0.25L * e2;
    const Extended k3 = 0.75L * e2;

    const Extended sinB = SinDeg(in.B);
    const Extended cosB = CosDeg(in.B);
    const Extended sin2B = sinB * sinB;
    const Extended q1 = sin2B * k1;
    const Extended q3 = sin2B * k3;
    const Extended f = 1 - q1;
    const Extended g = 1 - q3;
    const Extended Lseconds = Checked(static_cast<Extended>(in.L) * 3600);
    const Extended Lradians = Lseconds / RoSecondsTextbook;

    WriteAngle(t, FirstValueColumn, ParallelArcRowL, in.L);
    WriteAngle(t, FirstValueColumn, ParallelArcRowB, in.B);
    WriteFixed(t, FirstValueColumn, ParallelArcRowA, a, 1);
    WriteFixed(t, FirstValueColumn, ParallelArcRowK1, k1, 8);
    WriteFixed(t, FirstValueColumn, ParallelArcRowK3, k3, 8);
    WriteFixed(t, FirstValueColumn, ParallelArcRowSinB, sinB, 8);
    WriteFixed(t, FirstValueColumn, ParallelArcRowSin2B, sin2B, 8);
    WriteFixed(t, FirstValueColumn, ParallelArcRowQ1, q1, 8);
    WriteFixed(t, FirstValueColumn, ParallelArcRowQ3, q3, 8);

    WriteFixed(t, SecondValueColumn, ParallelArcRowOneMinusQ1, f, 8);
    WriteFixed(t, SecondValueColumn, ParallelArcRowOneMinusQ3, g, 8);
    WriteFixed(t, SecondValueColumn, ParallelArcRowN, Divide(f * a, g), 8);
    WriteFixed(t, SecondValueColumn, ParallelArcRowCosB, cosB, 8);
    WriteFixed(t, SecondValueColumn, ParallelArcRowLSeconds, Lseconds, 3);
    WriteFixed(t, SecondValueColumn, ParallelArcRowInverseRo, 1 / RoSecondsTextbook, 8);
    WriteFixed(t, SecondValueColumn, ParallelArcRowNcosB, Divide(cosB * a * f, g), 3);
    WriteFixed(t, SecondValueColumn, ParallelArcRowLRadians, Lradians, 8);
    WriteFixed(t, SecondValueColumn, ParallelArcRowS, Divide(Checked(cosB * Lradians * a) * f, g), 8);
}

}  // namespace kvelta
