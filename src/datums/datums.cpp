#include "datums/datums.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
#include "frame/errors.h"
#include "spatial/spatial_coordinates.h"

#include <cmath>
#include <iterator>

namespace kvelta {

namespace {

constexpr long double Ro = RoSecondsExact;
constexpr int MetreDecimals = 3, SecondDecimals = 4;
constexpr int IterationLimit = 10;

double Degrees(long double radians) { return ToDouble(radians * Ro / 3600); }

struct Stage {
    const char* from;
    const char* to;
    const Ellipsoid* fromEllipsoid;
    const Ellipsoid* toEllipsoid;
    HelmertParameters parameters;
    const char* formula;
};

struct Chain {
    const char* systems[3];
    Stage stages[2];
};

const Chain& ChainOf(DatumDirection direction)
{
    static const Chain toWgs{{"СК-42", "ПЗ-90.11", "WGS-84"},
                             {{"СК-42", "ПЗ-90.11", &KrasovskyEllipsoid, &Pz90Ellipsoid, Sk42ToPz9011, "(1+m)R*X+dX"},
                              {"ПЗ-90.11", "WGS-84", &Pz90Ellipsoid, &Wgs84Ellipsoid, Wgs84ToPz9011.reversed(),
                               "(1-m)R'*X-dX"}}};
    static const Chain toSk{{"WGS-84", "ПЗ-90.11", "СК-42"},
                            {{"WGS-84", "ПЗ-90.11", &Wgs84Ellipsoid, &Pz90Ellipsoid, Wgs84ToPz9011, "(1+m)R*X+dX"},
                             {"ПЗ-90.11", "СК-42", &Pz90Ellipsoid, &KrasovskyEllipsoid, Sk42ToPz9011.reversed(),
                              "(1-m)R'*X-dX"}}};
    return direction == DatumDirection::Sk42ToWgs84 ? toWgs : toSk;
}

void WriteAngleRow(ResultTable& t, int row, double degrees)
{
    t.setValue(FirstValueColumn, row, FormatDms(degrees, SecondDecimals), degrees);
}

void WriteMetres(ResultTable& t, int row, long double metres)
{
    WriteFixed(t, FirstValueColumn, row, metres, MetreDecimals);
}

void WriteSeconds(ResultTable& t, int row, long double seconds)
{
    t.setValue(FirstValueColumn, row, FormatFixed(Checked(seconds), SecondDecimals) + QLatin1Char('"'), seconds);
}

// A block of three rows from the row of B (or X, or the change of B): the rows of L and H follow.
constexpr int SecondInBlock = 1, ThirdInBlock = 2;

void WriteBlh(ResultTable& t, int rowOfB, const Blh& p)
{
    WriteAngleRow(t, rowOfB, p.B);
    WriteAngleRow(t, rowOfB + SecondInBlock, p.L);
    WriteMetres(t, rowOfB + ThirdInBlock, p.H);
}

void WriteXyz(ResultTable& t, int rowOfX, const Xyz& p)
{
    WriteMetres(t, rowOfX, p.X);
    WriteMetres(t, rowOfX + SecondInBlock, p.Y);
    WriteMetres(t, rowOfX + ThirdInBlock, p.Z);
}

// A change or a difference of B and L in seconds, of H in metres.
void WriteChange(ResultTable& t, int rowOfB, const Blh& change)
{
    WriteSeconds(t, rowOfB, change.B);
    WriteSeconds(t, rowOfB + SecondInBlock, change.L);
    WriteMetres(t, rowOfB + ThirdInBlock, change.H);
}

// Where each stage of the chain writes: X, Y, Z and B, L, H after it, and its change by Molodensky.
struct StageRows {
    int xyz, blh, change;
};
constexpr StageRows RowsOfStage[] = {{DatumRowPz90X, DatumRowPz90B, DatumRowFirstChangeB},
                                      {DatumRowEndX, DatumRowEndB, DatumRowSecondChangeB}};

// The Krasovsky ellipsoid's stages are the spatial coordinates exercise's computation.
Xyz StartXyz(const Blh& p, const Ellipsoid& e)
{
    if (&e != &KrasovskyEllipsoid)
        return ToXyz(p, e);
    ResultTable scratch(2, GeodeticToGeocentricRows);
    const GeocentricPoint xyz = GeodeticToGeocentric({p.B, p.L, p.H}, scratch);
    return {xyz.X, xyz.Y, xyz.Z};
}

Blh EndBlh(const Xyz& p, const Ellipsoid& e)
{
    if (&e != &KrasovskyEllipsoid)
        return ToBlh(p, e);
    ResultTable scratch(2, GeocentricToGeodeticRows);
    const GeodeticPoint blh = GeocentricToGeodetic({p.X, p.Y, p.Z}, scratch);
    return {blh.B, blh.L, blh.H};
}

}  // namespace

Xyz Helmert(const Xyz& p, const HelmertParameters& t)
{
    const long double wx = t.wx / Ro, wy = t.wy / Ro, wz = t.wz / Ro, scale = 1 + t.m * 1e-6L;
    const long double X = p.X, Y = p.Y, Z = p.Z;
    return {ToDouble(scale * (X + wz * Y - wy * Z) + t.dX), ToDouble(scale * (-wz * X + Y + wx * Z) + t.dY),
            ToDouble(scale * (wy * X - wx * Y + Z) + t.dZ)};
}

Xyz ToXyz(const Blh& p, const Ellipsoid& e)
{
    const long double B = Radians(p.B), L = Radians(p.L), e2 = e.e2();
    const long double N = e.a / std::sqrt(1 - e2 * std::sin(B) * std::sin(B));
    return {ToDouble((N + p.H) * std::cos(B) * std::cos(L)), ToDouble((N + p.H) * std::cos(B) * std::sin(L)),
            ToDouble((N * (1 - e2) + p.H) * std::sin(B))};
}

Blh ToBlh(const Xyz& p, const Ellipsoid& e)
{
    const long double X = p.X, Y = p.Y, Z = p.Z, e2 = e.e2();
    const long double D = std::sqrt(X * X + Y * Y);
    long double B = std::atan2(Z, D * (1 - e2)), H = 0;
    for (int i = 0; i < IterationLimit; ++i) {
        const long double W = std::sqrt(1 - e2 * std::sin(B) * std::sin(B)), N = e.a / W;
        // The height along the normal, free of a division by cos B or sin B (see the spatial exercise).
        H = D * std::cos(B) + Z * std::sin(B) - e.a * W;
        if (!(N * (1 - e2) + H > 0))
            throw KveltaError(QStringLiteral("Точка слишком близко к центру эллипсоида: широта B не определяется"));
        const long double next = std::atan2(Z * (N + H), D * (N * (1 - e2) + H));
        const bool converged = std::fabs(next - B) < 1e-14L;
        B = next;
        if (converged) {
            const long double W2 = std::sqrt(1 - e2 * std::sin(B) * std::sin(B));
            return {Degrees(B), Degrees(std::atan2(Y, X)), ToDouble(D * std::cos(B) + Z * std::sin(B) - e.a * W2)};
        }
    }
    throw KveltaError(QStringLiteral("Широта B не сошлась за %1 приближений").arg(IterationLimit));
}

Blh MolodenskyChange(const Blh& p, const Ellipsoid& from, const Ellipsoid& to, const HelmertParameters& t)
{
    const long double a = (from.a + to.a) / 2, e2 = (from.e2() + to.e2()) / 2;
    const long double da = to.a - from.a, de2 = to.e2() - from.e2();
    const long double B = Radians(p.B), L = Radians(p.L), H = p.H, m = t.m * 1e-6L;
    const long double sinB = std::sin(B), cosB = std::cos(B), sinL = std::sin(L), cosL = std::cos(L);
    const long double W2 = 1 - e2 * sinB * sinB, N = a / std::sqrt(W2), M = a * (1 - e2) / (W2 * std::sqrt(W2));
    // At a pole the longitude's change is infinite: the formulas do not apply there.
    if (std::fabs(cosB) < 1e-9L)
        throw KveltaError(QStringLiteral("Формулы Молоденского неприменимы на полюсе (|B| = 90°): изменение долготы "
                                         "не определено; строгий путь вычислен"));
    const long double shift = t.dX * cosL + t.dY * sinL;
    const long double dB = Ro / (M + H) * (N / a * e2 * sinB * cosB * da + (N * N / (a * a) + 1) * N * sinB * cosB * de2 / 2 -
                                           shift * sinB + t.dZ * cosB) +
                           (1 + e2 * std::cos(2 * B)) * (t.wy * cosL - t.wx * sinL) - Ro * m * e2 * sinB * cosB;
    const long double dL = Divide(Ro * (t.dY * cosL - t.dX * sinL), (N + H) * cosB) +
                           Divide(sinB, cosB) * (1 - e2) * (t.wx * cosL + t.wy * sinL) - t.wz;
    const long double dH = -a / N * da + N * sinB * sinB * de2 / 2 + shift * cosB + t.dZ * sinB -
                           N * e2 * sinB * cosB * (t.wx * sinL - t.wy * cosL) / Ro + (a * a / N + H) * m;
    return {ToDouble(dB), ToDouble(dL), ToDouble(dH)};
}

void DatumLabels(ResultTable& table, DatumDirection direction)
{
    const Chain& c = ChainOf(direction);
    WriteFormulaResultHeadings(table);
    int row = 1;
    const auto label = [&](const QString& text) { table.setLabel(0, row++, text); };
    const auto blh = [&](const char* system) {
        label(QStringLiteral("B (%1)").arg(QString::fromUtf8(system)));
        label(QStringLiteral("L (%1)").arg(QString::fromUtf8(system)));
        label(QStringLiteral("H (%1), м").arg(QString::fromUtf8(system)));
    };
    const auto xyz = [&](const char* system, const QString& formula) {
        for (const char* axis : {"X", "Y", "Z"})
            label(QStringLiteral("%1 (%2)%3, м").arg(QLatin1String(axis), QString::fromUtf8(system), formula));
    };
    blh(c.systems[0]);
    xyz(c.systems[0], QString());
    for (const Stage& s : c.stages) {
        xyz(s.to, QStringLiteral(" = %1").arg(QLatin1String(s.formula)));
        blh(s.to);
    }
    for (const Stage& s : c.stages) {
        const QString stage = QStringLiteral(" %1->%2").arg(QString::fromUtf8(s.from), QString::fromUtf8(s.to));
        label(QStringLiteral("dB\" Молоденского") + stage);
        label(QStringLiteral("dL\" Молоденского") + stage);
        label(QStringLiteral("dH Молоденского") + stage + QStringLiteral(", м"));
    }
    const QString last = QString::fromUtf8(c.systems[2]);
    label(QStringLiteral("B (%1) по Молоденскому").arg(last));
    label(QStringLiteral("L (%1) по Молоденскому").arg(last));
    label(QStringLiteral("H (%1) по Молоденскому, м").arg(last));
    label(QStringLiteral("B по Молоденскому - B строгое, \""));
    label(QStringLiteral("L по Молоденскому - L строгое, \""));
    label(QStringLiteral("H по Молоденскому - H строгое, м"));
}

Blh ReadDatumPoint(const Inputs& inputs, DatumDirection direction)
{
    const QString system = direction == DatumDirection::Sk42ToWgs84 ? QStringLiteral("42") : QStringLiteral("84");
    Blh p;
    p.B = inputs.angle(QStringLiteral("B") + system);
    p.L = inputs.angle(QStringLiteral("L") + system);
    p.H = inputs.real(QStringLiteral("H") + system);
    if (std::fabs(p.B) > 90)
        throw KveltaError(QStringLiteral("Широта B (%1) за пределами ±90°").arg(QString::fromUtf8(ChainOf(direction).systems[0])));
    return p;
}

Blh ComputeDatumChain(const Blh& start, DatumDirection direction, ResultTable& t)
{
    const Chain& c = ChainOf(direction);
    WriteBlh(t, DatumRowStartB, start);
    Xyz xyz = StartXyz(start, *c.stages[0].fromEllipsoid);
    WriteXyz(t, DatumRowStartX, xyz);
    Blh end;
    for (std::size_t stage = 0; stage < std::size(c.stages); ++stage) {
        const Stage& s = c.stages[stage];
        xyz = Helmert(xyz, s.parameters);
        WriteXyz(t, RowsOfStage[stage].xyz, xyz);
        end = EndBlh(xyz, *s.toEllipsoid);
        WriteBlh(t, RowsOfStage[stage].blh, end);
    }
    // Molodensky's formulas stage by stage, each from the B, L, H the previous one gave.
    Blh approximate = start;
    for (std::size_t stage = 0; stage < std::size(c.stages); ++stage) {
        const Stage& s = c.stages[stage];
        const Blh change = MolodenskyChange(approximate, *s.fromEllipsoid, *s.toEllipsoid, s.parameters);
        WriteChange(t, RowsOfStage[stage].change, change);
        approximate = {approximate.B + change.B / 3600, std::remainder(approximate.L + change.L / 3600, 360.0),
                       approximate.H + change.H};
    }
    WriteBlh(t, DatumRowMolodenskyB, approximate);
    const Blh difference{(approximate.B - end.B) * 3600, std::remainder(approximate.L - end.L, 360.0) * 3600,
                         approximate.H - end.H};
    WriteChange(t, DatumRowMolodenskyMinusRigorousB, difference);
    return end;
}

}  // namespace kvelta
