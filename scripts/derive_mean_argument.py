#!/usr/bin/env python3
"""Development aid, not part of the build: derives the mean-argument series of
src/geodetic_problems/mean_argument.cpp to the seventh order with sympy (python3-sympy).

The geodesic's equations dB/ds = cos A / M, dL/ds = sin A / (N cos B), dA/ds = sin A tan B / N are
expanded about the middle of the line; the increments between s = -S/2 and +S/2 are odd series in
S, the mean latitude and azimuth differ from the middle's by even ones, and the increments are
rewritten at the mean arguments. Prints each bracket's terms as forms in P = S cos Am,
Q = S sin Am with coefficients in t2 = tan^2 Bm and h = eta^2.

Usage: derive_mean_argument.py [order] [eta2-degree]   (defaults 7 and 6)
Powers of eta^2 above eta2-degree are dropped as the series is built, which keeps the work in
sparse polynomials small: degree 1 takes seconds, 6 several minutes. Degree 4 gives the third-
and fifth-order terms complete (their highest power of eta^2 is 4)."""
import math
import sys

import sympy as sp
from sympy import QQ
from sympy.polys.rings import ring

ORDER = int(sys.argv[1]) if len(sys.argv) > 1 else 7
ETA_DEGREE = int(sys.argv[2]) if len(sys.argv) > 2 else 6

# n = 1/N, u = sec B; db, da stand for the shifts of the mean latitude and azimuth from the middle's.
R, t, h, n, u, sA, cA, s, db_, da_ = ring('t h n u sA cA s db da', QQ)
S_POWER, H_POWER = 6, 1  # positions of s and h in a monomial
w = sum(((-h)**k for k in range(ETA_DEGREE + 1)), R.zero)  # 1/V^2 = 1/(1 + h)


def truncate(e, order=None):
    keep = {m: c for m, c in e.terms()
            if m[H_POWER] <= ETA_DEGREE and (order is None or m[S_POWER] <= order)}
    return R.from_dict(keep) if keep else R.zero


def along_B(f):  # t, eta^2, 1/N and sec B as functions of the latitude
    return truncate(f.diff(t) * (1 + t**2) - f.diff(h) * 2 * h * t - f.diff(n) * n * h * t * w
                    + f.diff(u) * u * t)


def along_A(f):
    return f.diff(sA) * cA - f.diff(cA) * sA


dBds, dAds, dLds = truncate(cA * (1 + h) * n), sA * t * n, sA * u * n


def derivatives(f, count):
    out = [f]
    while len(out) < count:
        out.append(truncate(along_B(out[-1]) * dBds + along_A(out[-1]) * dAds))
    return out


def odd(d, order):  # f(+S/2) - f(-S/2)
    return sum((2 * d[k - 1] * (s / 2)**k * QQ(1, math.factorial(k)) for k in range(1, order + 1, 2)), R.zero)


def even(d, order):  # (f(+S/2) + f(-S/2))/2 - f(0)
    return sum((d[k - 1] * (s / 2)**k * QQ(1, math.factorial(k)) for k in range(2, order + 1, 2)), R.zero)


def at_mean(g, db, da, order):  # g(middle) = g(mean - db, mean - da) by Taylor's series in db, da
    total = term = g
    for k in range(1, (order - 1) // 2 + 1):  # db, da are O(S^2)
        term = truncate((along_B(term) * db_ + along_A(term) * da_) * QQ(-1, k), order + 2)
        total += term
    return truncate(total.compose([(db_, db), (da_, da)]), order)


def coefficient(series, power):
    return R.from_dict({m[:S_POWER] + (0,) + m[S_POWER + 1:]: c for m, c in series.terms() if m[S_POWER] == power})


B, A, L = derivatives(dBds, ORDER), derivatives(dAds, ORDER), derivatives(dLds, ORDER)
shift_order = ORDER - 1
db, da = even(B, shift_order), even(A, shift_order)
for _ in range(shift_order // 2 - 1):
    db, da = at_mean(even(B, shift_order), db, da, shift_order), at_mean(even(A, shift_order), db, da, shift_order)
Q, P, t2 = sp.symbols('Q P t2')
for name, increment, first in (('dB', odd(B, ORDER), cA * n), ('dL', odd(L, ORDER), sA * u * n),
                               ('dA', odd(A, ORDER), sA * t * n)):
    series = at_mean(increment, db, da, ORDER)
    print(name, '=', first.as_expr(), '*', '(1 + h) *' if name == 'dB' else '', 's * [1 + sum of terms/(2^(k-1) k! N^(k-1))]')
    for order in range(3, ORDER + 1, 2):
        term = coefficient(series, order)
        if name == 'dB':  # divided by 1 + h, the V^2 of 1/M = V^2/N
            term = truncate(term * w)
        bracket, remainder = term.div(first * n**(order - 1))
        assert remainder == 0
        denominator = 2**(order - 1) * math.factorial(order)
        for (i, j), c in sp.Poly((bracket * denominator).as_expr(), *sp.symbols('sA cA')).terms():
            c = sp.horner(sp.expand(c).subs(sp.Symbol('t')**2, t2), wrt=sp.Symbol('h'))
            print(f'  order {order}, /{denominator}: Q^{i} P^{j} *', c)
