#include "spatial/exercises.h"

#include "frame/variants.h"
#include "rigorous/geocentric.h"
#include "spatial/spatial_coordinates.h"

#include <QRegularExpression>

namespace kvelta {

namespace {

using namespace rigorous;

EditField Metres(const QString& name, const QString& symbol, const QString& label, const QString& meaning,
                const QString& defaultText)
{
    return {name, label, meaning, defaultText, EditKind::Real, symbol};
}

void SpatialCompute(const Inputs& inputs, const TableSet& t)
{
    const GeodeticPoint geodetic = ReadGeodeticPoint(inputs);
    const GeocentricPoint geocentric = ReadGeocentricPoint(inputs);
    RunComputation(t, [&] {
        GeodeticToGeocentric(geodetic, *t[0]);
        GeocentricToGeodetic(geocentric, *t[1]);
    });
}

RigorousSolution SpatialRigorous(const Inputs& inputs, const ComputedTables&)
{
    const GeodeticPoint g = ReadGeodeticPoint(inputs);
    const GeocentricPoint c = ReadGeocentricPoint(inputs);
    const GeocentricValues xyz = GeocentricForward(g.B, g.L, g.H);
    const GeodeticHeightValues blh = GeocentricReverse(c.X, c.Y, c.Z);
    return {{xyz.X, xyz.Y, xyz.Z, blh.B, blh.L, blh.H},
            QStringLiteral("Строгие значения — преобразование GeographicLib Geocentric на том же эллипсоиде "
                           "(e² = f(2 − f) без округления). Прямой переход выполнен по точным замкнутым формулам, "
                           "обратный — итерациями до изменения B меньше 0,00001″; расхождения — доли десятитысячной "
                           "доли метра и стотысячной доли секунды, от округления чисел в таблице.")};
}

// Degrees of a signed angle typed into its three edits, each part with the angle's sign.
TypedTexts SignedAngleTexts(int firstEdit, qint64 hundredThousandths)
{
    TypedTexts texts = AngleTexts(firstEdit, hundredThousandths < 0 ? -hundredThousandths : hundredThousandths, 5);
    if (hundredThousandths < 0)
        for (auto& [name, text] : texts)
            if (text.contains(QRegularExpression(QStringLiteral("[1-9]"))))
                text.prepend(QLatin1Char('-'));
    return texts;
}

// A point of latitude ±80°, any longitude, height −500…9000 m; X, Y, Z of another such point from
// the rigorous transformation to 0.1 mm, so that the two pages are separate tasks.
TypedTexts SpatialVariant(QRandomGenerator& random)
{
    constexpr qint64 PerSecond = 100000;
    const auto angle = [&](qint64 degrees) { return Between(random, -degrees * 3600 * PerSecond, degrees * 3600 * PerSecond); };
    const qint64 B = angle(80), L = angle(180);
    const double H = static_cast<double>(Between(random, -500000, 9000000)) / 1000;
    const auto degrees = [](qint64 units) { return static_cast<double>(units) / (3600.0 * PerSecond); };
    // One draw a statement: the order of the draws is the order of the file's numbers for a seed.
    const double otherB = degrees(angle(80));
    const double otherL = degrees(angle(180));
    const double otherH = Uniform(random, -500, 9000);
    const GeocentricValues xyz = GeocentricForward(otherB, otherL, otherH);
    return Join({SignedAngleTexts(3, B), SignedAngleTexts(6, L), {{QStringLiteral("Edit9"), CommaNumber(H, 3)}},
                 {{QStringLiteral("Edit10"), CommaNumber(xyz.X.value.value_or(0), 4)},
                  {QStringLiteral("Edit11"), CommaNumber(xyz.Y.value.value_or(0), 4)},
                  {QStringLiteral("Edit12"), CommaNumber(xyz.Z.value.value_or(0), 4)}}});
}


// ---- window: B, L, H on the left of the panel, X, Y, Z on the right ----

WindowLayout SpatialWindow()
{
    return {600, 520, 145, true,
            Controls({StudentRows(), {CaptionAt(QStringLiteral("B"), 16, 68)}, AngleRow(3, 40, 64),
                      {CaptionAt(QStringLiteral("L"), 16, 92)}, AngleRow(6, 40, 88),
                      {CaptionAt(QStringLiteral("H,м"), 8, 116), EditAt(9, 40, 112, 153),
                       CaptionAt(QStringLiteral("X,м"), 232, 68), EditAt(10, 264, 64, 145),
                       CaptionAt(QStringLiteral("Y,м"), 232, 92), EditAt(11, 264, 88, 145),
                       CaptionAt(QStringLiteral("Z,м"), 232, 116), EditAt(12, 264, 112, 145), ComputeButton(432, 112)}})};
}

// The results of both pages, also compared with the rigorous solution.
const ResultQuantity ResultX{"X", "м", 0, FirstValueColumn, GeocentricXRow};
const ResultQuantity ResultY{"Y", "м", 0, FirstValueColumn, GeocentricYRow};
const ResultQuantity ResultZ{"Z", "м", 0, FirstValueColumn, GeocentricZRow};
const ResultQuantity ResultB{"B", {}, 1, FirstValueColumn, GeodeticBRow, true};
const ResultQuantity ResultL{"L", {}, 1, FirstValueColumn, GeodeticLRow, true};
const ResultQuantity ResultH{"H", "м", 1, FirstValueColumn, GeodeticHRow};

}  // namespace

const Exercise& SpatialCoordinatesExercise()
{
    static const Exercise exercise{
        .name = "spatial-coordinates",
        .windowClass = "TPrKoordForm",
        .caption = "Пространственные прямоугольные координаты",
        .summary = {"spatial rectangular coordinates X, Y, Z from B, L, H and back",
                    "пространственные прямоугольные координаты X, Y, Z по B, L, H и обратно"},
        .menu = {"N20", "Геодезические задачи", "N23", "Пространственные прямоугольные координаты"},
        .edits = Edits({StudentEdits(), AngleEdits(3, "B", "широта B"), AngleEdits(6, "L", "долгота L"),
                        {Metres("Edit9", "H", "H,м", "геодезическая высота H, м", "0"),
                         Metres("Edit10", "X", "X,м", "пространственная координата X, м", "6378245"),
                         Metres("Edit11", "Y", "Y,м", "пространственная координата Y, м", "0"),
                         Metres("Edit12", "Z", "Z,м", "пространственная координата Z, м", "0")}}),
        // The origin of the 1942 coordinate system at Pulkovo; X, Y, Z are the first page's results.
        .example = {{"Edit3", "59"}, {"Edit4", "46"}, {"Edit5", "18,55"}, {"Edit6", "30"}, {"Edit7", "19"},
                    {"Edit8", "42,09"}, {"Edit9", "75"}, {"Edit10", "2778626,7767"}, {"Edit11", "1625543,8058"},
                    {"Edit12", "5487883,5381"}},
        .help = "qrc:/help/spatial-coordinates.html",
        .tables = {{"StringGrid1", "Из B, L, H в X, Y, Z", 2, GeodeticToGeocentricRows, {210, 160}},
                   {"StringGrid2", "Из X, Y, Z в B, L, H", 2, GeocentricToGeodeticRows, {330, 160}, 64,
                    // the approximations after the first show as far as the iteration went
                    {SpatialFirstIterationRow + SpatialRowsPerIteration, GeodeticBRow - 1}}},
        .results = {ResultX, ResultY, ResultZ, ResultB, ResultL, ResultH},
        .report = ReportLayout::EveryPage,
        .writeLabels =
            [](const TableSet& t) {
                GeodeticToGeocentricLabels(*t[0]);
                GeocentricToGeodeticLabels(*t[1]);
            },
        .compute = SpatialCompute,
        .comparison = {{Renamed(ResultX, "X, м"), Renamed(ResultY, "Y, м"), Renamed(ResultZ, "Z, м"), ResultB, ResultL,
                        Renamed(ResultH, "H, м")},
                       SpatialRigorous, true},
        .makeVariant = SpatialVariant,
        .window = SpatialWindow(),
    };
    return exercise;
}

}  // namespace kvelta
