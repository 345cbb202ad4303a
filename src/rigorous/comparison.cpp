#include "rigorous/comparison.h"

#include "ellipsoid/meridian_arc.h"
#include "ellipsoid/parallel_arc.h"
#include "ellipsoid/trapezoid_area.h"
#include "ellipsoid/trapezoid_sides.h"
#include "frame/angles.h"
#include "frame/errors.h"
#include "frame/result_table.h"
#include "frame/task_form.h"
#include "gauss_kruger/gauss_kruger.h"
#include "gauss_kruger/zone_transfer.h"
#include "rigorous/spherical_triangle.h"
#include "spherical/large_triangle.h"
#include "spherical/legendre_triangle.h"

#include <GeographicLib/Config.h>
#include <GeographicLib/Ellipsoid.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Math.hpp>
#include <GeographicLib/PolygonArea.hpp>
#include <GeographicLib/Rhumb.hpp>
#include <GeographicLib/TransverseMercatorExact.hpp>

#include <QMetaObject>
#include <QRegularExpression>
#include <cmath>
#include <exception>
#include <functional>
#include <numbers>

namespace kvelta {

namespace {

// The official Krasovsky ellipsoid (the tables use e² = 0.00669342, a rounding of it).
constexpr double KrasovskyA = 6378245.0;
constexpr double KrasovskyF = 1 / 298.3;
// Seconds of arc per radian, exactly; the textbook rounds it to 206265.
constexpr double RoExact = 180 * 3600 / std::numbers::pi;
// Beyond this distance from the axial meridian the comparison of Gauss–Krüger coordinates stops:
// the transverse Mercator projection nears its branch point l = 90°(1 − e) ≈ 82.6° on the
// equator (scale 6.6 at 80°) and is many-valued past 90°, while a zone spans a few degrees.
constexpr double GaussKrugerLimitDegrees = 80;

struct Krasovsky {
    GeographicLib::Ellipsoid ellipsoid{KrasovskyA, KrasovskyF};
    GeographicLib::Geodesic geodesic{KrasovskyA, KrasovskyF};
    GeographicLib::Rhumb rhumb{KrasovskyA, KrasovskyF};
    GeographicLib::TransverseMercatorExact gaussKruger{KrasovskyA, KrasovskyF, 1};
};

const Krasovsky& Earth()
{
    static const Krasovsky earth;
    return earth;
}

// A rigorous value, or the reason there is none.
struct Value {
    std::optional<double> value;
    QString reason;
};

Value None(const QString& reason) { return {std::nullopt, reason}; }

// Runs a library call; an exception or a non-finite result becomes a reason.
Value Call(const std::function<double()>& f)
{
    try {
        const double v = f();
        if (!std::isfinite(v))
            return None(QStringLiteral("библиотека вернула нечисловое значение"));
        return {v, QString()};
    } catch (const std::exception& e) {
        return None(QStringLiteral("ошибка библиотеки: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

QString LatitudeReason(double B, const QString& name)
{
    if (!std::isfinite(B) || std::fabs(B) > 90)
        return QStringLiteral("широта %1 за пределами ±90°").arg(name);
    return {};
}

// ---- reading the printed cells back ----

int DecimalsOf(const QString& text)
{
    const int at = text.indexOf(DecimalSeparator());
    if (at < 0)
        return 0;
    int n = 0;
    for (int i = at + 1; i < text.size() && text[i].isDigit(); ++i)
        ++n;
    return n;
}

std::optional<double> ParseNumberCell(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char('"')))
        text.chop(1);
    try {
        return static_cast<double>(ParseReal(text.trimmed()));
    } catch (const KveltaError&) {
        return std::nullopt;
    }
}

// Angle text as FormatDms writes it: degrees "° ", minutes "` ", seconds and '"'; each part
// carries its own sign.
std::optional<double> ParseAngleCell(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(-?\\d+)\u00B0 (-?\\d+)` (\\S+)\"\\s*$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const std::optional<double> seconds = ParseNumberCell(m.captured(3));
    if (!seconds)
        return std::nullopt;
    return m.captured(1).toDouble() + m.captured(2).toDouble() / 60 + *seconds / 3600;
}

QString Signed(double value, int decimals)
{
    const QString text = FormatFixed(value, decimals);
    return value > 0 && text != FormatFixed(0, decimals) ? QLatin1Char('+') + text : text;
}

QString JoinReasons(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty() || a == b)
        return a;
    return a + QStringLiteral("; ") + b;
}

// ---- building the rows ----

// What turns a difference into a length on the ground (metres), if anything does.
using Ground = std::function<std::optional<double>(double difference)>;

struct RowContext {
    QString fault;  // the textbook computation's error, if it stopped
};

QString TextbookReason(const RowContext& context)
{
    return context.fault.isEmpty() ? QStringLiteral("учебное решение не дало значения")
                                   : QStringLiteral("учебное решение прервано: %1").arg(context.fault);
}

void Finish(ComparisonRow& row, const RowContext& context, const Value& rigorous, const Ground& ground,
            const QString& differenceUnit, int differenceDecimals, const std::optional<double>& difference)
{
    QString reason;
    if (!row.textbookValue) {
        row.textbook = row.textbook.isEmpty() ? NoValue : row.textbook;
        reason = TextbookReason(context);
    }
    if (!rigorous.value) {
        row.rigorous = NoValue;
        reason = JoinReasons(reason, rigorous.reason);
    }
    if (difference) {
        row.differenceValue = difference;
        row.difference = Signed(*difference, differenceDecimals) + differenceUnit;
        if (ground) {
            row.groundValue = ground(*difference);
            row.ground = row.groundValue ? Signed(*row.groundValue, 4) : NoValue;
        }
    } else {
        row.difference = NoValue;
        if (ground)
            row.ground = NoValue;
    }
    row.reason = reason;
}

// A number cell ("%1.Nf", or seconds with a trailing mark): the rigorous value is printed with
// the same number of decimals.
ComparisonRow NumberRow(const RowContext& context, const QString& quantity, const QString& cell,
                        const Value& rigorous, const QString& unit, const Ground& ground = {})
{
    ComparisonRow row;
    row.quantity = quantity;
    row.textbook = cell;
    row.textbookValue = cell.isEmpty() ? std::nullopt : ParseNumberCell(cell);
    const int decimals = cell.isEmpty() ? 4 : DecimalsOf(cell);
    row.rigorousValue = rigorous.value;
    if (rigorous.value)
        row.rigorous = FormatFixed(*rigorous.value, decimals);
    std::optional<double> difference;
    if (row.textbookValue && rigorous.value)
        difference = *row.textbookValue - *rigorous.value;
    Finish(row, context, rigorous, ground, unit.isEmpty() ? QString() : QLatin1Char(' ') + unit, decimals,
           difference);
    return row;
}

// An angle-text cell: values in degrees, the difference in seconds of arc.
ComparisonRow AngleRow(const RowContext& context, const QString& quantity, const QString& cell,
                       const Value& rigorousDegrees, const Ground& ground = {})
{
    ComparisonRow row;
    row.quantity = quantity;
    row.textbook = cell;
    row.textbookValue = cell.isEmpty() ? std::nullopt : ParseAngleCell(cell);
    row.rigorousValue = rigorousDegrees.value;
    Value rigorous = rigorousDegrees;
    if (rigorous.value) {
        try {
            row.rigorous = FormatDms(*rigorous.value);
        } catch (const KveltaError&) {
            rigorous = None(QStringLiteral("угол не выражается в градусах, минутах и секундах"));
            row.rigorousValue.reset();
        }
    }
    std::optional<double> difference;
    if (row.textbookValue && rigorous.value)
        difference = (*row.textbookValue - *rigorous.value) * 3600;
    Finish(row, context, rigorous, ground, QStringLiteral("″"), 4, difference);
    return row;
}

Ground SameLength()
{
    return [](double d) -> std::optional<double> { return d; };
}

// Runs the exercise's own computation on scratch tables; returns the error that stopped it.
QString RunTextbook(const std::vector<ResultTable*>& tables, const std::function<void()>& compute)
{
    try {
        RunComputation(tables, compute);
    } catch (const KveltaError& e) {
        return e.text();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
    return {};
}

Comparison Start(const char* className, const char* caption, const QString& fault)
{
    Comparison c;
    c.className = QString::fromLatin1(className);
    c.caption = QString::fromUtf8(caption);
    c.ellipsoid = RigorousEllipsoidStatement();
    c.textbookFault = fault;
    return c;
}

// The share of a textbook length that comes from ρ″ = 206265: the same formula with the exact
// ρ″ gives value·206265/ρ″exact, since the length is inversely proportional to ρ″.
double RoShare(double textbookValue) { return textbookValue * (1 - 206265 / RoExact); }

QString Metres(double v, int decimals = 3) { return FormatFixed(v, decimals) + QStringLiteral(" м"); }

// ---- rigorous quantities ----

Value MeridianRadius(double B, const QString& name)
{
    const QString reason = LatitudeReason(B, name);
    if (!reason.isEmpty())
        return None(reason);
    return Call([&] { return Earth().ellipsoid.MeridionalCurvatureRadius(B); });
}

Value MeridianArc(double B1, double B2)
{
    const QString reason = JoinReasons(LatitudeReason(B1, QStringLiteral("B1")), LatitudeReason(B2, QStringLiteral("B2")));
    if (!reason.isEmpty())
        return None(reason);
    return Call([&] { return Earth().ellipsoid.MeridianDistance(B2) - Earth().ellipsoid.MeridianDistance(B1); });
}

Value CircleRadius(double B, const QString& name)
{
    const QString reason = LatitudeReason(B, name);
    if (!reason.isEmpty())
        return None(reason);
    return Call([&] { return Earth().ellipsoid.CircleRadius(B); });
}

// Area of the sheet between the parallels B1, B2 and two meridians ΔL apart (square metres):
// a polygon of rhumb lines through the corners. The parallel sides are split so that no piece
// spans 180° (a rhumb line takes the shorter way round).
Value SheetArea(double B1, double B2, double deltaLDegrees)
{
    QString reason = JoinReasons(LatitudeReason(B1, QStringLiteral("B1")), LatitudeReason(B2, QStringLiteral("B2")));
    if (reason.isEmpty() && !(std::fabs(deltaLDegrees) <= 360))
        reason = QStringLiteral("L2 − L1 больше 360°: лист перекрывает сам себя");
    if (!reason.isEmpty())
        return None(reason);
    return Call([&] {
        GeographicLib::PolygonAreaRhumb polygon(Earth().rhumb);
        const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(deltaLDegrees) / 90)));
        for (int i = 0; i <= pieces; ++i)
            polygon.AddPoint(B1, deltaLDegrees * i / pieces);
        for (int i = pieces; i >= 0; --i)
            polygon.AddPoint(B2, deltaLDegrees * i / pieces);
        double perimeter = 0, area = 0;
        polygon.Compute(false, true, perimeter, area);
        // The library gives a signed area modulo the whole ellipsoid's; a sheet more than half
        // of it comes back with the wrong sign (or as 0 for the whole ellipsoid).
        const double sign = ((B2 > B1) == (deltaLDegrees > 0)) ? 1 : -1;
        if (B1 != B2 && deltaLDegrees != 0 && (area == 0 || (area > 0) != (sign > 0)))
            area += sign * Earth().ellipsoid.Area();
        return area;
    });
}

// Gauss–Krüger x (northing) and y (ordinate from the axial meridian) of B, L by the exact
// transverse Mercator projection with scale 1 on the axial meridian.
struct PlaneValues {
    Value x, y;
};

PlaneValues GaussKrugerForward(double B, double L, double Lo)
{
    QString reason = LatitudeReason(B, QStringLiteral("B"));
    if (reason.isEmpty() && !(std::isfinite(L) && std::isfinite(Lo)))
        reason = QStringLiteral("долгота не является конечным числом");
    if (reason.isEmpty() && std::fabs(GeographicLib::Math::AngDiff(Lo, L)) >= GaussKrugerLimitDegrees)
        reason = QStringLiteral("точка в 80° и более от осевого меридиана: вблизи особой точки поперечной "
                                "проекции Меркатора (l = 90°(1 − e) ≈ 82,6°) и за 90° проекция неоднозначна");
    if (!reason.isEmpty())
        return {None(reason), None(reason)};
    double easting = 0, northing = 0;
    const Value ok = Call([&] {
        Earth().gaussKruger.Forward(Lo, B, L, easting, northing);
        return easting + northing;
    });
    if (!ok.value)
        return {ok, ok};
    return {Value{northing, {}}, Value{easting, {}}};
}

struct GeodeticValues {
    Value B, L;
};

GeodeticValues GaussKrugerInverse(double x, double y, double Lo)
{
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(Lo))) {
        const Value none = None(QStringLiteral("исходные данные не являются конечными числами"));
        return {none, none};
    }
    double lat = 0, lon = 0;
    const Value ok = Call([&] {
        Earth().gaussKruger.Reverse(Lo, y, x, lat, lon);
        return lat + lon;
    });
    if (!ok.value)
        return {ok, ok};
    if (std::fabs(lat) >= 90 - 1e-9)
        return {Value{lat, {}}, None(QStringLiteral("на полюсе долгота не определена"))};
    const double l = GeographicLib::Math::AngDiff(Lo, lon);
    if (std::fabs(l) >= GaussKrugerLimitDegrees) {
        const Value none = None(QStringLiteral("точка в 80° и более от осевого меридиана или за полюсом: "
                                               "поперечная проекция Меркатора здесь неоднозначна"));
        return {none, none};
    }
    // The projection is one-to-one inside that band: the point must project back onto x, y.
    double easting = 0, northing = 0;
    Earth().gaussKruger.Forward(Lo, lat, lon, easting, northing);
    if (!(std::fabs(easting - y) < 1e-3 && std::fabs(northing - x) < 1e-3)) {
        const Value none = None(QStringLiteral("библиотека не даёт однозначной точки для этих x, y"));
        return {none, none};
    }
    return {Value{lat, {}}, Value{Lo + l, {}}};
}

// A difference in seconds of latitude or longitude as a length on the ground at latitude B.
Ground LatitudeSeconds(const Value& B)
{
    if (!B.value)
        return {};
    const double lat = *B.value;
    return [lat](double seconds) -> std::optional<double> {
        return seconds / RoExact * Earth().ellipsoid.MeridionalCurvatureRadius(lat);
    };
}

Ground LongitudeSeconds(const Value& B)
{
    if (!B.value)
        return {};
    const double lat = *B.value;
    return [lat](double seconds) -> std::optional<double> {
        return seconds / RoExact * Earth().ellipsoid.CircleRadius(lat);
    };
}

Ground MapCentimetres(double scale)
{
    return [scale](double cm) -> std::optional<double> { return cm / 100 * scale; };
}

const QString RoNote = QStringLiteral(
    "ρ″ = 206265 вместо 206264,806…: учебные длины меньше строгих примерно на 0,94·10⁻⁶ (0,94 мм на километр).");

}  // namespace

QString RigorousEllipsoidStatement()
{
    return QStringLiteral("Эллипсоид Красовского: a = 6378245 м, 1/f = %1 (в таблицах упражнений e² = %2, "
                          "его округление). Строгие значения: GeographicLib %3.")
        .arg(FormatFixed(298.3L, 1), FormatFixed(0.00669342L, 8), QStringLiteral(GEOGRAPHICLIB_VERSION_STRING));
}

// ---- the nine exercises ----

Comparison CompareMeridianArc(const Inputs& inputs)
{
    const MeridianArcLatitudes lat = ReadMeridianArcLatitudes(inputs);
    ResultTable t(4, 18);
    MeridianArcLabels(t);
    const RowContext cx{RunTextbook({&t}, [&] { ComputeMeridianArc(lat, t); })};
    Comparison c = Start("TMForm", "Вычисление дуги меридианов", cx.fault);
    c.rows.push_back(NumberRow(cx, QStringLiteral("M1, м"), t.cell(3, 11), MeridianRadius(lat.B1, QStringLiteral("B1")), QStringLiteral("м")));
    c.rows.push_back(NumberRow(cx, QStringLiteral("Mcp, м"), t.cell(3, 13), MeridianRadius(lat.Bcp, QStringLiteral("Bcp")), QStringLiteral("м")));
    c.rows.push_back(NumberRow(cx, QStringLiteral("M2, м"), t.cell(3, 12), MeridianRadius(lat.B2, QStringLiteral("B2")), QStringLiteral("м")));
    const ComparisonRow& s = c.rows.emplace_back(
        NumberRow(cx, QStringLiteral("S, м"), t.cell(3, 16), MeridianArc(lat.B1, lat.B2), QStringLiteral("м"), SameLength()));

    c.note = QStringLiteral("Главный источник расхождения — ") + RoNote;
    if (s.textbookValue && s.differenceValue)
        c.note += QStringLiteral(" Здесь от ρ″ %1 из %2; остальное — правило Симпсона по трём точкам (растёт с длиной "
                                 "дуги: около 0,03 м на 10°, 35 м на дуге 0°–90°) и приближённая формула M.")
                      .arg(Metres(RoShare(*s.textbookValue)), Metres(*s.differenceValue));
    return c;
}

Comparison CompareParallelArc(const Inputs& inputs)
{
    const ParallelArcInputs in = ReadParallelArcInputs(inputs);
    ResultTable t(4, 10);
    ParallelArcLabels(t);
    const RowContext cx{RunTextbook({&t}, [&] { ComputeParallelArc(in, t); })};
    Comparison c = Start("TPForm", "Вычисление длины дуги параллели", cx.fault);
    const QString reason = LatitudeReason(in.B, QStringLiteral("B"));
    c.rows.push_back(NumberRow(cx, QStringLiteral("N, м"), t.cell(3, 3),
                               reason.isEmpty() ? Call([&] { return Earth().ellipsoid.TransverseCurvatureRadius(in.B); }) : None(reason),
                               QStringLiteral("м")));
    const Value r = CircleRadius(in.B, QStringLiteral("B"));
    c.rows.push_back(NumberRow(cx, QStringLiteral("N·cosB, м"), t.cell(3, 7), r, QStringLiteral("м")));
    Value arc = r;
    if (r.value)
        arc = Call([&] { return *r.value * in.L * std::numbers::pi / 180; });
    const ComparisonRow& s = c.rows.emplace_back(
        NumberRow(cx, QStringLiteral("Sп, м"), t.cell(3, 9), arc, QStringLiteral("м"), SameLength()));

    c.note = QStringLiteral("Главный источник расхождения — ") + RoNote;
    if (s.textbookValue && s.differenceValue)
        c.note += QStringLiteral(" Здесь от ρ″ %1 из %2; остальное — приближённая формула N.")
                      .arg(Metres(RoShare(*s.textbookValue), 4), Metres(*s.differenceValue, 4));
    c.note += QStringLiteral(" Дуга параллели — не геодезическая линия: кратчайшее расстояние между её концами меньше.");
    return c;
}

Comparison CompareTrapezoidArea(const Inputs& inputs)
{
    const TrapezoidAreaInputs in = ReadTrapezoidAreaInputs(inputs);
    ResultTable t(4, 12);
    TrapezoidAreaLabels(t);
    const RowContext cx{RunTextbook({&t}, [&] { ComputeTrapezoidArea(in, t); })};
    Comparison c = Start("TPTrapForm", "Вычисление площади  трапеции", cx.fault);
    Value area = SheetArea(in.B1, in.B2, in.deltaLSeconds / 3600);
    if (area.value)
        area.value = *area.value / 1e6;
    const ComparisonRow& p = c.rows.emplace_back(NumberRow(cx, QStringLiteral("P, км²"), t.cell(3, 10), area, QStringLiteral("км²")));

    c.note = QStringLiteral("Главный источник расхождения — ρ″ = 206265 в K = b²(L2 − L1)″/ρ″: учебная площадь меньше "
                            "строгой примерно на 0,95·10⁻⁶.");
    if (p.textbookValue && p.differenceValue)
        c.note += QStringLiteral(" Здесь от ρ″ %1 км² из %2 км²; остальное — округление членов ряда до 10 знаков, "
                                 "b = 6356,863 км, e² = 0,00669342 и обрыв ряда.")
                      .arg(FormatFixed(RoShare(*p.textbookValue), 8), FormatFixed(*p.differenceValue, 8));
    c.note += QStringLiteral(" Строгая площадь — многоугольник из локсодромий по четырём углам (стороны листа — "
                             "параллели и меридианы); геодезический четырёхугольник через те же углы — не лист.");
    return c;
}

Comparison CompareTrapezoidSides(const Inputs& inputs)
{
    const TrapezoidSidesInputs in = ReadTrapezoidSidesInputs(inputs);
    ResultTable t(4, 20);
    TrapezoidSidesLabels(t);
    const RowContext cx{RunTextbook({&t}, [&] { ComputeTrapezoidSides(in, t); })};
    Comparison c = Start("TDTrapForm", "Вычисление длин сторон трапеции", cx.fault);

    const double toMap = 100 / in.scale;  // metres on the ground → centimetres on the map
    const double deltaL = in.deltaLSeconds / 3600;
    auto parallelSide = [&](double B, const QString& name) {
        Value r = CircleRadius(B, name);
        if (r.value)
            r = Call([&] { return *r.value * deltaL * std::numbers::pi / 180 * toMap; });
        return r;
    };
    const Ground ground = MapCentimetres(in.scale);
    c.rows.push_back(NumberRow(cx, QStringLiteral("a1, см"), t.cell(3, 14), parallelSide(in.B1, QStringLiteral("B1")), QStringLiteral("см"), ground));
    c.rows.push_back(NumberRow(cx, QStringLiteral("a2, см"), t.cell(3, 15), parallelSide(in.B2, QStringLiteral("B2")), QStringLiteral("см"), ground));
    Value side = MeridianArc(in.B1, in.B2);
    if (side.value)
        side.value = std::fabs(*side.value) * toMap;
    c.rows.push_back(NumberRow(cx, QStringLiteral("c, см"), t.cell(3, 16), side, QStringLiteral("см"), ground));

    Value diagonal = None(JoinReasons(LatitudeReason(in.B1, QStringLiteral("B1")), LatitudeReason(in.B2, QStringLiteral("B2"))));
    if (diagonal.reason.isEmpty() && !(std::fabs(deltaL) < 180))
        diagonal.reason = QStringLiteral("L2 − L1 не меньше 180°: диагональ листа неоднозначна");
    if (diagonal.reason.isEmpty())
        diagonal = Call([&] {
            double s12 = 0;
            Earth().geodesic.Inverse(in.B1, 0, in.B2, deltaL, s12);
            return s12 * std::fabs(toMap);
        });
    c.rows.push_back(NumberRow(cx, QStringLiteral("d, см"), t.cell(3, 19), diagonal, QStringLiteral("см"), MapCentimetres(std::fabs(in.scale))));

    c.note = QStringLiteral("Стороны a1, a2, c расходятся в основном из-за ") + RoNote
             + QStringLiteral(" Диагональ по плоской формуле d² = c² + a1·a2 отличается от геодезической линии между углами листа "
                              "тем сильнее, чем больше лист (на листе 4° × 6° — около 41 м на местности). Длины — на эллипсоиде "
                              "в масштабе 1 : M; на листе в проекции Гаусса–Крюгера они ещё больше на масштаб проекции.");
    return c;
}

namespace {

const QString GaussKrugerNote = QStringLiteral(
    "Главный источник расхождения — ρ″ = 206265 в B″/ρ″, l″/ρ″ и ρ″·β: координаты x, y получаются меньше "
    "строгих примерно на 0,94·10⁻⁶ (x — около 5,4 м на широте 51°), широта в обратной задаче больше примерно "
    "на 0,17″. С точным ρ″ те же ряды совпадают со строгой проекцией до миллиметра в пределах 3° от осевого "
    "меридиана; дальше растёт ошибка оборванных рядов (десятки метров при l = 20°).");

}  // namespace

Comparison CompareGeodeticToGaussKruger(const Inputs& inputs)
{
    const GeodeticInput in = ReadGeodeticInput(inputs);
    ResultTable t(2, 24);
    GeodeticToGaussKrugerLabels(t);
    const RowContext cx{RunTextbook({&t}, [&] { GeodeticToGaussKruger(in.B, in.L, in.Lo, t); })};
    Comparison c = Start("TPTGKForm", "Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим", cx.fault);
    const PlaneValues p = GaussKrugerForward(in.B, in.L, in.Lo);
    c.rows.push_back(NumberRow(cx, QStringLiteral("x, м"), t.cell(1, 20), p.x, QStringLiteral("м"), SameLength()));
    c.rows.push_back(NumberRow(cx, QStringLiteral("y, м"), t.cell(1, 23), p.y, QStringLiteral("м"), SameLength()));
    c.note = GaussKrugerNote;
    return c;
}

Comparison CompareGaussKrugerToGeodetic(const Inputs& inputs)
{
    const PlaneInput in = ReadPlaneInput(inputs);
    ResultTable t(2, 27);
    GaussKrugerToGeodeticLabels(t);
    const RowContext cx{RunTextbook({&t}, [&] { GaussKrugerToGeodetic(in.x, in.y, in.Lo, t); })};
    Comparison c = Start("TGKTPForm", "Вычисление геодезических координат по прямоугольным коорд. Гаусса-Крюгера", cx.fault);
    const GeodeticValues g = GaussKrugerInverse(in.x, in.y, in.Lo);
    c.rows.push_back(AngleRow(cx, QStringLiteral("B"), t.cell(1, 23), g.B, LatitudeSeconds(g.B)));
    c.rows.push_back(AngleRow(cx, QStringLiteral("L"), t.cell(1, 26), g.L, LongitudeSeconds(g.B)));
    c.note = GaussKrugerNote;
    return c;
}

Comparison CompareZoneTransfer(const Inputs& inputs)
{
    const ZoneTransferInput in = ReadZoneTransferInput(inputs);
    ResultTable first(2, 27), second(2, 24);
    GaussKrugerToGeodeticLabels(first);
    GeodeticToGaussKrugerLabels(second);
    const RowContext cx{RunTextbook({&first, &second}, [&] { ComputeZoneTransfer(in, first, second); })};
    Comparison c = Start("TPreobrazForm", "Преобразование прямоугольных коорд. Гаусса-Крюгера из одной зоны в другую", cx.fault);
    const GeodeticValues g = GaussKrugerInverse(in.x, in.y, in.Lo);
    c.rows.push_back(AngleRow(cx, QStringLiteral("B"), first.cell(1, 23), g.B, LatitudeSeconds(g.B)));
    c.rows.push_back(AngleRow(cx, QStringLiteral("L"), first.cell(1, 26), g.L, LongitudeSeconds(g.B)));
    PlaneValues p{g.B, g.B};
    if (g.B.value)  // at a pole every longitude is the same point
        p = GaussKrugerForward(*g.B.value, g.L.value ? *g.L.value : in.LoPrime, in.LoPrime);
    c.rows.push_back(NumberRow(cx, QStringLiteral("x′, м"), second.cell(1, 20), p.x, QStringLiteral("м"), SameLength()));
    c.rows.push_back(NumberRow(cx, QStringLiteral("y′, м"), second.cell(1, 23), p.y, QStringLiteral("м"), SameLength()));
    c.note = GaussKrugerNote
             + QStringLiteral(" В новой зоне ошибка рядов складывается из ошибок обратной и прямой задач.");
    return c;
}

namespace {

// The triangle rows shared by both triangle exercises: from one rigorous solution.
struct TriangleValues {
    Value E, W, a, c;
};

TriangleValues TriangleRigorous(const SphericalTriangleResult& r)
{
    if (!r.solution) {
        const Value none = None(r.reason);
        return {none, none, none, none};
    }
    const SphericalTriangleSolution& s = *r.solution;
    return {Value{s.excessSeconds, {}}, Value{s.misclosureSeconds / 3600, {}}, Value{s.a, {}}, Value{s.c, {}}};
}

Value DegreesOfSeconds(const Value& seconds)
{
    Value v = seconds;
    if (v.value)
        v.value = *v.value / 3600;
    return v;
}

}  // namespace

Comparison CompareLegendreTriangle(const Inputs& inputs)
{
    const LegendreTriangleData d = ReadLegendreTriangle(inputs);
    ResultTable legendre(7, 16), additaments(8, 7);
    LegendreTableLabels(legendre);
    AdditamentsTableLabels(additaments);
    const RowContext cx{RunTextbook({&legendre, &additaments}, [&] { ComputeLegendreTriangle(d, legendre, additaments); })};
    Comparison c = Start("TReshSTmForm", "Вычиление сф. тр. по теор. Лежандра и способу аддитаментов", cx.fault);

    // f = ρ″·10⁶/(2R²) in seconds of arc per km², with the course's ρ″; f = 0.002533 fixes R.
    const double radius = std::sqrt(206265e6 / (2 * 0.002533));
    const TriangleValues v = TriangleRigorous(SolveSphericalTriangle(d.A, d.B, d.C, d.b, radius));
    c.rows.push_back(NumberRow(cx, QStringLiteral("E, ″"), legendre.cell(3, 4), v.E, QStringLiteral("″")));
    c.rows.push_back(AngleRow(cx, QStringLiteral("Невязка W"), legendre.cell(1, 12), v.W));
    c.rows.push_back(NumberRow(cx, QStringLiteral("a (теорема Лежандра), м"), legendre.cell(3, 14), v.a, QStringLiteral("м"), SameLength()));
    c.rows.push_back(NumberRow(cx, QStringLiteral("c (теорема Лежандра), м"), legendre.cell(3, 15), v.c, QStringLiteral("м"), SameLength()));
    c.rows.push_back(NumberRow(cx, QStringLiteral("a (способ аддитаментов), м"), additaments.cell(7, 2), v.a, QStringLiteral("м"), SameLength()));
    c.rows.push_back(NumberRow(cx, QStringLiteral("c (способ аддитаментов), м"), additaments.cell(7, 3), v.c, QStringLiteral("м"), SameLength()));

    c.note = QStringLiteral("Сфера: коэффициент f = 0,002533″/км² равен ρ″·10⁶/(2R²), откуда R = %1 (такое √(MN) "
                            "у эллипсоида Красовского на широте около 48,6°). Строгое решение: измеренные углы "
                            "исправлены поровну так, чтобы их сумма была 180° плюс точный избыток треугольника, и "
                            "треугольник решён точно на сфере (аналогии Непера, избыток по формуле Люилье) с итерацией "
                            "до неподвижной точки. Расхождения малы: E — от округления f, стороны по аддитаментам — "
                            "от округлённого k = 4,11·10⁻¹⁵; теорема Лежандра здесь точна до долей миллиметра.")
                 .arg(Metres(radius, 1));
    return c;
}

Comparison CompareLargeTriangle(const Inputs& inputs)
{
    const LargeTriangleInput in = ReadLargeTriangle(inputs);
    const auto& layouts = LargeTrianglePageLayouts();
    std::vector<ResultTable> pages;
    pages.reserve(LargeTrianglePageCount);
    for (const LargeTrianglePageLayout& l : layouts)
        pages.emplace_back(l.columns, l.rows);
    LargeTriangleTables tables;
    std::vector<ResultTable*> list;
    for (int i = 0; i < LargeTrianglePageCount; ++i)
        list.push_back(tables[static_cast<std::size_t>(i)] = &pages[static_cast<std::size_t>(i)]);
    LargeTriangleLabels(tables);
    const RowContext cx{RunTextbook(list, [&] { ComputeLargeTriangle(in, tables); })};
    Comparison c = Start("TSfTrForm", "Решение большого сферического треугольника", cx.fault);

    // The data of the rigorous solution are the course's spherical angles (after its reduction
    // from the ellipsoid, recomputed here on tables of their own) and b, on the sphere of
    // radius √(M·N) at Bm with the exact radii.
    TriangleValues v;
    Value radius = None(LatitudeReason(in.Bm, QStringLiteral("Bm")));
    if (radius.reason.isEmpty())
        radius = Call([&] {
            return std::sqrt(Earth().ellipsoid.MeridionalCurvatureRadius(in.Bm) * Earth().ellipsoid.TransverseCurvatureRadius(in.Bm));
        });
    std::optional<SphericalReduction> reduction;
    QString reductionFault;
    {
        const LargeTrianglePageLayout& l1 = layouts[0];
        const LargeTrianglePageLayout& l2 = layouts[1];
        ResultTable page1(l1.columns, l1.rows), page2(l2.columns, l2.rows);
        try {
            reduction = ComputeSphericalReduction(in, page1, page2);
        } catch (const KveltaError& e) {
            reductionFault = QStringLiteral("приведение углов к сфере прервано: %1").arg(e.text());
        } catch (const std::exception& e) {
            reductionFault = QStringLiteral("приведение углов к сфере прервано: %1").arg(QString::fromLocal8Bit(e.what()));
        }
    }
    if (!radius.value)
        v = TriangleRigorous({std::nullopt, radius.reason});
    else if (!reduction)
        v = TriangleRigorous({std::nullopt, reductionFault});
    else
        v = TriangleRigorous(SolveSphericalTriangle(reduction->Asf, reduction->Bsf, reduction->Csf, in.b, *radius.value));

    const Value E = DegreesOfSeconds(v.E);
    c.rows.push_back(AngleRow(cx, QStringLiteral("E по углам и b (стр. 3)"), pages[2].cell(3, 5), E));
    c.rows.push_back(AngleRow(cx, QStringLiteral("E по Люилье (стр. 5)"), pages[4].cell(3, 10), E));
    c.rows.push_back(AngleRow(cx, QStringLiteral("Невязка W (стр. 4)"), pages[3].cell(1, 6), v.W));
    c.rows.push_back(NumberRow(cx, QStringLiteral("a (стр. 4), м"), pages[3].cell(4, 9), v.a, QStringLiteral("м"), SameLength()));
    c.rows.push_back(NumberRow(cx, QStringLiteral("c (стр. 4), м"), pages[3].cell(4, 10), v.c, QStringLiteral("м"), SameLength()));
    c.rows.push_back(NumberRow(cx, QStringLiteral("a (стр. 8), м"), pages[7].cell(3, 2), v.a, QStringLiteral("м"), SameLength()));
    c.rows.push_back(NumberRow(cx, QStringLiteral("c (стр. 8), м"), pages[7].cell(3, 3), v.c, QStringLiteral("м"), SameLength()));

    c.note = QStringLiteral("Сфера радиуса √(Mm·Nm) на широте Bm по точным M и N%1; данные — сферические углы Aсф, Bсф, "
                            "Cсф после приведения (стр. 2) и сторона b. Строгое решение: углы исправлены поровну до суммы "
                            "180° плюс точный избыток, треугольник решён точно на сфере (аналогии Непера, формула Люилье) с "
                            "итерацией до неподвижной точки. Главные источники расхождения: избыток стр. 3 (по f, b и "
                            "неисправленным углам) отличается от точного почти на секунду, отсюда невязка W и стороны стр. 4; "
                            "стр. 8 берёт неуравненные сферические углы (A1 + B1 + C1 ≠ 180°), отсюда около метра в сторонах.")
                 .arg(radius.value ? QStringLiteral(" (R = %1)").arg(Metres(*radius.value)) : QString());
    return c;
}

// ---- dispatch ----

namespace {

using CompareFunction = Comparison (*)(const Inputs&);

struct Entry {
    const char* className;
    CompareFunction compare;
};

constexpr Entry Entries[] = {
    {"TMForm", CompareMeridianArc},
    {"TPForm", CompareParallelArc},
    {"TPTrapForm", CompareTrapezoidArea},
    {"TDTrapForm", CompareTrapezoidSides},
    {"TPTGKForm", CompareGeodeticToGaussKruger},
    {"TGKTPForm", CompareGaussKrugerToGeodetic},
    {"TPreobrazForm", CompareZoneTransfer},
    {"TReshSTmForm", CompareLegendreTriangle},
    {"TSfTrForm", CompareLargeTriangle},
};

CompareFunction Find(const QString& className)
{
    for (const Entry& e : Entries)
        if (className == QLatin1String(e.className))
            return e.compare;
    return nullptr;
}

}  // namespace

QString ExerciseClassName(const TaskForm& form)
{
    const QString name = QString::fromLatin1(form.metaObject()->className());
    return name.section(QStringLiteral("::"), -1);
}

bool HasRigorousComparison(const QString& className) { return Find(className) != nullptr; }

std::optional<Comparison> CompareExercise(const QString& className, const Inputs& inputs)
{
    const CompareFunction compare = Find(className);
    if (!compare)
        return std::nullopt;
    return compare(inputs);
}

std::optional<Comparison> CompareForm(const TaskForm& form)
{
    std::optional<Comparison> c = CompareExercise(ExerciseClassName(form), form.inputs());
    if (c)
        c->caption = form.caption();
    return c;
}

}  // namespace kvelta
