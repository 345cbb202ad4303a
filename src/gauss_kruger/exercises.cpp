#include "gauss_kruger/exercises.h"

#include "gauss_kruger/gauss_kruger.h"
#include "gauss_kruger/zone_transfer.h"
#include "frame/variants.h"
#include "rigorous/geodesy.h"

namespace kvelta {

namespace {

using namespace rigorous;

const QString Submenu = QStringLiteral("Преобразование координат");

const QString GaussKrugerNote = QStringLiteral(
    "Главный источник расхождения — ρ″ = 206265 в B″/ρ″, l″/ρ″ и ρ″·β: координаты x, y получаются меньше "
    "строгих примерно на 0,94·10⁻⁶ (x — около 5,4 м на широте 51°), широта в обратной задаче больше примерно "
    "на 0,17″. С точным ρ″ те же ряды совпадают со строгой проекцией до миллиметра в пределах 3° от осевого "
    "меридиана; дальше растёт ошибка оборванных рядов (десятки метров при l = 20°).");

EditField Number(const QString& name, const QString& symbol, const QString& label, const QString& meaning,
                const QString& defaultText)
{
    return {name, label, meaning, defaultText, EditKind::Real, symbol};
}

std::vector<EditField> PlaneEdits(int firstEdit, const QString& xLabel, const QString& yLabel)
{
    return {Number(QStringLiteral("Edit%1").arg(firstEdit), QStringLiteral("x"), xLabel, QStringLiteral("абсцисса x, м"),
                   QStringLiteral("5728374,726")),
            Number(QStringLiteral("Edit%1").arg(firstEdit + 1), QStringLiteral("y"), yLabel,
                   QStringLiteral("ордината y, м"), QStringLiteral("210198,193"))};
}

void ForwardCompute(const Inputs& inputs, const TableSet& t)
{
    const GeodeticInput in = ReadGeodeticInput(inputs);
    RunComputation(t, [&] { GeodeticToGaussKruger(in.B, in.L, in.Lo, *t[0]); });
}

RigorousSolution ForwardRigorous(const Inputs& inputs, const ComputedTables&)
{
    const GeodeticInput in = ReadGeodeticInput(inputs);
    const PlaneValues p = GaussKrugerForward(in.B, in.L, in.Lo);
    return {{WithGround(p.x, SameLength()), WithGround(p.y, SameLength())}, GaussKrugerNote};
}

void InverseCompute(const Inputs& inputs, const TableSet& t)
{
    const PlaneInput in = ReadPlaneInput(inputs);
    RunComputation(t, [&] { GaussKrugerToGeodetic(in.x, in.y, in.Lo, *t[0]); });
}

// B and L with their differences as lengths on the ground.
std::vector<RigorousValue> GeodeticRows(const GeodeticValues& g)
{
    return {WithGround(g.B, LatitudeSeconds(g.B)), WithGround(g.L, LongitudeSeconds(g.B))};
}

RigorousSolution InverseRigorous(const Inputs& inputs, const ComputedTables&)
{
    const PlaneInput in = ReadPlaneInput(inputs);
    return {GeodeticRows(GaussKrugerInverse(in.x, in.y, in.Lo)), GaussKrugerNote};
}

void ZoneTransferCompute(const Inputs& inputs, const TableSet& t)
{
    const ZoneTransferInput in = ReadZoneTransferInput(inputs);
    RunComputation(t, [&] { ComputeZoneTransfer(in, *t[0], *t[1]); });
}

RigorousSolution ZoneTransferRigorous(const Inputs& inputs, const ComputedTables&)
{
    const ZoneTransferInput in = ReadZoneTransferInput(inputs);
    const GeodeticValues g = GaussKrugerInverse(in.x, in.y, in.Lo);
    PlaneValues p{g.B, g.B};
    if (g.B.value)  // at a pole every longitude is the same point
        p = GaussKrugerForward(*g.B.value, g.L.value ? *g.L.value : in.LoPrime, in.LoPrime);
    RigorousSolution r{GeodeticRows(g), GaussKrugerNote + QStringLiteral(" В новой зоне ошибка рядов складывается "
                                                                          "из ошибок обратной и прямой задач.")};
    r.values.push_back(WithGround(p.x, SameLength()));
    r.values.push_back(WithGround(p.y, SameLength()));
    return r;
}


// The final results of the two tables, in the first table of an exercise.
const ResultQuantity ResultX{"x", "м", 0, GaussKrugerValueColumn, GkForwardRowX};
const ResultQuantity ResultY{"y", "м", 0, GaussKrugerValueColumn, GkForwardRowY};
const ResultQuantity ResultB{"B", {}, 0, GaussKrugerValueColumn, GkInverseRowB, true};
const ResultQuantity ResultL{"L", {}, 0, GaussKrugerValueColumn, GkInverseRowL, true};

// ---- individual variants: points of 40°–70° N inside their 6° zone (axial meridians 21°…177°) ----

struct ZonePoint {
    int Lo;     // axial meridian, degrees
    qint64 B;   // in units of 0.0001″
    qint64 L;
};

constexpr qint64 TenThousandths = 10000;

// A zone from the 4th (21°) to the 30th (177°) and a point within `from`…`to` degrees of its axial
// meridian, east or west.
ZonePoint PointInZone(QRandomGenerator& random, double from, double to, int side = 0)
{
    const int Lo = 6 * static_cast<int>(Between(random, 4, 30)) - 3;
    const qint64 B = Between(random, 40 * 3600 * TenThousandths, 70 * 3600 * TenThousandths);
    const qint64 offset = Between(random, static_cast<qint64>(from * 3600 * TenThousandths),
                                  static_cast<qint64>(to * 3600 * TenThousandths));
    const int sign = side ? side : (random.bounded(2) ? 1 : -1);
    return {Lo, B, Lo * 3600 * TenThousandths + sign * offset};
}

double Degrees(qint64 tenThousandths) { return static_cast<double>(tenThousandths) / (3600.0 * TenThousandths); }

// x and y of the point to the millimetre, from the exact projection.
TypedTexts PlaneTexts(int firstEdit, const ZonePoint& p, int Lo)
{
    const PlaneValues plane = GaussKrugerForward(Degrees(p.B), Degrees(p.L), Lo);
    return {{QStringLiteral("Edit%1").arg(firstEdit), CommaNumber(plane.x.value.value_or(0), 3)},
            {QStringLiteral("Edit%1").arg(firstEdit + 1), CommaNumber(plane.y.value.value_or(0), 3)}};
}

TypedTexts ForwardVariant(QRandomGenerator& random)
{
    const ZonePoint p = PointInZone(random, 0, 2.95);
    return Join({AngleTexts(3, p.Lo * 3600LL, 0), AngleTexts(6, p.B, 4), AngleTexts(9, p.L, 4)});
}

TypedTexts InverseVariant(QRandomGenerator& random)
{
    const ZonePoint p = PointInZone(random, 0, 2.95);
    return Join({AngleTexts(3, p.Lo * 3600LL, 0), PlaneTexts(9, p, p.Lo)});
}

// A point near the edge of its zone, carried into the neighbouring zone on that side.
TypedTexts ZoneTransferVariant(QRandomGenerator& random)
{
    int side = random.bounded(2) ? 1 : -1;
    ZonePoint p = PointInZone(random, 2.5, 2.95, side);
    if (p.Lo + 6 * side > 177) {  // no zone east of the 30th: go west instead
        p.L = 2 * p.Lo * 3600 * TenThousandths - p.L;
        side = -1;
    }
    return Join({{{QStringLiteral("Edit3"), QString::number(p.Lo)}, {QStringLiteral("Edit4"), QString::number(p.Lo + 6 * side)}},
                 PlaneTexts(5, p, p.Lo)});
}


// ---- windows ----

// The axial meridian Lo and B in the first row, L under Lo; the button at the right of L.
WindowLayout ForwardWindow()
{
    return {461, 269, 113, false,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("Lo"), 16, 68, 15)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("B"), 216, 68, 9)}, AngleRow(6, 240, 64), {ComputeButton(335, 88)},
                      {CaptionAt(QStringLiteral("L"), 16, 92)}, AngleRow(9, 40, 88)})};
}

// Lo, then x and y under it; the three unread edits stay hidden where the forward window has B.
WindowLayout InverseWindow()
{
    return {461, 269, 129, false,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("Lo"), 16, 68, 15)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("X,м"), 8, 100), EditAt(9, 40, 96, 121), CaptionAt(QStringLiteral("Y,м"), 256, 100),
                       EditAt(10, 288, 96, 121), ComputeButton(295, 64), EditAt(6, 240, 64, 41), EditAt(7, 296, 64, 41),
                       EditAt(8, 352, 64, 41)}})};
}

// The two axial meridians in whole degrees, then X and Y beside them.
WindowLayout ZoneTransferWindow()
{
    return {446, 317, 114, false,
            Controls({StudentRows(),
                      {CaptionAt(QStringLiteral("Lo"), 16, 68), EditAt(3, 40, 64, 41), MarkAt(QStringLiteral("o"), 82, 63),
                       CaptionAt(QStringLiteral("Lo'"), 16, 92), EditAt(4, 40, 88, 41), MarkAt(QStringLiteral("o"), 82, 87),
                       ComputeButton(271, 64), CaptionAt(QStringLiteral("X"), 104, 68), EditAt(5, 128, 64, 129),
                       CaptionAt(QStringLiteral("Y"), 104, 92), EditAt(6, 128, 88, 129)}})};
}

}  // namespace

const Exercise& GaussKrugerForwardExercise()
{
    static const Exercise exercise{
        .name = "gk-forward",
        .windowClass = "TPTGKForm",
        .caption = "Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим",
        .summary = {"Gauss–Krüger plane coordinates from geodetic coordinates",
                    "координаты Гаусса–Крюгера по геодезическим координатам"},
        .menu = {"N16", Submenu, "N17", "Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "Lo", "Lo", EditKind::Real, "L0"), AngleEdits(6, "B", "B"), AngleEdits(9, "L", "L")}),
        .example = {{"Edit3", "21"}, {"Edit6", "51"}, {"Edit7", "38"}, {"Edit8", "44,0822"}, {"Edit9", "24"},
                    {"Edit10", "2"}, {"Edit11", "13,1579"}},
        .help = "qrc:/help/gk-forward.html",
        .tables = {{"StringGrid1", {}, 2, GkForwardRows, {153, 137}}},
        .results = {ResultX, ResultY},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { GeodeticToGaussKrugerLabels(*t[0]); },
        .compute = ForwardCompute,
        .comparison = {{Renamed(ResultX, "x, м"), Renamed(ResultY, "y, м")}, ForwardRigorous},
        .makeVariant = ForwardVariant,
        .window = ForwardWindow(),
    };
    return exercise;
}

const Exercise& GaussKrugerInverseExercise()
{
    static const Exercise exercise = [] {
        // The base window's second angle triple stays hidden and unread.
        std::vector<EditField> lo = AngleEdits(3, "Lo", "Lo", EditKind::Real, "L0");
        lo[0].defaultText = QStringLiteral("21");
        std::vector<EditField> hidden;
        for (int n = 6; n <= 8; ++n)
            hidden.push_back({QStringLiteral("Edit%1").arg(n), QStringLiteral("(скрыто)"),
                              QStringLiteral("скрытое поле, не используется"), QStringLiteral("0"), EditKind::Unused, {}});
        return Exercise{
            .name = "gk-inverse",
            .windowClass = "TGKTPForm",
            .caption = "Вычисление геодезических координат по прямоугольным коорд. Гаусса-Крюгера",
            .summary = {"geodetic coordinates from Gauss–Krüger plane coordinates",
                        "геодезические координаты по координатам Гаусса–Крюгера"},
            .menu = {"N16", Submenu, "N18", "Вычисление геодезических координат по прямоугольным коорд. Гаусса-Крюгера"},
            .edits = Edits({StudentEdits(), lo, hidden, PlaneEdits(9, "X,м", "Y,м")}),
            .example = {{"Edit3", "21"}, {"Edit9", "5728374,726"}, {"Edit10", "210198,193"}},
            .help = "qrc:/help/gk-inverse.html",
            .tables = {{"StringGrid1", {}, 2, GkInverseRows, {154, 155}}},
            .results = {ResultB, ResultL},
            .report = ReportLayout::Common,
            .writeLabels = [](const TableSet& t) { GaussKrugerToGeodeticLabels(*t[0]); },
            .compute = InverseCompute,
            .comparison = {{ResultB, ResultL}, InverseRigorous},
            .makeVariant = InverseVariant,
            .window = InverseWindow(),
        };
    }();
    return exercise;
}

const Exercise& ZoneTransferExercise()
{
    static const Exercise exercise{
        .name = "gk-zone",
        .windowClass = "TPreobrazForm",
        .caption = "Преобразование прямоугольных коорд. Гаусса-Крюгера из одной зоны в другую",
        .summary = {"transfer of Gauss–Krüger coordinates from one zone to another",
                    "пересчёт координат Гаусса–Крюгера из зоны в зону"},
        .menu = {"N16", Submenu, "N19", "Преобразование прямоугольных коорд. Гаусса-Крюгера из одной зоны в другую"},
        .edits = Edits({StudentEdits(),
                        {Number("Edit3", "L0", "Lo o", "долгота осевого меридиана Lo, градусы (дробное число)", "21"),
                         Number("Edit4", "L0'", "Lo' o", "долгота осевого меридиана другой зоны Lo', градусы (дробное число)",
                                "27")},
                        PlaneEdits(5, "X", "Y")}),
        .example = {{"Edit3", "21"}, {"Edit4", "27"}, {"Edit5", "5728374,726"}, {"Edit6", "210198,193"}},
        .help = "qrc:/help/gk-zone.html",
        .tables = {{"StringGrid1", "Первый этап", 2, GkInverseRows, {138, 142}},
                   {"StringGrid2", "Второй этап", 2, GkForwardRows, {142, 158}}},
        .results = {ResultB, ResultL, Renamed(ResultX, "x'", 1), Renamed(ResultY, "y'", 1)},
        .report = ReportLayout::ZoneTransfer,
        .writeLabels =
            [](const TableSet& t) {
                GaussKrugerToGeodeticLabels(*t[0]);
                GeodeticToGaussKrugerLabels(*t[1]);
            },
        .compute = ZoneTransferCompute,
        .comparison = {{ResultB, ResultL, Renamed(ResultX, "x′, м", 1), Renamed(ResultY, "y′, м", 1)},
                       ZoneTransferRigorous},
        .makeVariant = ZoneTransferVariant,
        .window = ZoneTransferWindow(),
    };
    return exercise;
}

}  // namespace kvelta
