#pragma once
// A large geodetic triangle (sides of several hundred kilometres) on the Krasovsky ellipsoid:
// the measured angles are reduced to a sphere by the curvature at each vertex, the spherical
// excess is found from the angles and side b, the angle sum is closed, the triangle is solved
// in the plane by Legendre's theorem, and the excess is checked by L'Huilier's formula on the
// sphere of mean radius, with the second-order terms of Legendre's theorem.
//
// The solution is shown on eight pages, one table each, filled in page order.

#include "frame/inputs.h"
#include "frame/result_table.h"

#include <array>

namespace kvelta {

inline constexpr int LargeTrianglePageCount = 8;

// The cells of the results, for the exercise description: the page (from 0), column and row.
// Page 3: the excess from the angles and side b, in seconds and as an angle.
inline constexpr int LargeTriangleExcessPage = 2, LargeTriangleExcessColumn = 3, LargeTriangleExcessSecondsRow = 4,
                     LargeTriangleExcessAngleRow = 5;
// Page 4: the misclosure W and the plane sides b, a, c.
inline constexpr int LargeTrianglePlanePage = 3, LargeTriangleMisclosureColumn = 1, LargeTriangleMisclosureRow = 6,
                     LargeTrianglePlaneSidesColumn = 4, LargeTrianglePlaneRowB = 8, LargeTrianglePlaneRowA = 9,
                     LargeTrianglePlaneRowC = 10;
// Page 5: L'Huilier's excess.
inline constexpr int LargeTriangleLhuilierPage = 4, LargeTriangleLhuilierColumn = 3, LargeTriangleLhuilierRow = 10;
// Page 8: the sides b, a, c from the refined angles.
inline constexpr int LargeTriangleSummaryPage = 7, LargeTriangleSummarySidesColumn = 3, LargeTriangleSummaryRowB = 1,
                     LargeTriangleSummaryRowA = 2, LargeTriangleSummaryRowC = 3;

// The eight tables in page order.
using LargeTriangleTables = std::array<ResultTable*, LargeTrianglePageCount>;

struct LargeTriangleInput {
    double A = 0, B = 0, C = 0;        // measured angles, degrees
    double Ba = 0, Bb = 0, Bc = 0;     // latitudes of the vertices, degrees
    double Bm = 0;                     // mean latitude, degrees
    double b = 0;                      // side opposite B, metres
};

// What the reduction to the sphere hands on to the solution.
struct SphericalReduction {
    double Mm = 0, Nm = 0;             // radii of curvature at the mean latitude
    double Asf = 0, Bsf = 0, Csf = 0;  // spherical angles, degrees
};

// Headings and row labels of all eight tables.
void LargeTriangleLabels(const LargeTriangleTables& tables);

// Reads all 22 fields, every one as a real number: the angles A, B, C, the latitudes Bb, Bc, Bm,
// Ba, then the side b.
LargeTriangleInput ReadLargeTriangle(const Inputs& inputs);

// Pages 1 and 2: radii, curvature corrections and the spherical angles.
SphericalReduction ComputeSphericalReduction(const LargeTriangleInput& in, ResultTable& page1,
                                             ResultTable& page2);

// Pages 3 to 8: excess, closure, plane solution, L'Huilier's excess, refined angles, summary.
void ComputeTriangleSolution(const LargeTriangleInput& in, const SphericalReduction& sphere,
                             const LargeTriangleTables& tables);

// The whole run, pages 1 to 8 in order.
void ComputeLargeTriangle(const LargeTriangleInput& in, const LargeTriangleTables& tables);

// Shared by both halves of the computation.
namespace large_triangle {
// Degrees to radians with π/180 held at extended precision.
Extended Rad(Extended degrees);
Extended Sin(Extended degrees);
// Seconds of arc: three decimals, a blank and the seconds mark.
QString SecondsText(Extended seconds);
// Tight seconds of arc: four decimals directly followed by the seconds mark.
QString TightSecondsText(Extended seconds);
// Angle text of a value rounded to a double first.
void WriteDegrees(ResultTable& table, int column, int row, Extended degrees);
}  // namespace large_triangle

}  // namespace kvelta
