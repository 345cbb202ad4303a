#!/usr/bin/env python3
"""Development aid, not part of the build: derives the fifth-order mean-argument series of
src/geodetic_problems/mean_argument.cpp with sympy (python3-sympy). Runs a few minutes.

The geodesic's equations dB/ds = cos A / M, dL/ds = sin A / (N cos B), dA/ds = sin A tan B / N are
expanded about the middle of the line; the increments between s = -S/2 and +S/2 are odd series in
S, the mean latitude and azimuth differ from the middle's by even ones, and the increments are
rewritten at the mean arguments. Prints each bracket's terms as forms in P = S cos Am,
Q = S sin Am with coefficients in t2 = tan^2 Bm and h = eta^2."""
import sympy as sp

t, h, n, u, w, sA, cA, s, t2 = sp.symbols('t h n u w sA cA s t2')  # n = 1/N, u = sec B, w = 1/V^2
dBds, dAds, dLds = cA * (1 + h) * n, sA * t * n, sA * u * n


def along_B(f):  # t, eta^2, 1/N, sec B and 1/V^2 as functions of the latitude
    return sp.expand(sp.diff(f, t) * (1 + t**2) - sp.diff(f, h) * 2 * h * t - sp.diff(f, n) * n * h * t * w
                     + sp.diff(f, u) * u * t + sp.diff(f, w) * 2 * w**2 * h * t)


def along_A(f):
    return sp.expand(sp.diff(f, sA) * cA - sp.diff(f, cA) * sA)


def derivatives(f, count):
    out = [sp.expand(f)]
    while len(out) < count:
        out.append(sp.expand(along_B(out[-1]) * dBds + along_A(out[-1]) * dAds))
    return out


def truncate(e, order):
    e = sp.expand(e)
    return sp.expand(sum(e.coeff(s, k) * s**k for k in range(order + 1)))


def odd(d):  # f(+S/2) - f(-S/2)
    return sp.expand(sum(2 * d[k - 1] * (s / 2)**k / sp.factorial(k) for k in (1, 3, 5)))


def even(d):  # (f(+S/2) + f(-S/2))/2 - f(0)
    return sp.expand(sum(d[k - 1] * (s / 2)**k / sp.factorial(k) for k in (2, 4)))


def at_mean(g, db, da, order):  # g(middle) = g(mean - db, mean - da), to second order in db, da
    gb, ga = along_B(g), along_A(g)
    return truncate(g - gb * db - ga * da
                    + (along_B(gb) * db**2 + 2 * along_A(gb) * db * da + along_A(ga) * da**2) / 2, order)


B, A, L = derivatives(dBds, 5), derivatives(dAds, 5), derivatives(dLds, 5)
db, da = even(B), even(A)
for _ in range(2):
    db, da = at_mean(even(B), db, da, 4), at_mean(even(A), db, da, 4)
for name, increment in (('dB', odd(B)), ('dL', odd(L)), ('dA', odd(A))):
    series = at_mean(increment, db, da, 5)
    first = series.coeff(s, 1)
    print(name, '=', sp.factor(first.subs(w, 1 / (1 + h))), '* s * [1 + third/(24 N^2) + fifth/(1920 N^4)]')
    for order, denominator in ((3, 24), (5, 1920)):
        bracket = sp.cancel((series.coeff(s, order) / first).subs(w, 1 / (1 + h)) * denominator / n**(order - 1))
        for (i, j), c in sp.Poly(sp.expand(bracket), sA, cA).terms():
            print(f'  order {order}: Q^{i} P^{j} *', sp.horner(sp.expand(c).subs(t**2, t2), wrt=h))
