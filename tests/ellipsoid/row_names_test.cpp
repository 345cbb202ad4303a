// The rows the computations write by name stand beside the labels that name the same quantity:
// a row constant that slips by one puts a value beside another quantity's label and fails here.
#include "ellipsoid/meridian_arc.h"
#include "ellipsoid/parallel_arc.h"
#include "ellipsoid/trapezoid_area.h"
#include "ellipsoid/trapezoid_sides.h"
#include "support/kvelta_test.h"

namespace kvelta {
namespace {

using test::Str;

struct NamedRow {
    int column;  // the value column; its label is in the column before it
    int row;
    const char* label;
};

void ExpectLabels(void (*writeLabels)(ResultTable&), int rows, std::initializer_list<NamedRow> named)
{
    ResultTable table(4, rows);
    writeLabels(table);
    for (const NamedRow& n : named)
        EXPECT_EQ(Str(table.cell(n.column - 1, n.row)), n.label) << "column " << n.column << " row " << n.row;
}

TEST(EllipsoidRowNames, StandBesideTheirLabels)
{
    constexpr int F = FirstValueColumn, S = SecondValueColumn;
    ExpectLabels(MeridianArcLabels, MeridianArcRows,
                 {{F, MeridianArcRowA, "a"}, {F, MeridianArcRowBcp, "Bcp"}, {F, MeridianArcRowQ1B2, "0.25e^2sin^2B2"},
                  {S, MeridianArcRowQ1Bcp, "0.25e^2sin^2Bcp"}, {S, MeridianArcRowOneMinusQ5Bcp, "1-1.25e^2sin^2Bcp"},
                  {S, MeridianArcRowM1, "M1"}, {S, MeridianArcRowMcp, "Mcp"}, {S, MeridianArcRowS, "S, м"}});
    ExpectLabels(ParallelArcLabels, ParallelArcRows,
                 {{F, ParallelArcRowL, "L"}, {F, ParallelArcRowQ3, "0.75e^2sin^2B"}, {S, ParallelArcRowN, "N"},
                  {S, ParallelArcRowNcosB, "NCosB"}, {S, ParallelArcRowS, "Sп"}});
    ExpectLabels(TrapezoidAreaLabels, TrapezoidAreaRows,
                 {{F, TrapezoidAreaRowSemiMinorAxis, "b"}, {F, TrapezoidAreaRowSin5B1, "Sin^5B1"},
                  {S, TrapezoidAreaRowSin7B1, "Sin^7B1"}, {S, TrapezoidAreaRowK, "b^2(L2-L1)/Ro\""},
                  {S, TrapezoidAreaRowP, "P"}});
    ExpectLabels(TrapezoidSidesLabels, TrapezoidSidesRows,
                 {{F, TrapezoidSidesRowA, "a"}, {F, TrapezoidSidesRowBm, "Bm"}, {F, TrapezoidSidesRowMapB, "100*dB/m"},
                  {S, TrapezoidSidesRowMm, "Nm"}, {S, TrapezoidSidesRowA1, "a1"}, {S, TrapezoidSidesRowC, "c"},
                  {S, TrapezoidSidesRowD, "d"}});
}

}  // namespace
}  // namespace kvelta
