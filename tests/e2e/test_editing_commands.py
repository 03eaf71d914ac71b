"""The everyday editing commands as a user types them, in a user system moved to (100,50) and turned by 30
degrees: every kind of entity each command takes, the results read back with ezdxf and compared in the user
system; link lines following shapes that are rotated, copied then moved, and stretched; HELP."""
import math
import unittest

import ezdxf
from ezdxf import path as ezpath

from curvix_run import MODULE, CurvixRun

ORIGIN, TURN = (100.0, 50.0), math.radians(30)
UCS = "UCS 100,50\nUCS Z 30\n"
STEP = 40  # each shape lies in its own band of user y


def world(x, y):
    c, s = math.cos(TURN), math.sin(TURN)
    return (ORIGIN[0] + c * x - s * y, ORIGIN[1] + s * x + c * y)


def user(p):
    c, s = math.cos(TURN), math.sin(TURN)
    x, y = p[0] - ORIGIN[0], p[1] - ORIGIN[1]
    return (c * x + s * y, -s * x + c * y)


def pt(x, y):
    return f"{x:.10g},{y:.10g}"


R = math.sqrt(200)  # the test arc: centre (0,-10) below the x axis, through (+-10, 0)
CURVES = ["line", "arc", "circle", "ellipse", "ellipse_arc", "lwpolyline", "polyline2d", "spline"]


def add_shape(msp, kind, dy, blocks=None):
    """One shape of the kind in the user system's band dy: the open ones run from x=-10 to x=10."""
    w = lambda x, y: world(x, y + dy)
    deg = math.degrees(TURN)
    if kind == "line":
        msp.add_line(w(-10, 0), w(10, 0))
    elif kind == "arc":
        msp.add_arc(w(0, -10), R, 45 + deg, 135 + deg)
    elif kind == "circle":
        msp.add_circle(w(0, 0), 10)
    elif kind in ("ellipse", "ellipse_arc"):
        major = (10 * math.cos(TURN), 10 * math.sin(TURN))
        msp.add_ellipse(w(0, 0), major, 0.5, 0, math.pi if kind == "ellipse_arc" else 2 * math.pi)
    elif kind == "lwpolyline":
        msp.add_lwpolyline([w(-10, 0), w(-5, 3), w(5, 3), w(10, 0)])
    elif kind == "polyline2d":
        msp.add_polyline2d([w(-10, 0), w(-5, 3), w(5, 3), w(10, 0)])
    elif kind == "spline":
        msp.add_cad_spline_control_frame([w(-10, 0), w(-5, 3), w(5, 3), w(10, 0)])
    elif kind == "text":
        msp.add_text("Cut", dxfattribs={"insert": w(1, 2), "height": 2.5, "rotation": deg})
    elif kind == "insert":
        msp.add_blockref("Mark", w(2, 1), dxfattribs={"rotation": deg, "xscale": 2, "yscale": 2, "zscale": 2})
    elif kind == "hatch":
        h = msp.add_hatch(color=3)
        h.paths.add_polyline_path([w(-4, -2), w(4, -2), w(4, 2), w(-4, 2)], is_closed=True)
    elif kind == "point":
        msp.add_point(w(3, -1))


def drawing(path, kinds, extra=None):
    doc = ezdxf.new()
    mark = doc.blocks.new("Mark")
    mark.add_line((0, 0), (1, 0))
    mark.add_circle((0, 0), 0.5)
    msp = doc.modelspace()
    for i, kind in enumerate(kinds):
        add_shape(msp, kind, STEP * i)
    if extra:
        extra(msp)
    doc.saveas(path)
    return path


def outline(e, tol=1e-4):
    """Points along an entity in user coordinates (curves flattened; others their key points)."""
    t = e.dxftype()
    if t in ("TEXT", "INSERT"):
        return [user(e.dxf.insert)]
    if t == "POINT":
        return [user(e.dxf.location)]
    if t == "HATCH":
        return [user(v) for p in ezpath.from_hatch(e) for v in p.control_vertices()]
    if t == "LINE":
        return [user(e.dxf.start), user(e.dxf.end)]
    if t in ("LWPOLYLINE", "POLYLINE"):
        pts = [p for part in e.virtual_entities() for p in outline(part, tol)]
        return [p for i, p in enumerate(pts) if i == 0 or math.dist(p, pts[i - 1]) > 1e-12]
    return [user(v) for v in e.flattening(tol)]


def length(e):
    pts = outline(e, 1e-6)
    return sum(math.dist(a, b) for a, b in zip(pts, pts[1:]))


def band(e):
    pts = outline(e)
    return round(sum(p[1] for p in pts) / len(pts) / STEP)


def by_band(msp, kinds):
    out = {k: [] for k in kinds}
    for e in msp:
        b = band(e)
        if 0 <= b < len(kinds):
            out[kinds[b]].append(e)
    return out


# Where a user would pick each curve: a point on it right of the middle (x > 0), band 0.
PICK_RIGHT = {"line": (7.5, 0), "arc": (5, -10 + math.sqrt(175)), "circle": (5, math.sqrt(75)),
              "ellipse": (5, 5 * math.sin(math.pi / 3)), "ellipse_arc": (5, 5 * math.sin(math.pi / 3)),
              "lwpolyline": (7.5, 1.5), "polyline2d": (7.5, 1.5), "spline": (5, 3)}


class Editing(CurvixRun):
    module = None

    def edit(self, script, kinds, extra=None):
        src = drawing(self.path("in.dxf"), kinds, extra)
        out = self.path("out.dxf")
        text = self.output(UCS + script, src, "-o", out)
        return ezdxf.readfile(out).modelspace(), text

    def assertClose(self, a, b, tol=1e-6, msg=None):
        self.assertLess(math.dist(a, b), tol, msg or f"{a} != {b}")


class UserSystem(Editing):
    def test_windows_picks_and_rectangles_are_in_the_user_system(self):
        # Both lines lie inside the world box of the window's corners; only the first inside the window itself.
        def extra(msp):
            msp.add_line(world(-10, 0), world(10, 0))
            msp.add_line(world(-6, 3), world(-5, 3))
        msp, text = self.edit("ERASE W -11,-1 11,1\n\nRECTANG 0,0 20,10\nMOVE 10,0\n\n0,0 0,5\n", [], extra)
        self.assertIn("1 found", text)
        (line,) = msp.query("LINE")
        self.assertClose(user(line.dxf.start), (-6, 3))
        (rect,) = msp.query("LWPOLYLINE")
        self.assertEqual([tuple(round(c, 6) + 0.0 for c in user(p)) for p in rect.get_points("xy")],
                         [(0, 5), (20, 5), (20, 15), (0, 15)])


class PieceCommands(Editing):
    def test_trim_at_a_cutting_edge_keeps_the_far_side_of_every_curve(self):
        cut = lambda msp: msp.add_line(world(0, -1000), world(0, STEP * len(CURVES)))  # its band: none
        picks = "".join(pt(x, y + STEP * i) + "\n" for i, (x, y) in enumerate(PICK_RIGHT[k] for k in CURVES))
        msp, _ = self.edit(f"TRIM {pt(0, -15)}\n\n{picks}\n", CURVES, cut)
        shapes = by_band(msp, CURVES)
        for kind in CURVES:
            with self.subTest(kind):
                self.assertEqual(len(shapes[kind]), 1, [e.dxftype() for e in shapes[kind]])
                e = shapes[kind][0]
                xs = [p[0] for p in outline(e)]
                self.assertLess(max(xs), 1e-6)
                self.assertAlmostEqual(max(xs), 0, places=6)
                self.assertAlmostEqual(min(xs), -10, places=4)
                self.assertEqual(e.dxftype(), {"circle": "ARC"}.get(kind, e.dxftype()))
        self.assertEqual(len(msp.query("LINE")), 2)  # the edge is left whole

    def test_trim_with_every_curve_as_edge_and_a_closed_curve_needing_two_cuts(self):
        def extra(msp):
            msp.add_line(world(-20, 0), world(20, 0))
            msp.add_line(world(-3, -20), world(-3, 20))
        msp, _ = self.edit(f"TRIM\n\n{pt(0, 10)}\n\n", ["circle"], extra)
        (arc,) = msp.query("ARC")  # the piece between the cuts nearest the pick on either side is gone
        ends = sorted(user(p) for p in (arc.start_point, arc.end_point))
        self.assertClose(ends[0], (-3, math.sqrt(91)))
        self.assertClose(ends[1], (10, 0))
        self.assertFalse([p for p in outline(arc) if p[0] > -3 + 1e-6 and p[1] > 1e-6])

    def test_extend_to_a_boundary_along_each_end_course(self):
        kinds = ["line", "arc", "ellipse_arc", "lwpolyline", "polyline2d", "bulge_end"]
        def extra(msp):
            msp.add_line(world(9, -1000), world(9, STEP * len(kinds)))
            # shorter shapes than add_shape's, ending left of the boundary
            w = lambda x, y, i: world(x, y + STEP * i)
            msp.add_line(w(-10, 0, 0), w(5, 0, 0))
            msp.add_arc(w(0, -10, 1), R, 60 + 30, 135 + 30)
            major = (10 * math.cos(TURN), 10 * math.sin(TURN))
            msp.add_ellipse(w(0, 0, 2), major, 0.5, math.pi / 4, math.pi)
            msp.add_lwpolyline([w(-10, 0, 3), w(-5, 3, 3), w(5, 3, 3)])
            msp.add_polyline2d([w(-10, 0, 4), w(-5, 3, 4), w(5, 3, 4)])
            msp.add_lwpolyline([(*w(-10, 0, 5), 0, 0, 0), (*w(0, 0, 5), 0, 0, -math.tan(math.pi / 8)), (*w(5, 5, 5), 0, 0, 0)])
        ends = {"line": (9, 0), "arc": (9, -10 + math.sqrt(119)), "ellipse_arc": (9, 5 * math.sqrt(1 - 0.81)),
                "lwpolyline": (9, 3), "polyline2d": (9, 3), "bulge_end": (9, 3)}
        picks = {"line": (4, 0), "arc": (R * math.cos(math.radians(62)), -10 + R * math.sin(math.radians(62))),
                 "ellipse_arc": (10 * math.cos(0.8), 5 * math.sin(0.8)), "lwpolyline": (4, 3), "polyline2d": (4, 3),
                 "bulge_end": (5 + 5 * math.cos(math.radians(85)), 5 * math.sin(math.radians(85)))}
        script = "".join(pt(picks[k][0], picks[k][1] + STEP * i) + "\n" for i, k in enumerate(kinds))
        msp, _ = self.edit(f"EXTEND {pt(9, -15)}\n\n{script}\n", [], extra)
        shapes = by_band(msp, kinds)
        for kind in kinds:
            with self.subTest(kind):
                (e,) = shapes[kind]
                pts = outline(e)
                far = max(pts, key=lambda p: p[0])
                self.assertClose(far, (ends[kind][0], ends[kind][1] + STEP * kinds.index(kind)))
                self.assertClose(min(pts), (-10, STEP * kinds.index(kind)))  # the other end stays

    def test_break_between_two_points_and_at_one_point(self):
        at = {"line": 0, "arc": -10 + math.sqrt(175), "ellipse_arc": 5 * math.sin(math.pi / 3), "lwpolyline": 3,
              "polyline2d": 3, "spline": 3}
        kinds = list(at) + ["circle", "ellipse"]
        script = "".join(f"BREAK {pt(-5, at[k] + STEP * i)} {pt(5, at[k] + STEP * i)}\n" for i, k in enumerate(at))
        n = len(at)
        script += f"BREAK {pt(10, STEP * n)} {pt(0, 10 + STEP * n)}\n"
        script += f"BREAK {pt(0, 5 + STEP * (n + 1))} {pt(-10, STEP * (n + 1))}\n"
        script += f"BREAK {pt(-10, 0)} F {pt(-7, 0)} @\n"  # the line's first piece split at one point
        msp, _ = self.edit(script, kinds)
        shapes = by_band(msp, kinds)
        for kind in at:
            with self.subTest(kind):
                spans = sorted((min(p[0] for p in outline(e)), max(p[0] for p in outline(e))) for e in shapes[kind])
                expect = [(-10, -7), (-7, -5), (5, 10)] if kind == "line" else [(-10, -5), (5, 10)]
                self.assertEqual(len(spans), len(expect))
                for got, want in zip(spans, expect):
                    self.assertClose(got, want, 1e-4)
        for kind, gone in (("circle", lambda x, y: x > 0.5 and y > 0.5), ("ellipse", lambda x, y: x < -0.5 and y > 0.5)):
            with self.subTest(kind):
                (e,) = shapes[kind]
                self.assertEqual(e.dxftype(), "ARC" if kind == "circle" else "ELLIPSE")
                dy = STEP * kinds.index(kind)
                self.assertFalse([p for p in outline(e) if gone(p[0], p[1] - dy)])

    def test_lengthen_by_delta_percent_and_total(self):
        kinds = ["line", "arc", "lwpolyline", "polyline2d", "ellipse_arc", "spline"]
        msp0 = {}
        src = drawing(self.path("lengths.dxf"), kinds)
        for kind, (e,) in by_band(ezdxf.readfile(src).modelspace(), kinds).items():
            msp0[kind] = length(e)
        right_of = lambda i: pt(PICK_RIGHT[kinds[i]][0], PICK_RIGHT[kinds[i]][1] + STEP * i)
        picks = "".join(right_of(i) + "\n" for i in range(4))
        script = f"LENGTHEN DE 5\n{picks}\nLENGTHEN P 50\n{right_of(4)}\n{right_of(5)}\n\nLENGTHEN T 12\n{right_of(0)}\n\n"
        out = self.path("out.dxf")
        self.output(UCS + script, src, "-o", out)
        shapes = by_band(ezdxf.readfile(out).modelspace(), kinds)
        want = {"line": 12, "arc": msp0["arc"] + 5, "lwpolyline": msp0["lwpolyline"] + 5,
                "polyline2d": msp0["polyline2d"] + 5, "ellipse_arc": msp0["ellipse_arc"] / 2, "spline": msp0["spline"] / 2}
        for kind in kinds:
            with self.subTest(kind):
                (e,) = shapes[kind]
                self.assertAlmostEqual(length(e), want[kind], delta=2e-3 if kind in ("spline", "ellipse_arc") else 1e-6)
                # the left end stays where it was
                self.assertClose(min(outline(e)), (-10, STEP * kinds.index(kind)), 1e-6)

    def test_fillet_and_chamfer_on_lines_and_on_polylines(self):
        def extra(msp):
            msp.add_line(world(0, 0), world(20, 0))
            msp.add_line(world(20, 5), world(20, 30))  # short of the corner: extended to it
            msp.add_line(world(40, 0), world(60, 0))
            msp.add_line(world(60, 0), world(60, 20))
            for i, cls in ((1, "add_lwpolyline"), (2, "add_polyline2d")):
                pts = [world(x, y + STEP * i) for x, y in ((0, 0), (20, 0), (20, 10), (0, 10))]
                getattr(msp, cls)(pts, close=True)
        script = (f"FILLET R 4 {pt(10, 0)} {pt(20, 20)}\nCHAMFER D 2 3 {pt(50, 0)} {pt(60, 10)}\n"
                  f"FILLET P {pt(10, STEP)}\nCHAMFER P {pt(10, 2 * STEP)}\n")
        msp, text = self.edit(script, [], extra)
        self.assertIn("4 lines were filleted", text)
        self.assertIn("4 lines were chamfered", text)
        (arc,) = msp.query("ARC")
        self.assertAlmostEqual(arc.dxf.radius, 4)
        self.assertClose(user(arc.dxf.center), (16, 4))
        ends = sorted(tuple(round(c, 6) for c in user(p)) for l in msp.query("LINE") for p in (l.dxf.start, l.dxf.end))
        for p in [(0, 0), (16, 0), (20, 4), (20, 30), (40, 0), (58, 0), (60, 3), (60, 20), (58, 0), (60, 3)]:
            self.assertIn(tuple(round(c, 6) + 0.0 for c in p), ends)
        lw = msp.query("LWPOLYLINE")[0]
        self.assertEqual(len(lw), 8)
        self.assertEqual(sorted(round(v[4], 6) for v in lw.get_points()), [0] * 4 + [round(math.tan(math.pi / 8), 6)] * 4)
        self.assertAlmostEqual(length(lw), 60 - 8 * 4 + 2 * math.pi * 4, places=4)
        pl = msp.query("POLYLINE")[0]
        self.assertEqual(len(pl.vertices), 8)
        self.assertAlmostEqual(length(pl), 60 - 4 * (2 + 3) + 4 * math.sqrt(13), places=6)

    def test_join_lines_arcs_and_a_chain_of_mixed_curves(self):
        def extra(msp):
            msp.add_line(world(0, 0), world(10, 0))
            msp.add_line(world(10, 0), world(25, 0))
            msp.add_line(world(20, 0), world(30, 0))  # overlapping
            for a in ((0, 120), (120, 250), (250, 360)):
                msp.add_arc(world(0, 40), 5, a[0] + 30, a[1] + 30)
            msp.add_line(world(0, 80), world(10, 80))
            msp.add_arc(world(10, 85), 5, -90 + 30, 90 + 30)
            msp.add_lwpolyline([world(10, 90), world(0, 90), world(0, 80)])
        on_circle = lambda a: pt(5 * math.cos(a), 40 + 5 * math.sin(a))
        script = f"JOIN {pt(5, 0)} {pt(15, 0)} {pt(28, 0)}\n\nJOIN {on_circle(1)} {on_circle(3)} {on_circle(5)}\n\n"
        msp, text = self.edit(script + f"JOIN {pt(5, 80)} {pt(15, 85)} {pt(5, 90)}\n\n", [], extra)
        self.assertIn("3 lines joined into 1 line", text)
        self.assertIn("3 arcs joined into a circle", text)
        (line,) = [l for l in msp.query("LINE")]
        self.assertEqual(sorted(round(user(p)[0], 6) + 0.0 for p in (line.dxf.start, line.dxf.end)), [0, 30])
        (circle,) = msp.query("CIRCLE")
        self.assertClose(user(circle.dxf.center), (0, 40))
        (pl,) = msp.query("LWPOLYLINE")
        self.assertTrue(pl.closed)
        self.assertAlmostEqual(length(pl), 10 + 5 * math.pi + 10 + 10, places=4)

    def test_explode_polylines_block_references_and_hatches(self):
        def extra(msp):
            msp.add_lwpolyline([(*world(0, 0), 0, 0, 1), (*world(10, 0), 0, 0, 0), (*world(10, 10), 0, 0, 0)])
            msp.add_polyline2d([world(0, 40), world(10, 40), world(10, 50)])
            msp.add_blockref("Mark", world(0, 80), dxfattribs={"rotation": 30, "xscale": 3, "yscale": 3, "zscale": 3})
            h = msp.add_hatch()
            h.set_pattern_fill("ANSI31", scale=0.5)
            h.paths.add_polyline_path([world(0, 120), world(10, 120), world(10, 130), world(0, 130)], is_closed=True)
            s = msp.add_hatch()
            s.paths.add_polyline_path([world(0, 160), world(4, 160), world(4, 164)], is_closed=True)
        msp, _ = self.edit("EXPLODE ALL\n\n", [], extra)
        lines, arcs = msp.query("LINE"), msp.query("ARC")
        self.assertEqual(len(arcs), 1)
        self.assertAlmostEqual(arcs[0].dxf.radius, 5)
        self.assertClose(user(arcs[0].dxf.center), (5, 0))
        self.assertIn((10, 40), [tuple(round(c, 6) + 0.0 for c in user(l.dxf.end)) for l in lines])
        (circle,) = msp.query("CIRCLE")  # from the block, scaled and turned with the reference
        self.assertAlmostEqual(circle.dxf.radius, 1.5)
        self.assertClose(user(circle.dxf.center), (0, 80))
        mark = [l for l in lines if math.isclose(math.dist(l.dxf.start, l.dxf.end), 3)]
        self.assertClose(user(mark[0].dxf.end), (3, 80))
        pattern = [l for l in lines if 118 < user(l.dxf.start)[1] < 132]
        self.assertGreaterEqual(len(pattern), 5)
        for l in pattern:
            for p in (user(l.dxf.start), user(l.dxf.end)):
                self.assertTrue(-1e-6 <= p[0] <= 10 + 1e-6 and 120 - 1e-6 <= p[1] <= 130 + 1e-6, p)
        self.assertEqual(len(msp.query("HATCH")), 0)
        (solid,) = msp.query("LWPOLYLINE")
        self.assertTrue(solid.closed)


ALL_KINDS = CURVES + ["text", "insert", "hatch", "point"]


def rotation(center, angle):
    c, s = math.cos(angle), math.sin(angle)
    return lambda p: (center[0] + c * (p[0] - center[0]) - s * (p[1] - center[1]),
                      center[1] + s * (p[0] - center[0]) + c * (p[1] - center[1]))


def alike(a, b, tol=2e-3):
    """Two outlines (flattened at different places, from seams that may have turned) that lie on each other."""
    def near(p, pts):
        if len(pts) == 1:
            return math.dist(p, pts[0])
        best = math.inf
        for q, r in zip(pts, pts[1:]):
            d = (r[0] - q[0], r[1] - q[1])
            n = d[0] ** 2 + d[1] ** 2
            t = 0 if n == 0 else max(0, min(1, ((p[0] - q[0]) * d[0] + (p[1] - q[1]) * d[1]) / n))
            best = min(best, math.dist(p, (q[0] + t * d[0], q[1] + t * d[1])))
        return best
    return all(near(p, b) < tol for p in a) and all(near(p, a) < tol for p in b)


class WholeObjectCommands(Editing):
    """Commands that move, turn or copy whole objects, on every kind at once; the result's outlines (in user
    coordinates) must be the original outlines carried by the expected motions."""

    def check(self, script, motions):
        src = drawing(self.path("in.dxf"), ALL_KINDS)
        before = [(e.dxftype(), outline(e)) for e in ezdxf.readfile(src).modelspace()]
        msp, _ = self.edit(script, ALL_KINDS)
        after = [(e.dxftype(), outline(e)) for e in msp]
        self.assertEqual(len(after), len(before) * len(motions))
        for kind, pts in before:
            for i, motion in enumerate(motions):
                with self.subTest(kind=kind, motion=i):
                    want = [motion(p) for p in pts]
                    self.assertTrue(any(t == kind and alike(got, want) for t, got in after))

    def test_rotate_by_reference_as_a_copy(self):
        self.check("ROTATE ALL\n\n5,5 C R 10 55\n", [lambda p: p, rotation((5, 5), math.radians(45))])

    def test_copy_several_times(self):
        self.check("COPY ALL\n\n0,0 100,0 0,-300\n\n", [lambda p: p, lambda p: (p[0] + 100, p[1]),
                                                         lambda p: (p[0], p[1] - 300)])

    def test_rectangular_and_polar_arrays(self):
        self.check("ARRAY ALL\n\nR 2 2 500 -300\n",
                   [lambda p, dx=dx, dy=dy: (p[0] + dx, p[1] + dy) for dx in (0, -300) for dy in (0, 500)])
        self.check("ARRAY ALL\n\nP 0,-100 4 360 Y\n",
                   [rotation((0, -100), math.radians(90 * i)) for i in range(4)])

    def test_align_with_scaling_and_stretch_of_everything_inside(self):
        # (0,0) -> (500,0) and (10,0) -> (500,20): turned by 90 degrees about (500,0) and scaled by 2.
        self.check("ALIGN ALL\n\n0,0 500,0 10,0 500,20 \nY\n",
                   [lambda p: rotation((500, 0), math.pi / 2)((500 + 2 * p[0], 2 * p[1]))])
        self.check("STRETCH C -50,-50 50,500 0,0 7,-3\n", [lambda p: (p[0] + 7, p[1] - 3)])


class Stretching(Editing):
    def test_points_inside_the_crossing_window_move(self):
        kinds = ["line", "arc", "lwpolyline", "polyline2d", "spline", "circle", "text"]
        msp, _ = self.edit(f"STRETCH C 0.5,-20 20,{STEP * len(kinds)} 0,0 2,0\n", kinds)
        shapes = by_band(msp, kinds)
        for i, kind in enumerate(kinds):
            with self.subTest(kind):
                (e,) = shapes[kind]
                if kind == "circle":
                    self.assertClose(user(e.dxf.center), (0, STEP * i))  # centre outside: unmoved
                elif kind == "text":
                    self.assertClose(user(e.dxf.insert), (3, 2 + STEP * i))
                else:
                    self.assertClose(min(outline(e)), (-10, STEP * i))
                    self.assertClose(max(outline(e)), (12, STEP * i))


class LinkLines(CurvixRun):
    def fit_points(self, dxf):
        doc = ezdxf.readfile(dxf)
        return [[tuple(round(c, 6) + 0.0 for c in p)[:2] for p in s.fit_points] for s in doc.modelspace().query("SPLINE")]

    def test_links_follow_rotate_copy_then_move_and_stretch(self):
        out = self.path("links.dxf")
        r = self.run_curvix(
            "CIRCLE 0,0 10\nCIRCLE 100,0 10\nRECTANG 40,-60 60,-40\n"
            "linkLineAuto 10,0 90,0\nlinkLineAuto 0,-10 40,-50\n"
            "ROTATE 100,10\n\n100,-50 -90\n"      # the right circle turned to (150,-50)
            "COPY 0,10\n\n0,0 0,200\n\n"          # a copy of the left circle ...
            "MOVE 0,10\n\n0,0 -20,0\n"            # ... and the original moved: the links go with the original
            "MOVE 0,210\n\n0,0 500,0\n"           # the copy moved: no link follows it
            "STRETCH C 35,-65 45,-35 0,0 -10,0\n",  # the rectangle's left side pulled out
            "-o", out)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(self.fit_points(out), [[(-10, 0), (140, -50)], [(-20, -10), (30, -50)]])


class Help(CurvixRun):
    def test_help_lists_host_and_module_commands_and_shows_prompts(self):
        text = self.output("HELP\n\n? TRIM\nHELP linklineauto\nHELP NOSUCH\n")
        for name in ("CVXHOST", "COPY", "FILLET", "LENGTHEN", "linkLineAuto"):
            self.assertIn(name, text)
        self.assertIn("Select object to trim <Exit>:", text)
        self.assertIn('Unknown command "NOSUCH"', text)


if __name__ == "__main__":
    unittest.main()
