#include "geodetic_problems/mean_argument.h"

#include "frame/angles.h"
#include "frame/errors.h"
#include "frame/krasovsky.h"

#include <cmath>

namespace kvelta {

namespace {

constexpr Extended Ro = RoSecondsExact;
// Successive approximations closer than this (seconds of arc; metres in the inverse problem)
// end the iteration.
constexpr Extended ToleranceSeconds = 0.00001L;
constexpr Extended ToleranceMetres = 0.00001L;
// Past this length the series stop describing the line (an inverse problem across a hemisphere
// still "converges", to a wrong length); up to it they stay within a few thousandths of a second.
constexpr Extended LongestLine = 1000000;  // metres

[[noreturn]] void RefuseLongLine()
{
    throw KveltaError(QStringLiteral("Линия длиннее 1000 км: формулы со средними аргументами для неё непригодны"));
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
    WriteFixed(t, 1, 1, KrasovskyA, 3);
    WriteFixed(t, 1, 2, KrasovskyE2, 12);
    WriteFixed(t, 1, 3, KrasovskyE2Second, 12);
    WriteFixed(t, 1, 4, Ro, 8);
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

[[noreturn]] void RefuseDivergence()
{
    Refuse(QStringLiteral("Приближения не сошлись за %1 шагов: линия слишком длинна для формул со средними "
                          "аргументами")
               .arg(MeanArgumentMaxIterations));
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
    in.B1 = ReadAngle(inputs, QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5"));
    in.L1 = ReadAngle(inputs, QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8"));
    in.A12 = ReadAngle(inputs, QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11"));
    in.s = inputs.real(QStringLiteral("Edit12"));
    return in;
}

void DirectProblemLabels(ResultTable& table)
{
    WriteLabels(table, {"a, м", "e^2", "e'^2", "Ro\"", "Приближение", "Bm", "Am", "N, м", "V^2", "eta^2",
                        "t=tg Bm", "dB\"", "dL\"", "dA\"", "B2=B1+dB", "L2=L1+dL", "A21=A12+dA+-180"});
}

DirectResult SolveDirectProblem(const DirectInput& in, ResultTable& t)
{
    RefusePole(in.B1, QStringLiteral("B1"));
    if (!(in.s >= 0))
        Refuse(QStringLiteral("Расстояние s не может быть отрицательным"));
    if (in.s > LongestLine)
        RefuseLongLine();
    WriteConstants(t);

    // First approximation: the mean arguments are those of point 1; then half the increments.
    Extended Bm = in.B1, Am = in.A12;
    Extended dB = 0, dL = 0, dA = 0;  // seconds
    bool converged = false;
    for (int column = 1; column <= MeanArgumentMaxIterations && !converged; ++column) {
        if (!(std::fabs(Bm) < 90))
            Refuse(QStringLiteral("Линия проходит через полюс: формулы со средними аргументами к ней неприменимы"));
        WriteApproximation(t, column, 5);
        WriteAngle(t, column, 6, ToDouble(Bm));
        WriteAngle(t, column, 7, ToDouble(Am));
        const MeanLatitude m = AtMeanLatitude(Bm);
        WriteMeanLatitude(t, column, 8, m);
        const Increments inc =
            MeanArgumentIncrements(m, in.s * CosDeg(ToDouble(Am)), in.s * SinDeg(ToDouble(Am)));
        const Extended nextB = inc.dB * Ro, nextL = inc.dL * Ro, nextA = inc.dA * Ro;
        WriteSeconds(t, column, 12, nextB);
        WriteSeconds(t, column, 13, nextL);
        WriteSeconds(t, column, 14, nextA);
        converged = column > 1 && std::fabs(nextB - dB) < ToleranceSeconds && std::fabs(nextL - dL) < ToleranceSeconds
                    && std::fabs(nextA - dA) < ToleranceSeconds;
        dB = nextB;
        dL = nextL;
        dA = nextA;
        Bm = in.B1 + dB / 7200;
        Am = in.A12 + dA / 7200;
    }
    if (!converged)
        RefuseDivergence();

    DirectResult r;
    r.B2 = ToDouble(in.B1 + dB / 3600);
    if (!(std::fabs(r.B2) <= 90))
        Refuse(QStringLiteral("Линия проходит через полюс: формулы со средними аргументами к ней неприменимы"));
    WriteAngle(t, 1, DirectRowB2, r.B2);
    r.L2 = ToDouble(in.L1 + dL / 3600);
    WriteAngle(t, 1, DirectRowL2, r.L2);
    r.A21 = ToDouble(Azimuth360(in.A12 + dA / 3600 + 180));
    WriteAngle(t, 1, DirectRowA21, r.A21);
    return r;
}

InverseInput ReadInverseInput(const Inputs& inputs)
{
    InverseInput in;
    in.B1 = ReadAngle(inputs, QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5"));
    in.L1 = ReadAngle(inputs, QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8"));
    in.B2 = ReadAngle(inputs, QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11"));
    in.L2 = ReadAngle(inputs, QStringLiteral("Edit12"), QStringLiteral("Edit13"), QStringLiteral("Edit14"));
    return in;
}

void InverseProblemLabels(ResultTable& table)
{
    WriteLabels(table, {"a, м", "e^2", "e'^2", "Ro\"", "dB\"=B2-B1", "dL\"=L2-L1", "Bm=(B1+B2)/2", "N, м", "V^2",
                        "eta^2", "t=tg Bm", "Приближение", "s*sin Am, м", "s*cos Am, м", "s, м", "Am", "dA\"",
                        "A12=Am-dA/2", "A21=Am+dA/2+-180"});
}

InverseResult SolveInverseProblem(const InverseInput& in, ResultTable& t)
{
    RefusePole(in.B1, QStringLiteral("B1"));
    RefusePole(in.B2, QStringLiteral("B2"));
    WriteConstants(t);

    // Across the 180th meridian the shorter way round is meant.
    const Extended dBsec = (static_cast<Extended>(in.B2) - in.B1) * 3600;
    const Extended dLsec = LongitudeDifference180(static_cast<Extended>(in.L2) - in.L1) * 3600;
    WriteSeconds(t, 1, 5, dBsec);
    WriteSeconds(t, 1, 6, dLsec);
    const Extended Bm = (static_cast<Extended>(in.B1) + in.B2) / 2;
    WriteAngle(t, 1, 7, ToDouble(Bm));
    const MeanLatitude m = AtMeanLatitude(Bm);
    WriteMeanLatitude(t, 1, 8, m);

    // The series inverted: P = M·ΔB / [bracket of ΔB], Q = N·cos Bm·ΔL / [bracket of ΔL], the
    // brackets from the previous approximation (none in the first).
    const Extended PFirst = m.N / m.V2 * dBsec / Ro, QFirst = m.N * m.cosB * dLsec / Ro;
    Extended P = PFirst, Q = QFirst;
    bool converged = false;
    for (int column = 1; column <= MeanArgumentMaxIterations && !converged; ++column) {
        Extended nextP = PFirst, nextQ = QFirst;
        if (column > 1) {
            const Brackets k = SeriesBrackets(m, P, Q);
            nextP = Divide(PFirst, k.B);
            nextQ = Divide(QFirst, k.L);
        }
        WriteApproximation(t, column, 12);
        WriteFixed(t, column, 13, Checked(nextQ), 4);
        WriteFixed(t, column, 14, Checked(nextP), 4);
        converged = column > 1 && std::fabs(nextP - P) < ToleranceMetres && std::fabs(nextQ - Q) < ToleranceMetres;
        P = nextP;
        Q = nextQ;
    }
    if (!converged)
        RefuseDivergence();

    InverseResult r;
    r.s = ToDouble(std::sqrt(P * P + Q * Q));
    if (r.s > LongestLine)
        RefuseLongLine();
    WriteFixed(t, 1, InverseRowS, r.s, 4);
    if (r.s == 0)
        Refuse(QStringLiteral("Точки совпадают: s = 0, азимут не определён"));
    // atan2 takes the quadrant from the signs of s·sin Am and s·cos Am.
    const Extended Am = Azimuth360(std::atan2(Q, P) * 180 / Pi);
    WriteAngle(t, 1, 16, ToDouble(Am));
    const Extended dAsec = MeanArgumentIncrements(m, P, Q).dA * Ro;
    WriteSeconds(t, 1, 17, dAsec);
    r.A12 = ToDouble(Azimuth360(Am - dAsec / 7200));
    WriteAngle(t, 1, InverseRowA12, r.A12);
    r.A21 = ToDouble(Azimuth360(Am + dAsec / 7200 + 180));
    WriteAngle(t, 1, InverseRowA21, r.A21);
    return r;
}

}  // namespace kvelta
