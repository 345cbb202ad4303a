#include "ellipsoid/exercises.h"

#include "ellipsoid/meridian_arc.h"
#include "ellipsoid/parallel_arc.h"
#include "ellipsoid/trapezoid_area.h"
#include "ellipsoid/trapezoid_sides.h"
#include "frame/variants.h"
#include "rigorous/geodesy.h"

#include <cmath>
#include <numbers>

namespace kvelta {

namespace {

using namespace rigorous;

const QString TrapezoidSubmenu = QStringLiteral("Вычисление площади и длин сторонт трапеции");

TableLayout FourColumns(int rows) { return {QStringLiteral("StringGrid1"), QString(), 4, rows, {92, 96, 97, 92}}; }

// A quantity in the second value column of the table.
ResultQuantity Value(const char* name, const char* unit, int row)
{
    return {QString::fromUtf8(name), QString::fromUtf8(unit), 0, SecondValueColumn, row};
}

// The number the textbook table shows at a cell, if the computation reached it.
std::optional<double> TextbookValue(const ComputedTables& textbook, int column, int row)
{
    const std::optional<Extended> value = textbook.tables.front()->number(column, row);
    return value ? std::optional<double>(static_cast<double>(*value)) : std::nullopt;
}

// The note's share of the gap that ρ″ explains, when both values are there.
QString RoShareNote(const std::optional<double>& textbook, const RigorousValue& rigorous, const QString& rest,
                    int decimals = 3)
{
    if (!textbook || !rigorous.value)
        return {};
    return QStringLiteral(" Здесь от ρ″ %1 из %2; остальное — %3")
        .arg(Metres(RoShare(*textbook), decimals), Metres(*textbook - *rigorous.value, decimals), rest);
}

// ---- meridian arc ----

RigorousSolution MeridianArcRigorous(const Inputs& inputs, const ComputedTables& textbook)
{
    const MeridianArcLatitudes l = ReadMeridianArcLatitudes(inputs);
    RigorousSolution r;
    r.values = {MeridianRadius(l.B1, QStringLiteral("B1")), MeridianRadius(l.Bcp, QStringLiteral("Bcp")),
                MeridianRadius(l.B2, QStringLiteral("B2")), WithGround(MeridianArc(l.B1, l.B2), SameLength())};
    r.note = QStringLiteral("Главный источник расхождения — ") + RoNote()
             + RoShareNote(TextbookValue(textbook, SecondValueColumn, MeridianArcRowS), r.values[3],
                           QStringLiteral("правило Симпсона по трём точкам (растёт с длиной дуги: около 0,03 м "
                                          "на 10°, 35 м на дуге 0°–90°) и приближённая формула M."));
    return r;
}

// ---- parallel arc ----

RigorousSolution ParallelArcRigorous(const Inputs& inputs, const ComputedTables& textbook)
{
    const ParallelArcInputs in = ReadParallelArcInputs(inputs);
    const RigorousValue radius = CircleRadius(in.B, QStringLiteral("B"));
    RigorousValue arc = radius;
    if (radius.value)
        arc = Call([&] { return *radius.value * in.L * std::numbers::pi / 180; });
    RigorousSolution r;
    r.values = {PrimeVerticalRadius(in.B, QStringLiteral("B")), radius, WithGround(arc, SameLength())};
    r.note = QStringLiteral("Главный источник расхождения — ") + RoNote()
             + RoShareNote(TextbookValue(textbook, SecondValueColumn, ParallelArcRowS), arc,
                           QStringLiteral("приближённая формула N."), 4)
             + QStringLiteral(" Дуга параллели — не геодезическая линия: кратчайшее расстояние между её концами меньше.");
    return r;
}

// ---- trapezoid area ----

RigorousSolution TrapezoidAreaRigorous(const Inputs& inputs, const ComputedTables& textbook)
{
    const TrapezoidAreaInputs in = ReadTrapezoidAreaInputs(inputs);
    RigorousValue area = SheetArea(in.B1, in.B2, in.deltaLSeconds / 3600);
    if (area.value)
        area.value = *area.value / 1e6;
    RigorousSolution r;
    r.values = {area};
    r.note = QStringLiteral("Главный источник расхождения — ρ″ = 206265 в K = b²(L2 − L1)″/ρ″: учебная площадь меньше "
                            "строгой примерно на 0,95·10⁻⁶.");
    if (const std::optional<double> P = TextbookValue(textbook, SecondValueColumn, TrapezoidAreaRowP); P && area.value)
        r.note += QStringLiteral(" Здесь от ρ″ %1 км² из %2 км²; остальное — округление членов ряда до 10 знаков, "
                                 "b = 6356,863 км, e² = 0,00669342 и обрыв ряда.")
                      .arg(FormatFixed(RoShare(*P), 8), FormatFixed(*P - *area.value, 8));
    r.note += QStringLiteral(" Строгая площадь — многоугольник из локсодромий по четырём углам (стороны листа — "
                             "параллели и меридианы); геодезический четырёхугольник через те же углы — не лист.");
    return r;
}

// ---- trapezoid sides ----

RigorousSolution TrapezoidSidesRigorous(const Inputs& inputs, const ComputedTables&)
{
    const TrapezoidSidesInputs in = ReadTrapezoidSidesInputs(inputs);
    const double toMap = 100 / in.scale;  // metres on the ground → centimetres on the map
    const double deltaL = in.deltaLSeconds / 3600;
    auto parallelSide = [&](double B, const QString& name) {
        RigorousValue side = CircleRadius(B, name);
        if (side.value)
            side = Call([&] { return *side.value * deltaL * std::numbers::pi / 180 * toMap; });
        return WithGround(side, MapCentimetres(in.scale));
    };
    RigorousValue meridianSide = MeridianArc(in.B1, in.B2);
    if (meridianSide.value)
        meridianSide.value = std::fabs(*meridianSide.value) * toMap;
    RigorousValue diagonal = None(QStringLiteral("L2 − L1 не меньше 180°: диагональ листа неоднозначна"));
    if (std::fabs(deltaL) < 180)
        diagonal = GeodesicDistance(in.B1, 0, in.B2, deltaL);
    if (diagonal.value)
        diagonal.value = *diagonal.value * std::fabs(toMap);

    RigorousSolution r;
    r.values = {parallelSide(in.B1, QStringLiteral("B1")), parallelSide(in.B2, QStringLiteral("B2")),
                WithGround(meridianSide, MapCentimetres(in.scale)),
                WithGround(diagonal, MapCentimetres(std::fabs(in.scale)))};
    r.note = QStringLiteral("Стороны a1, a2, c расходятся в основном из-за ") + RoNote()
             + QStringLiteral(" Диагональ по плоской формуле d² = c² + a1·a2 отличается от геодезической линии между углами "
                              "листа тем сильнее, чем больше лист (на листе 4° × 6° — около 41 м на местности). Длины — на "
                              "эллипсоиде в масштабе 1 : M; на листе в проекции Гаусса–Крюгера они ещё больше на масштаб "
                              "проекции.");
    return r;
}


// ---- individual variants: the edges of a standard map sheet within 40°–70° N ----

const MapSheet& AnySheet(QRandomGenerator& random)
{
    const std::vector<MapSheet>& sheets = StandardSheets();
    return sheets[static_cast<std::size_t>(Between(random, 0, static_cast<qint64>(sheets.size()) - 1))];
}

// B1, B2: the southern and northern edges of a sheet.
TypedTexts SheetLatitudes(const MapSheet& sheet, qint64 south)
{
    return Join({AngleTexts(3, south, 0), AngleTexts(6, south + sheet.heightSeconds, 0)});
}

TypedTexts MeridianArcVariant(QRandomGenerator& random)
{
    const MapSheet& sheet = AnySheet(random);
    return SheetLatitudes(sheet, SheetSouthEdge(random, sheet));
}

// The width of a sheet along its southern or northern edge.
TypedTexts ParallelArcVariant(QRandomGenerator& random)
{
    const MapSheet& sheet = AnySheet(random);
    const qint64 edge = SheetSouthEdge(random, sheet) + (random.bounded(2) ? sheet.heightSeconds : 0);
    return Join({AngleTexts(3, qint64{sheet.widthSeconds}, 0), AngleTexts(6, edge, 0)});
}

TypedTexts TrapezoidAreaVariant(QRandomGenerator& random)
{
    const MapSheet& sheet = AnySheet(random);
    return Join({SheetLatitudes(sheet, SheetSouthEdge(random, sheet)),
                 {{QStringLiteral("Edit9"), QString::number(sheet.widthSeconds)}}});
}

TypedTexts TrapezoidSidesVariant(QRandomGenerator& random)
{
    const MapSheet& sheet = AnySheet(random);
    return Join({SheetLatitudes(sheet, SheetSouthEdge(random, sheet)),
                 {{QStringLiteral("Edit9"), QString::number(sheet.widthSeconds)},
                  {QStringLiteral("Edit10"), QString::number(sheet.scale)}}});
}


// ---- windows: the student rows, B1 and B2 as angles, then what each exercise adds ----

std::vector<PlacedControl> TwoLatitudes(const QString& first, const QString& second)
{
    return Controls({StudentRows(), {CaptionAt(first, 16, 68)}, AngleRow(3, 40, 64), {CaptionAt(second, 216, 68)},
                     AngleRow(6, 240, 64)});
}

WindowLayout ArcWindow(const QString& first)
{
    return {461, 269, 129, false, Controls({TwoLatitudes(first, QStringLiteral("B2")), {ComputeButton(183, 96)}})};
}

// The longitude difference in seconds under B1, the button beside it; the sides add the scale.
WindowLayout TrapezoidWindow(bool withScale)
{
    std::vector<PlacedControl> controls =
        Controls({TwoLatitudes(QStringLiteral("B1"), QStringLiteral("B2")),
                  {CaptionAt(QStringLiteral("L2-L1"), 2, 100), EditAt(9, 40, 96, 57), MarkAt(QStringLiteral("\""), 102, 96),
                   ComputeButton(239, 96)}});
    if (withScale)
        controls.insert(controls.end(), {CaptionAt(QStringLiteral("M"), 130, 100), EditAt(10, 144, 96, 57)});
    return {461, 269, 129, false, controls};
}

}  // namespace

const Exercise& MeridianArcExercise()
{
    static const Exercise exercise{
        .name = "meridian-arc",
        .windowClass = "TMForm",
        .caption = "Вычисление дуги меридианов",
        .summary = {"length of a meridian arc", "длина дуги меридиана"},
        .menu = {{}, {}, "N7", "Вычисление дуги меридианов"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "B1", "B1"), AngleEdits(6, "B2", "B2")}),
        .example = {{"Edit3", "50"}, {"Edit6", "51"}},
        .help = "qrc:/help/meridian-arc.html",
        .tables = {FourColumns(MeridianArcRows)},
        .results = {Value("S", "м", MeridianArcRowS)},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { MeridianArcLabels(*t[0]); },
        .compute = ReadThenCompute<ReadMeridianArcLatitudes, ComputeMeridianArc>,
        .comparison = {{Value("M1, м", "м", MeridianArcRowM1), Value("Mcp, м", "м", MeridianArcRowMcp),
                        Value("M2, м", "м", MeridianArcRowM2), Value("S, м", "м", MeridianArcRowS)},
                       MeridianArcRigorous},
        .makeVariant = MeridianArcVariant,
        .window = ArcWindow(QStringLiteral("B1")),
    };
    return exercise;
}

const Exercise& ParallelArcExercise()
{
    static const Exercise exercise{
        .name = "parallel-arc",
        .windowClass = "TPForm",
        .caption = "Вычисление длины дуги параллели",
        .summary = {"length of a parallel arc", "длина дуги параллели"},
        .menu = {{}, {}, "N8", "Вычисление дуги параллелей"},
        // The second triple keeps the base window's label "B2" although it holds the latitude B.
        .edits = Edits({StudentEdits(), AngleEdits(3, "L", "разность долгот L", EditKind::Integer),
                        AngleEdits(6, "B2", "широта параллели B", EditKind::Integer, "B")}),
        .example = {{"Edit3", "1"}, {"Edit6", "50"}},
        .help = "qrc:/help/parallel-arc.html",
        .tables = {FourColumns(ParallelArcRows)},
        .results = {Value("Sп", "м", ParallelArcRowS)},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { ParallelArcLabels(*t[0]); },
        .compute = ReadThenCompute<ReadParallelArcInputs, ComputeParallelArc>,
        .comparison = {{Value("N, м", "м", ParallelArcRowN), Value("N·cosB, м", "м", ParallelArcRowNcosB),
                        Value("Sп, м", "м", ParallelArcRowS)},
                       ParallelArcRigorous},
        .makeVariant = ParallelArcVariant,
        .window = ArcWindow(QStringLiteral("L")),
    };
    return exercise;
}

const Exercise& TrapezoidAreaExercise()
{
    static const Exercise exercise{
        .name = "trapezoid-area",
        .windowClass = "TPTrapForm",
        .caption = "Вычисление площади  трапеции",
        .summary = {"area of a map-sheet trapezoid", "площадь трапеции листа карты"},
        .menu = {"N3", TrapezoidSubmenu, "N5", "Вычисление площади трапеции"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "B1", "B1"), AngleEdits(6, "B2", "B2"),
                        {{"Edit9", "L2-L1 \"", "разность долгот L2-L1, секунды", "1800", EditKind::Real, "L2-L1"}}}),
        .example = {{"Edit3", "50"}, {"Edit6", "50"}, {"Edit7", "20"}, {"Edit9", "1800"}},
        .help = "qrc:/help/trapezoid-area.html",
        .tables = {FourColumns(TrapezoidAreaRows)},
        .results = {Value("P", "км²", TrapezoidAreaRowP)},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { TrapezoidAreaLabels(*t[0]); },
        .compute = ReadThenCompute<ReadTrapezoidAreaInputs, ComputeTrapezoidArea>,
        .comparison = {{Value("P, км²", "км²", TrapezoidAreaRowP)}, TrapezoidAreaRigorous},
        .makeVariant = TrapezoidAreaVariant,
        .window = TrapezoidWindow(false),
    };
    return exercise;
}

const Exercise& TrapezoidSidesExercise()
{
    static const Exercise exercise{
        .name = "trapezoid-sides",
        .windowClass = "TDTrapForm",
        .caption = "Вычисление длин сторон трапеции",
        .summary = {"side lengths of a map-sheet trapezoid", "длины сторон трапеции листа карты"},
        .menu = {"N3", TrapezoidSubmenu, "N10", "Вычисление длин сторон трапеции"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "B1", "B1"), AngleEdits(6, "B2", "B2"),
                        {{"Edit9", "L2-L1 \"", "разность долгот L2-L1, целые секунды", "900", EditKind::Integer, "L2-L1"},
                         {"Edit10", "M", "знаменатель масштаба M", "50000", EditKind::Real, "M"}}}),
        .example = {{"Edit3", "50"}, {"Edit6", "50"}, {"Edit7", "10"}, {"Edit9", "900"}, {"Edit10", "50000"}},
        .help = "qrc:/help/trapezoid-sides.html",
        .tables = {FourColumns(TrapezoidSidesRows)},
        .results = {Value("a1", "см", TrapezoidSidesRowA1), Value("a2", "см", TrapezoidSidesRowA2),
                    Value("c", "см", TrapezoidSidesRowC), Value("d", "см", TrapezoidSidesRowD)},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { TrapezoidSidesLabels(*t[0]); },
        .compute = ReadThenCompute<ReadTrapezoidSidesInputs, ComputeTrapezoidSides>,
        .comparison = {{Value("a1, см", "см", TrapezoidSidesRowA1), Value("a2, см", "см", TrapezoidSidesRowA2),
                        Value("c, см", "см", TrapezoidSidesRowC), Value("d, см", "см", TrapezoidSidesRowD)},
                       TrapezoidSidesRigorous},
        .makeVariant = TrapezoidSidesVariant,
        .window = TrapezoidWindow(true),
    };
    return exercise;
}

}  // namespace kvelta
