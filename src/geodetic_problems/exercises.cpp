#include "geodetic_problems/exercises.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
#include "frame/variants.h"
#include "geodetic_problems/mean_argument.h"
#include "rigorous/geodesic_problems.h"
#include "rigorous/geodesy.h"

#include <cmath>

namespace kvelta {

namespace {

using namespace rigorous;

const QString Submenu = QStringLiteral("Геодезические задачи");

const QString MeanArgumentNote = QStringLiteral(
    "Формулы Гаусса со средними аргументами с членами до седьмого порядка по s (члены седьмого порядка — без "
    "η²); ошибка отброшенных членов растёт как Y⁴, Y = (P² + (1 + tg²Bm)·Q²)/N², и программа решает только "
    "линии, где её оценка меньше половины последнего знака. По 16 000 линиям до 1000 км на широтах до 89,9°: "
    "прямая задача — до 0,000013″ в B2, L2, A21; обратная — до 0,000006″ в азимутах и 0,01 мм в s. "
    "ρ″ = 206264,806… точное, e² выведено из 1/f = 298,3.");

constexpr int Columns = 1 + MeanArgumentMaxIterations;
const std::vector<int> ColumnWidths = {128};
constexpr int ValueWidth = 116;

// An azimuth difference in seconds as the sideways shift at the far end of the line, metres.
Ground AcrossLine(double s)
{
    return [s](double seconds) -> std::optional<double> { return seconds / RoExact() * s; };
}

void DirectCompute(const Inputs& inputs, const TableSet& t)
{
    const DirectInput in = ReadDirectInput(inputs);
    RunComputation(t, [&] { SolveDirectProblem(in, *t[0]); });
}

RigorousSolution DirectRigorous(const Inputs& inputs, const ComputedTables& textbook)
{
    const DirectInput in = ReadDirectInput(inputs);
    const DirectGeodesic g = SolveDirectGeodesic(in.B1, in.L1, in.A12, in.s);
    return {{WithGround(g.B2, LatitudeSeconds(g.B2)), WithGround(g.L2, LongitudeSeconds(g.B2)),
             WithGround(NearTextbook(g.A21, textbook, DirectRowA21), AcrossLine(in.s))},
            MeanArgumentNote};
}

void InverseCompute(const Inputs& inputs, const TableSet& t)
{
    const InverseInput in = ReadInverseInput(inputs);
    RunComputation(t, [&] { SolveInverseProblem(in, *t[0]); });
}

RigorousSolution InverseRigorous(const Inputs& inputs, const ComputedTables& textbook)
{
    const InverseInput in = ReadInverseInput(inputs);
    const InverseGeodesic g = SolveInverseGeodesic(in.B1, in.L1, in.B2, in.L2);
    const double s = g.s.value.value_or(0);
    return {{WithGround(g.s, SameLength()), WithGround(NearTextbook(g.A12, textbook, InverseRowA12), AcrossLine(s)),
             WithGround(NearTextbook(g.A21, textbook, InverseRowA21), AcrossLine(s))},
            MeanArgumentNote};
}

// ---- individual variants: lines of 1–200 km from points of 40°–70° N ----

constexpr qint64 TenThousandths = 10000;

struct Line {
    qint64 B1, L1, A12;  // in units of 0.0001″
    double s;            // metres, to the millimetre
};

Line DrawLine(QRandomGenerator& random)
{
    Line line{};
    line.B1 = Between(random, 40 * 3600 * TenThousandths, 70 * 3600 * TenThousandths);
    line.L1 = Between(random, 20 * 3600 * TenThousandths, 170 * 3600 * TenThousandths);
    line.A12 = Between(random, 0, 360 * 3600 * TenThousandths - 1);
    line.s = static_cast<double>(Between(random, 1000000, 200000000)) / 1000;
    return line;
}

double Degrees(qint64 tenThousandths) { return static_cast<double>(tenThousandths) / (3600.0 * TenThousandths); }

TypedTexts DirectVariant(QRandomGenerator& random)
{
    const Line line = DrawLine(random);
    return Join({AngleTexts(3, line.B1, 4), AngleTexts(6, line.L1, 4), AngleTexts(9, line.A12, 4),
                 {{QStringLiteral("Edit12"), CommaNumber(line.s, 3)}}});
}

// The far end of a drawn line, from the rigorous solution, to 0.0001″.
TypedTexts InverseVariant(QRandomGenerator& random)
{
    const Line line = DrawLine(random);
    const DirectGeodesic end = SolveDirectGeodesic(Degrees(line.B1), Degrees(line.L1), Degrees(line.A12), line.s);
    return Join({AngleTexts(3, line.B1, 4), AngleTexts(6, line.L1, 4), AngleTexts(9, end.B2.value.value_or(0), 4),
                 AngleTexts(12, end.L2.value.value_or(0), 4)});
}

TableLayout ProblemTable(int rows)
{
    // The approximations after the first show as far as the iteration went.
    return {"StringGrid1", {}, Columns, rows, ColumnWidths, ValueWidth, {1, 0}, {2, Columns - 1}};
}


// ---- windows ----

WindowLayout DirectWindow()
{
    return {720, 460, 121, false,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("B1"), 16, 68)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("L1"), 216, 68)}, AngleRow(6, 240, 64),
                      {CaptionAt(QStringLiteral("A12"), 8, 92)}, AngleRow(9, 40, 88),
                      {CaptionAt(QStringLiteral("s,м"), 210, 92), EditAt(12, 240, 88, 121), ComputeButton(440, 76)}})};
}

// B1, L1 in the first row, B2, L2 in the second.
WindowLayout InverseWindow()
{
    return {720, 480, 121, false,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("B1"), 16, 68)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("L1"), 216, 68)}, AngleRow(6, 240, 64),
                      {CaptionAt(QStringLiteral("B2"), 16, 92)}, AngleRow(9, 40, 88),
                      {CaptionAt(QStringLiteral("L2"), 216, 92)}, AngleRow(12, 240, 88), {ComputeButton(440, 76)}})};
}

// The results of both problems, also compared with the rigorous solution.
const ResultQuantity DirectB2{"B2", {}, 0, FirstValueColumn, DirectRowB2, true};
const ResultQuantity DirectL2{"L2", {}, 0, FirstValueColumn, DirectRowL2, true};
const ResultQuantity DirectA21{"A21", {}, 0, FirstValueColumn, DirectRowA21, true};
const ResultQuantity InverseS{"s", "м", 0, FirstValueColumn, InverseRowS};
const ResultQuantity InverseA12{"A12", {}, 0, FirstValueColumn, InverseRowA12, true};
const ResultQuantity InverseA21{"A21", {}, 0, FirstValueColumn, InverseRowA21, true};

}  // namespace

const Exercise& DirectProblemExercise()
{
    static const Exercise exercise{
        .name = "direct-problem",
        .windowClass = "TPrGZForm",
        .caption = "Прямая геодезическая задача",
        .summary = {"the direct geodetic problem by Gauss's mean-argument formulas",
                    "прямая геодезическая задача по формулам со средними аргументами"},
        .menu = {"N20", Submenu, "N21", "Прямая геодезическая задача"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "B1", "B1"), AngleEdits(6, "L1", "L1"),
                        AngleEdits(9, "A12", "азимут A12"),
                        {{"Edit12", "s,м", "расстояние s, м", "0", EditKind::Real, "s"}}}),
        .example = {{"Edit3", "50"}, {"Edit6", "30"}, {"Edit9", "45"}, {"Edit12", "50000"}},
        .help = "qrc:/help/direct-problem.html",
        .tables = {ProblemTable(DirectRows)},
        .results = {DirectB2, DirectL2, DirectA21},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { DirectProblemLabels(*t[0]); },
        .compute = DirectCompute,
        .comparison = {{DirectB2, DirectL2, DirectA21},
                       DirectRigorous, true},
        .makeVariant = DirectVariant,
        .window = DirectWindow(),
    };
    return exercise;
}

const Exercise& InverseProblemExercise()
{
    static const Exercise exercise{
        .name = "inverse-problem",
        .windowClass = "TObrGZForm",
        .caption = "Обратная геодезическая задача",
        .summary = {"the inverse geodetic problem by Gauss's mean-argument formulas",
                    "обратная геодезическая задача по формулам со средними аргументами"},
        .menu = {"N20", Submenu, "N22", "Обратная геодезическая задача"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "B1", "B1"), AngleEdits(6, "L1", "L1"),
                        AngleEdits(9, "B2", "B2"), AngleEdits(12, "L2", "L2")}),
        .example = {{"Edit3", "50"}, {"Edit6", "30"}, {"Edit9", "50"}, {"Edit10", "19"}, {"Edit11", "0,4444"},
                    {"Edit12", "30"}, {"Edit13", "29"}, {"Edit14", "47,013"}},
        .help = "qrc:/help/inverse-problem.html",
        .tables = {ProblemTable(InverseRows)},
        .results = {InverseS, InverseA12, InverseA21},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { InverseProblemLabels(*t[0]); },
        .compute = InverseCompute,
        .comparison = {{Renamed(InverseS, "s, м"), InverseA12, InverseA21},
                       InverseRigorous, true},
        .makeVariant = InverseVariant,
        .window = InverseWindow(),
    };
    return exercise;
}

}  // namespace kvelta
