#!/usr/bin/env python3
"""Expected values for tests/core/stability_margins_test.cpp and tests/core/goal_seek_test.cpp.

Every quantity is computed with mpmath at 80 digits on the exact input doubles, from the
model's own definitions: the operating points from the quadratic in y = V2^2 by the plain
formula, the sensitivities by numerical differentiation of those roots, Pmax from the
power-factor form of the P-V nose, the goal seek's roots checked by putting them back into
the definitions (and, for the upper branch, into the quadratic's larger root), with a scan
of the input for roots that a closed form might miss.

Regenerate the tables:
    python3 tests/core/margins_reference.py margins > /tmp/margins_rows.inc
    python3 tests/core/margins_reference.py goals > /tmp/goal_rows.inc
and paste each between the BEGIN and END markers of its test file, then run
clang-format -i on that file. Each printed number is the double
nearest the exact value (Python's repr, which C++ reads back to the same double).
"""

import sys

import mpmath
from mpmath import mp, mpf

mp.dps = 80


def exact(x):
    return mpf(float(x))


class Net:
    def __init__(self, X, B, Uinf, P, Q, Qcap):
        self.raw = (X, B, Uinf, P, Q, Qcap)
        self.X, self.B, self.Uinf, self.P, self.Q, self.Qcap = map(exact, self.raw)
        self.u2 = self.Uinf ** 2
        self.beq = self.Qcap + self.B / 2
        self.a = 1 - self.X * self.beq
        self.s = mpmath.sqrt(self.P ** 2 + self.Q ** 2)

    def with_(self, **changes):
        names = ["X", "B", "Uinf", "P", "Q", "Qcap"]
        values = list(self.raw)
        for key, value in changes.items():
            values[names.index(key)] = value
        net = Net(*values)
        for key, value in changes.items():  # keep exact high-precision values
            setattr(net, key, mpf(value))
        net.u2 = net.Uinf ** 2
        net.beq = net.Qcap + net.B / 2
        net.a = 1 - net.X * net.beq
        net.s = mpmath.sqrt(net.P ** 2 + net.Q ** 2)
        return net


def points(n):
    """(disc relative to its terms, y_upper, y_lower) or None."""
    a, X, P, Q, u2 = n.a, n.X, n.P, n.Q, n.u2
    if a == 0:
        y = X ** 2 * (P ** 2 + Q ** 2) / u2
        return (mpf(1), y, None)
    A2, A1, A0 = a * a, 2 * X * Q * a - u2, X ** 2 * (P ** 2 + Q ** 2)
    disc = A1 * A1 - 4 * A2 * A0
    rel = disc / (A1 * A1 + 4 * A2 * A0)
    if abs(rel) < mpf(2) ** -90:
        disc = mpf(0)
    if disc < 0:
        return None
    root = mpmath.sqrt(disc)
    return (disc, (-A1 + root) / (2 * A2), (-A1 - root) / (2 * A2))


def v2sup(n):
    p = points(n)
    return None if p is None else mpmath.sqrt(p[1])


def pmax(n):
    t = n.Q / abs(n.P)
    h = mpmath.sqrt(1 + t * t)
    return n.u2 / (2 * n.X * (t * n.a + abs(n.a) * h))


def margin_qv(n):
    return n.u2 / (4 * n.a * n.X) - n.a * n.X * n.P ** 2 / n.u2 - n.Q


def margin_q2(n):
    q2crit = (n.Uinf ** 4 - 4 * n.X ** 2 * n.P ** 2) / (4 * n.u2 * n.X)
    vcrit2 = (n.Uinf ** 4 + 4 * n.X ** 2 * n.P ** 2) / (4 * n.u2)
    return q2crit - (n.Q - n.beq * vcrit2)


def index_l(n, y):
    return n.X * n.s / (n.a * y)


def target_value(n, target):
    if target == "MargenQ2":
        return margin_q2(n)
    if target == "MargenQV":
        return margin_qv(n) if n.a > 0 else None
    if target == "V2sup":
        return v2sup(n)
    if target == "MargenP":
        return pmax(n) - abs(n.P) if n.P != 0 and n.a != 0 else None
    if target == "IndexL":
        p = points(n)
        return None if p is None or n.a <= 0 else index_l(n, p[1])
    raise ValueError(target)


def d(x):
    """The double nearest x, as C++ reads it back."""
    f = float(x)
    if f != f or f in (float("inf"), float("-inf")):
        raise OverflowError(x)
    r = repr(f)
    return r if ("e" in r or "." in r or "inf" in r) else r + ".0"


# ---------------------------------------------------------------- margins

def margins(row):
    name, inputs = row
    n = Net(*inputs)
    out = {}
    if not (n.X > 0) or n.Uinf == 0:
        return {k: "NoLine" for k in FIELDS}
    if n.P == 0:
        out["active"] = out["percent"] = "NoLoad"
    elif n.a == 0:
        out["active"] = out["percent"] = "NoNose"
    else:
        m = pmax(n) - abs(n.P)
        out["active"] = m
        out["percent"] = 100 * m / abs(n.P)
    p = points(n)
    if p is None:
        for k in FIELDS[2:]:
            out[k] = "NoOperatingPoint"
        return out
    disc, yu, yl = p
    vcrit = mpmath.sqrt(n.u2 / 4 + n.X ** 2 * n.P ** 2 / n.u2)
    out["distance"] = mpmath.sqrt(yu) - vcrit

    def branch_root(q, pp, upper):
        m = n.with_(Q=q, P=pp)
        pts = points(m)
        return mpmath.sqrt(pts[1] if upper or m.a == 0 else pts[2])

    for prefix, y, upper in (("u", yu, True), ("l", yl, False)):
        if y is None:
            for k in ("V", "dQ", "dP", "L"):
                out[prefix + k] = "OnePoint"
            continue
        out[prefix + "V"] = mpmath.sqrt(y)
        if y == 0:
            out[prefix + "dQ"] = out[prefix + "dP"] = out[prefix + "L"] = "ZeroVoltage"
            continue
        if disc == 0:
            out[prefix + "dQ"] = out[prefix + "dP"] = "AtNose"
        else:
            out[prefix + "dQ"] = mpmath.diff(lambda q: branch_root(q, n.P, upper), n.Q)
            out[prefix + "dP"] = mpmath.diff(lambda pp: branch_root(n.Q, pp, upper), n.P)
        if n.a <= 0:
            out[prefix + "L"] = "OverCompensated"
        else:
            out[prefix + "L"] = index_l(n, y)
    return out


FIELDS = ["active", "percent", "distance", "uV", "udQ", "udP", "uL", "lV", "ldQ", "ldP", "lL"]

MARGIN_CASES = [
    ("default case", (0.03, 3.33, 1.0, 10.48, 0.0, 0.0)),
    ("inductive load", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5)),
    ("light load", (0.2, 0.0, 1.0, 0.1, 0.05, 0.0)),
    ("capacitive load", (0.1, 0.0, 1.0, 1.0, -2.0, 0.0)),
    ("strongly capacitive load", (0.05, 0.0, 1.0, 1e-6, -1e3, 0.0)),
    ("exporting bus", (0.1, 0.1, 1.0, -3.0, 0.5, 0.2)),
    ("over-compensated", (0.5, 0.0, 1.0, 0.2, 0.1, 3.0)),
    ("X Beq exactly 1", (0.5, 0.0, 1.0, 0.3, 0.2, 2.0)),
    ("X Beq just below 1", (0.5, 0.0, 1.0, 0.01, 0.005, 1.9999999999)),
    ("X Beq just above 1", (0.5, 0.0, 1.0, 0.01, 0.005, 2.0000000001)),
    ("P-V nose exactly", (1.0, 0.0, 1.0, 0.5, 0.0, 0.0)),
    ("P-V nose, X 0.5", (0.5, 0.0, 1.0, 1.0, 0.0, 0.0)),
    ("beyond the nose", (0.5, 0.0, 1.0, 1.01, 0.0, 0.0)),
    ("just below the nose", (1.0, 0.0, 1.0, 0.4999999, 0.0, 0.0)),
    ("no active load", (0.2, 0.1, 1.0, 0.0, 0.5, 0.1)),
    ("no load at all", (0.2, 0.1, 1.0, 0.0, 0.0, 0.1)),
    ("negative reactance", (-0.1, 0.0, 1.0, 1.0, 0.0, 0.0)),
    ("no source", (0.1, 0.0, 0.0, 1.0, 0.0, 0.0)),
    ("negative source", (0.1, 0.0, -1.1, 1.0, 0.3, 0.1)),
    ("tiny line", (1e-9, 0.0, 1.0, 1.0, 0.5, 0.0)),
    ("huge load, huge voltage", (0.01, 0.0, 1e3, 1e6, 2e5, 10.0)),
    ("tiny load", (0.1, 0.0, 1.0, 1e-12, 1e-12, 0.0)),
    ("negative capacitor", (0.1, 0.0, 1.0, 1.0, 0.2, -2.0)),
    ("large shunt susceptance", (0.02, 60.0, 1.0, 5.0, 1.0, 0.0)),
    ("reactive load only beyond reach", (0.5, 0.0, 1.0, 0.0, 0.6, 0.0)),
    ("high voltage source", (0.3, 0.5, 1.2, 1.5, -0.3, 0.4)),
    ("strongly inductive", (0.1, 0.0, 1.0, 0.01, 2.0, 0.0)),
    ("small X Beq", (0.1, 1e-8, 1.0, 2.0, 1.0, 1e-8)),
    ("export with capacitor", (0.2, 0.0, 1.0, -1.0, -0.2, 1.0)),
    ("near the Q-V nose", (0.1, 0.0, 1.0, 1.0, 1.99, 0.0)),
]


def margin_rows():
    for name, inputs in MARGIN_CASES:
        out = margins((name, inputs))
        cells = []
        for k in FIELDS:
            v = out[k]
            cells.append("A(%s)" % v if isinstance(v, str) else "V(%s)" % d(v))
        print('    { "%s", Inputs(%s),' % (name, ", ".join(d(x) for x in inputs)))
        print("      { %s } }," % ", ".join(cells))


# ---------------------------------------------------------------- goal seek

def candidates(n, target, goal, inp):
    """Roots by the closed forms (or a bracketed search), each checked against the definitions."""
    g = exact(goal)
    X, P, Q, u2, s = n.X, n.P, n.Q, n.u2, n.s
    if (inp != "X" and not X > 0) or (inp != "Uinf" and n.Uinf == 0):
        return ("NoLine",)
    # No closed form and no proven monotone interval for these.
    if (inp, target) in (("Qcarga", "IndexL"), ("X", "V2sup"), ("X", "MargenP"), ("X", "IndexL")):
        return ("NotMonotone",)
    if inp == "X" and target == "MargenQ2" and n.beq > 0:
        return ("NotMonotone",)
    if inp == "Pcarga" and target == "MargenP" and n.a * Q > 0:
        return ("NotMonotone",)
    if inp in ("Qcap", "B"):
        def a_to(a):
            beq = (1 - a) / X
            return beq - n.B / 2 if inp == "Qcap" else 2 * (beq - n.Qcap)

        def set_input(v):
            return n.with_(**{inp: v})
        if target == "MargenQ2":
            xp2 = X * P * P / u2
            roots = [1 - X * ((g + Q - (u2 / (4 * X) - xp2)) / (u2 / 4 + X * xp2))]
        elif target == "MargenQV":
            c, m, k = X * P * P / u2, g + Q, u2 / (4 * X)
            if c == 0:
                roots = [k / m] if m > 0 else []
                bound = ("BelowReach", -Q, None)
            else:
                roots = [(-m + mpmath.sqrt(m * m + 4 * c * k)) / (2 * c)]
        elif target == "V2sup":
            roots = []
            y = g * g
            r2 = u2 * y - X * X * P * P
            if goal > 0 and r2 >= 0:
                r = mpmath.sqrt(r2)
                for sg in (1, -1):
                    a = (-X * Q + sg * r) / y
                    if 2 * a * sg * r - u2 >= 0 and a != 0:
                        roots.append(a)
            if P == 0:
                bound = ("BelowReach", mpf(0), None)
            else:
                lower = [(2 * X * X * s * (s + Q) / u2, u2 / (2 * X * (s + Q))),
                         (2 * X * X * s * (s - Q) / u2, -u2 / (2 * X * (s - Q)))]
                yb, ab = min(lower, key=lambda t: t[0]) if Q != 0 else lower[0]
                bound = ("BelowReach", mpmath.sqrt(yb), a_to(ab))
        elif target == "MargenP":
            if P == 0:
                return ("NoLoad",)
            pm = g + abs(P)
            if pm <= 0:
                return ("BelowReach", -abs(P), None)
            roots = [u2 * abs(P) / (2 * X * pm * (s + Q)), -u2 * abs(P) / (2 * X * pm * (s - Q))]
        elif target == "IndexL":
            if s == 0:
                return ("NoLoad",)

            def a_at(L):
                return u2 * L / (X * (s * (1 + L * L) + 2 * Q * L))
            if goal > 1:
                return ("AboveReach", mpf(1), a_to(a_at(mpf(1))))
            if not goal > 0:
                return ("BelowReach", mpf(0), None)
            roots = [a_at(g)]
        values = [a_to(a) for a in roots]
        if not values:
            return bound
        # Back into the definitions.
        for v in values:
            got = target_value(set_input(v), target)
            assert got is not None and abs(got - g) <= mpf(10) ** -60 * max(1, abs(g)), (target, v, got, g)
        scan(n, target, goal, inp, len(values))
        return ("ok", values, bound if False else None)
    if inp == "Qcarga":
        if target == "V2sup":
            a = n.a
            xp = X * P
            ylow = u2 / (4 * a * a) + xp * xp / u2
            sg = 1 if a > 0 else -1
            y = g * g
            if not goal > 0 or y < ylow:
                return ("BelowReach", mpmath.sqrt(ylow), (sg * u2 / (2 * abs(a)) - a * ylow) / X)
            q = (sg * mpmath.sqrt(u2 * y - xp * xp) - a * y) / X
            values = [q]
        elif target == "MargenQ2":
            values = [margin_q2(n) + Q - g]
        elif target == "MargenQV":
            values = [margin_qv(n) + Q - g]
        elif target == "MargenP":
            pm = g + abs(P)
            if pm <= 0:
                return ("BelowReach", -abs(P), None)
            # bracketed search in Q on the definition, Pmax decreasing in Q for a > 0
            f = lambda q: pmax(n.with_(Q=q)) - abs(P) - g
            values = [bisect(f, mpf(-1e12), mpf(1e12))]
        for v in values:
            got = target_value(n.with_(Q=v), target)
            assert got is not None and abs(got - g) <= mpf(10) ** -50 * max(1, abs(g)), (target, v, got, g)
        return ("ok", values, None)
    if inp == "Uinf":
        sign = -1 if n.Uinf < 0 else 1
        f = lambda u: target_value(n.with_(Uinf=u), target)
        if target == "MargenP":
            z = (g + abs(P)) * 2 * X * (Q * n.a + abs(n.a) * s) / abs(P)
            values = [sign * mpmath.sqrt(z)]
        elif target == "V2sup":
            y = g * g
            drop = n.a * y + X * Q
            z = (drop * drop + X * X * P * P) / y
            if 2 * n.a * drop - z < 0:
                znose = 2 * X * (Q * n.a + abs(n.a) * s)
                return ("BelowReach", mpmath.sqrt(X * s / abs(n.a)), sign * mpmath.sqrt(znose))
            values = [sign * mpmath.sqrt(z)]
        else:
            # bracketed search on the definition: increasing (MargenQ2, MargenQV) or decreasing (IndexL) in |Uinf|
            lo, hi = mpf("1e-30"), mpf("1e30")
            if target == "IndexL":
                znose = 2 * X * (Q * n.a + abs(n.a) * s)
                if g > 1:
                    return ("AboveReach", mpf(1), sign * mpmath.sqrt(znose))
                if not g > 0:
                    return ("BelowReach", mpf(0), None)
                lo = mpmath.sqrt(2 * X * (Q * n.a + abs(n.a) * s)) * (1 + mpf(10) ** -70)
            h = lambda u: f(u) - g
            values = [sign * bisect(h, lo, hi)]
        for v in values:
            got = f(v)
            assert got is not None and abs(got - g) <= mpf(10) ** -50 * max(1, abs(g)), (target, v, got, g)
        return ("ok", values, None)
    if inp == "Pcarga":
        sign = -1 if n.P < 0 else 1
        f = lambda p: target_value(n.with_(P=p), target)
        if target == "MargenP":
            if Q == 0 and g >= u2 / (2 * X * abs(n.a)):  # Pmax does not depend on the load
                return ("AboveReach", u2 / (2 * X * abs(n.a)), None)
            h = lambda p: f(p) - g
            values = [sign * bisect(h, mpf("1e-20"), mpf("1e20"))]
        elif target in ("V2sup", "IndexL"):
            # V2sup falls and L rises with |Pcarga| up to the nose; found by bisection.
            at0 = points(n.with_(P=0.0))
            if at0 is None:
                return ("NoOperatingPoint",)
            pn = mpmath.sqrt(u2 * (u2 - 4 * X * Q * n.a) / (4 * n.a ** 2)) / X
            if target == "V2sup":
                high, low = mpmath.sqrt(at0[1]), mpmath.sqrt((u2 - 2 * X * Q * n.a) / (2 * n.a ** 2))
                if g > high:
                    return ("AboveReach", high, mpf(0))
                if g < low:
                    return ("BelowReach", low, sign * pn)
            else:
                low = X * abs(Q) / (n.a * at0[1]) if at0[1] != 0 else mpf(0)
                if g > 1:
                    return ("AboveReach", mpf(1), sign * pn)
                if not g > low:
                    return ("BelowReach", low, mpf(0))
            h = lambda p: f(p) - g
            values = [sign * bisect(h, mpf(0), pn * (1 - mpf(10) ** -70))]
        else:
            if target == "MargenQ2":
                at0 = u2 * (2 - n.a) / (4 * X) - Q
            else:
                at0 = u2 / (4 * n.a * X) - Q
            p2 = (at0 - g) * u2 / (n.a * X)
            if p2 < 0:
                side = "AboveReach" if n.a > 0 else "BelowReach"
                return (side, at0, mpf(0))
            values = [sign * mpmath.sqrt(p2)]
        for v in values:
            got = f(v)
            assert got is not None and abs(got - g) <= mpf(10) ** -50 * max(1, abs(g)), (target, v, got, g)
        return ("ok", values, None)
    if inp == "X":
        f = lambda x: target_value(n.with_(X=x), target)
        beq = n.beq
        if target == "MargenQ2":
            h = lambda x: f(x) - g
            values = [bisect(h, mpf("1e-20"), mpf("1e20"))]
        else:  # MargenQV: the margin in w = X a, then Beq X^2 - X + w = 0
            c, m, k = P * P / u2, g + Q, u2 / 4
            w = (-m + mpmath.sqrt(m * m + 4 * c * k)) / (2 * c) if c != 0 else k / m
            if beq > 0:
                wmax = 1 / (4 * beq)
                if w > wmax:
                    return ("BelowReach", u2 / (4 * wmax) - wmax * c - Q, 1 / (2 * beq))
                root = mpmath.sqrt(1 - 4 * beq * w)
                values = [(1 - root) / (2 * beq), (1 + root) / (2 * beq)]
            elif beq == 0:
                values = [w]
            else:
                values = [(1 - mpmath.sqrt(1 - 4 * beq * w)) / (2 * beq)]
        for v in values:
            got = f(v)
            assert got is not None and abs(got - g) <= mpf(10) ** -50 * max(1, abs(g)), (target, v, got, g)
        return ("ok", values, None)
    raise ValueError(inp)


def bisect(h, lo, hi):
    """A root of h, monotone on [lo, hi], by bisection in the logarithm then plain bisection."""
    flo = h(lo)
    for _ in range(400):
        mid = mpmath.sqrt(lo * hi) if lo > 0 and hi / lo > 4 else (lo + hi) / 2
        fm = h(mid)
        if (fm > 0) == (flo > 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return (lo + hi) / 2


def scan(n, target, goal, inp, found):
    """Counts the crossings of the goal over a wide sweep of a = 1 - X Beq; warns on a mismatch."""
    g = exact(goal)
    grid = sorted([mpf(10) ** (e / mpf(20)) for e in range(-200, 201)] + [-mpf(10) ** (e / mpf(20)) for e in range(-200, 201)])
    crossings = 0
    last = None
    for a in grid:
        beq = (1 - a) / n.X
        v = beq - n.B / 2 if inp == "Qcap" else 2 * (beq - n.Qcap)
        val = target_value(n.with_(**{inp: v}), target)
        if val is None:
            last = None
            continue
        side = val > g
        if last is not None and side != last:
            crossings += 1
        last = side
    if crossings != found:
        print("// note: %s %s %s: %d crossings in the sweep, %d roots" % (inp, target, goal, crossings, found), file=sys.stderr)


GOAL_CASES = [
    # name, inputs, target, goal, input sought
    ("Q2 by Qcap, default", (0.03, 3.33, 1.0, 10.48, 0.0, 0.0), "MargenQ2", 5.0, "Qcap"),
    ("Q2 by Qcap, negative goal", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQ2", -3.0, "Qcap"),
    ("Q2 by Qcap, present value", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQ2", 1.5, "Qcap"),
    ("Q2 by B", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQ2", 4.0, "B"),
    ("Q2 by Qcap, huge", (0.01, 0.0, 1e3, 1e6, 2e5, 10.0), "MargenQ2", 1e7, "Qcap"),
    ("QV by Qcap", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQV", 1.0, "Qcap"),
    ("QV by Qcap, large margin", (0.1, 0.0, 1.0, 1.0, 0.2, 0.0), "MargenQV", 1e6, "Qcap"),
    ("QV by Qcap, negative margin", (0.1, 0.0, 1.0, 1.0, 0.2, 0.0), "MargenQV", -50.0, "Qcap"),
    ("QV by Qcap, capacitive", (0.05, 0.0, 1.0, 1e-6, -1e3, 0.0), "MargenQV", 2000.0, "Qcap"),
    ("QV by Qcap, no active load", (0.2, 0.0, 1.0, 0.0, 0.5, 0.0), "MargenQV", 1.0, "Qcap"),
    ("QV by Qcap, no active load, out of reach", (0.2, 0.0, 1.0, 0.0, 0.5, 0.0), "MargenQV", -0.5, "Qcap"),
    ("QV by Qcap, no active load, just inside", (0.2, 0.0, 1.0, 0.0, 0.5, 0.0), "MargenQV", -0.4999999, "Qcap"),
    ("QV by B", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQV", 2.5, "B"),
    ("V2sup by Qcap, two values", (0.1, 0.0, 1.0, 1.0, 0.5, 0.0), "V2sup", 1.0, "Qcap"),
    ("V2sup by Qcap, high", (0.1, 0.0, 1.0, 1.0, 0.5, 0.0), "V2sup", 1.1, "Qcap"),
    ("V2sup by Qcap, capacitive load", (0.1, 0.0, 1.0, 1.0, -2.0, 0.0), "V2sup", 1.05, "Qcap"),
    ("V2sup by Qcap, below reach", (0.1, 0.0, 1.0, 1.0, 0.5, 0.0), "V2sup", 0.05, "Qcap"),
    ("V2sup by Qcap, capacitive below reach", (0.1, 0.0, 1.0, 1.0, -2.0, 0.0), "V2sup", 0.05, "Qcap"),
    ("V2sup by Qcap, just above the lowest", (0.1, 0.0, 1.0, 1.0, 0.5, 0.0), "V2sup", 0.1175571, "Qcap"),
    ("V2sup by Qcap, just below the lowest", (0.1, 0.0, 1.0, 1.0, 0.5, 0.0), "V2sup", 0.1175570, "Qcap"),
    ("V2sup by Qcap, exporting", (0.1, 0.1, 1.0, -3.0, 0.5, 0.2), "V2sup", 0.98, "Qcap"),
    ("V2sup by Qcap, near X Beq 1", (0.5, 0.0, 1.0, 0.01, 0.005, 1.9999999999), "V2sup", 1000.0, "Qcap"),
    ("V2sup by B", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 1.0, "B"),
    ("V2sup by Qcap, zero goal", (0.1, 0.0, 1.0, 1.0, 0.5, 0.0), "V2sup", 0.0, "Qcap"),
    ("P by Qcap", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenP", 1.0, "Qcap"),
    ("P by Qcap, exporting", (0.1, 0.1, 1.0, -3.0, 0.5, 0.2), "MargenP", 2.0, "Qcap"),
    ("P by Qcap, capacitive", (0.05, 0.0, 1.0, 1e-6, -1e3, 0.0), "MargenP", 1.0, "Qcap"),
    ("P by Qcap, below reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenP", -2.0, "Qcap"),
    ("P by Qcap, just inside", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenP", -1.9999999, "Qcap"),
    ("P by Qcap, no load", (0.2, 0.1, 1.0, 0.0, 0.5, 0.1), "MargenP", 1.0, "Qcap"),
    ("P by B", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenP", 0.5, "B"),
    ("L by Qcap", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 0.5, "Qcap"),
    ("L by Qcap, at the nose", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 1.0, "Qcap"),
    ("L by Qcap, above reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 1.0000001, "Qcap"),
    ("L by Qcap, just inside", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 0.9999999, "Qcap"),
    ("L by Qcap, capacitive", (0.1, 0.0, 1.0, 1.0, -2.0, 0.0), "IndexL", 0.3, "Qcap"),
    ("L by Qcap, negative goal", (0.1, 0.0, 1.0, 1.0, -2.0, 0.0), "IndexL", -0.1, "Qcap"),
    ("L by Qcap, tiny", (0.1, 0.0, 1.0, 1.0, 0.5, 0.0), "IndexL", 1e-9, "Qcap"),
    ("L by B", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 0.25, "B"),
    ("Q2 by Qcarga", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQ2", 1.0, "Qcarga"),
    ("QV by Qcarga", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQV", 1.0, "Qcarga"),
    ("V2sup by Qcarga", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 0.9, "Qcarga"),
    ("V2sup by Qcarga, below reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 0.3, "Qcarga"),
    ("V2sup by Qcarga, over-compensated", (0.5, 0.0, 1.0, 0.2, 0.1, 3.0), "V2sup", 2.0, "Qcarga"),
    ("P by Qcarga", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenP", 3.0, "Qcarga"),
    ("P by Qcarga, below reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenP", -2.5, "Qcarga"),
    ("Q2 by Uinf", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQ2", 1.0, "Uinf"),
    ("QV by Uinf", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQV", 1.0, "Uinf"),
    ("QV by Uinf, negative source", (0.1, 0.0, -1.1, 1.0, 0.3, 0.1), "MargenQV", 3.0, "Uinf"),
    ("V2sup by Uinf", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 1.0, "Uinf"),
    ("V2sup by Uinf, below reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 0.3, "Uinf"),
    ("P by Uinf", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenP", 1.0, "Uinf"),
    ("L by Uinf", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 0.5, "Uinf"),
    ("Q2 by Pcarga", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQ2", 1.0, "Pcarga"),
    ("Q2 by Pcarga, above reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQ2", 50.0, "Pcarga"),
    ("QV by Pcarga, exporting", (0.1, 0.1, 1.0, -3.0, 0.5, 0.2), "MargenQV", 1.0, "Pcarga"),
    ("P by Pcarga, capacitive (bisection)", (0.1, 0.0, 1.0, 1.0, -2.0, 0.0), "MargenP", 3.0, "Pcarga"),
    ("P by Pcarga, unity power factor (bisection)", (0.1, 0.0, 1.0, 1.0, 0.0, 0.0), "MargenP", 2.0, "Pcarga"),
    ("P by Pcarga, unity power factor, above reach", (0.1, 0.0, 1.0, 1.0, 0.0, 0.0), "MargenP", 5.0, "Pcarga"),
    ("P by Pcarga, exporting (bisection)", (0.1, 0.1, 1.0, -3.0, -0.5, 0.2), "MargenP", 1.0, "Pcarga"),
    ("V2sup by Pcarga", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 0.9, "Pcarga"),
    ("V2sup by Pcarga, exporting", (0.1, 0.1, 1.0, -3.0, 0.5, 0.2), "V2sup", 0.95, "Pcarga"),
    ("V2sup by Pcarga, above reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 1.2, "Pcarga"),
    ("V2sup by Pcarga, below reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 0.3, "Pcarga"),
    ("V2sup by Pcarga, no point at all", (0.5, 0.0, 1.0, 0.1, 0.6, 0.0), "V2sup", 0.7, "Pcarga"),
    ("L by Pcarga", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 0.5, "Pcarga"),
    ("L by Pcarga, capacitive", (0.1, 0.0, 1.0, 1.0, -2.0, 0.0), "IndexL", 0.4, "Pcarga"),
    ("L by Pcarga, below reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 0.05, "Pcarga"),
    ("L by Pcarga, above reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 1.01, "Pcarga"),
    ("L by Qcarga, no method", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 0.5, "Qcarga"),
    ("V2sup by X, no method", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 1.0, "X"),
    ("Q2 by X with a shunt, no method", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQ2", 1.0, "X"),
    ("P by Pcarga, inductive, no method", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenP", 1.0, "Pcarga"),
    ("Q2 by Qcap, negative reactance", (-0.1, 0.0, 1.0, 1.0, 0.0, 0.0), "MargenQ2", 1.0, "Qcap"),
    ("QV by Uinf from no source", (0.1, 0.2, 0.0, 2.0, 0.8, 0.5), "MargenQV", 1.0, "Uinf"),
    ("QV by X from no line", (0.0, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQV", 5.0, "X"),
    ("QV by X, two values", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQV", 5.0, "X"),
    ("QV by X, small margin", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQV", 0.1, "X"),
    ("QV by X, below reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "MargenQV", -2.0, "X"),
    ("V2sup by Qcarga, just inside", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 0.5901, "Qcarga"),
    ("V2sup by Uinf, just inside", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "V2sup", 0.4788, "Uinf"),
    ("L by Uinf, above reach", (0.1, 0.2, 1.05, 2.0, 0.8, 0.5), "IndexL", 1.5, "Uinf"),
    ("Q2 by Qcap, X Beq above 1", (0.5, 0.0, 1.0, 0.01, 0.005, 2.0000000001), "MargenQ2", 0.3, "Qcap"),
    ("QV by Qcap, tiny line", (1e-09, 0.0, 1.0, 1.0, 0.5, 0.0), "MargenQV", 1e8, "Qcap"),
    ("QV by X, no shunt", (0.1, 0.0, 1.0, 1.0, 0.3, 0.0), "MargenQV", 2.0, "X"),
    ("QV by X, negative shunt", (0.1, 0.0, 1.0, 1.0, 0.3, -1.0), "MargenQV", 2.0, "X"),
    ("Q2 by X, negative shunt (bisection)", (0.1, 0.0, 1.0, 1.0, 0.3, -1.0), "MargenQ2", 2.0, "X"),
    ("Q2 by X, no shunt (bisection)", (0.1, 0.0, 1.0, 1.0, 0.3, 0.0), "MargenQ2", 0.01, "X"),
]


def goal_rows():
    for name, inputs, target, goal, inp in GOAL_CASES:
        n = Net(*inputs)
        res = candidates(n, target, goal, inp)
        head = '    { "%s", Inputs(%s), T::%s, %s, I::%s, ' % (
            name, ", ".join(d(x) for x in inputs), target, d(goal), inp)
        if res[0] == "ok":
            values = res[1]
            present = {"Qcap": n.Qcap, "B": n.B, "Qcarga": n.Q, "Uinf": n.Uinf, "Pcarga": n.P, "X": n.X}[inp]
            values = sorted(values, key=lambda v: abs(v - present))
            other = d(values[1]) if len(values) > 1 else "kNone"
            print(head + "Found(%s, %s) }," % (d(values[0]), other))
        elif len(res) == 1:
            print(head + "Fails(F::%s) }," % res[0])
        else:
            side, bound, binput = res
            print(head + "Out(F::%s, %s, %s) }," % (side, d(bound), "kNone" if binput is None else d(binput)))


if __name__ == "__main__":
    which = sys.argv[1] if len(sys.argv) > 1 else "margins"
    margin_rows() if which == "margins" else goal_rows()
