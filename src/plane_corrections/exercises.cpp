#include "plane_corrections/exercises.h"

#include "frame/variants.h"
#include "plane_corrections/exact_plane.h"
#include "plane_corrections/plane_corrections.h"

#include <QRandomGenerator>

namespace kvelta {

namespace {

using namespace rigorous;

EditField Metres(const QString& name, const QString& label, const QString& meaning, const QString& defaultText)
{
    // The short name is the label's quantity: "x1" of "x1,м".
    return {name, label, meaning, defaultText, EditKind::Real, label.section(QLatin1Char(','), 0, 0)};
}

constexpr int ReductionTable = 1;

// The results of the two pages, as the tables print them.
const ResultQuantity ResultGamma{"гамма", {}, 0, FirstValueColumn, ConvergenceRowGamma, true};
const ResultQuantity ResultScale{"m", {}, 0, FirstValueColumn, ConvergenceRowScale};
const ResultQuantity ResultDelta12{"дельта12", "\"", ReductionTable, FirstValueColumn, ReductionRowDelta12};
const ResultQuantity ResultDelta21{"дельта21", "\"", ReductionTable, FirstValueColumn, ReductionRowDelta21};
const ResultQuantity ResultDeltaS{"дельта s", "м", ReductionTable, FirstValueColumn, ReductionRowDeltaS};
const ResultQuantity ResultD{"d", "м", ReductionTable, FirstValueColumn, ReductionRowD};
const ResultQuantity ResultPlaneGamma{"гамма", {}, 0, FirstValueColumn, PlaneConvergenceRowGamma, true};
const ResultQuantity ResultPlaneScale{"m", {}, 0, FirstValueColumn, PlaneConvergenceRowScale};

// A result compared under the comparison's name, in seconds marked ″ where the table writes ".
ResultQuantity InSeconds(const ResultQuantity& result, const char* name)
{
    ResultQuantity compared = Renamed(result, QString::fromUtf8(name));
    compared.unit = QStringLiteral("″");
    return compared;
}

void Compute(const Inputs& inputs, const TableSet& t)
{
    const ConvergenceInput point = ReadConvergenceInput(inputs);
    const LineInput line = ReadLineInput(inputs);
    RunComputation(t, [&] {
        ComputeConvergence(point, *t[0]);
        ComputeReduction(line, *t[ReductionTable]);
    });
}

RigorousSolution Rigorous(const Inputs& inputs, const ComputedTables&)
{
    const ConvergenceInput point = ReadConvergenceInput(inputs);
    const LineInput line = ReadLineInput(inputs);
    const ConvergenceValues c = ExactConvergence(point.B, point.L, point.Lo);
    const ReductionValues r = ExactReduction(line.x1, line.y1, line.x2, line.y2, line.s);
    return {{c.gamma, c.scale, r.delta12, r.delta21, r.deltaS, r.d},
            QStringLiteral("Строгие значения — точная поперечная проекция Меркатора GeographicLib "
                           "(TransverseMercatorExact, масштаб 1 на осевом меридиане) и геодезическая линия на том же "
                           "эллипсоиде: δ — угол между хордой и изображением геодезической линии, Δs — длина s, "
                           "умноженная на строгое отношение хорды к геодезической линии без единицы. Ряды таблицы в "
                           "пределах |l| ≤ 3°30′, |y| ≤ 350 км и линий до 30 км отличаются от них меньше чем на "
                           "0,0003″ (γ), 10⁻⁹ (m), 0,0004″ (δ) и 0,5 мм (Δs); остальное — округление таблицы.")};
}

constexpr qint64 TenThousandths = 10000;

// A point of 40°–70° N within 3° of the axial meridian of a zone from the 4th to the 30th for the
// first page; for the second, a line of 5–29 km from another such point, its ends' x, y from the
// exact projection to the millimetre and s the geodesic between them to the millimetre.
TypedTexts Variant(QRandomGenerator& random)
{
    const int Lo = 6 * static_cast<int>(Between(random, 4, 30)) - 3;
    const qint64 B = Between(random, 40 * 3600 * TenThousandths, 70 * 3600 * TenThousandths);
    const qint64 l = Between(random, -3 * 3600 * TenThousandths, 3 * 3600 * TenThousandths);
    const double lineB = Uniform(random, 40, 70);
    const double lineL = Uniform(random, -2.8, 2.8);
    const double azimuth = Uniform(random, 0, 360);
    const double length = Uniform(random, 5000, 29000);  // the chord stays under the 30 km limit
    const auto mm = [](double metres) { return std::round(metres * 1000) / 1000; };
    PlanePoint p1 = ExactPlanePoint(lineB, lineL), p2 = ExactLineEnd(p1, azimuth, length);
    p1 = {mm(p1.x), mm(p1.y)};
    p2 = {mm(p2.x), mm(p2.y)};
    return Join({AngleTexts(3, Lo * 3600LL, 0), AngleTexts(6, B, 4), AngleTexts(9, Lo * 3600 * TenThousandths + l, 4),
                 {{QStringLiteral("Edit12"), CommaNumber(p1.x, 3)},
                  {QStringLiteral("Edit13"), CommaNumber(p1.y, 3)},
                  {QStringLiteral("Edit14"), CommaNumber(p2.x, 3)},
                  {QStringLiteral("Edit15"), CommaNumber(p2.y, 3)},
                  {QStringLiteral("Edit16"), CommaNumber(ExactGeodesicLength(p1, p2), 3)}}});
}

// The point's Lo, B, L as angle rows on the left; the line's x1, y1, x2, y2 and s on the right.
WindowLayout PlaneCorrectionsWindow()
{
    std::vector<PlacedControl> controls = StudentRows();
    int top = 64;
    for (const auto& [caption, first] : {std::pair{"Lo", 3}, std::pair{"B", 6}, std::pair{"L", 9}}) {
        controls = Controls({controls, {CaptionAt(QString::fromLatin1(caption), 12, top + 4)}, AngleRow(first, 40, top)});
        top += 24;
    }
    top = 64;
    int edit = 12;
    for (const char* caption : {"x1,м", "y1,м", "x2,м", "y2,м", "s,м"}) {
        controls.insert(controls.end(), {CaptionAt(QString::fromUtf8(caption), 232, top + 4), EditAt(edit++, 272, top, 130)});
        top += 20;
    }
    controls.push_back(ComputeButton(432, 136));
    return {640, 560, 170, true, controls};
}

void PlaneConvergenceCompute(const Inputs& inputs, const TableSet& t)
{
    const PlanePointInput point = ReadPlanePointInput(inputs);
    RunComputation(t, [&] { ComputePlaneConvergence(point, *t[0]); });
}

RigorousSolution PlaneConvergenceRigorous(const Inputs& inputs, const ComputedTables&)
{
    const PlanePointInput point = ReadPlanePointInput(inputs);
    const ConvergenceValues c = ExactConvergenceAtPlanePoint(point.x, point.y);
    return {{c.gamma, c.scale},
            QStringLiteral("Строгие значения — точная поперечная проекция Меркатора GeographicLib "
                           "(TransverseMercatorExact, масштаб 1 на осевом меридиане), обращённая в точке x, y. Ряды "
                           "таблицы по широте основания ординаты Bx в пределах 3°30′ от осевого меридиана отличаются от "
                           "них меньше чем на 0,0001″ (γ) и 10⁻⁹ (m); остальное — округление таблицы.")};
}

// A point of 40°–70° N within 3° of the axial meridian of a zone from the 4th to the 30th, its
// x, y from the exact projection to the millimetre.
TypedTexts PlaneConvergenceVariant(QRandomGenerator& random)
{
    const int Lo = 6 * static_cast<int>(Between(random, 4, 30)) - 3;
    const PlanePoint p = ExactPlanePoint(Uniform(random, 40, 70), Uniform(random, -3, 3));
    return Join({AngleTexts(3, Lo * 3600LL, 0),
                 {{QStringLiteral("Edit6"), CommaNumber(std::round(p.x * 1000) / 1000, 3)},
                  {QStringLiteral("Edit7"), CommaNumber(std::round(p.y * 1000) / 1000, 3)}}});
}

// Lo as an angle row, 21° in a new window as in the inverse Gauss–Krüger window: the worked example's
// zone.
std::vector<EditField> ZoneMeridianEdits()
{
    std::vector<EditField> lo = AngleEdits(3, "Lo", "долгота осевого меридиана Lo", EditKind::Real, "L0");
    lo[0].defaultText = QStringLiteral("21");
    return lo;
}

// Lo as an angle row, x and y under it, the button at the right of Lo.
WindowLayout PlaneConvergenceWindow()
{
    return {520, 600, 129, false,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("Lo"), 16, 68, 15)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("x,м"), 8, 100), EditAt(6, 40, 96, 121),
                       CaptionAt(QStringLiteral("y,м"), 176, 100), EditAt(7, 208, 96, 121),
                       ComputeButton(295, 64)}})};
}

}  // namespace

const Exercise& PlaneCorrectionsExercise()
{
    static const Exercise exercise{
        .name = "plane-corrections",
        .windowClass = "TPlaneCorrectionsForm",
        .caption = "Сближение меридианов, масштаб и редукция на плоскость Гаусса-Крюгера",
        .summary = {"meridian convergence and scale on the Gauss–Krüger plane, and the reduction of a direction and a distance to the plane",
                    "сближение меридианов и масштаб на плоскости Гаусса–Крюгера, редукция направления и расстояния на плоскость"},
        .menu = {"N16", "Преобразование координат", "N40",
                 "Сближение меридианов, масштаб и редукция на плоскость Гаусса-Крюгера"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "Lo", "долгота осевого меридиана Lo", EditKind::Real, "L0"), AngleEdits(6, "B", "широта B"),
                        AngleEdits(9, "L", "долгота L"),
                        {Metres("Edit12", "x1,м", "абсцисса x1 начала линии, м", "5728374,726"),
                         Metres("Edit13", "y1,м", "ордината y1 начала линии, м", "210198,193"),
                         Metres("Edit14", "x2,м", "абсцисса x2 конца линии, м", "5748189,623"),
                         Metres("Edit15", "y2,м", "ордината y2 конца линии, м", "225465,749"),
                         Metres("Edit16", "s,м", "длина линии s на эллипсоиде, м", "25000")}}),
        // The point of the Gauss–Krüger worked example; a line of 25 km at the azimuth 40° from its
        // plane point, the far end and s from the exact projection and geodesic.
        .example = {{"Edit3", "21"}, {"Edit6", "51"}, {"Edit7", "38"}, {"Edit8", "44,0822"}, {"Edit9", "24"},
                    {"Edit10", "2"}, {"Edit11", "13,1579"}, {"Edit12", "5728374,726"}, {"Edit13", "210198,193"},
                    {"Edit14", "5748189,623"}, {"Edit15", "225465,749"}, {"Edit16", "25000,000"}},
        .help = "qrc:/help/plane-corrections.html",
        .tables = {{"StringGrid1", "Сближение меридианов и масштаб", 2, ConvergenceRows, {300, 170}},
                   {"StringGrid2", "Редукция направления и расстояния", 2, ReductionRows, {330, 170}}},
        .results = {ResultGamma, ResultScale, ResultDelta12, ResultDelta21, ResultDeltaS, ResultD},
        .report = ReportLayout::EveryPage,
        .writeLabels =
            [](const TableSet& t) {
                ConvergenceLabels(*t[0]);
                ReductionLabels(*t[ReductionTable]);
            },
        .compute = Compute,
        .comparison = {{Renamed(ResultGamma, "γ"), ResultScale, InSeconds(ResultDelta12, "δ12"),
                        InSeconds(ResultDelta21, "δ21"), Renamed(ResultDeltaS, "Δs, м"), Renamed(ResultD, "d, м")},
                       Rigorous, true},
        .makeVariant = Variant,
        .window = PlaneCorrectionsWindow(),
    };
    return exercise;
}

const Exercise& PlaneConvergenceExercise()
{
    static const Exercise exercise{
        .name = "plane-convergence",
        .windowClass = "TPlaneConvergenceForm",
        .caption = "Сближение меридианов и масштаб по прямоугольным координатам Гаусса-Крюгера",
        .summary = {"meridian convergence and scale from plane coordinates x, y on the Gauss–Krüger plane",
                    "сближение меридианов и масштаб по прямоугольным координатам x, y Гаусса–Крюгера"},
        .menu = {"N16", "Преобразование координат", "N43",
                 "Сближение меридианов и масштаб по прямоугольным координатам Гаусса-Крюгера"},
        .edits = Edits({StudentEdits(), ZoneMeridianEdits(),
                        {Metres("Edit6", "x,м", "абсцисса x точки, м", "5728374,726"),
                         Metres("Edit7", "y,м", "ордината y точки, м", "210198,193")}}),
        // The point of the Gauss–Krüger worked example, given by its plane coordinates.
        .example = {{"Edit3", "21"}, {"Edit6", "5728374,726"}, {"Edit7", "210198,193"}},
        .help = "qrc:/help/plane-convergence.html",
        .tables = {{"StringGrid1", {}, 2, PlaneConvergenceRows, {300, 170}}},
        .results = {ResultPlaneGamma, ResultPlaneScale},
        .report = ReportLayout::Common,
        .writeLabels = [](const TableSet& t) { PlaneConvergenceLabels(*t[0]); },
        .compute = PlaneConvergenceCompute,
        .comparison = {{Renamed(ResultPlaneGamma, "γ"), ResultPlaneScale}, PlaneConvergenceRigorous, true},
        .makeVariant = PlaneConvergenceVariant,
        .window = PlaneConvergenceWindow(),
    };
    return exercise;
}

}  // namespace kvelta
