#include "spherical/exercises.h"

#include "frame/angles.h"
#include "frame/variants.h"
#include "rigorous/geodesy.h"
#include "rigorous/spherical_triangle.h"
#include "spherical/large_triangle.h"
#include "spherical/legendre_triangle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kvelta {

namespace {

using namespace rigorous;

const QString Submenu = QStringLiteral("Решение сферического треугольника");

EditField Side(const QString& name, const QString& defaultText)
{
    return {name, QStringLiteral("b"), QStringLiteral("сторона b против угла B, м"), defaultText, EditKind::Real,
            QStringLiteral("b")};
}

// The rigorous excess (seconds), misclosure (degrees) and sides a, c of one spherical solution,
// or the reason for all of them.
std::vector<RigorousValue> TriangleValues(const SphericalTriangleResult& r)
{
    if (!r.solution)
        return std::vector<RigorousValue>(4, None(r.reason));
    const SphericalTriangleSolution& s = *r.solution;
    return {Known(s.excessSeconds), Known(s.misclosureSeconds / 3600), WithGround(Known(s.a), SameLength()),
            WithGround(Known(s.c), SameLength())};
}

// ---- Legendre's theorem and additaments ----

void LegendreCompute(const Inputs& inputs, const TableSet& t)
{
    const LegendreTriangleData data = ReadLegendreTriangle(inputs);
    RunComputation(t, [&] { ComputeLegendreTriangle(data, *t[0], *t[1]); });
}

RigorousSolution LegendreRigorous(const Inputs& inputs, const ComputedTables&)
{
    const LegendreTriangleData d = ReadLegendreTriangle(inputs);
    // f = ρ″·10⁶/(2R²) in seconds of arc per km², with the course's ρ″; f = 0.002533 fixes R.
    const double radius = std::sqrt(static_cast<double>(RoSecondsTextbook * 1e6L) / (2 * 0.002533));
    const std::vector<RigorousValue> v = TriangleValues(SolveSphericalTriangle(d.A, d.B, d.C, d.b, radius));
    RigorousSolution r;
    r.values = {v[0], v[1], v[2], v[3], v[2], v[3]};
    r.note = QStringLiteral("Сфера: коэффициент f = 0,002533″/км² равен ρ″·10⁶/(2R²), откуда R = %1 (такое √(MN) "
                            "у эллипсоида Красовского на широте около 48,6°). Строгое решение: измеренные углы "
                            "исправлены поровну так, чтобы их сумма была 180° плюс точный избыток треугольника, и "
                            "треугольник решён точно на сфере (аналогии Непера, избыток по формуле Люилье) с итерацией "
                            "до неподвижной точки. Расхождения малы: E — от округления f, стороны по аддитаментам — "
                            "от округлённого k = 4,11·10⁻¹⁵; теорема Лежандра здесь точна до долей миллиметра.")
                 .arg(Metres(radius, 1));
    return r;
}

// ---- the large triangle ----

LargeTriangleTables Pages(const TableSet& t)
{
    LargeTriangleTables pages{};
    for (int i = 0; i < LargeTrianglePageCount; ++i)
        pages[static_cast<std::size_t>(i)] = t.at(static_cast<std::size_t>(i));
    return pages;
}

void LargeTriangleCompute(const Inputs& inputs, const TableSet& t)
{
    const LargeTriangleInput input = ReadLargeTriangle(inputs);
    RunComputation(t, [&] { ComputeLargeTriangle(input, Pages(t)); });
}

RigorousSolution LargeTriangleRigorous(const Inputs& inputs, const ComputedTables& textbook)
{
    const LargeTriangleInput in = ReadLargeTriangle(inputs);
    // The data of the rigorous solution are the course's spherical angles (after its reduction
    // from the ellipsoid, page 2) and b, on the sphere of radius √(M·N) at Bm with the exact radii.
    const ResultTable& page2 = *textbook.tables.at(1);
    const std::optional<Extended> Asf = page2.number(1, 1), Bsf = page2.number(1, 2), Csf = page2.number(3, 1);
    const RigorousValue radius = MeanRadius(in.Bm, QStringLiteral("Bm"));
    std::vector<RigorousValue> v;
    if (!radius.value)
        v = TriangleValues({std::nullopt, radius.reason});
    else if (!Asf || !Bsf || !Csf)
        v = TriangleValues({std::nullopt, QStringLiteral("приведение углов к сфере прервано: %1").arg(textbook.fault)});
    else
        v = TriangleValues(SolveSphericalTriangle(static_cast<double>(*Asf), static_cast<double>(*Bsf),
                                                  static_cast<double>(*Csf), in.b, *radius.value));
    RigorousValue excess = v[0];
    if (excess.value)
        excess.value = *excess.value / 3600;
    RigorousSolution r;
    r.values = {excess, excess, v[1], v[2], v[3], v[2], v[3]};
    r.note = QStringLiteral("Сфера радиуса √(Mm·Nm) на широте Bm по точным M и N%1; данные — сферические углы Aсф, Bсф, "
                            "Cсф после приведения (стр. 2) и сторона b. Строгое решение: углы исправлены поровну до суммы "
                            "180° плюс точный избыток, треугольник решён точно на сфере (аналогии Непера, формула Люилье) с "
                            "итерацией до неподвижной точки. Главные источники расхождения: избыток стр. 3 (по f, b и "
                            "неисправленным углам) отличается от точного почти на секунду, отсюда невязка W и стороны стр. 4; "
                            "стр. 8 берёт неуравненные сферические углы (A1 + B1 + C1 ≠ 180°), отсюда около метра в сторонах.")
                 .arg(radius.value ? QStringLiteral(" (R = %1)").arg(Metres(*radius.value)) : QString());
    return r;
}

std::vector<TableLayout> LargeTrianglePages()
{
    const std::vector<int> four = {92, 96, 97, 92};
    return {{"StringGrid1", "1", 4, 31, four}, {"StringGrid2", "2", 4, 3, four},
            {"StringGrid3", "3", 4, 6, four},  {"StringGrid4", "4", 5, 14, {92, 96, 97, 92, 80}},
            {"StringGrid5", "5", 4, 11, four}, {"StringGrid6", "6", 4, 9, four},
            {"StringGrid7", "7", 2, 4, {162, 132}}, {"StringGrid8", "8", 4, 5, four}};
}


// ---- individual variants: triangles whose measured angles close within a few seconds ----

// A triangle with angles of 45°–75°: its plane angles (degrees) and sides (same unit as b).
struct PlaneTriangle {
    double A, B, C;
    double a, b, c;
};

PlaneTriangle DrawTriangle(QRandomGenerator& random, double bLow, double bHigh)
{
    PlaneTriangle t{};
    do {
        t.A = Uniform(random, 45, 75);
        t.B = Uniform(random, 45, 75);
        t.C = 180 - t.A - t.B;
    } while (t.C < 45 || t.C > 75);
    const double toRad = std::numbers::pi / 180;
    t.b = Uniform(random, bLow, bHigh);
    t.a = t.b * std::sin(t.A * toRad) / std::sin(t.B * toRad);
    t.c = t.b * std::sin(t.C * toRad) / std::sin(t.B * toRad);
    return t;
}

// The measured angles: each plane angle plus a third of the spherical excess (Legendre's theorem)
// plus errors of measurement of up to `error` seconds, to 0.01″. Their sum misses 180° plus the
// excess by less than 2·error and by less than half the excess, so that it always exceeds 180°.
TypedTexts MeasuredAngles(QRandomGenerator& random, const PlaneTriangle& t, double excessSeconds, double error,
                          std::initializer_list<int> firstEdits)
{
    const double limit = std::min(2 * error, excessSeconds / 2);
    const double first = Uniform(random, -error, error), second = Uniform(random, -error, error);
    const double errors[] = {first, second, Uniform(random, -limit, limit) - first - second};
    const double angles[] = {t.A, t.B, t.C};
    TypedTexts texts;
    int i = 0;
    for (const int firstEdit : firstEdits) {
        const double seconds = angles[i] * 3600 + excessSeconds / 3 + errors[i];
        ++i;
        const TypedTexts angle = AngleTexts(firstEdit, std::llround(seconds * 100), 2);
        texts.insert(texts.end(), angle.begin(), angle.end());
    }
    return texts;
}

double PlaneArea(const PlaneTriangle& t) { return t.b * t.c * std::sin(t.A * std::numbers::pi / 180) / 2; }

// Sides of 20–60 km; the excess by the course's f = 0.002533″/km².
TypedTexts LegendreVariant(QRandomGenerator& random)
{
    const PlaneTriangle t = DrawTriangle(random, 20000, 60000);
    const double excess = 0.002533 * PlaneArea(t) / 1e6;
    return Join({MeasuredAngles(random, t, excess, 1.5, {3, 6, 9}), {{QStringLiteral("Edit12"), CommaNumber(t.b, 3)}}});
}

// b of 500–900 km; the vertices laid out from A on a local plane at 42°–62° N, their latitudes to
// the minute and Bm their mean; the excess from the plane area on the sphere of √(MN) at Bm.
TypedTexts LargeTriangleVariant(QRandomGenerator& random)
{
    const PlaneTriangle t = DrawTriangle(random, 500000, 900000);
    const double toRad = std::numbers::pi / 180;
    double Ba = 0, Bb = 0, Bc = 0;
    do {
        Ba = Uniform(random, 42, 62);
        const double towardsC = Uniform(random, 0, 360);
        const double towardsB = towardsC + (random.bounded(2) ? t.A : -t.A);
        const double metresPerDegree = 111200;
        Bc = Ba + t.b * std::cos(towardsC * toRad) / metresPerDegree;
        Bb = Ba + t.c * std::cos(towardsB * toRad) / metresPerDegree;
    } while (std::min({Ba, Bb, Bc}) < 40 || std::max({Ba, Bb, Bc}) > 70);
    const auto minutes = [](double degrees) { return std::llround(degrees * 60) * 60; };
    const qint64 Bm = (minutes(Ba) + minutes(Bb) + minutes(Bc)) / 3 / 60 * 60;
    const double a = 6378245, e2 = 0.006693421622966;
    const double w2 = 1 - e2 * std::pow(std::sin(static_cast<double>(Bm) / 3600 * toRad), 2);
    const double radiusSquared = a * a * (1 - e2) / (w2 * w2);
    const double excess = PlaneArea(t) / radiusSquared * 206264.806;
    return Join({MeasuredAngles(random, t, excess, 2, {3, 6, 9}), AngleTexts(12, minutes(Bb), 0),
                 AngleTexts(15, minutes(Bc), 0), AngleTexts(18, Bm, 0), {{QStringLiteral("Edit21"), CommaNumber(t.b, 3)}},
                 AngleTexts(22, minutes(Ba), 0)});
}

// Legendre's results that the comparison checks too.
const ResultQuantity LegendreE{"E", "″", 0, LegendreExcessColumn, LegendreExcessRow};
const ResultQuantity LegendreA{"a", "м", 0, LegendreSidesColumn, LegendreSideARow};
const ResultQuantity LegendreC{"c", "м", 0, LegendreSidesColumn, LegendreSidesRow};
const ResultQuantity AdditamentsA{"a (аддитаменты)", "м", 1, AdditamentsSidesColumn, AdditamentsRowA};
const ResultQuantity AdditamentsC{"c (аддитаменты)", "м", 1, AdditamentsSidesColumn, AdditamentsRowC};

// The large triangle's results that the comparison checks too.
const ResultQuantity LargeTriangleLhuilierE{"E_L", {}, LargeTriangleLhuilierPage, LargeTriangleLhuilierColumn,
                                          LargeTriangleLhuilierRow, true};
const ResultQuantity LargeTrianglePlaneA{"a (стр. 4)", "м", LargeTrianglePlanePage, LargeTrianglePlaneSidesColumn,
                                       LargeTrianglePlaneRowA};
const ResultQuantity LargeTrianglePlaneC{"c (стр. 4)", "м", LargeTrianglePlanePage, LargeTrianglePlaneSidesColumn,
                                       LargeTrianglePlaneRowC};
const ResultQuantity LargeTriangleSummaryA{"a (стр. 8)", "м", LargeTriangleSummaryPage, LargeTriangleSummarySidesColumn,
                                         LargeTriangleSummaryRowA};
const ResultQuantity LargeTriangleSummaryC{"c (стр. 8)", "м", LargeTriangleSummaryPage, LargeTriangleSummarySidesColumn,
                                         LargeTriangleSummaryRowC};

// ---- windows ----

// Angles A and B on the left, the button under them, C and the side b on the right.
WindowLayout LegendreWindow()
{
    return {659, 377, 145, true,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("A"), 16, 68)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("B"), 16, 92)}, AngleRow(6, 40, 88), {ComputeButton(183, 115)},
                      {CaptionAt(QStringLiteral("C"), 216, 68)}, AngleRow(9, 240, 64),
                      {CaptionAt(QStringLiteral("b"), 216, 92), EditAt(12, 240, 88, 153)}})};
}

// The angles A, B, C and the latitude Ba on the left, Bb, Bc, Bm on the right (Ba's edits were
// numbered after b's), then the side b and the button.
WindowLayout LargeTriangleWindow()
{
    struct Row {
        const char* caption;
        int firstEdit;
        int left;
        int top;
    };
    static const Row rows[] = {{"A", 3, 40, 64},    {"B", 6, 40, 88},    {"C", 9, 40, 112},  {"Ba", 22, 40, 136},
                               {"Bb", 12, 248, 64}, {"Bc", 15, 248, 88}, {"Bm", 18, 248, 112}};
    std::vector<PlacedControl> controls = StudentRows();
    for (const Row& row : rows)
        controls = Controls({controls, {CaptionAt(QString::fromLatin1(row.caption), row.left - 24, row.top + 4)},
                             AngleRow(row.firstEdit, row.left, row.top)});
    controls.insert(controls.end(), {CaptionAt(QStringLiteral("b"), 224, 140), EditAt(21, 248, 136, 89), ComputeButton(343, 136)});
    return {664, 543, 169, true, controls};
}

}  // namespace

const Exercise& LegendreTriangleExercise()
{
    static const Exercise exercise{
        .name = "legendre",
        .windowClass = "TReshSTmForm",
        .caption = "Вычиление сф. тр. по теор. Лежандра и способу аддитаментов",
        .summary = {"spherical triangle by Legendre's theorem and by additaments",
                    "сферический треугольник по теореме Лежандра и способом аддитаментов"},
        .menu = {"N11", Submenu, "N13", "По теор. Лежандра и способу аддитаментов"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "A", "угол A", EditKind::Integer),
                        AngleEdits(6, "B", "угол B", EditKind::Integer), AngleEdits(9, "C", "угол C", EditKind::Integer),
                        {Side("Edit12", "44797,282")}}),
        .example = {{"Edit3", "60"}, {"Edit4", "12"}, {"Edit5", "15,32"}, {"Edit6", "58"}, {"Edit7", "40"},
                     {"Edit8", "20,10"}, {"Edit9", "61"}, {"Edit10", "7"}, {"Edit11", "28,12"}, {"Edit12", "44797,282"}},
        .help = "qrc:/help/legendre.html",
        .tables = {{"StringGrid1", "Теорема Лежандра", 7, LegendreRows, {}, 90},
                   {"StringGrid2", "Способ аддидаментов", 8, AdditamentsRows, {}, 90}},
        .results = {LegendreE,
                    LegendreA,
                    {"b", "м", 0, LegendreSideBColumn, LegendreSidesRow},
                    LegendreC,
                    {"b (аддитаменты)", "м", 1, AdditamentsSidesColumn, AdditamentsRowB},
                    AdditamentsA,
                    AdditamentsC},
        .report = ReportLayout::Legendre,
        .writeLabels =
            [](const TableSet& t) {
                LegendreTableLabels(*t[0]);
                AdditamentsTableLabels(*t[1]);
            },
        .compute = LegendreCompute,
        .comparison = {{Renamed(LegendreE, "E, ″"),
                        {"Невязка W", {}, 0, LegendreMisclosureColumn, LegendreMisclosureRow, true},
                        Renamed(LegendreA, "a (теорема Лежандра), м"),
                        Renamed(LegendreC, "c (теорема Лежандра), м"),
                        Renamed(AdditamentsA, "a (способ аддитаментов), м"),
                        Renamed(AdditamentsC, "c (способ аддитаментов), м")},
                       LegendreRigorous},
        .makeVariant = LegendreVariant,
        .window = LegendreWindow(),
    };
    return exercise;
}

const Exercise& LargeTriangleExercise()
{
    static const Exercise exercise{
        .name = "large-triangle",
        .windowClass = "TSfTrForm",
        .caption = "Решение большого сферического треугольника",
        .summary = {"large spherical triangle", "большой сферический треугольник"},
        .menu = {"N11", Submenu, "N14", "Большого сферического треугольника"},
        // Ba's edits were numbered after b's.
        .edits = Edits({StudentEdits(), AngleEdits(3, "A", "A"), AngleEdits(6, "B", "B"), AngleEdits(9, "C", "C"),
                        AngleEdits(12, "Bb", "Bb"), AngleEdits(15, "Bc", "Bc"), AngleEdits(18, "Bm", "Bm"),
                        {Side("Edit21", "804666,593")}, AngleEdits(22, "Ba", "Ba")}),
        .example = {{"Edit3", "50"}, {"Edit4", "7"}, {"Edit6", "60"}, {"Edit7", "8"}, {"Edit9", "70"}, {"Edit10", "7"},
                     {"Edit11", "43"}, {"Edit22", "44"}, {"Edit23", "30"}, {"Edit12", "50"}, {"Edit15", "48"},
                     {"Edit18", "47"}, {"Edit19", "30"}, {"Edit21", "804666,593"}},
        .help = "qrc:/help/large-triangle.html",
        .tables = LargeTrianglePages(),
        .results = {{"E_f\"", {}, LargeTriangleExcessPage, LargeTriangleExcessColumn, LargeTriangleExcessSecondsRow},
                    LargeTriangleLhuilierE,
                    {"b (стр. 4)", "м", LargeTrianglePlanePage, LargeTrianglePlaneSidesColumn, LargeTrianglePlaneRowB},
                    LargeTrianglePlaneA,
                    LargeTrianglePlaneC,
                    {"b (стр. 8)", "м", LargeTriangleSummaryPage, LargeTriangleSummarySidesColumn,
                     LargeTriangleSummaryRowB},
                    LargeTriangleSummaryA,
                    LargeTriangleSummaryC},
        .report = ReportLayout::LargeTriangle,
        .writeLabels = [](const TableSet& t) { LargeTriangleLabels(Pages(t)); },
        .compute = LargeTriangleCompute,
        .comparison = {{{"E по углам и b (стр. 3)", {}, LargeTriangleExcessPage, LargeTriangleExcessColumn,
                         LargeTriangleExcessAngleRow, true},
                        Renamed(LargeTriangleLhuilierE, "E по Люилье (стр. 5)"),
                        {"Невязка W (стр. 4)", {}, LargeTrianglePlanePage, LargeTriangleMisclosureColumn,
                         LargeTriangleMisclosureRow, true},
                        Renamed(LargeTrianglePlaneA, "a (стр. 4), м"),
                        Renamed(LargeTrianglePlaneC, "c (стр. 4), м"),
                        Renamed(LargeTriangleSummaryA, "a (стр. 8), м"),
                        Renamed(LargeTriangleSummaryC, "c (стр. 8), м")},
                       LargeTriangleRigorous},
        .makeVariant = LargeTriangleVariant,
        .window = LargeTriangleWindow(),
    };
    return exercise;
}

}  // namespace kvelta
