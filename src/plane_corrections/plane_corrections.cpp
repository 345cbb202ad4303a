#include "plane_corrections/plane_corrections.h"

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
#include "frame/errors.h"
#include "gauss_kruger/gauss_kruger.h"

#include <cmath>

namespace kvelta {

namespace {

constexpr Extended A = KrasovskyA;
constexpr Extended E2 = KrasovskyE2;
constexpr Extended E2Second = KrasovskyE2Second;
constexpr Extended Ro = RoSecondsExact;

// γ and δ to 0.001″, m to 10⁻⁸, lengths to the millimetre: what the series are good for
// within the limits the computation checks.
constexpr int GammaDecimals = 3, ScaleDecimals = 8, DeltaDecimals = 3, MetreDecimals = 3;
constexpr int RatioDecimals = 10;

void WriteAngleText(ResultTable& t, int row, double degrees, int decimals)
{
    t.setValue(FirstValueColumn, row, FormatDms(degrees, decimals), degrees);
}

void WriteSeconds(ResultTable& t, int row, Extended seconds, int decimals)
{
    t.setValue(FirstValueColumn, row, FormatFixed(Checked(seconds), decimals) + QLatin1Char('"'), seconds);
}

// e′²·cos²B, the ellipsoid's share in the series.
Extended EtaSquared(Extended cosB) { return E2Second * cosB * cosB; }

QString Kilometres(double metres) { return QString::number(metres / 1000); }

void CheckOrdinate(double y, const char* name)
{
    if (std::fabs(y) > MaxOrdinate)
        throw KveltaError(QStringLiteral("Ордината %1 дальше %2 км от осевого меридиана: формулы редукции не дают "
                                         "поправок с точностью 0,001\" и 1 мм")
                              .arg(QLatin1String(name), Kilometres(MaxOrdinate)));
}

void CheckAbscissa(double x, const char* name)
{
    if (std::fabs(x) > MaxAbscissa)
        throw KveltaError(QStringLiteral("Абсцисса %1 по модулю больше %2 км: точка ближе градуса к полюсу, "
                                         "где зона вырождается")
                              .arg(QLatin1String(name), Kilometres(MaxAbscissa)));
}

void CheckLine(const LineInput& in)
{
    CheckAbscissa(in.x1, "x1");
    CheckAbscissa(in.x2, "x2");
    CheckOrdinate(in.y1, "y1");
    CheckOrdinate(in.y2, "y2");
    const double chord = std::hypot(in.x2 - in.x1, in.y2 - in.y1);
    if (chord == 0)
        throw KveltaError(QStringLiteral("Точки 1 и 2 совпадают: направление линии не определено"));
    if (chord > MaxLineLength)
        throw KveltaError(QStringLiteral("Линия длиннее %1 км: формулы редукции выведены для сторон до %1 км")
                              .arg(Kilometres(MaxLineLength)));
    if (!(in.s > 0) || std::fabs(in.s - chord) > 0.01 * chord)
        throw KveltaError(QStringLiteral("Длина s на эллипсоиде должна быть положительной и отличаться от расстояния "
                                         "между точками по координатам (%1 м) не больше чем на 1%")
                              .arg(FormatFixed(chord, MetreDecimals)));
}

// γ and m by either set of series are good to their printed digits only so near the axial meridian.
void CheckLongitudeFromAxis(double lDegrees)
{
    if (std::fabs(lDegrees) > MaxLongitudeFromAxis)
        throw KveltaError(QStringLiteral("Точка дальше 3°30' от осевого меридиана (l = %1): ряды для сближения "
                                         "меридианов и масштаба не дают 0,001\" и 1·10^-8")
                              .arg(FormatDms(lDegrees)));
}

// The latitude of the line's middle from the inverse Gauss–Krüger series; a point farther from
// the axial meridian than the series reach is an error.
Extended MeanLatitude(double xm, double ym)
{
    ResultTable scratch(2, GkInverseRows);
    const GeodeticCoordinates middle = GaussKrugerToGeodetic(xm, ym, 0, scratch);
    if (!std::isfinite(middle.L) || std::fabs(middle.L) > MaxLongitudeFromAxis)
        throw KveltaError(QStringLiteral("Середина линии дальше %1° по долготе от осевого меридиана: линия вне зоны "
                                         "с перекрытием, формулы редукции к ней не применяются")
                              .arg(QString::number(MaxLongitudeFromAxis).replace(QLatin1Char('.'), DecimalSeparator())));
    return middle.B;
}

}  // namespace

void ConvergenceLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {
        "B", "L", "Lo", "l=L-Lo", "l=l\"/Ro\", рад", "sin B", "cos B", "t=tg B", "eta^2=e'^2*cos^2 B", "l*cos B",
        "(l*cos B)^2/3*(1+3eta^2+2eta^4)", "(l*cos B)^4/15*(2-t^2)", "гамма\"=Ro\"*l*sin B*(1+[^]+[^])", "гамма",
        "(l*cos B)^2/2*(1+eta^2)", "(l*cos B)^4/24*(5-4t^2+42eta^2+13eta^4-28e'^2)", "(l*cos B)^6/720*(61-148t^2+16t^4)",
        "m=1+[^]+[^]+[^]"});
}

void ReductionLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {
        "x1, м", "y1, м", "x2, м", "y2, м", "s, м", "xm=(x1+x2)/2, м", "ym=(y1+y2)/2, м", "Bm (по xm, ym)",
        "Nm=a/sqrt(1-e^2*sin^2 Bm), м", "eta^2=e'^2*cos^2 Bm", "t=tg Bm", "Rm=Nm/sqrt(1+eta^2), м", "x2-x1, м",
        "y2-y1, м", "f=Ro\"/(6Rm^2)*10^10", "ym^3/Rm^2, м", "Ro\"*eta^2*t*ym^2*(y2-y1)/Rm^3, \"",
        "дельта12\"=f(x1-x2)(2y1+y2-ym^3/Rm^2)-[^]", "дельта21\"=f(x2-x1)(y1+2y2-ym^3/Rm^2)+[^]",
        "ym^2/(2Rm^2)", "(y2-y1)^2/(24Rm^2)", "ym^4*(1+4eta^2)/(24Rm^4)", "дельта s=s*([^]+[^]+[^]), м",
        "d=s+дельта s, м", "d по координатам, м"});
}

void PlaneConvergenceLabels(ResultTable& table)
{
    WriteFormulaResultHeadings(table);
    WriteLabelColumn(table, 0, {
        "x, м", "y, м", "Lo", "Бета=x/6367558,4969, рад", "Бета", "Bx (по рядам от Бета)", "sin Bx", "cos Bx", "t=tg Bx",
        "eta^2=e'^2*cos^2 Bx", "Nx=a/sqrt(1-e^2*sin^2 Bx), м", "u=y/Nx", "u^2/6*(1+2t^2+eta^2)",
        "u^4/120*(5+28t^2+24t^4+6eta^2+8eta^2*t^2)", "l=Ro\"*u/cos Bx*(1-[^]+[^])", "L=Lo+l",
        "u^2/3*(1+t^2-eta^2-2eta^4)", "u^4/15*(2+5t^2+3t^4)", "гамма\"=Ro\"*u*t*(1-[^]+[^])", "гамма",
        "u^2/2*(1+eta^2)", "u^4/24*(1+6eta^2+9eta^4)", "m=1+[^]+[^]"});
}

ConvergenceInput ReadConvergenceInput(const Inputs& inputs)
{
    ConvergenceInput in;
    in.Lo = inputs.angle(QStringLiteral("L0"));
    in.B = inputs.angle(QStringLiteral("B"));
    in.L = inputs.angle(QStringLiteral("L"));
    return in;
}

LineInput ReadLineInput(const Inputs& inputs)
{
    LineInput in;
    in.x1 = inputs.real(QStringLiteral("x1"));
    in.y1 = inputs.real(QStringLiteral("y1"));
    in.x2 = inputs.real(QStringLiteral("x2"));
    in.y2 = inputs.real(QStringLiteral("y2"));
    in.s = inputs.real(QStringLiteral("s"));
    return in;
}

ConvergenceResult ComputeConvergence(const ConvergenceInput& in, ResultTable& t)
{
    if (std::fabs(in.B) > 90)
        throw KveltaError(QStringLiteral("Широта B за пределами ±90°"));
    // The longitude from the axial meridian the short way round (L = 179°, Lo = −177° is l = −4°).
    const double lDegrees = std::remainder(in.L - in.Lo, 360.0);
    CheckLongitudeFromAxis(lDegrees);
    WriteAngle(t, FirstValueColumn, ConvergenceRowB, in.B);
    WriteAngle(t, FirstValueColumn, ConvergenceRowL, in.L);
    WriteAngle(t, FirstValueColumn, ConvergenceRowLo, in.Lo);
    WriteAngle(t, FirstValueColumn, ConvergenceRowLFromAxis, lDegrees);
    const Extended l = static_cast<Extended>(lDegrees) * 3600 / Ro;
    WriteFixed(t, FirstValueColumn, ConvergenceRowLRadians, l, RatioDecimals);
    const Extended sinB = SinDeg(in.B), cosB = CosDeg(in.B);
    WriteFixed(t, FirstValueColumn, ConvergenceRowSinB, sinB, RatioDecimals);
    WriteFixed(t, FirstValueColumn, ConvergenceRowCosB, cosB, RatioDecimals);
    // At a pole t is not finite but every term it enters is multiplied by cos⁴B first.
    const Extended tanB = sinB / cosB;
    t.setValue(FirstValueColumn, ConvergenceRowTanB,
               std::isfinite(static_cast<double>(tanB)) ? FormatFixed(tanB, RatioDecimals) : QStringLiteral("∞"));
    const Extended eta2 = EtaSquared(cosB);
    WriteFixed(t, FirstValueColumn, ConvergenceRowEta2, eta2, RatioDecimals);
    const Extended p = l * cosB, p2 = p * p;
    WriteFixed(t, FirstValueColumn, ConvergenceRowLCosB, p, RatioDecimals);

    // t² enters only as t²·cos⁴B = sin²B·cos²B, written so: finite at the poles.
    const Extended l2 = l * l, l4 = l2 * l2, sin2 = sinB * sinB, cos2 = cosB * cosB;
    const Extended gamma2 = p2 / 3 * (1 + 3 * eta2 + 2 * eta2 * eta2);
    const Extended gamma4 = l4 * cos2 * (2 * cos2 - sin2) / 15;
    WriteFixed(t, FirstValueColumn, ConvergenceRowGammaSecondTerm, gamma2, 12);
    WriteFixed(t, FirstValueColumn, ConvergenceRowGammaFourthTerm, gamma4, 12);
    const Extended gammaSeconds = Ro * l * sinB * (1 + gamma2 + gamma4);
    WriteSeconds(t, ConvergenceRowGammaSeconds, gammaSeconds, GammaDecimals);
    WriteAngleText(t, ConvergenceRowGamma, ToDouble(gammaSeconds / 3600), GammaDecimals);

    const Extended m2 = p2 / 2 * (1 + eta2);
    const Extended m4 = l4 * cos2 * (cos2 * (5 + 42 * eta2 + 13 * eta2 * eta2 - 28 * E2Second) - 4 * sin2) / 24;
    const Extended m6 = l4 * l2 * cos2 * (cos2 * (61 * cos2 - 148 * sin2) + 16 * sin2 * sin2) / 720;
    WriteFixed(t, FirstValueColumn, ConvergenceRowScaleSecondTerm, m2, 12);
    WriteFixed(t, FirstValueColumn, ConvergenceRowScaleFourthTerm, m4, 12);
    WriteFixed(t, FirstValueColumn, ConvergenceRowScaleSixthTerm, m6, 12);
    const Extended m = 1 + m2 + m4 + m6;
    WriteFixed(t, FirstValueColumn, ConvergenceRowScale, m, ScaleDecimals);
    return {ToDouble(gammaSeconds), ToDouble(m)};
}

PlanePointInput ReadPlanePointInput(const Inputs& inputs)
{
    PlanePointInput in;
    in.Lo = inputs.angle(QStringLiteral("L0"));
    in.x = inputs.real(QStringLiteral("x"));
    in.y = inputs.real(QStringLiteral("y"));
    return in;
}

ReductionResult ComputeReduction(const LineInput& in, ResultTable& t)
{
    CheckLine(in);
    WriteFixed(t, FirstValueColumn, ReductionRowX1, in.x1, MetreDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowY1, in.y1, MetreDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowX2, in.x2, MetreDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowY2, in.y2, MetreDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowS, in.s, MetreDecimals);
    const Extended xm = (static_cast<Extended>(in.x1) + in.x2) / 2, ym = (static_cast<Extended>(in.y1) + in.y2) / 2;
    WriteFixed(t, FirstValueColumn, ReductionRowXm, xm, MetreDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowYm, ym, MetreDecimals);
    const Extended Bm = MeanLatitude(ToDouble(xm), ToDouble(ym));
    WriteAngle(t, FirstValueColumn, ReductionRowBm, ToDouble(Bm));
    const Extended sinB = SinDeg(ToDouble(Bm)), cosB = CosDeg(ToDouble(Bm));
    const Extended N = A / std::sqrt(1 - E2 * sinB * sinB);
    WriteFixed(t, FirstValueColumn, ReductionRowNm, N, MetreDecimals);
    const Extended eta2 = EtaSquared(cosB);
    WriteFixed(t, FirstValueColumn, ReductionRowEta2, eta2, RatioDecimals);
    const Extended tanB = sinB / cosB;
    WriteFixed(t, FirstValueColumn, ReductionRowTanBm, tanB, RatioDecimals);
    const Extended R = N / std::sqrt(1 + eta2), R2 = R * R;
    WriteFixed(t, FirstValueColumn, ReductionRowRm, R, MetreDecimals);
    const Extended dx = static_cast<Extended>(in.x2) - in.x1, dy = static_cast<Extended>(in.y2) - in.y1;
    WriteFixed(t, FirstValueColumn, ReductionRowDx, dx, MetreDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowDy, dy, MetreDecimals);

    // The image of the geodesic bends towards the axial meridian; δ is the angle between it and
    // the chord at each end, to the third order in y/R with the ellipsoid's term.
    const Extended f = Ro / (6 * R2);
    WriteFixed(t, FirstValueColumn, ReductionRowF, f * 1e10L, RatioDecimals);
    const Extended cubic = ym * ym * ym / R2;
    WriteFixed(t, FirstValueColumn, ReductionRowYmCubed, cubic, MetreDecimals);
    const Extended ellipsoidTerm = Ro * eta2 * tanB * ym * ym * dy / (R2 * R);
    WriteSeconds(t, ReductionRowEllipsoidTerm, ellipsoidTerm, 4);
    const Extended delta12 = f * (-dx) * (2 * static_cast<Extended>(in.y1) + in.y2 - cubic) - ellipsoidTerm;
    WriteSeconds(t, ReductionRowDelta12, delta12, DeltaDecimals);
    const Extended delta21 = f * dx * (static_cast<Extended>(in.y1) + 2 * static_cast<Extended>(in.y2) - cubic) + ellipsoidTerm;
    WriteSeconds(t, ReductionRowDelta21, delta21, DeltaDecimals);

    // The scale along the line, averaged by Simpson's rule over its ends and middle.
    const Extended mean = ym * ym / (2 * R2);
    const Extended spread = dy * dy / (24 * R2);
    const Extended fourth = ym * ym * ym * ym * (1 + 4 * eta2) / (24 * R2 * R2);
    WriteFixed(t, FirstValueColumn, ReductionRowMeanScaleTerm, mean, RatioDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowSpreadTerm, spread, RatioDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowFourthTerm, fourth, RatioDecimals);
    const Extended deltaS = in.s * (mean + spread + fourth);
    WriteFixed(t, FirstValueColumn, ReductionRowDeltaS, deltaS, MetreDecimals);
    const Extended d = in.s + deltaS;
    WriteFixed(t, FirstValueColumn, ReductionRowD, d, MetreDecimals);
    WriteFixed(t, FirstValueColumn, ReductionRowChord, std::sqrt(dx * dx + dy * dy), MetreDecimals);
    return {ToDouble(delta12), ToDouble(delta21), ToDouble(deltaS), ToDouble(d)};
}

ConvergenceResult ComputePlaneConvergence(const PlanePointInput& in, ResultTable& t)
{
    CheckAbscissa(in.x, "x");
    // Beyond this |y| no point is within 3°30′ of the axial meridian, and the series for l below
    // would no longer say so.
    if (!(std::fabs(in.y) <= MaxPlaneOrdinate))
        throw KveltaError(QStringLiteral("Ордината y по модулю больше %1 км: точка дальше 3°30' от осевого меридиана, "
                                         "ряды для сближения меридианов и масштаба не дают 0,001\" и 1·10^-8")
                              .arg(Kilometres(MaxPlaneOrdinate)));
    // The footpoint latitude with the exact ρ″: the course's 206265 would shift it by about 0.17″.
    const Footpoint foot = FootpointLatitude(in.x, Ro);
    const Extended sinB = SinDeg(foot.BxDegrees), cosB = CosDeg(foot.BxDegrees), tanB = sinB / cosB;
    const Extended eta2 = EtaSquared(cosB), t2 = tanB * tanB;
    const Extended N = A / std::sqrt(1 - E2 * sinB * sinB);
    const Extended u = in.y / N, u2 = u * u, u4 = u2 * u2;
    // The longitude from the axial meridian, for the limit and to show where the point lies.
    const Extended l2 = u2 / 6 * (1 + 2 * t2 + eta2);
    const Extended l4 = u4 / 120 * (5 + 28 * t2 + 24 * t2 * t2 + 6 * eta2 + 8 * eta2 * t2);
    const double lDegrees = ToDouble(Ro * u / cosB * (1 - l2 + l4) / 3600);
    CheckLongitudeFromAxis(lDegrees);

    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowX, in.x, MetreDecimals);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowY, in.y, MetreDecimals);
    WriteAngle(t, FirstValueColumn, PlaneConvergenceRowLo, in.Lo);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowBetaRadians, foot.beta, RatioDecimals);
    WriteAngle(t, FirstValueColumn, PlaneConvergenceRowBeta, foot.betaDegrees);
    WriteAngle(t, FirstValueColumn, PlaneConvergenceRowBx, foot.BxDegrees);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowSinBx, sinB, RatioDecimals);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowCosBx, cosB, RatioDecimals);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowTanBx, tanB, RatioDecimals);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowEta2, eta2, RatioDecimals);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowNx, N, MetreDecimals);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowU, u, RatioDecimals);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowLSecondTerm, l2, 12);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowLFourthTerm, l4, 12);
    WriteAngleText(t, PlaneConvergenceRowLFromAxis, lDegrees, GammaDecimals);
    WriteAngleText(t, PlaneConvergenceRowL, ToDouble(static_cast<Extended>(in.Lo) + lDegrees), GammaDecimals);

    const Extended gamma2 = u2 / 3 * (1 + t2 - eta2 - 2 * eta2 * eta2);
    const Extended gamma4 = u4 / 15 * (2 + 5 * t2 + 3 * t2 * t2);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowGammaSecondTerm, gamma2, 12);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowGammaFourthTerm, gamma4, 12);
    const Extended gammaSeconds = Ro * u * tanB * (1 - gamma2 + gamma4);
    WriteSeconds(t, PlaneConvergenceRowGammaSeconds, gammaSeconds, GammaDecimals);
    WriteAngleText(t, PlaneConvergenceRowGamma, ToDouble(gammaSeconds / 3600), GammaDecimals);

    const Extended m2 = u2 / 2 * (1 + eta2);
    const Extended m4 = u4 / 24 * (1 + 6 * eta2 + 9 * eta2 * eta2);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowScaleSecondTerm, m2, 12);
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowScaleFourthTerm, m4, 12);
    const Extended m = 1 + m2 + m4;
    WriteFixed(t, FirstValueColumn, PlaneConvergenceRowScale, m, ScaleDecimals);
    return {ToDouble(gammaSeconds), ToDouble(m)};
}

}  // namespace kvelta
