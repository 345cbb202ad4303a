#include "rigorous/spherical_triangle.h"

#include <cmath>
#include <numbers>

namespace kvelta {

namespace {

constexpr double DegreesPerRadian = 180 / std::numbers::pi;

// Excess of a spherical triangle from its sides (radians), by L'Huilier's formula.
double LhuilierExcess(double a, double b, double c)
{
    const double s = (a + b + c) / 2;
    const double t = std::tan(s / 2) * std::tan((s - a) / 2) * std::tan((s - b) / 2) * std::tan((s - c) / 2);
    return 4 * std::atan(std::sqrt(std::fmax(t, 0.0)));
}

}  // namespace

SphericalTriangleResult SolveSphericalTriangle(double A, double B, double C, double b, double radius)
{
    if (!(std::isfinite(A) && std::isfinite(B) && std::isfinite(C) && std::isfinite(b) && std::isfinite(radius)))
        return {std::nullopt, QStringLiteral("исходные данные не являются конечными числами")};
    if (!(b > 0))
        return {std::nullopt, QStringLiteral("сторона b не положительна: треугольника нет")};
    const double beta = b / radius;  // side b as an arc, radians
    if (!(beta < std::numbers::pi))
        return {std::nullopt, QStringLiteral("сторона b не меньше половины большого круга сферы")};

    const double sum = A + B + C - 180;  // degrees
    double excess = 0;                   // degrees
    double a = 0, c = 0;
    bool settled = false;
    for (int i = 0; i < 100 && !settled; ++i) {
        const double correction = (sum - excess) / 3;
        const double As = (A - correction) / DegreesPerRadian;
        const double Bs = (B - correction) / DegreesPerRadian;
        const double Cs = (C - correction) / DegreesPerRadian;
        if (!(As > 0 && Bs > 0 && Cs > 0 && As < std::numbers::pi && Bs < std::numbers::pi && Cs < std::numbers::pi))
            return {std::nullopt, QStringLiteral("уравненные углы не лежат между 0° и 180°: треугольника нет")};
        // Napier's analogies for two angles and the side between them.
        const double halfSum = std::atan2(std::tan(beta / 2) * std::cos((As - Cs) / 2), std::cos((As + Cs) / 2));
        const double halfDifference = std::atan(std::tan(beta / 2) * std::sin((As - Cs) / 2) / std::sin((As + Cs) / 2));
        a = halfSum + halfDifference;
        c = halfSum - halfDifference;
        if (!(a > 0 && c > 0 && a < std::numbers::pi && c < std::numbers::pi))
            return {std::nullopt, QStringLiteral("углы и сторона b не дают сферического треугольника")};
        const double next = LhuilierExcess(a, beta, c) * DegreesPerRadian;
        if (!std::isfinite(next))
            return {std::nullopt, QStringLiteral("избыток не вычисляется")};
        settled = std::fabs(next - excess) <= 1e-15 * std::fmax(1.0, next);
        excess = next;
    }
    if (!settled)
        return {std::nullopt, QStringLiteral("уравнивание углов не сходится")};

    SphericalTriangleSolution s;
    s.excessSeconds = excess * 3600;
    s.misclosureSeconds = (sum - excess) * 3600;
    s.a = a * radius;
    s.c = c * radius;
    return {s, QString()};
}

}  // namespace kvelta
