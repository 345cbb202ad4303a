#include "long_lines/bessel.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
#include "frame/errors.h"

#include <cmath>

namespace kvelta {

namespace {

namespace row = bessel_rows;

constexpr Extended Ro = RoSecondsExact;
constexpr Extended E2 = KrasovskyE2;
constexpr Extended E2Second = KrasovskyE2Second;
constexpr Extended SemiMajor = KrasovskyA;
// b = a·√(1 − e²) and √(1 − e²) itself, the ratio of the reduced latitude's tangent to B's.
const Extended RootOneMinusE2 = std::sqrt(1 - E2);
const Extended SemiMinor = SemiMajor * RootOneMinusE2;
// Successive approximations of σ (direct) or λ (inverse) closer than this, radians (3·10⁻⁸″),
// end the iteration: what is left is far below the printed 0,0001″ and 1 mm.
constexpr Extended Tolerance = 1.5e-13L;

[[noreturn]] void Refuse(const QString& text) { throw KveltaError(text); }

void RefusePole(double B, const QString& name)
{
    if (!(std::fabs(B) < 90))
        Refuse(QStringLiteral("Точка %1 на полюсе или за ним (|%1| ≥ 90°): долгота и азимут там не определены").arg(name));
}

Extended ToRadians(Extended degrees) { return Checked(degrees) * Pi / 180; }
double ToDegrees(Extended radians) { return ToDouble(radians * 180 / Pi); }

Extended Azimuth360Radians(Extended radians)
{
    Extended a = std::fmod(radians, 2 * Pi);
    if (a < 0)
        a += 2 * Pi;
    return a >= 2 * Pi ? 0 : a;
}

// The reduced latitude u of B: tg u = √(1 − e²)·tg B, by atan2 so that it holds up to the pole.
Extended ReducedLatitude(double B)
{
    const Extended b = ToRadians(B);
    return std::atan2(RootOneMinusE2 * std::sin(b), std::cos(b));
}

void WriteRadiansAsAngle(ResultTable& t, int column, int row, Extended radians, int secondsDecimals)
{
    const double degrees = ToDegrees(radians);
    t.setValue(column, row, FormatDms(degrees, secondsDecimals), degrees);
}

void WriteConstants(ResultTable& t)
{
    WriteFixed(t, FirstValueColumn, row::SemiMajorAxis, SemiMajor, 3);
    WriteFixed(t, FirstValueColumn, row::SemiMinorAxis, SemiMinor, 4);
    WriteFixed(t, FirstValueColumn, row::E2, E2, 12);
    WriteFixed(t, FirstValueColumn, row::E2Second, E2Second, 12);
    WriteFixed(t, FirstValueColumn, row::Ro, Ro, 8);
}

// The coefficients in the order the tables show them, from `firstRow` on: k², A, B, C, D.
void WriteLengthCoefficients(ResultTable& t, int column, int firstRow, const BesselCoefficients& k)
{
    WriteFixed(t, column, firstRow, k.k2, 12);
    WriteFixed(t, column, firstRow + 1, k.A, 4);
    WriteFixed(t, column, firstRow + 2, k.B, 4);
    WriteFixed(t, column, firstRow + 3, k.C, 6);
    WriteFixed(t, column, firstRow + 4, k.D, 8);
}

void WriteLongitudeCoefficients(ResultTable& t, int column, int firstRow, const BesselCoefficients& k)
{
    WriteFixed(t, column, firstRow, k.alpha, 12);
    WriteFixed(t, column, firstRow + 1, k.beta, 14);
    WriteFixed(t, column, firstRow + 2, k.gamma, 15);
}

void WriteSeconds(ResultTable& t, int column, int row, Extended seconds)
{
    t.setValue(column, row, FormatFixed(Checked(seconds), 5) + QLatin1Char('"'), seconds);
}

void WriteLabels(ResultTable& table, std::initializer_list<const char*> labels)
{
    WriteHeadingRow(table, {"Формула", "Результат"});
    WriteLabelColumn(table, 0, labels);
}

[[noreturn]] void RefuseDivergence(const QString& what, const QString& why)
{
    Refuse(QStringLiteral("Приближения %1 не сошлись за %2 шагов: %3").arg(what).arg(BesselMaxIterations).arg(why));
}

}  // namespace

BesselCoefficients CoefficientsAt(Extended c)
{
    // The polynomials scripts/derive_long_lines.py prints, to k¹⁰ and e¹⁰: the terms left out
    // change s by less than 0,001 mm and λ − l by less than 10⁻⁷″ over 20 000 km.
    BesselCoefficients k;
    const Extended k2 = E2Second * c, e2 = E2, ep2 = E2Second;
    k.k2 = k2;
    k.A = SemiMinor * (1 + k2 * (1.0L / 4 + k2 * (-3.0L / 64 + k2 * (5.0L / 256 + k2 * (-175.0L / 16384 + k2 * 441.0L / 65536)))));
    k.B = SemiMinor * ep2 * (1.0L / 4 + k2 * (-1.0L / 16 + k2 * (15.0L / 512 + k2 * (-35.0L / 2048 + k2 * 735.0L / 65536))));
    k.C = SemiMinor * ep2 * ep2 * (1.0L / 64 + k2 * (-3.0L / 256 + k2 * (35.0L / 4096 - k2 * 105.0L / 16384)));
    k.D = SemiMinor * ep2 * ep2 * ep2 * (-1.0L / 1536 + k2 * (5.0L / 6144 - k2 * 105.0L / 131072));
    const Extended e4 = e2 * e2, e6 = e4 * e2, e8 = e6 * e2, e10 = e8 * e2;
    k.alpha = e2 / 2 + e4 / 8 + e6 / 16 + 5 * e8 / 128 + 7 * e10 / 256
              + c * (-e4 / 16 - e6 / 16 - 15 * e8 / 256 - 7 * e10 / 128
                     + c * (3 * e6 / 128 + 45 * e8 / 1024 + 63 * e10 / 1024
                            + c * (-25 * e8 / 2048 - 35 * e10 / 1024 + c * 245 * e10 / 32768)));
    k.beta = e4 / 16 + e6 / 16 + 15 * e8 / 256 + 7 * e10 / 128
             + c * (-e6 / 32 - 15 * e8 / 256 - 21 * e10 / 256 + c * (75 * e8 / 4096 + 105 * e10 / 2048 - c * 49 * e10 / 4096));
    k.gamma = e6 / 128 + 15 * e8 / 1024 + 21 * e10 / 1024 + c * (-15 * e8 / 2048 - 21 * e10 / 1024 + c * 49 * e10 / 8192);
    return k;
}

Extended BesselY(Extended c, Extended x, Extended sigma) { return (c * c - 2 * x * x) * std::cos(sigma); }

Extended BesselZ(Extended c, Extended x, Extended sigma)
{
    const Extended cosSigma = std::cos(sigma);
    return x * (3 * c * c - 4 * x * x) * (4 * cosSigma * cosSigma - 1);
}

Extended BesselLength(const BesselCoefficients& k, Extended sigma, Extended x, Extended y, Extended z)
{
    return k.A * sigma + (k.B * x + k.C * y + k.D * z) * std::sin(sigma);
}

Extended BesselLongitudeShift(const BesselCoefficients& k, Extended sinA0, Extended sigma, Extended x, Extended y)
{
    return (k.alpha * sigma - (k.beta * x + k.gamma * y) * std::sin(sigma)) * sinA0;
}

// ---- the direct problem ----

void BesselDirectLabels(ResultTable& table)
{
    WriteLabels(table, {"a, м", "b, м", "e^2", "e'^2", "Ro\"", "tg u1=sqrt(1-e^2) tg B1", "u1",
                        "sin A0=cos u1 sin A12", "cos^2 A0", "tg sigma1=tg u1/cos A12", "k^2=e'^2 cos^2 A0", "A, м",
                        "B, м", "C, м", "D, м", "alpha", "beta", "gamma", "Приближение", "sigma",
                        "x=-cos^2 A0 cos(2sigma1+sigma)", "y=(cos^4 A0-2x^2) cos sigma",
                        "z=x(3cos^4 A0-4x^2)(4cos^2 sigma-1)", "sigma=(s-(Bx+Cy+Dz) sin sigma)/A",
                        "sin u2 (треугольник на сфере)", "u2",
                        "lambda (разность долгот на сфере)",
                        "A2 (азимут в точке 2 на сфере)",
                        "delta\" (ряд для lambda-l)", "l=lambda-delta",
                        "tg B2=tg u2/sqrt(1-e^2)", "L2=L1+l", "A21=A2+-180"});
}

namespace {

// The arc σ on the auxiliary sphere of a line of length s whose arc from the equator to point 1
// is σ1: σ = (s − (Bx + Cy + Dz)·sin σ)/A by successive approximations from σ = s/A.
struct ArcSolution {
    Extended sigma = 0, x = 0, y = 0;
};

ArcSolution SolveArc(ResultTable& t, const BesselCoefficients& k, Extended c, Extended sigma1, Extended s)
{
    Extended sigma = s / k.A;
    ArcSolution arc;
    for (int column = 1; column <= BesselMaxIterations; ++column) {
        t.setValue(column, row::DirectIteration, QString::number(column));
        WriteRadiansAsAngle(t, column, row::DirectIteration + 1, sigma, 5);
        const Extended x = -c * std::cos(2 * sigma1 + sigma), y = BesselY(c, x, sigma), z = BesselZ(c, x, sigma);
        WriteFixed(t, column, row::DirectIteration + 2, x, 12);
        WriteFixed(t, column, row::DirectIteration + 3, y, 12);
        WriteFixed(t, column, row::DirectIteration + 4, z, 12);
        const Extended next = Checked((s - (k.B * x + k.C * y + k.D * z) * std::sin(sigma)) / k.A);
        WriteRadiansAsAngle(t, column, row::DirectIteration + 5, next, 5);
        const bool converged = std::fabs(next - sigma) < Tolerance;
        arc = {next, x, y};
        sigma = next;
        if (converged)
            return arc;
    }
    RefuseDivergence(QStringLiteral("дуги sigma"), QStringLiteral("ряды для этой линии не годятся"));
}

}  // namespace

BesselDirectResult SolveBesselDirect(const DirectInput& in, ResultTable& t)
{
    RefusePole(in.B1, QStringLiteral("B1"));
    if (!(in.s >= 0))
        Refuse(QStringLiteral("Расстояние s не может быть отрицательным"));
    if (in.s > BesselLongestLine)
        Refuse(QStringLiteral("Линия длиннее 20 000 км: способ Бесселя здесь решает линии до 20 000 км"));
    WriteConstants(t);
    const Extended u1 = ReducedLatitude(in.B1), A1 = ToRadians(in.A12);
    WriteFixed(t, FirstValueColumn, row::DirectTanU1, RootOneMinusE2 * std::tan(ToRadians(in.B1)), 12);
    WriteRadiansAsAngle(t, FirstValueColumn, row::DirectU1, u1, 5);
    const Extended sinA1 = std::sin(A1), cosA1 = std::cos(A1), sinU1 = std::sin(u1), cosU1 = std::cos(u1);
    const Extended sinA0 = cosU1 * sinA1, c = 1 - sinA0 * sinA0;
    WriteFixed(t, FirstValueColumn, row::DirectSinA0, sinA0, 12);
    WriteFixed(t, FirstValueColumn, row::DirectCos2A0, c, 12);
    // σ1, the arc from the equator to point 1, with its quadrant from tg u1 and cos A12.
    const Extended sigma1 = std::atan2(std::tan(u1), cosA1);
    WriteRadiansAsAngle(t, FirstValueColumn, row::DirectTanSigma1, sigma1, 5);
    const BesselCoefficients k = CoefficientsAt(c);
    WriteLengthCoefficients(t, FirstValueColumn, row::DirectLengthCoefficients, k);
    WriteLongitudeCoefficients(t, FirstValueColumn, row::DirectLongitudeCoefficients, k);
    const ArcSolution arc = SolveArc(t, k, c, sigma1, in.s);

    // The spherical triangle: pole, point 1, point 2.
    const Extended sinS = std::sin(arc.sigma), cosS = std::cos(arc.sigma);
    const Extended sinU2 = sinU1 * cosS + cosU1 * sinS * cosA1;
    WriteFixed(t, FirstValueColumn, row::DirectSinU2, sinU2, 12);
    const Extended u2 = std::atan2(sinU2, std::hypot(sinA0, sinU1 * sinS - cosU1 * cosS * cosA1));
    WriteRadiansAsAngle(t, FirstValueColumn, row::DirectU2, u2, 5);
    const Extended lambda = std::atan2(sinA1 * sinS, cosU1 * cosS - sinU1 * sinS * cosA1);
    WriteRadiansAsAngle(t, FirstValueColumn, row::DirectLambda, lambda, 5);
    const Extended A2 = std::atan2(sinA0, cosU1 * cosS * cosA1 - sinU1 * sinS);
    WriteRadiansAsAngle(t, FirstValueColumn, row::DirectA2, Azimuth360Radians(A2), 5);
    const Extended delta = BesselLongitudeShift(k, sinA0, arc.sigma, arc.x, arc.y);
    WriteSeconds(t, FirstValueColumn, row::DirectDelta, delta * Ro);
    const Extended l = lambda - delta;
    WriteRadiansAsAngle(t, FirstValueColumn, row::DirectL, l, 5);

    BesselDirectResult r;
    r.B2 = ToDegrees(std::atan2(std::sin(u2), RootOneMinusE2 * std::cos(u2)));
    WriteAngle(t, FirstValueColumn, row::DirectB2, r.B2);
    r.L2 = ToDouble(in.L1 + l * 180 / Pi);
    WriteAngle(t, FirstValueColumn, row::DirectL2, r.L2);
    r.A21 = ToDegrees(Azimuth360Radians(A2 + Pi));
    WriteAngle(t, FirstValueColumn, row::DirectA21, r.A21);
    return r;
}

// ---- the inverse problem ----

void BesselInverseLabels(ResultTable& table)
{
    WriteLabels(table, {"a, м", "b, м", "e^2", "e'^2", "Ro\"", "tg u1=sqrt(1-e^2) tg B1", "tg u2=sqrt(1-e^2) tg B2",
                        "l=L2-L1", "a1=sin u1 sin u2", "a2=cos u1 cos u2", "b1=sin u1 cos u2", "b2=cos u1 sin u2",
                        "Приближение", "lambda=l+delta", "p=cos u2 sin lambda", "q=b2-b1 cos lambda", "tg A12=p/q",
                        "sigma: cos sigma=a1+a2 cos lambda", "sin A0=cos u1 sin A12",
                        "cos^2 A0", "x=2a1-cos^2 A0 cos sigma", "y=(cos^4 A0-2x^2) cos sigma", "alpha", "beta", "gamma",
                        "delta\" (ряд для lambda-l)", "k^2=e'^2 cos^2 A0", "A, м", "B, м",
                        "C, м", "D, м", "z=x(3cos^4 A0-4x^2)(4cos^2 sigma-1)", "s=A sigma+(Bx+Cy+Dz) sin sigma, м",
                        "A12", "A21=A2+-180"});
}

namespace {

// The products of the reduced latitudes' sines and cosines the spherical triangle takes.
struct ReducedPair {
    Extended sinU1, cosU1, sinU2, cosU2;
    Extended a1() const { return sinU1 * sinU2; }
    Extended a2() const { return cosU1 * cosU2; }
    Extended b1() const { return sinU1 * cosU2; }
    Extended b2() const { return cosU1 * sinU2; }
};

// One approximation on the auxiliary sphere: from λ the triangle's azimuth, arc and A0, and the
// next λ = l + δ.
struct SphereStep {
    Extended lambda = 0, A1 = 0, sigma = 0, sinA0 = 0, c = 0, x = 0, y = 0;
    BesselCoefficients k;
    Extended nextLambda = 0;
};

SphereStep StepOnSphere(ResultTable& t, int column, const ReducedPair& u, Extended l, Extended lambda)
{
    constexpr int first = row::InverseIteration;
    SphereStep step;
    step.lambda = lambda;
    t.setValue(column, first, QString::number(column));
    WriteRadiansAsAngle(t, column, first + 1, lambda, 5);
    const Extended p = u.cosU2 * std::sin(lambda), q = u.b2() - u.b1() * std::cos(lambda);
    WriteFixed(t, column, first + 2, p, 12);
    WriteFixed(t, column, first + 3, q, 12);
    step.A1 = std::atan2(p, q);
    WriteRadiansAsAngle(t, column, first + 4, Azimuth360Radians(step.A1), 5);
    const Extended sinSigma = p * std::sin(step.A1) + q * std::cos(step.A1);
    step.sigma = std::atan2(sinSigma, u.a1() + u.a2() * std::cos(lambda));
    WriteRadiansAsAngle(t, column, first + 5, step.sigma, 5);
    step.sinA0 = u.cosU1 * std::sin(step.A1);
    step.c = 1 - step.sinA0 * step.sinA0;
    WriteFixed(t, column, first + 6, step.sinA0, 12);
    WriteFixed(t, column, first + 7, step.c, 12);
    step.x = 2 * u.a1() - step.c * std::cos(step.sigma);
    step.y = BesselY(step.c, step.x, step.sigma);
    WriteFixed(t, column, first + 8, step.x, 12);
    WriteFixed(t, column, first + 9, step.y, 12);
    step.k = CoefficientsAt(step.c);
    WriteLongitudeCoefficients(t, column, first + 10, step.k);
    const Extended delta = BesselLongitudeShift(step.k, step.sinA0, step.sigma, step.x, step.y);
    WriteSeconds(t, column, first + 13, delta * Ro);
    step.nextLambda = l + delta;
    return step;
}

[[noreturn]] void RefuseNearlyAntipodal()
{
    Refuse(QStringLiteral("Точки почти диаметрально противоположны: |lambda| превысила 180°, и способ Бесселя "
                          "(приближения по lambda) их не решает"));
}

SphereStep SolveOnSphere(ResultTable& t, const ReducedPair& u, Extended l)
{
    Extended lambda = l;
    for (int column = 1; column <= BesselMaxIterations; ++column) {
        const SphereStep step = StepOnSphere(t, column, u, l, lambda);
        if (!(std::fabs(step.nextLambda) <= Pi))
            RefuseNearlyAntipodal();
        if (std::fabs(step.nextLambda - lambda) < Tolerance)
            return step;
        lambda = step.nextLambda;
    }
    RefuseDivergence(QStringLiteral("lambda"), QStringLiteral("точки почти диаметрально противоположны, способ Бесселя их не решает"));
}

}  // namespace

BesselInverseResult SolveBesselInverse(const InverseInput& in, ResultTable& t)
{
    RefusePole(in.B1, QStringLiteral("B1"));
    RefusePole(in.B2, QStringLiteral("B2"));
    WriteConstants(t);
    const Extended u1 = ReducedLatitude(in.B1), u2 = ReducedLatitude(in.B2);
    WriteFixed(t, FirstValueColumn, row::InverseTanU1, RootOneMinusE2 * std::tan(ToRadians(in.B1)), 12);
    WriteFixed(t, FirstValueColumn, row::InverseTanU2, RootOneMinusE2 * std::tan(ToRadians(in.B2)), 12);
    // Across the 180th meridian the shorter way round is meant.
    const Extended l = ToRadians(LongitudeDifference180(static_cast<Extended>(in.L2) - in.L1));
    WriteRadiansAsAngle(t, FirstValueColumn, row::InverseL, l, 5);
    const ReducedPair u{std::sin(u1), std::cos(u1), std::sin(u2), std::cos(u2)};
    WriteFixed(t, FirstValueColumn, row::InverseA1, u.a1(), 12);
    WriteFixed(t, FirstValueColumn, row::InverseA2, u.a2(), 12);
    WriteFixed(t, FirstValueColumn, row::InverseB1, u.b1(), 12);
    WriteFixed(t, FirstValueColumn, row::InverseB2, u.b2(), 12);
    const SphereStep step = SolveOnSphere(t, u, l);
    if (step.sigma == 0)
        Refuse(QStringLiteral("Точки совпадают: s = 0, азимут не определён"));

    constexpr int first = row::InverseIteration + 14;
    WriteLengthCoefficients(t, FirstValueColumn, first, step.k);
    const Extended z = BesselZ(step.c, step.x, step.sigma);
    WriteFixed(t, FirstValueColumn, first + 5, z, 12);
    BesselInverseResult r;
    r.s = ToDouble(BesselLength(step.k, step.sigma, step.x, step.y, z));
    WriteFixed(t, FirstValueColumn, row::InverseS, r.s, 3);
    r.A12 = ToDegrees(Azimuth360Radians(step.A1));
    WriteAngle(t, FirstValueColumn, row::InverseA12, r.A12);
    const Extended lambda = step.lambda;
    const Extended A2 = std::atan2(u.cosU1 * std::sin(lambda), u.b2() * std::cos(lambda) - u.b1());
    r.A21 = ToDegrees(Azimuth360Radians(A2 + Pi));
    WriteAngle(t, FirstValueColumn, row::InverseA21, r.A21);
    return r;
}

}  // namespace kvelta
