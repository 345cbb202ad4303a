// The rows and columns the triangle computations write by name stand beside (or under) the labels
// that name the same quantity.
#include "spherical/legendre_triangle.h"
#include "support/kvelta_test.h"

namespace kvelta {
namespace {

using test::Str;

TEST(SphericalRowNames, StandBesideTheirLabels)
{
    ResultTable legendre(7, LegendreRows), additaments(8, AdditamentsRows);
    LegendreTableLabels(legendre);
    AdditamentsTableLabels(additaments);
    const struct {
        const ResultTable& table;
        int column, row;
        const char* label;
    } named[] = {
        {legendre, 0, LegendreRowF, "f"},
        {legendre, 0, LegendreRowSinASinC, "sinA*sinC"},
        {legendre, LegendreExcessColumn - 1, LegendreRowDI, "DI"},
        {legendre, LegendreExcessColumn - 1, LegendreExcessRow, "E"},
        {legendre, 0, LegendreRowVertexB, "B"},
        {legendre, 0, LegendreRowVertexC, "C"},
        {legendre, 0, LegendreMisclosureRow, "Омега"},
        {legendre, LegendreCorrectionColumn, LegendreAngleHeadingRow, "Поправка из урав."},
        {legendre, LegendrePlaneSineColumn, LegendreAngleHeadingRow, "sin углов пл.тр."},
        {legendre, 0, LegendreRowDII, "DII"},
        {legendre, LegendreSidesColumn - 1, LegendreSideARow, "a"},
        {legendre, LegendreSidesColumn - 1, LegendreSidesRow, "c"},
        {additaments, 0, AdditamentsRowC, "C"},
        {additaments, 0, AdditamentsRowMisclosure, "Омега"},
        {additaments, AdditamentsSineColumn, 0, "sin урав. уг. сф. тр."},
        {additaments, AdditamentsAdditamentColumn, 0, "As"},
        {additaments, AdditamentsSidesColumn, 0, "Стор. сф. тр."},
    };
    for (const auto& n : named)
        EXPECT_EQ(Str(n.table.cell(n.column, n.row)), n.label) << "column " << n.column << " row " << n.row;
}

}  // namespace
}  // namespace kvelta
