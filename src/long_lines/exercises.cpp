#include "long_lines/exercises.h"

#include "frame/variants.h"
#include "long_lines/bessel.h"
#include "rigorous/geodesic_problems.h"
#include "rigorous/geodesy.h"

#include <cmath>

namespace kvelta {

namespace {

using namespace rigorous;
namespace row = bessel_rows;

const MenuPlace Submenu(const char* itemName, const char* itemText)
{
    return {QStringLiteral("LongLines1"), QStringLiteral("Геодезические задачи на больших расстояниях (способ Бесселя)"),
            QString::fromLatin1(itemName), QString::fromUtf8(itemText)};
}

const QString BesselNote = QStringLiteral(
    "Способ Бесселя: ряды для s и λ − l с коэффициентами эллипсоида до k¹⁰ и e¹⁰ (в s — и третья "
    "гармоника, член D·z, до 1,3 мм на 20 000 км), приближения до 3·10⁻⁸″. Линии до 20 000 км сходятся со "
    "строгим решением до 0,00001″ и 0,01 мм; почти диаметрально противоположные точки, для которых "
    "приближения lambda не сходятся, не решаются. ρ″ точное, e² выведено из 1/f = 298,3.");

constexpr int Columns = 1 + BesselMaxIterations;
const std::vector<int> ColumnWidths = {300};
constexpr int ValueWidth = 150;

// An azimuth difference in seconds as the sideways shift at the far end of the line, metres.
Ground AcrossLine(double s)
{
    return [s](double seconds) -> std::optional<double> { return std::fabs(std::sin(s / 6371000.0)) * 6371000.0 * seconds / RoExact(); };
}

void DirectCompute(const Inputs& inputs, const TableSet& t)
{
    const DirectInput in = ReadDirectInput(inputs);
    RunComputation(t, [&] { SolveBesselDirect(in, *t[0]); });
}

RigorousSolution DirectRigorous(const Inputs& inputs, const ComputedTables& textbook)
{
    const DirectInput in = ReadDirectInput(inputs);
    const DirectGeodesic g = SolveDirectGeodesic(in.B1, in.L1, in.A12, in.s);
    return {{WithGround(g.B2, LatitudeSeconds(g.B2)),
             WithGround(NearTextbook(g.L2, textbook, row::DirectL2), LongitudeSeconds(g.B2)),
             WithGround(NearTextbook(g.A21, textbook, row::DirectA21), AcrossLine(in.s))},
            BesselNote};
}

void InverseCompute(const Inputs& inputs, const TableSet& t)
{
    const InverseInput in = ReadInverseInput(inputs);
    RunComputation(t, [&] { SolveBesselInverse(in, *t[0]); });
}

RigorousSolution InverseRigorous(const Inputs& inputs, const ComputedTables& textbook)
{
    const InverseInput in = ReadInverseInput(inputs);
    const InverseGeodesic g = SolveInverseGeodesic(in.B1, in.L1, in.B2, in.L2);
    const double s = g.s.value.value_or(0);
    return {{WithGround(g.s, SameLength()), WithGround(NearTextbook(g.A12, textbook, row::InverseA12), AcrossLine(s)),
             WithGround(NearTextbook(g.A21, textbook, row::InverseA21), AcrossLine(s))},
            BesselNote};
}

// ---- individual variants: lines of 1000–18 000 km from points of 0°–70° N ----

constexpr qint64 TenThousandths = 10000;

struct Line {
    qint64 B1, L1, A12;  // in units of 0.0001″
    double s;            // metres, to the millimetre
};

Line DrawLine(QRandomGenerator& random)
{
    Line line{};
    line.B1 = Between(random, 0, 70 * 3600 * TenThousandths);
    line.L1 = Between(random, 20 * 3600 * TenThousandths, 170 * 3600 * TenThousandths);
    line.A12 = Between(random, 0, 360 * 3600 * TenThousandths - 1);
    line.s = static_cast<double>(Between(random, 1000000000, 18000000000)) / 1000;
    return line;
}

double Degrees(qint64 tenThousandths) { return static_cast<double>(tenThousandths) / (3600.0 * TenThousandths); }

TypedTexts DirectVariant(QRandomGenerator& random)
{
    const Line line = DrawLine(random);
    return Join({AngleTexts(3, line.B1, 4), AngleTexts(6, line.L1, 4), AngleTexts(9, line.A12, 4),
                 {{QStringLiteral("Edit12"), CommaNumber(line.s, 3)}}});
}

// The far end of a drawn line, from the rigorous solution, to 0.0001″; its longitude within ±180°.
TypedTexts InverseVariant(QRandomGenerator& random)
{
    const Line line = DrawLine(random);
    const DirectGeodesic end = SolveDirectGeodesic(Degrees(line.B1), Degrees(line.L1), Degrees(line.A12), line.s);
    const double L2 = std::remainder(end.L2.value.value_or(0), 360.0);
    // AngleTexts writes angles that are not negative: a western or southern end is written with
    // a minus in each of its three edits.
    auto signedAngle = [](int firstEdit, double degrees) {
        TypedTexts texts = AngleTexts(firstEdit, std::fabs(degrees), 4);
        if (degrees < 0)
            for (auto& [edit, text] : texts)
                if (text != QLatin1String("0") && !text.startsWith(QLatin1Char('-')))
                    text.prepend(QLatin1Char('-'));
        return texts;
    };
    return Join({AngleTexts(3, line.B1, 4), AngleTexts(6, line.L1, 4), signedAngle(9, end.B2.value.value_or(0)),
                 signedAngle(12, L2)});
}

TableLayout ProblemTable(int rows)
{
    // The approximations after the first show as far as the iteration went.
    return {"StringGrid1", {}, Columns, rows, ColumnWidths, ValueWidth, {1, 0}, {2, Columns - 1}};
}

// ---- windows ----

// B1 and L1 in the first row, A12 and s in the second, the button to their right.
WindowLayout DirectWindow()
{
    return {820, 560, 121, false,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("B1"), 16, 68)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("L1"), 216, 68)}, AngleRow(6, 240, 64),
                      {CaptionAt(QStringLiteral("A12"), 16, 92)}, AngleRow(9, 40, 88),
                      {CaptionAt(QStringLiteral("s,м"), 210, 92), EditAt(12, 240, 88, 121), ComputeButton(440, 76)}})};
}

// B1, L1 in the first row, B2, L2 in the second.
WindowLayout InverseWindow()
{
    return {820, 580, 121, false,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("B1"), 16, 68)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("L1"), 216, 68)}, AngleRow(6, 240, 64),
                      {CaptionAt(QStringLiteral("B2"), 16, 92)}, AngleRow(9, 40, 88),
                      {CaptionAt(QStringLiteral("L2"), 216, 92)}, AngleRow(12, 240, 88), {ComputeButton(440, 76)}})};
}

// The results of both problems, also compared with the rigorous solution.
const ResultQuantity DirectB2{"B2", {}, 0, FirstValueColumn, row::DirectB2, true};
const ResultQuantity DirectL2{"L2", {}, 0, FirstValueColumn, row::DirectL2, true};
const ResultQuantity DirectA21{"A21", {}, 0, FirstValueColumn, row::DirectA21, true};
const ResultQuantity InverseS{"s", "м", 0, FirstValueColumn, row::InverseS};
const ResultQuantity InverseA12{"A12", {}, 0, FirstValueColumn, row::InverseA12, true};
const ResultQuantity InverseA21{"A21", {}, 0, FirstValueColumn, row::InverseA21, true};

}  // namespace

const Exercise& BesselDirectExercise()
{
    static const Exercise exercise{
        .name = "bessel-direct",
        .windowClass = "TBesselPrGZForm",
        .caption = "Прямая геодезическая задача на большие расстояния (способ Бесселя)",
        .summary = {"the direct geodetic problem on long lines (up to 20 000 km) by Bessel's method",
                    "прямая геодезическая задача на большие расстояния по способу Бесселя"},
        .menu = Submenu("BesselDirect1", "Прямая задача по способу Бесселя"),
        .edits = Edits({StudentEdits(), AngleEdits(3, "B1", "B1"), AngleEdits(6, "L1", "L1"),
                        AngleEdits(9, "A12", "азимут A12"),
                        {{"Edit12", "s,м", "расстояние s, м", "0", EditKind::Real, "s"}}}),
        .example = {{"Edit3", "55"}, {"Edit4", "45"}, {"Edit5", "20"}, {"Edit6", "37"}, {"Edit7", "37"},
                    {"Edit9", "60"}, {"Edit12", "10000000"}},
        .help = "qrc:/help/bessel-direct.html",
        .tables = {ProblemTable(row::DirectCount)},
        .results = {DirectB2, DirectL2, DirectA21},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { BesselDirectLabels(*t[0]); },
        .compute = DirectCompute,
        .comparison = {{DirectB2, DirectL2, DirectA21},
                       DirectRigorous, true},
        .makeVariant = DirectVariant,
        .window = DirectWindow(),
    };
    return exercise;
}

const Exercise& BesselInverseExercise()
{
    static const Exercise exercise{
        .name = "bessel-inverse",
        .windowClass = "TBesselObrGZForm",
        .caption = "Обратная геодезическая задача на большие расстояния (способ Бесселя)",
        .summary = {"the inverse geodetic problem on long lines by Bessel's method",
                    "обратная геодезическая задача на большие расстояния по способу Бесселя"},
        .menu = Submenu("BesselInverse1", "Обратная задача по способу Бесселя"),
        .edits = Edits({StudentEdits(), AngleEdits(3, "B1", "B1"), AngleEdits(6, "L1", "L1"),
                        AngleEdits(9, "B2", "B2"), AngleEdits(12, "L2", "L2")}),
        .example = {{"Edit3", "55"}, {"Edit4", "45"}, {"Edit5", "20"}, {"Edit6", "37"}, {"Edit7", "37"},
                    {"Edit9", "16"}, {"Edit10", "27"}, {"Edit11", "23,1779"}, {"Edit12", "152"}, {"Edit13", "56"},
                    {"Edit14", "39,4152"}},
        .help = "qrc:/help/bessel-inverse.html",
        .tables = {ProblemTable(row::InverseCount)},
        .results = {InverseS, InverseA12, InverseA21},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { BesselInverseLabels(*t[0]); },
        .compute = InverseCompute,
        .comparison = {{Renamed(InverseS, "s, м"), InverseA12, InverseA21},
                       InverseRigorous, true},
        .makeVariant = InverseVariant,
        .window = InverseWindow(),
    };
    return exercise;
}

}  // namespace kvelta
