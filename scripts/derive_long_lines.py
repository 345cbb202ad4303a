#!/usr/bin/env python3
"""Prints the coefficients of Bessel's series for long geodesic lines, as polynomials.

On the auxiliary sphere, with theta the arc from the equator and c = cos^2 A0:
  ds/dtheta        = b * sqrt(1 + k^2 sin^2 theta),                k^2 = e'^2 c
  d(lambda - l)/dtheta = sin A0 * e^2 / (1 + sqrt(1 - e^2 + e^2 c sin^2 theta)).
Each integrand is expanded in its small parameter, sin^2n turned into cosines of 2j*theta and
integrated over the line (sigma_m the arc to its middle):
  s       = A sigma + (B x + C y + D z) sin sigma
  delta   = (alpha sigma - beta x sin sigma - gamma y sin sigma) sin A0
with x = -c cos 2 sigma_m, y = (c^2 - 2x^2) cos sigma, z = x (3c^2 - 4x^2)(4 cos^2 sigma - 1).
"""
import sympy as sp

k2, e2, c, t = sp.symbols("k2 e2 c t")  # t stands for sin^2 theta
ORDER = 5  # terms up to k^10 and e^10


def fourier(series_in_t, harmonics):
    """The coefficients F_j of cos(2j theta) of a polynomial in t = sin^2 theta."""
    F = [0] * (harmonics + 1)
    poly = sp.Poly(sp.expand(series_in_t), t)
    for (n,), coefficient in poly.terms():
        for j in range(0, min(n, harmonics) + 1):
            weight = sp.binomial(2 * n, n) if j == 0 else 2 * (-1) ** j * sp.binomial(2 * n, n - j)
            F[j] += coefficient * weight / sp.Integer(2) ** (2 * n)
    return [sp.expand(f) for f in F]


distance = sp.series(sp.sqrt(1 + k2 * t), k2, 0, ORDER + 1).removeO()
F = fourier(distance, 3)
longitude = sp.series(e2 / (1 + sp.sqrt(1 - e2 + e2 * c * t)), e2, 0, ORDER + 1).removeO()
G = fourier(longitude, 2)

print("A/b =", sp.expand(F[0]))
print("B/(b e'^2) =", sp.expand(-F[1] / k2))
print("C/(b e'^4) =", sp.expand(-F[2] / k2**2))
print("D/(b e'^6) =", sp.expand(F[3] / (3 * k2**3)))
print("alpha =", sp.collect(sp.expand(G[0]), c))
print("beta =", sp.collect(sp.expand(G[1] / c), c))
print("gamma =", sp.collect(sp.expand(G[2] / c**2), c))
