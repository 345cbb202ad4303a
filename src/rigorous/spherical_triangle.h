#pragma once
// Exact solution of a spherical triangle from its three measured angles and the side b opposite
// B, on a sphere of given radius. A measured triangle does not close: its angles are corrected
// equally so that they sum to 180° plus the triangle's own spherical excess. That excess depends
// on the triangle, so it is found as a fixed point: from an excess, the corrected angles A and C
// with the side b between them fix the triangle (Napier's analogies give a and c), whose excess
// follows from its three sides by L'Huilier's formula; repeat until the excess stops changing.

#include <QString>
#include <optional>

namespace kvelta {

struct SphericalTriangleSolution {
    double excessSeconds = 0;      // spherical excess E, seconds of arc
    double misclosureSeconds = 0;  // A + B + C − 180° − E, seconds of arc
    double a = 0;                  // side opposite A, metres
    double c = 0;                  // side opposite C, metres
};

struct SphericalTriangleResult {
    std::optional<SphericalTriangleSolution> solution;
    QString reason;  // why there is no solution
};

// Angles in degrees, b and the radius in metres.
SphericalTriangleResult SolveSphericalTriangle(double A, double B, double C, double b, double radius);

}  // namespace kvelta
