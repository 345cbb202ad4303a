#include "datums/exercises.h"

#include "datums/datums.h"
#include "datums/exact_datums.h"
#include "frame/variants.h"

#include <QRandomGenerator>
#include <tuple>

namespace kvelta {

namespace {

using namespace rigorous;

constexpr int WgsTable = 1;

// The point at the end of the rigorous chain on each page: WGS-84 on the first, SK-42 on the second.
const ResultQuantity ResultBWgs84{"B WGS-84", {}, 0, FirstValueColumn, DatumRowEndB, true};
const ResultQuantity ResultLWgs84{"L WGS-84", {}, 0, FirstValueColumn, DatumRowEndL, true};
const ResultQuantity ResultHWgs84{"H WGS-84", "м", 0, FirstValueColumn, DatumRowEndH};
const ResultQuantity ResultBSk42{"B СК-42", {}, WgsTable, FirstValueColumn, DatumRowEndB, true};
const ResultQuantity ResultLSk42{"L СК-42", {}, WgsTable, FirstValueColumn, DatumRowEndL, true};
const ResultQuantity ResultHSk42{"H СК-42", "м", WgsTable, FirstValueColumn, DatumRowEndH};

void Compute(const Inputs& inputs, const TableSet& t)
{
    const Blh sk42 = ReadDatumPoint(inputs, DatumDirection::Sk42ToWgs84);
    const Blh wgs84 = ReadDatumPoint(inputs, DatumDirection::Wgs84ToSk42);
    RunComputation(t, [&] {
        ComputeDatumChain(sk42, DatumDirection::Sk42ToWgs84, *t[0]);
        ComputeDatumChain(wgs84, DatumDirection::Wgs84ToSk42, *t[WgsTable]);
    });
}

RigorousSolution Rigorous(const Inputs& inputs, const ComputedTables&)
{
    const DatumValues toWgs = ExactDatumChain(ReadDatumPoint(inputs, DatumDirection::Sk42ToWgs84), DatumDirection::Sk42ToWgs84);
    const DatumValues toSk = ExactDatumChain(ReadDatumPoint(inputs, DatumDirection::Wgs84ToSk42), DatumDirection::Wgs84ToSk42);
    return {{toWgs.B, toWgs.L, toWgs.H, toSk.B, toSk.L, toSk.H},
            QStringLiteral("Строгие значения — та же цепочка с теми же параметрами ГОСТ 32453-2017, но B, L, H ↔ X, Y, Z "
                           "по GeographicLib Geocentric на каждом эллипсоиде, а обратное преобразование Гельмерта — "
                           "точным обращением его матрицы, а не сменой знаков параметров. Смена знаков отличается от "
                           "точного обращения членами второго порядка (ω·ΔX, m·ΔX, ω²·R) — до 0,6 мм; остальное — "
                           "округление таблицы. Формулы Молоденского (строки ниже) расходятся со строгим путём на "
                           "величину, показанную в последних строках каждой вкладки.")};
}

QString Figures(const char* name, const Ellipsoid& e)
{
    return QStringLiteral("%1 a = %2 м, 1/f = %3").arg(QString::fromUtf8(name), QString::number(e.a, 'f', 0),
                                                       QString::number(1 / e.f, 'g', 12).replace(QLatin1Char('.'), DecimalSeparator()));
}

// The chain runs over three ellipsoids; each compared point lies on the one of its own system.
QString Ellipsoids()
{
    return QStringLiteral("Эллипсоиды: %1; %2; %3. B, L, H (WGS-84) — на эллипсоиде WGS-84, B, L, H (СК-42) — на "
                          "эллипсоиде Красовского. ")
               .arg(Figures("Красовского (СК-42)", KrasovskyEllipsoid), Figures("ПЗ-90 (ПЗ-90.11)", Pz90Ellipsoid),
                    Figures("WGS-84", Wgs84Ellipsoid)) +
           RigorousSourceStatement();
}

// `suffix` tells the two points' short names apart: B42, L42, H42 and B84, L84, H84.
std::vector<EditField> PointEdits(int first, const QString& system, const QString& height, const QString& suffix)
{
    std::vector<EditField> edits =
        Edits({AngleEdits(first, "B", QStringLiteral("широта B (%1)").arg(system), EditKind::Real, "B" + suffix),
               AngleEdits(first + 3, "L", QStringLiteral("долгота L (%1)").arg(system), EditKind::Real, "L" + suffix)});
    edits.push_back({QStringLiteral("Edit%1").arg(first + 6), QStringLiteral("H,м"),
                     QStringLiteral("геодезическая высота H (%1), м").arg(system), height, EditKind::Real,
                     "H" + suffix});
    return edits;
}

// Points of 40°–70° N, 20°–180° E (where SK-42 was used), heights −500…9000 m to the millimetre.
TypedTexts PointTexts(QRandomGenerator& random, int first)
{
    constexpr qint64 PerSecond = 10000;
    const qint64 B = Between(random, 40 * 3600 * PerSecond, 70 * 3600 * PerSecond);
    const qint64 L = Between(random, 20 * 3600 * PerSecond, 180 * 3600 * PerSecond);
    const double H = static_cast<double>(Between(random, -500000, 9000000)) / 1000;
    return Join({AngleTexts(first, B, 4), AngleTexts(first + 3, L, 4),
                 {{QStringLiteral("Edit%1").arg(first + 6), CommaNumber(H, 3)}}});
}

TypedTexts Variant(QRandomGenerator& random)
{
    TypedTexts sk42 = PointTexts(random, 3);
    return Join({sk42, PointTexts(random, 10)});
}

// One point a column: its system's name, B and L as angle rows, H below; SK-42 from Edit3, WGS-84
// from Edit10.
WindowLayout DatumWindow()
{
    std::vector<PlacedControl> controls = StudentRows();
    for (const auto& [first, left, system] : {std::tuple{3, 0, "СК-42"}, std::tuple{10, 300, "WGS-84"}}) {
        controls.push_back(CaptionAt(QString::fromUtf8(system), left + 40, 58));
        int top = 76;
        int edit = first;
        for (const char* angle : {"B", "L"}) {
            controls = Controls({controls, {CaptionAt(QString::fromLatin1(angle), left + 16, top + 4)},
                                 AngleRow(edit, left + 40, top)});
            edit += 3;
            top += 24;
        }
        controls.insert(controls.end(), {CaptionAt(QStringLiteral("H,м"), left + 8, top + 4),
                                         EditAt(first + 6, left + 40, top, 153)});
    }
    controls.push_back(ComputeButton(520, 124));
    return {640, 600, 160, true, controls};
}

}  // namespace

const Exercise& DatumTransformationExercise()
{
    static const Exercise exercise{
        .name = "datums",
        .windowClass = "TDatumForm",
        .caption = "Преобразование координат между системами СК-42, ПЗ-90.11 и WGS-84",
        .summary = {"coordinates between SK-42, PZ-90.11 and WGS-84 by the seven-parameter Helmert transformation",
                    "преобразование координат между системами СК-42, ПЗ-90.11 и WGS-84 по формулам Гельмерта"},
        .menu = {"N41", "Системы координат", "N42", "Преобразование координат между системами СК-42, ПЗ-90.11 и WGS-84"},
        .edits = Edits({StudentEdits(), PointEdits(3, QStringLiteral("СК-42"), QStringLiteral("0"), "42"),
                        PointEdits(10, QStringLiteral("WGS-84"), QStringLiteral("0"), "84")}),
        // The origin of SK-42 at Pulkovo; a point near Moscow in WGS-84.
        .example = {{"Edit3", "59"}, {"Edit4", "46"}, {"Edit5", "18,55"}, {"Edit6", "30"}, {"Edit7", "19"},
                    {"Edit8", "42,09"}, {"Edit9", "75"}, {"Edit10", "55"}, {"Edit11", "45"}, {"Edit12", "20,1234"},
                    {"Edit13", "37"}, {"Edit14", "37"}, {"Edit15", "3,5678"}, {"Edit16", "150"}},
        .help = "qrc:/help/datums.html",
        .tables = {{"StringGrid1", "СК-42 -> ПЗ-90.11 -> WGS-84", 2, DatumRows, {330, 170}},
                   {"StringGrid2", "WGS-84 -> ПЗ-90.11 -> СК-42", 2, DatumRows, {330, 170}}},
        .results = {ResultBWgs84, ResultLWgs84, ResultHWgs84, ResultBSk42, ResultLSk42, ResultHSk42},
        .report = ReportLayout::EveryPage,
        .writeLabels =
            [](const TableSet& t) {
                DatumLabels(*t[0], DatumDirection::Sk42ToWgs84);
                DatumLabels(*t[WgsTable], DatumDirection::Wgs84ToSk42);
            },
        .compute = Compute,
        .comparison = {{Renamed(ResultBWgs84, "B (WGS-84)"), Renamed(ResultLWgs84, "L (WGS-84)"),
                        Renamed(ResultHWgs84, "H (WGS-84), м"), Renamed(ResultBSk42, "B (СК-42)"),
                        Renamed(ResultLSk42, "L (СК-42)"), Renamed(ResultHSk42, "H (СК-42), м")},
                       Rigorous, true, Ellipsoids},
        .makeVariant = Variant,
        .window = DatumWindow(),
    };
    return exercise;
}

}  // namespace kvelta
