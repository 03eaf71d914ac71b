"""The polyline tools run through the curvix program with the module loaded: every command on every curve kind
its selection admits, the drawings read back with ezdxf and the curves checked against ezdxf's own geometry.
The commands' counts and messages, conversions and batch edits are checked in tests/unit/polyline.
Hatch boundary recovery runs on a drawing written by ezdxf (tests/data/polyline/hatch_loops.dxf)."""
import itertools
import math
import os
import tempfile
import unittest

import ezdxf
from ezdxf import path as ezpath
from shapely.geometry import MultiLineString

from curvix_run import BINARY_DIR, SOURCE, CurvixRun, run_curvix

HATCHES = os.path.join(SOURCE, "tests", "data", "polyline", "hatch_loops.dxf")

# One drawing with every curve kind, each in its own place.
EVERY_KIND = (
    "LINE 0,0 30,10\n\n"
    "CIRCLE 50,0 10\n"
    "ARC 90,0 100,10 110,0\n"
    "ELLIPSE C 140,0 160,0 5\n"
    "SPLINE 180,0 190,10 200,0 210,10\n\n\n\n"
    "PLINE 230,0 250,0 250,20 230,20\n\n"
    "3DPOLY 270,0,0 280,0,10 280,10,20\n\n"
)


RUNS = itertools.count()


def run(folder, script, drawing=None, png=None):
    """Runs the script in the folder with the module loaded; returns (process, path of the saved drawing), a new
    drawing each run."""
    out = os.path.join(folder, f"out{next(RUNS)}.dxf")
    r = run_curvix(folder, os.path.join(folder, "registry.reg"), script, "-o", out, *(["--png", png] if png else []),
                   drawing=drawing)
    return r, out


def flat(entity, distance=0.001):
    """Points along an entity, by ezdxf's own geometry (splines evaluated exactly: a path would approximate
    one of low degree by cubic pieces)."""
    if entity.dxftype() == "SPLINE":
        return [(v.x, v.y, v.z) for v in entity.construction_tool().flattening(distance)]
    return [(v.x, v.y, v.z) for v in ezpath.make_path(entity).flattening(distance)]


def dist_to_polyline(p, pts):
    best = math.inf
    for a, b in zip(pts, pts[1:]):
        ab = [b[i] - a[i] for i in range(3)]
        ap = [p[i] - a[i] for i in range(3)]
        ll = sum(c * c for c in ab)
        t = 0 if ll == 0 else max(0.0, min(1.0, sum(ab[i] * ap[i] for i in range(3)) / ll))
        q = [a[i] + t * ab[i] for i in range(3)]
        best = min(best, math.dist(p, q))
    return best


def vertices(e):
    """The defining vertices: of a spline-fit polyline its control points, not the fitted ones."""
    if e.dxftype() == "LWPOLYLINE":
        return [(x, y, e.dxf.elevation) for x, y in e.get_points("xy")]
    control = [v for v in e.vertices if v.dxf.flags & 16]
    return [tuple(v.dxf.location) for v in (control or e.vertices)]


class PolylineTools(CurvixRun):
    @classmethod
    def setUpClass(cls):
        cls.kinds_dir = tempfile.TemporaryDirectory()
        r, cls.every_kind = run(cls.kinds_dir.name, EVERY_KIND)
        assert r.returncode == 0, r.stdout + r.stderr

    @classmethod
    def tearDownClass(cls):
        cls.kinds_dir.cleanup()

    def run_tools(self, script, drawing=None):
        return run(self.dir.name, script, drawing)

    def check(self, r):
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)

    def on_every_kind(self, script, processed):
        """Runs the script on the drawing of every curve kind, which must report the count of curves it processed;
        returns the drawing it saved."""
        r, out = self.run_tools(script, drawing=self.every_kind)
        self.check(r)
        self.assertIn(f"Processed <{processed} > curve(s) OK.", r.stdout)
        return out

    def test_plyh_on_lightweight_2d_and_3d_polylines(self):
        wave = " ".join(f"{x},{5 * math.sin(x / 8):.4f}" for x in range(0, 120))
        wave3 = " ".join(f"{x},{5 * math.sin(x / 8):.4f},{x / 10}" for x in range(0, 120))
        r, out = self.run_tools(f"PLINE {wave}\n\n3DPOLY {wave3}\n\nPLINE 0,30 50,30 100,30\n\n"
                                "PL2OLD L\n\nPLYH ALL\n\n\n")
        self.check(r)
        msp = ezdxf.readfile(out).modelspace()
        kinds = sorted(e.dxftype() + ("3d" if e.dxftype() == "POLYLINE" and e.is_3d_polyline else "")
                       for e in msp)
        self.assertEqual(kinds, ["LWPOLYLINE", "LWPOLYLINE", "POLYLINE3d"])
        for e in msp:
            self.assertLess(len(vertices(e)), 120)

    def test_plyh3_makes_closed_cubic_spline_fit_polylines(self):
        ring = " ".join(f"{20 * math.cos(i * math.pi / 20):.4f},{10 * math.sin(i * math.pi / 20):.4f}"
                        for i in range(40))
        r, out = self.run_tools(f"PLINE {ring} C\nPLYH3 ALL\n\n")
        self.check(r)
        msp = ezdxf.readfile(out).modelspace()
        self.assertEqual([e.dxftype() for e in msp], ["POLYLINE"])
        pl = msp[0]
        self.assertTrue(pl.is_2d_polyline)
        self.assertTrue(pl.is_closed)
        self.assertTrue(pl.dxf.flags & 4, "spline-fit")
        self.assertEqual(pl.dxf.smooth_type, 6, "cubic")
        for x, y, _ in vertices(pl):
            self.assertAlmostEqual(math.hypot(x / 20, y / 10), 1.0, delta=0.06)

    def test_pldd_reverses_every_kind(self):
        after = self.on_every_kind("PLDD ALL\n\n", 7)
        old = list(ezdxf.readfile(self.every_kind).modelspace())
        new = list(ezdxf.readfile(after).modelspace())
        for a, b in zip(old, new):
            pa, pb = flat(a), flat(b)
            # The same ground, run the other way.
            for p in pb[:: max(1, len(pb) // 10)]:
                self.assertLess(dist_to_polyline(p, pa), 1e-3, a.dxftype())
            if a.dxftype() != "CIRCLE":
                self.assertLess(math.dist(pa[0], pb[-1]), 1e-6, a.dxftype())
                self.assertLess(math.dist(pa[-1], pb[0]), 1e-6, a.dxftype())

    def test_s2p_replaces_splines_only_and_follows_them(self):
        out = self.on_every_kind("s2p ALL\n\n20\n", 1)
        spline = ezdxf.readfile(self.every_kind).modelspace().query("SPLINE")[0]
        msp = ezdxf.readfile(out).modelspace()
        self.assertEqual(len(msp.query("SPLINE")), 0)
        new = [e for e in msp.query("LWPOLYLINE") if 179 <= vertices(e)[0][0] < 225]  # not the drawing's PLINE
        self.assertEqual(len(new), 1)
        ref = flat(spline, 0.0005)
        for p in vertices(new[0]):
            self.assertLess(dist_to_polyline(p, ref), 0.01)

    def test_p2s_turns_every_admitted_kind_into_a_spline_on_the_same_ground(self):
        out = self.on_every_kind("p2s ALL\n\nY\n64\n", 6)
        old = [e for e in ezdxf.readfile(self.every_kind).modelspace() if e.dxftype() != "SPLINE"]
        new = list(ezdxf.readfile(out).modelspace())
        self.assertTrue(all(e.dxftype() == "SPLINE" for e in new))
        self.assertEqual(len(new), 7)
        for a in old:
            ref = flat(a)
            x0 = min(p[0] for p in ref)
            match = [b for b in new if abs(min(p[0] for p in flat(b)) - x0) < 0.5]
            self.assertEqual(len(match), 1, a.dxftype())
            for p in flat(match[0], 0.01):
                self.assertLess(dist_to_polyline(p, ref), 0.05, a.dxftype())

    def test_pldf_and_pldjdf_on_every_kind(self):
        for script, expect in (("PLDF ALL\n\n12\n", None), ("PLDJDF ALL\n\n2\n", 2.0)):
            msp = list(ezdxf.readfile(self.on_every_kind(script, 7)).modelspace())
            sources, made = msp[:7], msp[7:]
            self.assertEqual(len(made), 7)
            for src, pl in zip(sources, made):
                ref = flat(src, 0.0005)
                pts = vertices(pl)
                if expect is None:
                    self.assertEqual(len(pts), 12, src.dxftype())
                for p in pts:
                    self.assertLess(dist_to_polyline(p, ref), 0.005, src.dxftype())
                self.assertLess(math.dist(pts[-1], ref[-1]), 1e-6, src.dxftype())

    def test_chbj_recovers_every_loop_kind_of_a_drawing_written_elsewhere(self):
        r, out = self.run_tools("CHBJ ALL\n\n", drawing=HATCHES)
        self.check(r)
        msp = ezdxf.readfile(out).modelspace()
        hatches = msp.query("HATCH")
        self.assertEqual(len(hatches), 6)
        ground = [[(v.x, v.y, 0.0) for v in p.flattening(0.0005)] for h in hatches for p in ezpath.from_hatch(h)]
        made = [e for e in msp if e.dxftype() != "HATCH"]
        self.assertEqual(sorted(e.dxftype() for e in made),
                         sorted(["LWPOLYLINE"] * 2 + ["LINE"] * 3 + ["ARC"] * 2 + ["CIRCLE"] +
                                ["ELLIPSE"] * 2 + ["LINE"] * 2 + ["SPLINE", "LINE"] * 2))
        for e in made:
            self.assertEqual(e.dxf.color, 1)
            for p in flat(e, 0.01):
                self.assertLess(min(dist_to_polyline(p, g) for g in ground), 0.01, e.dxftype())


class RealDrawings(unittest.TestCase):
    """PLYH and PLYH3 on a third-party drawing, LibreCAD's part library (used where it is installed, not
    copied): its splines become dense polylines (s2p at precision 99), which PLYH thins and PLYH3 smooths.
    Pictures of before and after are kept under the build folder for a person to look at."""
    DRAWING = "/usr/share/librecad/library/plan/air_water/aw21.dxf"

    @classmethod
    def setUpClass(cls):
        if not os.path.isfile(cls.DRAWING):
            raise unittest.SkipTest("LibreCAD's part library is not installed")
        cls.dir = tempfile.TemporaryDirectory()
        cls.pics = os.path.join(BINARY_DIR, "polyline_pictures")
        os.makedirs(cls.pics, exist_ok=True)
        r, cls.dense = run(cls.dir.name, "s2p ALL\n\n99\nZOOM E\n", drawing=cls.DRAWING,
                           png=cls.picture("plyh_before"))
        assert r.returncode == 0, r.stdout + r.stderr
        cls.before = [vertices(e) for e in ezdxf.readfile(cls.dense).modelspace().query("LWPOLYLINE POLYLINE")]
        box = MultiLineString([[p[:2] for p in v] for v in cls.before]).bounds
        cls.size = math.hypot(box[2] - box[0], box[3] - box[1])

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    @classmethod
    def picture(cls, name):
        return os.path.join(cls.pics, name + ".png")

    def run_on_dense(self, script, name):
        r, out = run(self.dir.name, script + "ZOOM E\n", drawing=self.dense, png=self.picture(name))
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        return r, [vertices(e) for e in ezdxf.readfile(out).modelspace().query("LWPOLYLINE POLYLINE")]

    def assert_same_shape(self, after, share):
        """Every vertex list of after lies within share x the drawing's size of the dense polylines, and back."""
        old = MultiLineString([[p[:2] for p in v] for v in self.before])
        new = MultiLineString([[p[:2] for p in v] for v in after])
        self.assertLess(old.hausdorff_distance(new), share * self.size)

    def test_dense_polylines_from_splines_keep_their_shape_when_thinned(self):
        self.assertEqual(len(self.before), 15)
        r, after = self.run_on_dense("PLYH ALL\n\n1\n", "plyh_after")
        n0, n1 = sum(map(len, self.before)), sum(map(len, after))
        self.assertIn(f"befor optimization : {n0}\uff0c nVertexs now: {n1}\uff0c", r.stdout)
        self.assertEqual(len(after), len(self.before))
        self.assertLess(n1, n0 / 2)
        # At tolerance 1 points closer than 0.0005 of the size merge; the shape moves by about that much.
        self.assert_same_shape(after, 0.005)

    def test_dense_polylines_from_splines_smoothed(self):
        r, after = self.run_on_dense("PLYH3 ALL\n\n", "plyh3_after")
        self.assertEqual(len(after), len(self.before))
        self.assertLess(sum(map(len, after)), sum(map(len, self.before)))
        self.assert_same_shape(after, 0.01)


if __name__ == "__main__":
    unittest.main()
