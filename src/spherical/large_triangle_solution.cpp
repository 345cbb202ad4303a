// Pages 3 to 8 of the large triangle: the excess from the angles and side b, the closure and
// Legendre's plane triangle, L'Huilier's excess on the sphere of mean radius, the second-order
// terms of Legendre's theorem and the refined plane angles.

#include "spherical/large_triangle.h"

#include "frame/angles.h"

#include <cmath>

namespace kvelta {

using namespace large_triangle;

namespace {

// The rows (and, for the pages laid out by vertex, the columns) of each page.
enum Page3Row : int { Page3RowF = 1, Page3RowBSquared, Page3RowSinA, Page3RowSinC, Page3RowSinASinC };
enum Page3SecondRow : int { Page3RowProduct = 1, Page3RowSinB, Page3RowD1 };
// Page 4: a row per vertex, B, A, C, the sum and E (W below them), then the plane triangle's rows.
enum Page4Row : int {
    Page4RowVertexB = 1, Page4RowVertexA, Page4RowVertexC, Page4RowSum, Page4RowE, Page4RowPlaneB = 8, Page4RowPlaneA,
    Page4RowPlaneC, Page4RowPlaneSum
};
enum Page4Column : int {
    Page4ExcessThirdColumn = 1, Page4CorrectionColumn = 2, Page4PlaneAngleColumn = 2, Page4AdjustedColumn = 3,
    Page4PlaneSineColumn = 3
};
enum Page5Row : int {
    Page5RowRoOverRm = 1, Page5RowArcA, Page5RowArcB, Page5RowArcC, Page5RowTwoP, Page5RowP, Page5RowHalfP,
    Page5RowHalfPMinusA
};
enum Page5SecondRow : int {
    Page5RowHalfPMinusB = 1, Page5RowHalfPMinusC, Page5RowTanP, Page5RowTanA, Page5RowTanB, Page5RowTanC, Page5RowT,
    Page5RowRootT, Page5RowQuarterE
};
enum Page6Row : int {
    Page6RowASquared = 1, Page6RowBSquared, Page6RowCSquared, Page6RowMN, Page6RowThreeMN, Page6RowCSquaredPlusBSquared,
    Page6RowTwoASquared, Page6RowASquaredPlusBSquared
};
enum Page6SecondRow : int {
    Page6RowTwoCSquared = 1, Page6RowASquaredPlusCSquared, Page6RowTwoBSquared, Page6RowE60, Page6RowDA, Page6RowDB,
    Page6RowDC, Page6RowBlank
};
enum Page7Row : int { Page7RowA1 = 1, Page7RowB1, Page7RowC1 };
enum Page8Row : int { Page8RowVertexB = 1, Page8RowVertexA, Page8RowVertexC, Page8RowSum };
inline constexpr int Page8SineColumn = 2;

// Named quantities are held as doubles; each later step reads the held value.
double Held(Extended value) { return ToDouble(value); }

Extended Kilometres2(double metres)
{
    const Extended km = static_cast<Extended>(metres) / 1000;
    return km * km;
}

struct ExcessFromAngles {
    double Ef = 0;  // degrees
};

// Page 3. A, B and C are the measured angles, not the spherical ones.
ExcessFromAngles Page3(const LargeTriangleInput& in, const SphericalReduction& s, ResultTable& t)
{
    const double f = Held(Divide(RoSecondsTextbook * 1e6L, 2 * static_cast<Extended>(s.Nm) * s.Mm));
    WriteFixed(t, FirstValueColumn, Page3RowF, f, 6);
    const Extended b2 = Kilometres2(in.b);
    WriteFixed(t, FirstValueColumn, Page3RowBSquared, b2, 2);
    const Extended sinA = Sin(in.A), sinB = Sin(in.B), sinC = Sin(in.C);
    WriteFixed(t, FirstValueColumn, Page3RowSinA, sinA, 8);
    WriteFixed(t, FirstValueColumn, Page3RowSinC, sinC, 8);
    WriteFixed(t, FirstValueColumn, Page3RowSinASinC, sinC * sinA, 8);
    WriteFixed(t, SecondValueColumn, Page3RowProduct, sinC * (sinA * b2), 3);
    WriteFixed(t, SecondValueColumn, Page3RowSinB, sinB, 8);
    t.setValue(SecondValueColumn, Page3RowD1, QString());  // "D1" has no value of its own
    const double EfSeconds = Held(Divide(sinC * (sinA * (f * b2)), sinB));
    t.setValue(LargeTriangleExcessColumn, LargeTriangleExcessSecondsRow, SecondsText(EfSeconds), EfSeconds);
    ExcessFromAngles e;
    e.Ef = Held(static_cast<Extended>(EfSeconds) / 3600);
    WriteAngle(t, LargeTriangleExcessColumn, LargeTriangleExcessAngleRow, e.Ef);
    return e;
}

struct PlaneTriangle {
    double a = 0, b = 0, c = 0;  // sides opposite A, B, C, metres
};

// Page 4: closure W of the spherical angle sum, Legendre's plane angles and the sine rule.
// Vertex rows run B, A, C.
PlaneTriangle Page4(const LargeTriangleInput& in, const SphericalReduction& s, double Ef, ResultTable& t)
{
    const Extended Asf = s.Asf, Bsf = s.Bsf, Csf = s.Csf;
    const Extended sum = Asf + Bsf + Csf;
    const double W = Held(sum - 180 - Ef);

    WriteAngle(t, FirstValueColumn, Page4RowVertexB, s.Bsf);
    WriteAngle(t, FirstValueColumn, Page4RowVertexA, s.Asf);
    WriteAngle(t, FirstValueColumn, Page4RowVertexC, s.Csf);
    WriteDegrees(t, FirstValueColumn, Page4RowSum, sum);
    WriteAngle(t, FirstValueColumn, Page4RowE, Ef);
    WriteAngle(t, LargeTriangleMisclosureColumn, LargeTriangleMisclosureRow, W);
    const Extended correction = -static_cast<Extended>(W) * 3600 / 3;
    for (int row = Page4RowVertexB; row <= Page4RowVertexC; ++row)
        WriteFixed(t, Page4CorrectionColumn, row, correction, 3);
    const Extended third = static_cast<Extended>(W) / 3;
    WriteDegrees(t, Page4AdjustedColumn, Page4RowVertexB, Bsf - third);
    WriteDegrees(t, Page4AdjustedColumn, Page4RowVertexA, Asf - third);
    WriteDegrees(t, Page4AdjustedColumn, Page4RowVertexC, Csf - third);
    WriteDegrees(t, Page4AdjustedColumn, Page4RowSum, sum - W);

    const Extended excessThird = static_cast<Extended>(Ef) / 3;
    for (int row = Page4RowPlaneB; row <= Page4RowPlaneC; ++row)
        WriteDegrees(t, Page4ExcessThirdColumn, row, -excessThird);
    const double Ap = Held(Asf - third - excessThird);
    const double Bp = Held(Bsf - third - excessThird);
    const double Cp = Held(Csf - third - excessThird);
    WriteAngle(t, Page4PlaneAngleColumn, Page4RowPlaneB, Bp);
    WriteAngle(t, Page4PlaneAngleColumn, Page4RowPlaneA, Ap);
    WriteAngle(t, Page4PlaneAngleColumn, Page4RowPlaneC, Cp);
    WriteDegrees(t, Page4PlaneAngleColumn, Page4RowPlaneSum, static_cast<Extended>(Ap) + Bp + Cp);
    const Extended sinA = Sin(Ap), sinB = Sin(Bp), sinC = Sin(Cp);
    WriteFixed(t, Page4PlaneSineColumn, Page4RowPlaneB, sinB, 8);
    WriteFixed(t, Page4PlaneSineColumn, Page4RowPlaneA, sinA, 8);
    WriteFixed(t, Page4PlaneSineColumn, Page4RowPlaneC, sinC, 8);

    const Extended D = Divide(in.b, sinB);
    PlaneTriangle p;
    p.a = Held(sinA * D);
    p.b = Held(sinB * D);
    p.c = Held(sinC * D);
    WriteFixed(t, LargeTrianglePlaneSidesColumn, LargeTrianglePlaneRowB, p.b, 3);
    WriteFixed(t, LargeTrianglePlaneSidesColumn, LargeTrianglePlaneRowA, p.a, 3);
    WriteFixed(t, LargeTrianglePlaneSidesColumn, LargeTrianglePlaneRowC, p.c, 3);
    return p;
}

// Page 5: the excess again, from the sides as arcs of the sphere of mean radius, by L'Huilier's
// formula tg²(E/4) = tg(p/2)·tg((p-a)/2)·tg((p-b)/2)·tg((p-c)/2). Returns E in degrees.
double Page5(const SphericalReduction& s, const PlaneTriangle& sides, ResultTable& t)
{
    const double Rm = Held(SquareRoot(static_cast<Extended>(s.Mm) * s.Nm));
    const Extended roRm = Divide(RoSecondsTextbook, Rm);
    WriteFixed(t, FirstValueColumn, Page5RowRoOverRm, roRm, 9);
    const Extended degreesPerMetre = roRm / 3600;
    const Extended arcA = degreesPerMetre * sides.a;
    const Extended arcB = degreesPerMetre * sides.b;
    const Extended arcC = degreesPerMetre * sides.c;
    WriteDegrees(t, FirstValueColumn, Page5RowArcA, arcA);
    WriteDegrees(t, FirstValueColumn, Page5RowArcB, arcB);
    WriteDegrees(t, FirstValueColumn, Page5RowArcC, arcC);
    const Extended perimeter = static_cast<Extended>(sides.a) + sides.b + sides.c;
    const Extended twoP = degreesPerMetre * perimeter;
    WriteDegrees(t, FirstValueColumn, Page5RowTwoP, twoP);
    const double p = Held(degreesPerMetre * perimeter / 2);
    WriteAngle(t, FirstValueColumn, Page5RowP, p);
    WriteDegrees(t, FirstValueColumn, Page5RowHalfP, degreesPerMetre * perimeter / 4);
    WriteDegrees(t, FirstValueColumn, Page5RowHalfPMinusA, (p - arcA) / 2);
    WriteDegrees(t, SecondValueColumn, Page5RowHalfPMinusB, (p - arcB) / 2);
    WriteDegrees(t, SecondValueColumn, Page5RowHalfPMinusC, (p - arcC) / 2);

    auto tanHalf = [](Extended degrees) { return Checked(std::tan(degrees * Pi / 360)); };
    const Extended tanP = Checked(std::tan(Pi * p / 360));
    const Extended tanA = tanHalf(p - arcA), tanB = tanHalf(p - arcB), tanC = tanHalf(p - arcC);
    WriteFixed(t, SecondValueColumn, Page5RowTanP, tanP, 9);
    WriteFixed(t, SecondValueColumn, Page5RowTanA, tanA, 9);
    WriteFixed(t, SecondValueColumn, Page5RowTanB, tanB, 9);
    WriteFixed(t, SecondValueColumn, Page5RowTanC, tanC, 9);
    Extended T = tanP;
    T = Checked(tanA * T);
    T = Checked(tanB * T);
    T = Checked(tanC * T);
    WriteFixed(t, SecondValueColumn, Page5RowT, T, 9);
    const Extended rootT = SquareRoot(T);  // T < 0 only for sides that close no triangle
    WriteFixed(t, SecondValueColumn, Page5RowRootT, rootT, 9);
    const double quarter = Held(std::atan(rootT) * 180 / Pi);
    WriteAngle(t, SecondValueColumn, Page5RowQuarterE, quarter);
    const double EL = Held(4 * static_cast<Extended>(quarter));
    WriteAngle(t, LargeTriangleLhuilierColumn, LargeTriangleLhuilierRow, EL);
    return EL;
}

struct SecondOrderTerms {
    double dA = 0, dB = 0, dC = 0;  // seconds of arc
};

// Page 6: the second-order terms of Legendre's theorem, (b² + c² - 2a²)·E/(60·3(MN)m) and
// likewise for B and C, with the sides in kilometres.
SecondOrderTerms Page6(const SphericalReduction& s, const PlaneTriangle& sides, double EL, ResultTable& t)
{
    const Extended a2 = Kilometres2(sides.a), b2 = Kilometres2(sides.b), c2 = Kilometres2(sides.c);
    WriteFixed(t, FirstValueColumn, Page6RowASquared, a2, 3);
    WriteFixed(t, FirstValueColumn, Page6RowBSquared, b2, 3);
    WriteFixed(t, FirstValueColumn, Page6RowCSquared, c2, 3);
    const Extended mn = static_cast<Extended>(s.Mm) * s.Nm * 1e-6L;
    WriteFixed(t, FirstValueColumn, Page6RowMN, mn, 1);
    WriteFixed(t, FirstValueColumn, Page6RowThreeMN, 3 * static_cast<Extended>(s.Mm) * s.Nm * 1e-6L, 1);
    WriteFixed(t, FirstValueColumn, Page6RowCSquaredPlusBSquared, c2 + b2, 1);
    WriteFixed(t, FirstValueColumn, Page6RowTwoASquared, a2 * 2, 2);
    WriteFixed(t, FirstValueColumn, Page6RowASquaredPlusBSquared, a2 + b2, 2);
    WriteFixed(t, SecondValueColumn, Page6RowTwoCSquared, c2 * 2, 2);
    WriteFixed(t, SecondValueColumn, Page6RowASquaredPlusCSquared, a2 + c2, 2);
    WriteFixed(t, SecondValueColumn, Page6RowTwoBSquared, b2 * 2, 2);
    const Extended E60 = static_cast<Extended>(EL) * 60;  // the excess in seconds over 60
    t.setValue(SecondValueColumn, Page6RowE60, TightSecondsText(E60), E60);

    const Extended denominator = 3 * mn;
    SecondOrderTerms d;
    d.dA = Held(Divide((b2 + c2 - 2 * a2) * E60, denominator));
    d.dB = Held(Divide((a2 + c2 - 2 * b2) * E60, denominator));
    d.dC = Held(Divide((a2 + b2 - 2 * c2) * E60, denominator));
    WriteFixed(t, SecondValueColumn, Page6RowDA, d.dA, 3);
    WriteFixed(t, SecondValueColumn, Page6RowDB, d.dB, 3);
    WriteFixed(t, SecondValueColumn, Page6RowDC, d.dC, 3);
    t.setValue(SecondValueColumn, Page6RowBlank, QString());
    return d;
}

struct RefinedAngles {
    Extended A1 = 0, B1 = 0, C1 = 0;  // not held: their sines take the extended values
};

// Page 7: the spherical angles (not the adjusted ones) less a third of L'Huilier's excess and
// the second-order term.
RefinedAngles Page7(const SphericalReduction& s, double EL, const SecondOrderTerms& d, ResultTable& t)
{
    const Extended excessThird = static_cast<Extended>(EL) / 3;
    RefinedAngles r;
    r.A1 = s.Asf - excessThird - static_cast<Extended>(d.dA) / 3600;
    r.B1 = s.Bsf - excessThird - static_cast<Extended>(d.dB) / 3600;
    r.C1 = s.Csf - excessThird - static_cast<Extended>(d.dC) / 3600;
    WriteDegrees(t, FirstValueColumn, Page7RowA1, r.A1);
    WriteDegrees(t, FirstValueColumn, Page7RowB1, r.B1);
    WriteDegrees(t, FirstValueColumn, Page7RowC1, r.C1);
    return r;
}

// Page 8: the summary by vertex, B, A, C.
void Page8(const LargeTriangleInput& in, const SphericalReduction& s, double EL, const SecondOrderTerms& d,
           const RefinedAngles& r, ResultTable& t)
{
    WriteDegrees(t, FirstValueColumn, Page8RowVertexB, r.B1);
    WriteDegrees(t, FirstValueColumn, Page8RowVertexA, r.A1);
    WriteDegrees(t, FirstValueColumn, Page8RowVertexC, r.C1);
    const Extended sum = static_cast<Extended>(s.Csf) + s.Asf + s.Bsf - static_cast<Extended>(d.dC) / 3600
                         - static_cast<Extended>(d.dA) / 3600 - static_cast<Extended>(d.dB) / 3600 - EL;
    WriteDegrees(t, FirstValueColumn, Page8RowSum, sum);
    const Extended sinB = Sin(r.B1), sinA = Sin(r.A1), sinC = Sin(r.C1);
    WriteFixed(t, Page8SineColumn, Page8RowVertexB, sinB, 8);
    WriteFixed(t, Page8SineColumn, Page8RowVertexA, sinA, 8);
    WriteFixed(t, Page8SineColumn, Page8RowVertexC, sinC, 8);
    const Extended D = Divide(in.b, sinB);
    WriteFixed(t, LargeTriangleSummarySidesColumn, LargeTriangleSummaryRowB, D * sinB, 3);
    WriteFixed(t, LargeTriangleSummarySidesColumn, LargeTriangleSummaryRowA, D * sinA, 3);
    WriteFixed(t, LargeTriangleSummarySidesColumn, LargeTriangleSummaryRowC, D * sinC, 3);
}

}  // namespace

void ComputeTriangleSolution(const LargeTriangleInput& in, const SphericalReduction& sphere,
                             const LargeTriangleTables& tables)
{
    const ExcessFromAngles fromAngles = Page3(in, sphere, *tables[2]);
    const PlaneTriangle sides = Page4(in, sphere, fromAngles.Ef, *tables[3]);
    const double EL = Page5(sphere, sides, *tables[4]);
    const SecondOrderTerms d = Page6(sphere, sides, EL, *tables[5]);
    const RefinedAngles r = Page7(sphere, EL, d, *tables[6]);
    Page8(in, sphere, EL, d, r, *tables[7]);
}

}  // namespace kvelta
