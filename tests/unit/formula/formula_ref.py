#!/usr/bin/python3
"""Reference samples of the formula curve catalogue, worked out from the catalogue's own table.

For every row it prints the slot table and a set of cases (defaults, every used slot at its extremes, all
slots at their minima and maxima), each with the entities the row should make in polyline and in spline
mode and their sample points. The formulas below are written from the table's wording, row by row."""
import math
import sys

PI = math.pi

# Slot table: (label, min, default, max); label "" for a slot the row does not use.
def S(label, lo, de, hi):
    return (label, lo, de, hi)

def hidden(lo, de, hi):
    return ("", lo, de, hi)

NONE = ("", 0, 0, 0)
WAVE_SLOTS = [S("Waves", 1, 10, 100), S("Hight", 1, 10, 1000)]
SPIRAL13 = [S("Loops", 1, 10, 100), S("Direction", 0, 1, 1), S("Radius", 1, 1, 100)]
SPIRAL16 = [S("Loops", 1, 10, 100), S("Direction", 0, 1, 1), S("Radius", 1, 10, 1000)]
def cyc(c_default):
    return [S("A", 1, 5, 100), S("B", 1, 8, 16), S("C", 1, c_default, 10), S("Precision", 1, 12, 36)]
R_PREC = lambda d, m: [S("R", 1, 10, 1000), S("Precision", 1, d, m)]
HYP = [S("A", 1, 10, 1000), S("Precision", 1, 2, 10), hidden(1, 30, 36)]
SIX = [S("R", 1, 10, 1000), S("Precision", 1, 20, 36), hidden(1, 30, 36)]
DRUM = [S("R", 1, 10, 1000), S("Precision", 1, 20, 100), hidden(1, 30, 36)]
CONE = [S("R", 1, 10, 100), S("B", 2, 8, 36), S("Precision", 1, 5, 36)]

TABLE = [
    ("1. Heart", [S("Width", 1, 10, 1000)]),
    ("2. Wave", WAVE_SLOTS),
    ("3. Sin Wave", WAVE_SLOTS),
    ("4. Sin Widening Curve", WAVE_SLOTS),
    ("5. LOG Curve", [S("HightTimes", 1, 1, 100), hidden(1, 10, 10000)]),
    ("6. Hyperbola", [S("a", 1, 4, 10), S("b", 1, 3, 10), S("N", 1, 1, 10)]),
    ("7. Parabola", [S("a", 1, 8, 100), S("N", 1, 1, 100)]),
    ("8. Disk Spring", [S("Spring Radius", 1, 20, 100), S("Dist", 1, 10, 100), S("Loops", 1, 5, 100)]),
    ("9. Electrocardiogram", [S("A", 50, 200, 200), S("B", 100, 498, 1000), S("Precision", 1, 7, 36)]),
    ("10.GoldenIngot", [S("A", 1, 10, 1000), S("B", 100, 498, 1000), S("Precision", 1, 7, 36)]),
    ("11.Mushroom", [S("R", 1, 10, 1000), S("Precision", 1, 20, 100), hidden(1, 30, 36)]),
    ("12.Tricuspid", [S("Spring Radius", 1, 20, 100), S("Tips", 3, 3, 36)]),
    ("13.Involute", SPIRAL13),
    ("14.Archimedes Spiral", SPIRAL13),
    ("15.Logarithmic Spiral", [S("Loops", 1, 10, 100), S("Direction", 0, 1, 1), S("Dist", 1, 5, 1000),
                               S("Radius", 1, 1, 100)]),
    ("16.Hyperbolic Spiral", SPIRAL16),
    ("17.Interlocking Spiral", SPIRAL16),
    ("18.Kidney line", [S("A", 1, 10, 1000), S("TYPE", 0, 0, 1)]),
    ("19.Epicycloid", [S("A", 1, 10, 1000), S("B", 1, 10, 1000)]),
    ("20.Kidney line2", [S("A", 1, 10, 1000)]),
    ("21.Talbot Fish", [S("A", 1, 11, 36), S("B", 1, 6, 10), S("C", 1, 1, 10)]),
    ("22.Tetraphylla Rose", [S("A", 1, 10, 1000)]),
    ("23.Trefoil Rose", [S("A", 1, 10, 1000)]),
    ("24.Rhodonea", [S("A", 1, 7, 100), S("B", 1, 10, 100), S("C", 1, 1, 10)]),
    ("25.Rhodonea 2", [S("A", 1, 4, 100), S("B", 1, 10, 100), hidden(1, 1, 10)]),
    ("26.Epicycloid", cyc(8)),
    ("27.Hypocycloid", cyc(8)),
    ("28.Long-short Inner Circle", cyc(2)),
    ("29.Long-short Out Circle", cyc(5)),
    ("30.Spherical Curve", [S("A", 1, 5, 12), S("Radius", 1, 10, 1000), S("Precision", 1, 8, 36), hidden(1, 12, 36)]),
    ("31.Fermat Curve", R_PREC(6, 36)),
    ("32.Spherical Helix", [S("R", 1, 10, 1000), S("B", 0, 1, 1), S("Precision", 1, 6, 12)]),
    ("33.Spiral in Circle", R_PREC(3, 12)),
    ("34.Butterfly Curve", R_PREC(3, 6)),
    ("35.Sun", R_PREC(6, 100)),
    ("36.Nine Petal flower", R_PREC(6, 16)),
    ("37.Butterfly Curve2", R_PREC(16, 36)),
    ("38.Bottomless Basket Curve", R_PREC(16, 100)),
    ("39.UFO Vortex", [S("R", 1, 10, 1000), S("B", 0, 1, 1), S("Precision", 1, 30, 100)]),
    ("40.Conical Hat", [S("R", 1, 10, 1000), S("Precision", 1, 20, 100), hidden(1, 30, 36)]),
    ("41.Leaf Curve", [S("R", 1, 10, 1000), S("Precision", 1, 20, 36), hidden(1, 30, 36)]),
    ("42.Probability Curve", [S("A", 1, 10, 1000), S("B", 1, 10, 100), S("Precision", 1, 5, 10)]),
    ("43.TSpring", [S("A", 1, 10, 1000), S("B", 1, 10, 1000), S("Precision", 1, 5, 10)]),
    ("44.Tangent Curve", [S("A", 1, 10, 1000), S("B", 1, 10, 1000), S("Precision", 1, 5, 10)]),
    ("45.Hyperbolic Sine", HYP),
    ("46.Hyperbolic Cosine", HYP),
    ("47.Hyperbolic Tangent", HYP),
    ("48.Vinelaine", [S("A", 1, 10, 1000), S("Precision", 1, 2, 10)]),
    ("49.Lissajous", [S("A", 2, 3, 18), S("B", 1, 10, 100), S("C", 1, 100, 1000), S("Precision", 1, 12, 36)]),
    ("50. 8 Number", [S("A", 1, 20, 1000), S("B", 1, 30, 1000), S("Precision", 1, 5, 10)]),
    ("51.OnePeak", [S("A", 1, 20, 1000), S("B", 1, 10, 100), S("Precision", 1, 5, 10)]),
    ("52.Snake", [S("A", 1, 10, 1000), S("B", 1, 5, 10), S("Precision", 1, 18, 36), hidden(3, 5, 36)]),
    ("53.Plum", [S("A", 1, 10, 1000), S("B", 1, 3, 9), S("C", 1, 5, 36), S("Precision", 1, 6, 36)]),
    ("54.Hand", [S("A", 1, 10, 1000), S("Precision", 1, 3, 12)]),
    ("55.Hexaphylla Rectangulata", SIX),
    ("56.Curvilinear Hexaphylla", SIX),
    ("57.Hexaphyllum", SIX),
    ("58.Peach", R_PREC(20, 36)),
    ("59.LongevityLock", [S("R", 1, 10, 1000), S("S", 1, 10, 36), S("T", 1, 5, 10), S("Precision", 1, 16, 36)]),
    ("60.Drum", DRUM),
    ("61.Peanut", DRUM),
    ("62.Bow Curve", [S("R", 1, 10, 1000), S("B", 1, 1, 10), S("Precision", 1, 20, 36)]),
    ("63.Handlebar", [S("R0", 1, 10, 100), S("R1", 1, 1, 10), S("Precision", 1, 5, 36)]),
    ("64.Circular Conic", CONE),
    ("65.Cylindrical Sine Wave", CONE),
    ("66.Catenary", [S("R", 1, 10, 1000), S("B", 1, 50, 100), S("Precision", 1, 1, 12)]),
    ("67.Bell", R_PREC(18, 100)),
    ("68.Lam\u00e9 Curve(XiaoMi_LOGO)", [S("R", 1, 10, 1000), S("n", 1, 31, 100), S("Precision", 1, 5, 36)]),
    ("69.Mussel", [S("R", 1, 10, 100), S("N*10", 1, 31, 1000), S("Precision", 1, 5, 36)]),
    ("70.Watt", [S("A", 1, 3, 5), S("R", 1, 10, 1000), S("Precision", 1, 5, 12), hidden(1, 5, 36)]),
    ("71.........", [S("R", 1, 10, 1000), S("Precision", 1, 12, 36), hidden(1, 31, 100)]),
]

def sgn(v):
    return (v > 0) - (v < 0)

def real(f, *args):
    """f(*args), or None where the formula has no real, finite value."""
    try:
        q = f(*args)
    except (ValueError, OverflowError):
        return None
    # Points beyond 1e100 count as undrawable too.
    return q if all(math.isfinite(c) and abs(c) <= 1e100 for c in q) else None

def sweep(n, f):
    """The common rule: n samples at u = i/(n-1)."""
    n = int(n)
    return [real(f, i / (n - 1)) for i in range(n)]

def curves(row, p, surftab1):
    """Sample lists of a row (1-based) for formula arguments p = [p1, p2, p3, p4], relative to the origin."""
    p1, p2, p3, p4 = p
    if row == 1:
        def heart(i):
            t = 2 * PI * i / 36
            return (p1 / 2 * math.sin(t) ** 3,
                    p1 / 32 * (13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)), 0.0)
        return [[heart(i) for i in range(35)]]
    if row in (2, 3, 4):
        def wave(u):
            t = PI * p1 * u
            if row == 2:
                return (p2 * t, p2 * abs(math.sin(t)), 0.0)
            if row == 3:
                return (p2 * t, p2 * math.sin(t), 0.0)
            return (p2 * t * t / (2 * PI * p1), p2 * math.sin(t), 0.0)
        return [sweep(int(36 * p1), wave)]
    if row == 5:
        pts = [(1e-15, p1 * math.log(1e-15), 0.0)]
        for i in range(1, 100):
            s = i / 10
            pts.append((s * s, p1 * math.log(s * s), 0.0))
        return [pts]
    if row == 6:
        n = int(36 * p3)
        right, left = [], []
        for i in range(n):
            y = 20 * i / n - 10
            x = (p1 / p2) * math.sqrt(p2 * p2 + y * y)
            right.append((x, y, 0.0))
            left.append((-x, y, 0.0))
        return [right, left]
    if row == 7:
        def parabola(u):
            s = 50 * u - 25
            return (p2 * s * s / (2 * p1), p2 * s, 0.0)
        return [sweep(6 * surftab1, parabola)] if 6 * surftab1 >= 2 else []
    if row == 8:
        L = p3
        return [[(p1 * math.cos(2 * PI * L * u), p1 * math.sin(2 * PI * L * u),
                  math.cos(L ** 2.4 * 2 * PI * u) + L * p2 * u) for u in (i / 179 for i in range(180))]]
    if row == 9:
        def ecg(u):
            s = (u - 1) * p1
            return (p1 * s, p1 * math.tan(p2 * s), 0.0)
        return [sweep(35 * p3, ecg)]
    if row == 10:
        def ingot(u):
            t = 2 * PI * u
            w = math.sin(15 * t)
            return (math.cos(w) * math.sin(t), math.sin(w) * math.sin(t), abs(math.sin(t)))
        return [sweep(35 * p3, ingot)]
    if row in (11, 40):
        def mushroom(u):
            if row == 11:
                g = p1 * (u + u ** 2 + u ** 3)
                phi = (PI / 3) * math.log(60) * u
            else:
                g = p1 * (u + u ** 2 + u ** 3)
                phi = (PI / 3) * math.log(PI / 3) * u
            theta = 200 * PI * u ** 2
            return (g * math.sin(phi) * math.cos(theta), g * math.sin(phi) * math.sin(theta), -g * math.cos(phi))
        return [sweep(35 * p2, mushroom)]
    if row == 12:
        k = p2
        def deltoid(u):
            t = 2 * PI * u
            return ((p1 / k) * (k * math.cos(t) + math.cos(k * t)), (p1 / k) * (k * math.sin(t) - math.sin(k * t)), 0.0)
        return [sweep(int(36 * (k - 1)), deltoid)]
    if 13 <= row <= 17:
        d = p2
        def spiral(u):
            if row == 13:
                th = 2 * PI * p1 * d * u
                return (p3 * (math.cos(th) + th * math.sin(th)), p3 * (math.sin(th) - th * math.cos(th)), 0.0)
            if row == 14:
                th = 2 * PI * p1 * u
                return (d * p3 * th * math.cos(th), p3 * th * math.sin(th), 0.0)
            if row == 15:
                th = 2 * PI * p1 * u
                rho = p4 * 2.718281828 ** (th * p3 / 1000)
            elif row == 16:
                th = 2 * PI * p1 * u + 1
                rho = p3 / th
            else:
                th = 2 * PI * p1 * u + 1
                rho = p3 / math.sqrt(th)
            return (d * rho * math.cos(th), rho * math.sin(th), 0.0)
        return [sweep(int(36 * p1), spiral)]
    if row == 18:
        def kidney(i):
            th = 2 * PI * i / 34
            rho = 2 * p1 * (1 + math.cos(th)) if p2 == 1 else p1 * (1 + math.sin(th / 2))
            return (rho * math.cos(th), rho * math.sin(th), 0.0)
        return [[kidney(i) for i in range(35)]]
    if 19 <= row <= 23:
        def closed175(i):
            th = (PI if row == 23 else 2 * PI) * i / 174
            if row == 19:
                return (3 * p2 * math.cos(th) + p1 * math.cos(3 * th), 3 * p2 * math.sin(th) + p1 * math.sin(3 * th), 0.0)
            if row == 20:
                return (p1 * (3 * math.cos(th) - math.cos(3 * th)), p1 * (3 * math.sin(th) - math.sin(3 * th)), 0.0)
            if row == 21:
                a = p1 / 10
                return (20 * math.cos(th) * (a ** 2 + p3 ** 2 * math.sin(th) ** 2) / a,
                        20 * math.sin(th) * (a ** 2 - 2 * p3 + p3 ** 2 * math.sin(th) ** 2) / (p2 / 10), 0.0)
            rho = p1 * math.cos((2 if row == 22 else 3) * th)
            return (rho * math.cos(th), rho * math.sin(th), 0.0)
        return [[closed175(i) for i in range(175)]]
    if row == 24:
        def rose(u):
            th = 2 * PI * u
            rho = p2 * math.sin(p1 * th)
            return (rho * math.cos(th), rho * math.sin(th), 0.0)
        return [sweep(35 * p3, rose)]
    if row == 25:
        def rhodo(i):
            th = 10 * PI * i / 314
            return (p1 * math.cos(th) + p2 * math.cos(0.8 * th), p1 * math.sin(th) - p2 * math.sin(0.8 * th), 0.0)
        return [[rhodo(i) for i in range(315)]]
    if 26 <= row <= 29:
        def cycloid(u):
            th = 2 * PI * p2 * u
            if row in (26, 29):
                m = p1 / p2 + 1
                return ((p1 + p2) * math.cos(th) - p3 * math.cos(m * th), (p1 + p2) * math.sin(th) - p3 * math.sin(m * th), 0.0)
            if row == 27:
                m = 1 - p1 / p2
                return ((p1 - p2) * math.cos(th) + p3 * math.cos(m * th), (p1 - p2) * math.sin(th) + p3 * math.sin(m * th), 0.0)
            m = p1 / p2 - 1
            return ((p1 - p2) * math.cos(th) + p3 * math.cos(m * th), (p1 - p2) * math.sin(th) - p3 * math.sin(m * th), 0.0)
        return [sweep(35 * p4, cycloid)]
    if row == 30:
        def sphere(u):
            th = 20 * PI * p1 * u
            phi = 2 * PI * u
            return (p2 * math.sin(phi) * math.cos(th), p2 * math.sin(phi) * math.sin(th), p2 * math.cos(phi))
        return [sweep(math.trunc(35 * p3 * p1), sphere)]
    if row == 31:
        def fermat(u):
            th = 5 * PI * u
            rho = p1 * math.sqrt(th)
            return (rho * math.cos(th), rho * math.sin(th), 0.0)
        return [sweep(35 * p2, fermat)]
    if row == 32:
        def helix(u):
            s = PI * u
            phi = s if p2 != 0 else 2 * s / 3
            return (p1 * math.sin(phi) * math.cos(40 * s), p1 * math.sin(phi) * math.sin(40 * s), p1 * math.cos(phi))
        return [sweep(35 * p3, helix)]
    if row == 33:
        def spiral_in_circle(u):
            th = 2 * PI * u
            rho = p1 * (1 + math.sin(6 * th))
            return (rho * math.cos(th), rho * math.sin(th), 2 * math.sin(6 * th))
        return [sweep(35 * p2, spiral_in_circle)]
    if row in (34, 36):
        def butterfly(u):
            a, b = (8 * PI * u, -16 * PI * u) if row == 34 else (180 * PI * u, 20 * PI * u)
            rho = p1 * u
            return (rho * math.sin(a) * math.cos(b), rho * math.sin(a) * math.sin(b), rho * math.cos(a))
        return [sweep(35 * p2, butterfly)]
    if row == 35:
        def sun(u):
            th = 2 * PI * u
            rho = p1 * math.cos(50 * th) + 1
            return (rho * math.cos(th), rho * math.sin(th), 0.0)
        return [sweep(35 * p2, sun)]
    if row == 37:
        def butterfly2(u):
            a = 2 * PI * u
            g = 1.5 * p1 * math.cos(2 * PI * a) + p1 * math.sin(a)
            b = 2 * PI * u * math.log(a + 1)
            return (g * math.sin(a) * math.cos(b), g * math.sin(a) * math.sin(b), g * math.cos(a))
        return [sweep(35 * p2, butterfly2)]
    if row in (38, 60, 61):
        def basket(u):
            if row == 38:
                th, rho, z = 60 * PI * u, p1 * (0.3 * math.sin(2 * PI * u) + 5 + u), 5 * p1 * u
            elif row == 60:
                th, rho, z = 20 * PI * u, p1 * (3.3 * math.sin(PI * u) + 5 + u), 10 * p1 * u
            else:
                th, rho, z = 80 * PI * u, p1 * (6 * math.sin(2 * PI * u) + u), 20 * p1 * u
            return (rho * math.cos(th), rho * math.sin(th), z)
        return [sweep(35 * p2, basket)]
    if row == 39:
        def ufo(u):
            c = math.log(PI / 6)
            phi = c * (PI / 6) * u if p2 != 0 else c * (PI / 3) * u
            th = 40 * PI * u
            rho = 400 * p1 * u
            return (rho * math.sin(phi) * math.cos(th), rho * math.sin(phi) * math.sin(th), rho * math.cos(phi))
        return [sweep(35 * p3, ufo)]
    if row == 41:
        def leaf(u):
            w = PI * u / 2
            rho = 3 * p1 * math.sin(w) * math.cos(w) / (math.cos(w) ** 3 + math.sin(w) ** 3)
            return (rho * math.sin(u), rho * math.cos(u), 0.0)
        return [sweep(35 * p2, leaf)]
    if 42 <= row <= 44:
        def plane(u):
            if row == 42:
                s = 4.5 * (u - 0.5)
                return (p1 * s, (p2 / 10) * p1 * math.exp(-s * s), 0.0)
            if row == 43:
                alpha = (160 * u - 80) * PI / 180
                return (p1 ** 2 * math.tan(alpha), p1 * p2 * math.cos(alpha) ** 2, 0.0)
            s = u - 0.5
            return (p1 ** 2 * s, p1 * math.tan(0.99 * PI * s), 0.0)
        return [sweep(35 * p3, plane)]
    if 45 <= row <= 48:
        def hyper(u):
            if row == 48:
                alpha = (u - 0.5) * 150 * PI / 180
                rho = 2 * p1 * math.tan(alpha) * math.sin(alpha)
                return (p1 * rho * math.cos(alpha), p1 * rho * math.sin(alpha), 0.0)
            s = 6 * (u - 0.5)
            fn = {45: math.sinh, 46: math.cosh, 47: math.tanh}[row]
            return (p1 * s, p1 * fn(s), 0.0)
        return [sweep(35 * p2, hyper)]
    if row == 49:
        def lissajous(u):
            t = 2 * PI * u
            return (10 * p2 * math.sin(p1 * t + p3), p2 ** 2 * math.sin(t), 0.0)
        return [sweep(35 * p4, lissajous)]
    if 50 <= row <= 52:
        def misc(u):
            if row == 50:
                t = 2 * PI * u
                return (p1 * math.cos(t), p2 * math.sin(2 * t), 0.0)
            if row == 51:
                s = 3 * u - 1.5
                return ((p2 / 10) * p1 * s, p1 * (s ** 2 - 1) ** 3, 0.0)
            a = PI * u * (u + 1)
            return (p1 ** 2 * math.cos(PI * (u + 1)),
                    p1 ** 2 * (math.sin(p2 * PI * u) * (math.sin(a) + 1.5) + math.cos(a)), 0.0)
        return [sweep(35 * p3, misc)]
    if row == 53:
        def plum(u):
            th = 2 * PI * u
            s = math.sin(p3 * th / 2)
            rho = p1 * (10 - p2 * s ** 2)
            return (rho * math.cos(th), rho * math.sin(th), 0.0)
        return [sweep(35 * p4, plum)]
    if row == 54:
        def hand(u):
            th = 2 * PI * u + PI
            rho = p1 * (2 * math.cos(12 * PI * u ** 3) + 5)
            return (rho * math.cos(th), rho * math.sin(th), 0.0)
        return [sweep(35 * p2, hand)]
    if 55 <= row <= 57:
        def six(u):
            th = 2 * PI * u
            s = math.sin(3 * th)
            if row == 55:
                rho = p1 * (10 - 9 * s ** 2)
                return (rho * math.cos(th), rho * math.sin(th), -16 * p1 * s ** 2)
            g = (10 if row == 56 else 5) - 9 * s ** 2
            z = -p1 * (s * g) ** 2 if row == 56 else p1 * (s * g) ** 2
            return (p1 * g * math.cos(th), p1 * g * math.sin(th), z)
        return [sweep(35 * p2, six)]
    if row in (58, 71):
        def peach(u):
            g = p1 * (u + u ** 2 + u ** 3)
            a = 2 * PI * u
            b = 200 * PI * u ** 2
            return (g * math.sin(a) * math.cos(b), g * math.sin(a) * math.sin(b), g * math.cos(a))
        return [sweep(35 * p2, peach)]
    if row == 59:
        def lock(u):
            a, b, c = 1.999 * PI * u, 12 * PI * u, 32 * PI * u
            k = 1.2 * p3
            return (p1 * (0.8 * p2 * math.cos(b) + 10 * math.cos(a) + k * math.cos(c)),
                    p1 * (0.8 * p2 * math.sin(b) + 10 * math.sin(a) + k * math.sin(c)), 0.0)
        return [sweep(35 * p4, lock)]
    if row == 62:
        def bow(u):
            v = 2 * PI * p2 * u
            r = p1 * p2 * u
            return (4 * r * math.sin(10 * v), 5 * r * math.cos(10 * v), 6 * r * math.sin(5 * v))
        return [sweep(35 * p3, bow)]
    if row == 63:
        return [sweep(35 * p3, lambda u: (math.cos(2 * PI * u) * (p2 * math.cos(12 * PI * u) + p1),
                                          p2 * math.sin(12 * PI * u), 0.0))]
    if row == 64:
        def conic(u):
            s = 2 * u
            return (5 * p1 * math.cos(PI * s), 5 * p1 * math.sin(PI * s), p1 * math.cos(p2 * PI * s))
        return [sweep(35 * p3, conic)]
    if row == 65:
        def cylinder(u):
            th = 2 * PI * u
            return (p1 * math.cos(th), p1 * math.sin(th), p2 * math.sin(5 * th - PI / 2))
        return [sweep(35 * p3, cylinder)]
    if row == 66:
        def catenary(u):
            s = p1 * (u - 0.5)
            return (s, (p2 * p1 / 4) * (math.cosh(s / p1) - 1), 0.0)
        return [sweep(35 * p3, catenary)]
    if row == 67:
        def bell(u):
            g = p1 * (u + u ** 2 + u ** 3)
            return (g * math.cos(100 * PI * u ** 2), g * math.sin(100 * PI * u ** 2), -g * math.cos(2 * PI * u))
        return [sweep(35 * p2, bell)]
    if row == 68:
        def lame(u):
            e = 20 / p2
            th = 2 * PI * u
            return (p1 * sgn(math.cos(th)) * abs(math.cos(th)) ** e, p1 * sgn(math.sin(th)) * abs(math.sin(th)) ** e, 0.0)
        return [sweep(35 * p3, lame)]
    if row == 69:
        def mussel(u):
            alpha = (178 * u - 89) * PI / 180
            rho = (p2 ** 2 * math.cos(2 * alpha) + p1 ** 2) / (p1 * math.cos(alpha))
            return (rho * math.cos(alpha), rho * math.sin(alpha), 0.0)
        return [sweep(35 * p3, mussel)]
    if row == 70:
        def watt(u):
            th = 2 * PI * u
            w = math.sqrt(25 - p1 ** 2 * math.cos(th) ** 2) + p1 * math.sin(th)
            rho = math.sqrt(64 - w ** 2)
            return (p2 * rho * math.cos(th), p2 * rho * math.sin(th), 0.0)
        return [sweep(35 * p3, watt)]
    raise ValueError(row)

# Rows whose curve is red and closed, and the rows whose spline form gets end tangents.
TANGENTS = {11: ((-1, 0, 0), (0, -1, 0)), 40: ((-1, 0, 0), (0, 1, 0)), 67: ((1, 0, 0), (0, 1, 0)),
            71: ((1, 0, 0), (0, 1, 0))}
for r in (22, 23, 38, 60, 68, 69):
    TANGENTS[r] = ((0, 1, 0), (0, 1, 0))

def angle_to_x(v):
    return math.atan2(math.hypot(v[1], v[2]), v[0])

def on_one_line(pts):
    if len(pts) == 2:
        return True
    d1 = [pts[1][k] - pts[0][k] for k in range(3)]
    a = angle_to_x(d1)
    return all(abs(angle_to_x([q[k] - pts[0][k] for k in range(3)]) - a) <= 0.001 for q in pts[2:])

def flat(pts):
    return all(abs(pts[i][2] - pts[i - 1][2]) <= 0.0001 for i in range(1, len(pts)))

def pieces(pts):
    """Unbroken runs of samples with a real, finite value, each of two or more points."""
    runs, run = [], []
    for q in pts:
        if q is not None:
            run.append(q)
            continue
        if len(run) >= 2:
            runs.append(run)
        run = []
    if len(run) >= 2:
        runs.append(run)
    return runs

def arguments(row, slots):
    p = [float(v) for v in slots]
    if 13 <= row <= 17:
        p[1] = 1.0 if slots[1] != 0 else -1.0
    if row == 12:
        p[1] = slots[1] - 1.0
    return p

def cases(row):
    slots = TABLE[row - 1][1] + [NONE] * (4 - len(TABLE[row - 1][1]))
    used = [k for k in range(4) if slots[k][0]]
    default = [s[2] for s in slots]
    out = [default, [s[1] if k in used else s[2] for k, s in enumerate(slots)],
           [s[3] if k in used else s[2] for k, s in enumerate(slots)]]
    for k in used:
        for extreme in (slots[k][1], slots[k][3]):
            c = list(default)
            c[k] = extreme
            out.append(c)
    unique = []
    for c in out:
        if c not in unique:
            unique.append(c)
    return unique

def emit(w, row, slots, origin, surftab1):
    lists = curves(row, arguments(row, slots), surftab1)
    entities = []
    for pts in lists:
        pts = [None if q is None else (q[0] + origin[0], q[1] + origin[1], q[2] + origin[2]) for q in pts]
        runs = pieces(pts)
        whole = len(runs) == 1 and len(runs[0]) == len(pts)
        for run in runs:
            entities.append((run, whole))
    w("case %d %s %r %r %r %d %d\n" % (row, " ".join(str(v) for v in slots), *origin, surftab1, len(entities)))
    for run, whole in entities:
        closed = whole and row == 1
        line = on_one_line(run)
        poly_kind = "line" if line else ("lwpolyline" if flat(run) else "3dpolyline")
        spline_kind = "line" if line else "spline"
        tangents = TANGENTS.get(row) if whole else None
        t = " ".join("%r" % c for v in tangents for c in v) if tangents else "0 0 0 0 0 0"
        colour = 1 if row == 1 else -1
        w("curve %s %s %d %d %d %s\n" % (poly_kind, spline_kind, int(closed), colour, len(run), t))
        for q in run:
            w("%r %r %r\n" % q)
        # Spline form: points that repeat the previous kept one (within 1e-9 of the curve's size) are dropped.
        size = max([1.0] + [abs(c) for q in run for c in q])
        kept, dropped = run[0], []
        for i in range(1, len(run)):
            if math.dist(run[i], kept) > 1e-9 * size:
                kept = run[i]
            else:
                dropped.append(i)
        w("drop %d %s\n" % (len(dropped), " ".join(map(str, dropped))))

def main():
    out = open(sys.argv[1], "w") if len(sys.argv) > 1 else sys.stdout
    w = out.write
    for row, (label, slots) in enumerate(TABLE, 1):
        slots = slots + [NONE] * (4 - len(slots))
        w("row %d %d %s\n" % (row, 406 + row if row <= 70 else 478, label))
        for s in slots:
            w("slot %d %d %d %s\n" % (s[1], s[2], s[3], s[0]))
    for row in range(1, 72):
        for i, slots in enumerate(cases(row)):
            origin = (0.0, 0.0, 0.0) if i == 0 else (12.5, -7.25, 5.0)
            emit(w, row, slots, origin, 6)
    emit(w, 7, [8, 1, 0, 0], (0.0, 0.0, 0.0), 10)  # another SURFTAB1 setting
    out.close()

if __name__ == "__main__":
    main()
