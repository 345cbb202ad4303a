// Pages 3 to 8 of the large triangle: the excess from the angles and side b, the closure and
// Legendre's plane triangle, L'Huilier's excess on the sphere of mean radius, the second-order
// terms of Legendre's theorem and the refined plane angles.

#include "spherical/large_triangle.h"

#include "frame/angles.h"

#include <cmath>

namespace kvelta {

using namespace large_triangle;

namespace {

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
    WriteFixed(t, 1, 1, f, 6);
    const Extended b2 = Kilometres2(in.b);
    WriteFixed(t, 1, 2, b2, 2);
    const Extended sinA = Sin(in.A), sinB = Sin(in.B), sinC = Sin(in.C);
    WriteFixed(t, 1, 3, sinA, 8);
    WriteFixed(t, 1, 4, sinC, 8);
    WriteFixed(t, 1, 5, sinC * sinA, 8);
    WriteFixed(t, 3, 1, sinC * (sinA * b2), 3);
    WriteFixed(t, 3, 2, sinB, 8);
    t.setValue(3, 3, QString());  // "D1" has no value of its own
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

    WriteAngle(t, 1, 1, s.Bsf);
    WriteAngle(t, 1, 2, s.Asf);
    WriteAngle(t, 1, 3, s.Csf);
    WriteDegrees(t, 1, 4, sum);
    WriteAngle(t, 1, 5, Ef);
    WriteAngle(t, LargeTriangleMisclosureColumn, LargeTriangleMisclosureRow, W);
    const Extended correction = -static_cast<Extended>(W) * 3600 / 3;
    for (int row = 1; row <= 3; ++row)
        WriteFixed(t, 2, row, correction, 3);
    const Extended third = static_cast<Extended>(W) / 3;
    WriteDegrees(t, 3, 1, Bsf - third);
    WriteDegrees(t, 3, 2, Asf - third);
    WriteDegrees(t, 3, 3, Csf - third);
    WriteDegrees(t, 3, 4, sum - W);

    const Extended excessThird = static_cast<Extended>(Ef) / 3;
    for (int row = 8; row <= 10; ++row)
        WriteDegrees(t, 1, row, -excessThird);
    const double Ap = Held(Asf - third - excessThird);
    const double Bp = Held(Bsf - third - excessThird);
    const double Cp = Held(Csf - third - excessThird);
    WriteAngle(t, 2, 8, Bp);
    WriteAngle(t, 2, 9, Ap);
    WriteAngle(t, 2, 10, Cp);
    WriteDegrees(t, 2, 11, static_cast<Extended>(Ap) + Bp + Cp);
    const Extended sinA = Sin(Ap), sinB = Sin(Bp), sinC = Sin(Cp);
    WriteFixed(t, 3, 8, sinB, 8);
    WriteFixed(t, 3, 9, sinA, 8);
    WriteFixed(t, 3, 10, sinC, 8);

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
    WriteFixed(t, 1, 1, roRm, 9);
    const Extended degreesPerMetre = roRm / 3600;
    const Extended arcA = degreesPerMetre * sides.a;
    const Extended arcB = degreesPerMetre * sides.b;
    const Extended arcC = degreesPerMetre * sides.c;
    WriteDegrees(t, 1, 2, arcA);
    WriteDegrees(t, 1, 3, arcB);
    WriteDegrees(t, 1, 4, arcC);
    const Extended perimeter = static_cast<Extended>(sides.a) + sides.b + sides.c;
    const Extended twoP = degreesPerMetre * perimeter;
    WriteDegrees(t, 1, 5, twoP);
    const double p = Held(degreesPerMetre * perimeter / 2);
    WriteAngle(t, 1, 6, p);
    WriteDegrees(t, 1, 7, degreesPerMetre * perimeter / 4);
    WriteDegrees(t, 1, 8, (p - arcA) / 2);
    WriteDegrees(t, 3, 1, (p - arcB) / 2);
    WriteDegrees(t, 3, 2, (p - arcC) / 2);

    auto tanHalf = [](Extended degrees) { return Checked(std::tan(degrees * Pi / 360)); };
    const Extended tanP = Checked(std::tan(Pi * p / 360));
    const Extended tanA = tanHalf(p - arcA), tanB = tanHalf(p - arcB), tanC = tanHalf(p - arcC);
    WriteFixed(t, 3, 3, tanP, 9);
    WriteFixed(t, 3, 4, tanA, 9);
    WriteFixed(t, 3, 5, tanB, 9);
    WriteFixed(t, 3, 6, tanC, 9);
    Extended T = tanP;
    T = Checked(tanA * T);
    T = Checked(tanB * T);
    T = Checked(tanC * T);
    WriteFixed(t, 3, 7, T, 9);
    const Extended rootT = SquareRoot(T);  // T < 0 only for sides that close no triangle
    WriteFixed(t, 3, 8, rootT, 9);
    const double quarter = Held(std::atan(rootT) * 180 / Pi);
    WriteAngle(t, 3, 9, quarter);
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
    WriteFixed(t, 1, 1, a2, 3);
    WriteFixed(t, 1, 2, b2, 3);
    WriteFixed(t, 1, 3, c2, 3);
    const Extended mn = static_cast<Extended>(s.Mm) * s.Nm * 1e-6L;
    WriteFixed(t, 1, 4, mn, 1);
    WriteFixed(t, 1, 5, 3 * static_cast<Extended>(s.Mm) * s.Nm * 1e-6L, 1);
    WriteFixed(t, 1, 6, c2 + b2, 1);
    WriteFixed(t, 1, 7, a2 * 2, 2);
    WriteFixed(t, 1, 8, a2 + b2, 2);
    WriteFixed(t, 3, 1, c2 * 2, 2);
    WriteFixed(t, 3, 2, a2 + c2, 2);
    WriteFixed(t, 3, 3, b2 * 2, 2);
    const Extended E60 = static_cast<Extended>(EL) * 60;  // the excess in seconds over 60
    t.setValue(3, 4, TightSecondsText(E60), E60);

    const Extended denominator = 3 * mn;
    SecondOrderTerms d;
    d.dA = Held(Divide((b2 + c2 - 2 * a2) * E60, denominator));
    d.dB = Held(Divide((a2 + c2 - 2 * b2) * E60, denominator));
    d.dC = Held(Divide((a2 + b2 - 2 * c2) * E60, denominator));
    WriteFixed(t, 3, 5, d.dA, 3);
    WriteFixed(t, 3, 6, d.dB, 3);
    WriteFixed(t, 3, 7, d.dC, 3);
    t.setValue(3, 8, QString());
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
    WriteDegrees(t, 1, 1, r.A1);
    WriteDegrees(t, 1, 2, r.B1);
    WriteDegrees(t, 1, 3, r.C1);
    return r;
}

// Page 8: the summary by vertex, B, A, C.
void Page8(const LargeTriangleInput& in, const SphericalReduction& s, double EL, const SecondOrderTerms& d,
           const RefinedAngles& r, ResultTable& t)
{
    WriteDegrees(t, 1, 1, r.B1);
    WriteDegrees(t, 1, 2, r.A1);
    WriteDegrees(t, 1, 3, r.C1);
    const Extended sum = static_cast<Extended>(s.Csf) + s.Asf + s.Bsf - static_cast<Extended>(d.dC) / 3600
                         - static_cast<Extended>(d.dA) / 3600 - static_cast<Extended>(d.dB) / 3600 - EL;
    WriteDegrees(t, 1, 4, sum);
    const Extended sinB = Sin(r.B1), sinA = Sin(r.A1), sinC = Sin(r.C1);
    WriteFixed(t, 2, 1, sinB, 8);
    WriteFixed(t, 2, 2, sinA, 8);
    WriteFixed(t, 2, 3, sinC, 8);
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
