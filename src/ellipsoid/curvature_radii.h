#pragma once
// The principal radii of curvature of the Krasovsky ellipsoid at a latitude B and the radius of
// the normal section in an azimuth A:
//   W = √(1 − e²sin²B),  M = a(1 − e²)/W³ (meridian),  N = a/W (prime vertical),
//   R = √(MN) (mean radius, Gauss),  R_A = MN/(N cos²A + M sin²A) (Euler).

#include "frame/ellipsoid_constants.h"
#include "frame/exercise.h"
#include "frame/numbers.h"

namespace kvelta {

// Every quantity of the worked table, in extended precision.
struct CurvatureRadii {
    Extended sinB = 0, sin2B = 0, e2sin2B = 0, W = 0;
    Extended M = 0, N = 0;
    Extended cos2A = 0, sin2A = 0, denominator = 0;  // N cos²A + M sin²A
    Extended R = 0, RA = 0;
};

// B and A in degrees; with the course's a and e² unless others are given.
inline CurvatureRadii ComputeCurvatureRadii(double B, double A, Extended a = KrasovskyA, Extended e2 = KrasovskyE2Rounded)
{
    CurvatureRadii r;
    r.sinB = SinDeg(B);
    r.sin2B = r.sinB * r.sinB;
    r.e2sin2B = e2 * r.sin2B;
    r.W = SquareRoot(1 - r.e2sin2B);
    r.M = Divide(a * (1 - e2), r.W * r.W * r.W);
    r.N = Divide(a, r.W);
    const Extended cosA = CosDeg(A), sinA = SinDeg(A);
    r.cos2A = cosA * cosA;
    r.sin2A = sinA * sinA;
    r.denominator = r.N * r.cos2A + r.M * r.sin2A;
    r.R = SquareRoot(r.M * r.N);
    r.RA = Divide(r.M * r.N, r.denominator);
    return r;
}

// The exercise «Радиусы кривизны»: its description, beside its table.
const Exercise& CurvatureRadiiExercise();

}  // namespace kvelta
