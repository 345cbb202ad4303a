#include "gauss_kruger/exercises.h"

#include "gauss_kruger/gauss_kruger.h"
#include "gauss_kruger/zone_transfer.h"
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

EditSpec Number(const QString& name, const QString& label, const QString& meaning, const QString& defaultText)
{
    return {name, label, meaning, defaultText, EditKind::Real};
}

std::vector<EditSpec> PlaneEdits(int firstEdit, const QString& xLabel, const QString& yLabel)
{
    return {Number(QStringLiteral("Edit%1").arg(firstEdit), xLabel, QStringLiteral("абсцисса x, м"),
                   QStringLiteral("5728374,726")),
            Number(QStringLiteral("Edit%1").arg(firstEdit + 1), yLabel, QStringLiteral("ордината y, м"),
                   QStringLiteral("210198,193"))};
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

}  // namespace

const Exercise& GaussKrugerForwardExercise()
{
    static const Exercise exercise{
        .name = "gk-forward",
        .windowClass = "TPTGKForm",
        .caption = "Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим",
        .menu = {"N16", Submenu, "N17", "Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "Lo", "Lo"), AngleEdits(6, "B", "B"), AngleEdits(9, "L", "L")}),
        .example = {{"Edit3", "21"}, {"Edit6", "51"}, {"Edit7", "38"}, {"Edit8", "44,0822"}, {"Edit9", "24"},
                    {"Edit10", "2"}, {"Edit11", "13,1579"}},
        .help = "qrc:/help/gk-forward.html",
        .tables = {{"StringGrid1", {}, 2, 24, {153, 137}}},
        .results = {{"x", "м", 0, 1, 20}, {"y", "м", 0, 1, 23}},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { GeodeticToGaussKrugerLabels(*t[0]); },
        .compute = ForwardCompute,
        .comparison = {{{"x, м", "м", 0, 1, 20}, {"y, м", "м", 0, 1, 23}}, ForwardRigorous},
    };
    return exercise;
}

const Exercise& GaussKrugerInverseExercise()
{
    static const Exercise exercise = [] {
        // The base window's second angle triple stays hidden and unread.
        std::vector<EditSpec> lo = AngleEdits(3, "Lo", "Lo");
        lo[0].defaultText = QStringLiteral("21");
        std::vector<EditSpec> hidden;
        for (int n = 6; n <= 8; ++n)
            hidden.push_back({QStringLiteral("Edit%1").arg(n), QStringLiteral("(скрыто)"),
                              QStringLiteral("скрытое поле, не используется"), QStringLiteral("0"), EditKind::Unused});
        return Exercise{
            .name = "gk-inverse",
            .windowClass = "TGKTPForm",
            .caption = "Вычисление геодезических координат по прямоугольным коорд. Гаусса-Крюгера",
            .menu = {"N16", Submenu, "N18", "Вычисление геодезических координат по прямоугольным коорд. Гаусса-Крюгера"},
            .edits = Edits({StudentEdits(), lo, hidden, PlaneEdits(9, "X,м", "Y,м")}),
            .example = {{"Edit3", "21"}, {"Edit9", "5728374,726"}, {"Edit10", "210198,193"}},
            .help = "qrc:/help/gk-inverse.html",
            .tables = {{"StringGrid1", {}, 2, 27, {154, 155}}},
            .results = {{"B", {}, 0, 1, 23, true}, {"L", {}, 0, 1, 26, true}},
            .report = ReportLayout::Common,
            .writeLabels = [](const TableSet& t) { GaussKrugerToGeodeticLabels(*t[0]); },
            .compute = InverseCompute,
            .comparison = {{{"B", {}, 0, 1, 23, true}, {"L", {}, 0, 1, 26, true}}, InverseRigorous},
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
        .menu = {"N16", Submenu, "N19", "Преобразование прямоугольных коорд. Гаусса-Крюгера из одной зоны в другую"},
        .edits = Edits({StudentEdits(),
                        {Number("Edit3", "Lo o", "долгота осевого меридиана Lo, градусы (дробное число)", "21"),
                         Number("Edit4", "Lo' o", "долгота осевого меридиана другой зоны Lo', градусы (дробное число)",
                                "27")},
                        PlaneEdits(5, "X", "Y")}),
        .example = {{"Edit3", "21"}, {"Edit4", "27"}, {"Edit5", "5728374,726"}, {"Edit6", "210198,193"}},
        .help = "qrc:/help/gk-zone.html",
        .tables = {{"StringGrid1", "Первый этап", 2, 27, {138, 142}}, {"StringGrid2", "Второй этап", 2, 24, {142, 158}}},
        .results = {{"B", {}, 0, 1, 23, true}, {"L", {}, 0, 1, 26, true}, {"x'", "м", 1, 1, 20}, {"y'", "м", 1, 1, 23}},
        .report = ReportLayout::ZoneTransfer,
        .writeLabels =
            [](const TableSet& t) {
                GaussKrugerToGeodeticLabels(*t[0]);
                GeodeticToGaussKrugerLabels(*t[1]);
            },
        .compute = ZoneTransferCompute,
        .comparison = {{{"B", {}, 0, 1, 23, true},
                        {"L", {}, 0, 1, 26, true},
                        {"x′, м", "м", 1, 1, 20},
                        {"y′, м", "м", 1, 1, 23}},
                       ZoneTransferRigorous},
    };
    return exercise;
}

}  // namespace kvelta
