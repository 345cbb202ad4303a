#include "geodetic_problems/mean_argument.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
#include "frame/errors.h"

#include <array>
#include <cmath>
#include <optional>

namespace kvelta {

namespace {

constexpr Extended Ro = RoSecondsExact;
// Successive approximations closer than this (seconds of arc; metres in the inverse problem)
// end the iteration.
constexpr Extended ToleranceSeconds = 0.00001L;
constexpr Extended ToleranceMetres = 0.00001L;
// Past this length the series stop describing the line (an inverse problem across a hemisphere
// still "converges", to a wrong length).
constexpr Extended LongestLine = 1000000;  // metres

// Half a unit of the last printed digit: 0.0001″ for angles, 0.1 mm for s. A result whose error
// estimate stays within it prints right to its last digit.
constexpr Extended HalfUnitSeconds = 0.00005L;
constexpr Extended HalfUnitMetres = 0.00005L;

// What the seventh-order series leave out grows as Y⁴ with Y = (P² + (1 + tan²Bm)·Q²)/N², the
// square of the ninth-order terms' small parameter (tan Bm·Q/N is about the change of azimuth
// along the line). Measured against the geodesic (GeographicLib) over 16 000 lines of 1 m–1000 km
// at all latitudes up to 89.9°, the errors stayed below these multiples of Y⁴; the factors are
// the worst measured ratios doubled. Direct problem: error of ΔB ≤ f·σ·Y⁴, of ΔL and ΔA
// ≤ f·σ·Y⁴/cos Bm (radians, σ = s/N); inverse: of s ≤ f·s·Y⁴, of the azimuths ≤ f·Y⁴.
constexpr Extended DirectLatitudeFactor = 0.0072L;
constexpr Extended DirectLongitudeFactor = 0.0083L;
constexpr Extended DirectAzimuthFactor = 0.0083L;
constexpr Extended InverseDistanceFactor = 0.035L;
constexpr Extended InverseAzimuthFactor = 0.002L;

[[noreturn]] void RefuseLongLine()
{
    throw KveltaError(QStringLiteral("Линия длиннее 1000 км: формулы со средними аргументами для неё непригодны; "
                                     "разбейте её на части короче"));
}

// The bracketed factors 1 + (third-order term) + (fifth-order term) + (seventh-order term) of ΔB, ΔL
// and ΔA. With P = s·cos Am and Q = s·sin Am, s²·sin²Am = Q² and s²·cos²Am = P², so each term is a
// form in P², Q². The coefficients are those scripts/derive_mean_argument.py prints (h = η²,
// t2 = tan²Bm). The seventh-order terms, which the powers of tan Bm make count near 80° of latitude,
// are kept without their η² parts: over lines of 200 km up to 80° those change no result by more
// than 0.000002″ or 0.005 mm.
struct Brackets {
    Extended B = 1;
    Extended L = 1;
    Extended A = 1;
};

Brackets SeriesBrackets(const MeanLatitude& m, Extended P, Extended Q)
{
    const Extended h = m.eta2, t2 = m.t * m.t;
    const Extended P2 = P * P, Q2 = Q * Q;
    const Extended third = 24 * m.N * m.N;
    const Extended fifth = 1920 * m.N * m.N * m.N * m.N;
    const Extended seventh = 322560 * m.N * m.N * m.N * m.N * m.N * m.N;
    Brackets k;
    k.B = 1 + (Q2 * (2 * h + 3 * t2 + 2) + P2 * h * (h * (-12 * t2 - 3) + 3 * t2 - 3)) / third
          + (Q2 * Q2 * (h * (h * (16 - 32 * t2) + 28 * t2 + 32) + t2 * (45 * t2 + 60) + 16)
             + P2 * Q2 * (h * (h * (h * (-384 * t2 - 76) + t2 * (-360 * t2 - 298) - 160) + t2 * (270 * t2 + 86) - 92) - 8)
             + P2 * P2 * h * (h * (h * (h * (t2 * (1080 * t2 + 408) + 57) + t2 * (534 - 180 * t2) + 126)
                                   + t2 * (45 * t2 + 114) + 81)
                              - 12 * t2 + 12))
                / fifth
          + (Q2 * Q2 * Q2 * (t2 * (t2 * (1575 * t2 + 3150) + 1848) + 272) - Q2 * Q2 * P2 * (504 * t2 + 416)
             + Q2 * P2 * P2 * (168 * t2 + 32))
                / seventh;
    k.L = 1 + (Q2 * t2 + P2 * (h * (9 * t2 - 1) - 1)) / third
          + (Q2 * Q2 * (8 * h * t2 + t2 * (9 * t2 + 8))
             + P2 * Q2 * (h * (h * (196 * t2 - 8) + t2 * (270 * t2 + 186) - 16) - 10 * t2 - 8)
             + P2 * P2 * (h * (h * (h * (t2 * (168 - 420 * t2) + 12) + t2 * (225 * t2 + 106) + 25) - 62 * t2 + 14) + 1))
                / fifth
          + (Q2 * Q2 * Q2 * t2 * (t2 * (225 * t2 + 360) + 136) - Q2 * Q2 * P2 * (t2 * (315 * t2 + 448) + 136)
             + Q2 * P2 * P2 * (91 * t2 + 88) - P2 * P2 * P2)
                / seventh;
    k.A = 1 + (Q2 * (2 * h + t2 + 2) + P2 * (h * (5 * h + 9 * t2 + 7) + 2)) / third
          + (Q2 * Q2 * (h * (h * (16 - 32 * t2) - 12 * t2 + 32) + t2 * (9 * t2 + 20) + 16)
             + P2 * Q2 * (h * (h * (h * (84 - 144 * t2) + 202 * t2 + 200) + t2 * (270 * t2 + 366) + 148) + 20 * t2 + 32)
             + P2 * P2 * (h * (h * (h * (h * (-432 * t2 - 47) + t2 * (-420 * t2 - 366) - 110) + t2 * (225 * t2 + 114) - 63)
                               + 48 * t2 + 16)
                          + 16))
                / fifth
          + (Q2 * Q2 * Q2 * (t2 * (t2 * (225 * t2 + 630) + 616) + 272) + Q2 * Q2 * P2 * (t2 * (630 * t2 + 1232) + 816)
             + Q2 * P2 * P2 * (616 * t2 + 816) + 272 * P2 * P2 * P2)
                / seventh;
    return k;
}

[[noreturn]] void Refuse(const QString& text) { throw KveltaError(text); }

void RefusePole(double B, const QString& name)
{
    if (!(std::fabs(B) < 90))
        Refuse(QStringLiteral("Точка %1 на полюсе или за ним (|%1| ≥ 90°): долгота и азимут там не определены").arg(name));
}

void WriteConstants(ResultTable& t)
{
    WriteFixed(t, FirstValueColumn, MeanArgumentRowA, KrasovskyA, 3);
    WriteFixed(t, FirstValueColumn, MeanArgumentRowE2, KrasovskyE2, 12);
    WriteFixed(t, FirstValueColumn, MeanArgumentRowE2Second, KrasovskyE2Second, 12);
    WriteFixed(t, FirstValueColumn, MeanArgumentRowRo, Ro, 8);
}

void WriteMeanLatitude(ResultTable& t, int column, int firstRow, const MeanLatitude& m)
{
    WriteFixed(t, column, firstRow, m.N, 3);
    WriteFixed(t, column, firstRow + 1, m.V2, 10);
    WriteFixed(t, column, firstRow + 2, m.eta2, 10);
    WriteFixed(t, column, firstRow + 3, m.t, 10);
}

void WriteSeconds(ResultTable& t, int column, int row, Extended seconds)
{
    t.setValue(column, row, FormatFixed(Checked(seconds), 5) + QLatin1Char('"'), seconds);
}

void WriteApproximation(ResultTable& t, int column, int row)
{
    t.setValue(column, row, QString::number(column));
}

Extended Degrees(Extended radians) { return radians * 180 / Pi; }

// The estimated errors of a solution, in the units it is printed in, and how much shorter the
// line must be for them to fall within half a unit of the last digit.
struct ErrorEstimate {
    Extended worst = 0;      // the largest estimated error in units of its printed digit's half-unit
    Extended shortening = 1; // the factor of s that brings the worst within it
    QString units;           // "0,0001″" or "0,1 мм", of the worst
};

// Y = (P² + (1 + tan²Bm)·Q²)/N².
Extended SeriesParameter(const MeanLatitude& m, Extended P, Extended Q)
{
    return (P * P + (1 + m.t * m.t) * Q * Q) / (m.N * m.N);
}

// Each error grows as s to the given power; the worst one decides.
void Account(ErrorEstimate& e, Extended error, Extended halfUnit, int power, const QString& units)
{
    const Extended ratio = error / halfUnit;
    if (ratio > e.worst) {
        e.worst = ratio;
        e.units = units;
    }
    if (ratio > 1)
        e.shortening = std::min(e.shortening, std::pow(ratio, -1.0L / power));
}

QString Seconds() { return FormatFixed(0.0001L, 4) + QStringLiteral("″"); }
QString Millimetres() { return FormatFixed(0.1L, 1) + QStringLiteral(" мм"); }

ErrorEstimate DirectErrorEstimate(const MeanLatitude& m, Extended s, Extended P, Extended Q)
{
    const Extended y4 = std::pow(SeriesParameter(m, P, Q), 4), sigma = s / m.N;
    const Extended secB = 1 / std::fabs(m.cosB);
    ErrorEstimate e;
    Account(e, DirectLatitudeFactor * sigma * y4 * Ro, HalfUnitSeconds, 9, Seconds());
    Account(e, DirectLongitudeFactor * sigma * y4 * secB * Ro, HalfUnitSeconds, 9, Seconds());
    Account(e, DirectAzimuthFactor * sigma * y4 * secB * Ro, HalfUnitSeconds, 9, Seconds());
    return e;
}

ErrorEstimate InverseErrorEstimate(const MeanLatitude& m, Extended P, Extended Q)
{
    const Extended y4 = std::pow(SeriesParameter(m, P, Q), 4), s = std::hypot(P, Q);
    ErrorEstimate e;
    Account(e, InverseDistanceFactor * s * y4, HalfUnitMetres, 9, Millimetres());
    Account(e, InverseAzimuthFactor * y4 * Ro, HalfUnitSeconds, 8, Seconds());
    return e;
}

// The series cannot give the printed digits: say for what line, and (where the length is known)
// what length they would hold for.
[[noreturn]] void RefuseBeyondSeries(const ErrorEstimate& e, const QString& line, Extended Bm,
                                     std::optional<Extended> s)
{
    const Extended shorter = s ? std::floor(*s * e.shortening / 1000) : 0;
    const QString advice =
        shorter >= 1
            ? QStringLiteral("здесь они точны для линий до ≈ %1 км: сократите линию или разбейте её на части "
                             "не длиннее")
                  .arg(FormatFixed(shorter, 0))
            : QStringLiteral("разбейте линию на короткие части или возьмите точки дальше от полюса");
    Refuse(QStringLiteral("Формулы со средними аргументами не дают здесь %1: %2 при средней широте %3° "
                          "слишком длинна для такой широты (члены выше седьмого порядка растут с s и tg Bm); %4")
               .arg(e.units, line, FormatFixed(Bm, 1), advice));
}

QString LineOfLength(Extended s) { return QStringLiteral("линия %1 км").arg(FormatFixed(s / 1000, 3)); }

// A line along a meridian past the pole: beyond it the latitude falls and the longitude jumps by 180°.
[[noreturn]] void RefuseOverPole()
{
    Refuse(QStringLiteral("Линия проходит через полюс: формулы со средними аргументами к ней неприменимы; "
                          "разбейте её на две части в полюсе"));
}

// A line the iteration carried past the pole although it does not run along a meridian: it
// passes so near the pole that the series, in powers of tan Bm, no longer describe it.
[[noreturn]] void RefuseNearPole(Extended s)
{
    Refuse(QStringLiteral("Формулы со средними аргументами не дают здесь %1: линия %2 км проходит у самого полюса, "
                          "где их члены с tg Bm неограниченно растут; разбейте её на части или возьмите точки "
                          "дальше от полюса")
               .arg(Seconds(), FormatFixed(s / 1000, 3)));
}

// The iteration contracts by about s·tan Bm/(2N) a step: where it has not settled after every
// column, the line is too long for its latitude.
[[noreturn]] void RefuseDivergence(Extended s, Extended Bm)
{
    Refuse(QStringLiteral("Формулы со средними аргументами не дают здесь решения: приближения не сошлись за %1 "
                          "шагов — линия %2 км слишком длинна для средней широты %3°; разбейте её на части "
                          "короче или возьмите точки дальше от полюса")
               .arg(MeanArgumentMaxIterations)
               .arg(FormatFixed(s / 1000, 3), FormatFixed(Bm, 1)));
}

void WriteLabels(ResultTable& table, std::initializer_list<const char*> labels)
{
    WriteHeadingRow(table, {"Формула", "Результат"});
    WriteLabelColumn(table, 0, labels);
}

}  // namespace

Extended Azimuth360(Extended degrees)
{
    Extended a = std::fmod(Checked(degrees), 360.0L);
    if (a < 0)
        a += 360;
    return a >= 360 ? 0 : a;
}

Extended LongitudeDifference180(Extended degrees)
{
    Extended d = std::fmod(Checked(degrees), 360.0L);
    if (d > 180)
        d -= 360;
    else if (d <= -180)
        d += 360;
    return d;
}

MeanLatitude AtMeanLatitude(Extended BmDegrees)
{
    MeanLatitude m;
    m.cosB = CosDeg(static_cast<double>(BmDegrees));
    const Extended sinB = SinDeg(static_cast<double>(BmDegrees));
    m.t = Divide(sinB, m.cosB);
    m.eta2 = static_cast<Extended>(KrasovskyE2Second) * m.cosB * m.cosB;
    m.V2 = 1 + m.eta2;
    // N = c / V with the polar radius of curvature c = a²/b = a/√(1 − e²).
    const Extended c = KrasovskyA / std::sqrt(1 - static_cast<Extended>(KrasovskyE2));
    m.N = c / SquareRoot(m.V2);
    return m;
}

Increments MeanArgumentIncrements(const MeanLatitude& m, Extended P, Extended Q)
{
    const Brackets k = SeriesBrackets(m, P, Q);
    return {Checked(P * m.V2 / m.N * k.B), Checked(Divide(Q, m.N * m.cosB) * k.L), Checked(Q * m.t / m.N * k.A)};
}

DirectInput ReadDirectInput(const Inputs& inputs)
{
    DirectInput in;
    in.B1 = inputs.angle(QStringLiteral("B1"));
    in.L1 = inputs.angle(QStringLiteral("L1"));
    in.A12 = inputs.angle(QStringLiteral("A12"));
    in.s = inputs.real(QStringLiteral("s"));
    return in;
}

void DirectProblemLabels(ResultTable& table)
{
    WriteLabels(table, {"a, м", "e^2", "e'^2", "Ro\"", "Приближение", "Bm", "Am", "N, м", "V^2", "eta^2",
                        "t=tg Bm", "dB\"", "dL\"", "dA\"", "B2=B1+dB", "L2=L1+dL", "A21=A12+dA+-180"});
}

namespace {

// The mean arguments and the increments (seconds) of one approximation of the direct problem.
struct Approximation {
    Extended Bm = 0, Am = 0;
    MeanLatitude m;
    Extended P = 0, Q = 0;
    Extended dB = 0, dL = 0, dA = 0;
};

Approximation Approximate(const DirectInput& in, Extended Bm, Extended Am, ResultTable& t, int column)
{
    Approximation a{Bm, Am, AtMeanLatitude(Bm), in.s * CosDeg(ToDouble(Am)), in.s * SinDeg(ToDouble(Am))};
    WriteApproximation(t, column, DirectRowApproximation);
    WriteAngle(t, column, DirectRowBm, ToDouble(Bm));
    WriteAngle(t, column, DirectRowAm, ToDouble(Am));
    WriteMeanLatitude(t, column, DirectRowMeanLatitude, a.m);
    const Increments inc = MeanArgumentIncrements(a.m, a.P, a.Q);
    a.dB = inc.dB * Ro;
    a.dL = inc.dL * Ro;
    a.dA = inc.dA * Ro;
    WriteSeconds(t, column, DirectRowDB, a.dB);
    WriteSeconds(t, column, DirectRowDL, a.dL);
    WriteSeconds(t, column, DirectRowDA, a.dA);
    return a;
}

bool Close(const Approximation& a, const Approximation& b)
{
    return std::fabs(a.dB - b.dB) < ToleranceSeconds && std::fabs(a.dL - b.dL) < ToleranceSeconds
           && std::fabs(a.dA - b.dA) < ToleranceSeconds;
}

// Along a meridian (sin A12 = 0) the line passes over the pole when it ends beyond it.
bool AlongMeridian(const DirectInput& in) { return SinDeg(in.A12) == 0; }

// First approximation: the mean arguments are those of point 1; then half the increments. Where
// the series hold, the iteration contracts by about √Y/2 a step, a few hundredths at most.
Approximation IterateMeanArguments(const DirectInput& in, ResultTable& t)
{
    Approximation last = Approximate(in, in.B1, in.A12, t, 1);
    for (int column = 2; column <= MeanArgumentMaxIterations; ++column) {
        const Extended Bm = in.B1 + last.dB / 7200;
        if (!(std::fabs(Bm) < 90)) {
            if (AlongMeridian(in))
                RefuseOverPole();
            RefuseNearPole(in.s);
        }
        const Approximation next = Approximate(in, Bm, in.A12 + last.dA / 7200, t, column);
        const bool converged = Close(next, last);
        last = next;
        if (converged)
            return last;
    }
    RefuseDivergence(in.s, last.Bm);
}

}  // namespace

DirectResult SolveDirectProblem(const DirectInput& in, ResultTable& t)
{
    RefusePole(in.B1, QStringLiteral("B1"));
    if (!(in.s >= 0))
        Refuse(QStringLiteral("Расстояние s не может быть отрицательным"));
    if (in.s > LongestLine)
        RefuseLongLine();
    WriteConstants(t);

    const Approximation a = IterateMeanArguments(in, t);
    const Extended B2 = in.B1 + a.dB / 3600;
    if (!(std::fabs(B2) <= 90)) {
        if (AlongMeridian(in))
            RefuseOverPole();
        RefuseNearPole(in.s);
    }
    const ErrorEstimate e = DirectErrorEstimate(a.m, in.s, a.P, a.Q);
    if (e.worst > 1)
        RefuseBeyondSeries(e, LineOfLength(in.s), a.Bm, in.s);

    DirectResult r;
    r.B2 = ToDouble(B2);
    WriteAngle(t, FirstValueColumn, DirectRowB2, r.B2);
    r.L2 = ToDouble(LongitudeDifference180(in.L1 + a.dL / 3600));
    WriteAngle(t, FirstValueColumn, DirectRowL2, r.L2);
    r.A21 = ToDouble(Azimuth360(in.A12 + a.dA / 3600 + 180));
    WriteAngle(t, FirstValueColumn, DirectRowA21, r.A21);
    return r;
}

InverseInput ReadInverseInput(const Inputs& inputs)
{
    InverseInput in;
    in.B1 = inputs.angle(QStringLiteral("B1"));
    in.L1 = inputs.angle(QStringLiteral("L1"));
    in.B2 = inputs.angle(QStringLiteral("B2"));
    in.L2 = inputs.angle(QStringLiteral("L2"));
    return in;
}

void InverseProblemLabels(ResultTable& table)
{
    WriteLabels(table, {"a, м", "e^2", "e'^2", "Ro\"", "dB\"=B2-B1", "dL\"=L2-L1", "Bm=(B1+B2)/2", "N, м", "V^2",
                        "eta^2", "t=tg Bm", "Приближение", "s*sin Am, м", "s*cos Am, м", "s, м", "Am", "dA\"",
                        "A12=Am-dA/2", "A21=Am+dA/2+-180"});
}

namespace {

// The straight distance between two points of the ellipsoid: no line joining them is shorter.
Extended Chord(double B1, double L1, double B2, double L2)
{
    const auto geocentric = [](double B, double L) {
        const Extended sinB = SinDeg(B), cosB = CosDeg(B);
        const Extended N = KrasovskyA / std::sqrt(1 - KrasovskyE2 * sinB * sinB);
        return std::array<Extended, 3>{N * cosB * CosDeg(L), N * cosB * SinDeg(L), N * (1 - KrasovskyE2) * sinB};
    };
    const auto p = geocentric(B1, L1), q = geocentric(B2, L2);
    return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) + (p[2] - q[2]) * (p[2] - q[2]));
}

// The series inverted: P = M·ΔB / [bracket of ΔB], Q = N·cos Bm·ΔL / [bracket of ΔL], the
// brackets from the previous approximation (none in the first). Returns whether it converged.
bool IterateProjections(const MeanLatitude& m, Extended dBsec, Extended dLsec, Extended& P, Extended& Q,
                        ResultTable& t)
{
    const Extended PFirst = m.N / m.V2 * dBsec / Ro, QFirst = m.N * m.cosB * dLsec / Ro;
    P = PFirst;
    Q = QFirst;
    for (int column = 1; column <= MeanArgumentMaxIterations; ++column) {
        Extended nextP = PFirst, nextQ = QFirst;
        if (column > 1) {
            const Brackets k = SeriesBrackets(m, P, Q);
            nextP = Divide(PFirst, k.B);
            nextQ = Divide(QFirst, k.L);
        }
        WriteApproximation(t, column, InverseRowApproximation);
        WriteFixed(t, column, InverseRowQ, Checked(nextQ), 4);
        WriteFixed(t, column, InverseRowP, Checked(nextP), 4);
        const bool converged = column > 1 && std::fabs(nextP - P) < ToleranceMetres && std::fabs(nextQ - Q) < ToleranceMetres;
        P = nextP;
        Q = nextQ;
        if (converged)
            return true;
    }
    return false;
}

}  // namespace

InverseResult SolveInverseProblem(const InverseInput& in, ResultTable& t)
{
    RefusePole(in.B1, QStringLiteral("B1"));
    RefusePole(in.B2, QStringLiteral("B2"));
    if (Chord(in.B1, in.L1, in.B2, in.L2) > LongestLine)
        RefuseLongLine();
    WriteConstants(t);

    // Across the 180th meridian the shorter way round is meant; points on opposite meridians are
    // joined over the pole.
    const Extended dBsec = (static_cast<Extended>(in.B2) - in.B1) * 3600;
    const Extended dLsec = LongitudeDifference180(static_cast<Extended>(in.L2) - in.L1) * 3600;
    WriteSeconds(t, FirstValueColumn, InverseRowDB, dBsec);
    WriteSeconds(t, FirstValueColumn, InverseRowDL, dLsec);
    if (dLsec == 180 * 3600)
        RefuseOverPole();
    const Extended Bm = (static_cast<Extended>(in.B1) + in.B2) / 2;
    WriteAngle(t, FirstValueColumn, InverseRowBm, ToDouble(Bm));
    const MeanLatitude m = AtMeanLatitude(Bm);
    WriteMeanLatitude(t, FirstValueColumn, InverseRowMeanLatitude, m);

    Extended P = 0, Q = 0;
    const bool converged = IterateProjections(m, dBsec, dLsec, P, Q, t);
    const Extended s = std::hypot(P, Q);
    const ErrorEstimate e = InverseErrorEstimate(m, P, Q);
    if (e.worst > 1)
        RefuseBeyondSeries(e, converged ? LineOfLength(s) : QStringLiteral("линия с разностью долгот %1°").arg(FormatFixed(dLsec / 3600, 4)), Bm,
                           converged ? std::optional(s) : std::nullopt);
    if (s > LongestLine)
        RefuseLongLine();
    if (!converged)
        RefuseDivergence(s, Bm);  // met only where the estimate is already large, if at all

    InverseResult r;
    r.s = ToDouble(s);
    WriteFixed(t, FirstValueColumn, InverseRowS, r.s, 4);
    if (r.s == 0)
        Refuse(QStringLiteral("Точки совпадают: s = 0, азимут не определён"));
    // atan2 takes the quadrant from the signs of s·sin Am and s·cos Am.
    const Extended Am = Azimuth360(Degrees(std::atan2(Q, P)));
    WriteAngle(t, FirstValueColumn, InverseRowAm, ToDouble(Am));
    const Extended dAsec = MeanArgumentIncrements(m, P, Q).dA * Ro;
    WriteSeconds(t, FirstValueColumn, InverseRowDA, dAsec);
    r.A12 = ToDouble(Azimuth360(Am - dAsec / 7200));
    WriteAngle(t, FirstValueColumn, InverseRowA12, r.A12);
    r.A21 = ToDouble(Azimuth360(Am + dAsec / 7200 + 180));
    WriteAngle(t, FirstValueColumn, InverseRowA21, r.A21);
    return r;
}

}  // namespace kvelta
