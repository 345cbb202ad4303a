#pragma once
// Coordinates of a point between the reference systems SK-42 (Krasovsky ellipsoid), PZ-90.11
// (PZ-90 ellipsoid) and WGS-84 (G1150), through PZ-90.11, by the seven-parameter Helmert
// transformation of X, Y, Z, with B, L, H ↔ X, Y, Z on each ellipsoid as the first and last
// stages; beside it Molodensky's formulas, which change B, L, H directly.
//
// Parameters: GOST 32453-2017 "Глобальная навигационная спутниковая система. Системы координат.
// Методы преобразований координат определяемых точек", coordinate frame rotation:
//   X_B = (1 + m)·[[1, ωz, −ωy], [−ωz, 1, ωx], [ωy, −ωx, 1]]·X_A + ΔX,
// the reverse transformation with every parameter's sign changed:
//   SK-42 → PZ-90.11:  ΔX = 23.557, ΔY = −140.844, ΔZ = −79.778 m; ωx = −0.00230″, ωy = −0.34646″,
//                      ωz = −0.79421″; m = −0.228·10⁻⁶;
//   WGS-84 → PZ-90.11: ΔX = −0.013, ΔY = 0.106, ΔZ = 0.022 m; ωx = −0.00230″, ωy = 0.00354″,
//                      ωz = −0.00421″; m = −0.008·10⁻⁶.
// Ellipsoids: Krasovsky a = 6378245 m, 1/f = 298.3; PZ-90 a = 6378136 m, 1/f = 298.25784;
// WGS-84 a = 6378137 m, 1/f = 298.257223563.

#include "frame/inputs.h"
#include "frame/result_table.h"

namespace kvelta {

struct Ellipsoid {
    double a = 0;  // metres
    double f = 0;
    double e2() const { return f * (2 - f); }
};

inline constexpr Ellipsoid KrasovskyEllipsoid{6378245.0, 1 / 298.3};
inline constexpr Ellipsoid Pz90Ellipsoid{6378136.0, 1 / 298.25784};
inline constexpr Ellipsoid Wgs84Ellipsoid{6378137.0, 1 / 298.257223563};

struct HelmertParameters {
    double dX = 0, dY = 0, dZ = 0;  // metres
    double wx = 0, wy = 0, wz = 0;  // seconds of arc
    double m = 0;                   // scale difference, parts per million
    HelmertParameters reversed() const { return {-dX, -dY, -dZ, -wx, -wy, -wz, -m}; }
};

inline constexpr HelmertParameters Sk42ToPz9011{23.557, -140.844, -79.778, -0.00230, -0.34646, -0.79421, -0.228};
inline constexpr HelmertParameters Wgs84ToPz9011{-0.013, 0.106, 0.022, -0.00230, 0.00354, -0.00421, -0.008};

struct Xyz {
    double X = 0, Y = 0, Z = 0;
};
struct Blh {
    double B = 0, L = 0;  // degrees
    double H = 0;         // metres
};

// The Helmert transformation as the standard writes it (a reverse one: parameters reversed()).
Xyz Helmert(const Xyz& p, const HelmertParameters& t);
// B, L, H ↔ X, Y, Z on an ellipsoid: the closed formulas one way, the latitude iterated to 10⁻¹²
// radian the other (a point within about 100 km of the centre is an error).
Xyz ToXyz(const Blh& p, const Ellipsoid& e);
Blh ToBlh(const Xyz& p, const Ellipsoid& e);
// Molodensky's formulas from `from` to `to`: the changes of B and L (seconds) and H (metres).
Blh MolodenskyChange(const Blh& p, const Ellipsoid& from, const Ellipsoid& to, const HelmertParameters& t);

// The rows of one page: the given point's B, L, H and X, Y, Z; after each Helmert stage X, Y, Z and
// B, L, H in the stage's system (PZ-90.11, then the end system); the changes of B, L, H by
// Molodensky's formulas for each stage, the point they give and its difference from the rigorous
// one. A block of three rows always holds B, L, H or X, Y, Z in that order.
enum DatumTableRow : int {
    DatumRowStartB = 1, DatumRowStartL, DatumRowStartH, DatumRowStartX, DatumRowStartY, DatumRowStartZ,
    DatumRowPz90X, DatumRowPz90Y, DatumRowPz90Z, DatumRowPz90B, DatumRowPz90L, DatumRowPz90H,
    DatumRowEndX, DatumRowEndY, DatumRowEndZ, DatumRowEndB, DatumRowEndL, DatumRowEndH,
    DatumRowFirstChangeB, DatumRowFirstChangeL, DatumRowFirstChangeH,
    DatumRowSecondChangeB, DatumRowSecondChangeL, DatumRowSecondChangeH,
    DatumRowMolodenskyB, DatumRowMolodenskyL, DatumRowMolodenskyH,
    DatumRowMolodenskyMinusRigorousB, DatumRowMolodenskyMinusRigorousL, DatumRowMolodenskyMinusRigorousH,
    DatumRows  // the heading row and the rows above
};

// The two pages: SK-42 → PZ-90.11 → WGS-84 and WGS-84 → PZ-90.11 → SK-42.
enum class DatumDirection { Sk42ToWgs84, Wgs84ToSk42 };

void DatumLabels(ResultTable& table, DatumDirection direction);
// B, L, H of the SK-42 point (B42, L42, H42) or of the WGS-84 point (B84, L84, H84).
Blh ReadDatumPoint(const Inputs& inputs, DatumDirection direction);
// Writes the value column of a page in row order; returns B, L, H at the end of the rigorous chain.
Blh ComputeDatumChain(const Blh& start, DatumDirection direction, ResultTable& table);

}  // namespace kvelta
