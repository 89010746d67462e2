#!/usr/bin/env python3
"""Expected spline values, computed exactly and independently of the player's solver.

Each spline is found as 4(n-1) unknown polynomial coefficients under the conditions that
define it (interpolation at both ends of every piece, equal first and second derivatives at
inner knots, and one condition per end), solved by exact Gaussian elimination over fractions.
Run it to regenerate spline_expected.tsv: case, time, value (printed with 17 significant digits).
"""
from fractions import Fraction as F

PARABOLIC, FIRST, SECOND = 0, 1, 2


def solve(m, r):
    n = len(r)
    m = [row[:] + [r[i]] for i, row in enumerate(m)]
    for col in range(n):
        piv = next(i for i in range(col, n) if m[i][col] != 0)
        m[col], m[piv] = m[piv], m[col]
        for i in range(n):
            if i != col and m[i][col] != 0:
                f = m[i][col] / m[col][col]
                m[i] = [a - f * b for a, b in zip(m[i], m[col])]
    return [m[i][n] / m[i][i] for i in range(n)]


def spline(knots, left, lv, right, rv):
    knots = sorted((F(t), F(y)) for t, y in knots)
    n = len(knots)
    if n == 2 and left == PARABOLIC and right == PARABOLIC:
        left, lv, right, rv = SECOND, 0, SECOND, 0
    size = 4 * (n - 1)
    rows, rhs = [], []

    def row(piece, coeffs, value):  # coeffs: {power: factor} on piece's c0..c3
        r = [F(0)] * size
        for p, f in coeffs.items():
            r[4 * piece + p] += f
        rows.append(r), rhs.append(F(value))

    def value_at(s):
        return {p: s ** p for p in range(4)}

    def slope_at(s):
        return {p: p * s ** (p - 1) for p in range(1, 4)}

    def curve_at(s):
        return {2: F(2), 3: 6 * s}

    for i in range(n - 1):
        h = knots[i + 1][0] - knots[i][0]
        row(i, value_at(F(0)), knots[i][1])
        row(i, value_at(h), knots[i + 1][1])
    for i in range(1, n - 1):
        h = knots[i][0] - knots[i - 1][0]
        for derivative in (slope_at, curve_at):
            r = [F(0)] * size
            for p, f in derivative(h).items():
                r[4 * (i - 1) + p] += f
            for p, f in derivative(F(0)).items():
                r[4 * i + p] -= f
            rows.append(r), rhs.append(F(0))
    last_h = knots[-1][0] - knots[-2][0]
    ends = {PARABOLIC: lambda s: {3: F(1)}, FIRST: slope_at, SECOND: curve_at}
    row(0, ends[left](F(0)), 0 if left == PARABOLIC else lv)
    row(n - 2, ends[right](last_h), 0 if right == PARABOLIC else rv)
    coeffs = solve(rows, rhs)

    def at(t):
        t = F(t)
        i = 0
        while i < n - 2 and t > knots[i + 1][0]:
            i += 1
        s = t - knots[i][0]
        return sum(coeffs[4 * i + p] * s ** p for p in range(4))

    return at


# name, knots (time, value) in the order passed, left end, left value, right end, right value
CASES = [
    ("line", [(0, 10), (10, 30)], PARABOLIC, 0, PARABOLIC, 0),
    ("flat", [(0, 7), (4, 7), (9, 7)], PARABOLIC, 0, PARABOLIC, 0),
    ("peak", [(0, 0), (10, 10), (20, 0)], PARABOLIC, 0, PARABOLIC, 0),
    ("parabolic", [(0, 3), (7, -2), (11, 5), (30, 40), (31, 38)], PARABOLIC, 0, PARABOLIC, 0),
    ("slopes", [(0, 3), (7, -2), (11, 5), (30, 40), (31, 38)], FIRST, 2.5, FIRST, -1),
    ("curvatures", [(0, 3), (7, -2), (11, 5), (30, 40), (31, 38)], SECOND, 0.5, SECOND, -0.25),
    ("mixed", [(0, 3), (7, -2), (11, 5), (30, 40), (31, 38)], FIRST, -3, SECOND, 1.5),
    ("mixed2", [(0, 3), (7, -2), (11, 5), (30, 40), (31, 38)], SECOND, 2, PARABOLIC, 0),
    ("reversed", [(31, 38), (30, 40), (11, 5), (7, -2), (0, 3)], PARABOLIC, 0, PARABOLIC, 0),
    ("shuffled", [(11, 5), (0, 3), (31, 38), (7, -2), (30, 40)], FIRST, 2.5, SECOND, -0.25),
]
TIMES = [-5, 0, 1.5, 3, 7, 9.25, 11, 20, 29.5, 30, 30.5, 31, 40]

if __name__ == "__main__":
    with open(__file__.replace(".py", ".tsv"), "w") as out:
        for name, knots, left, lv, right, rv in CASES:
            at = spline(knots, left, F(lv), right, F(rv))
            for t in TIMES:
                out.write(f"{name}\t{t}\t{float(at(t)):.17g}\n")
