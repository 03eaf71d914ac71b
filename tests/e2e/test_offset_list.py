"""OFFSET and LIST through the curvix program: a script offsets a curve of every kind to both sides, then
lists everything. The offsets are checked with ezdxf and shapely (distance from the source and side), and
LIST's figures against closed forms."""
import math
import os
import re
import tempfile
import unittest

import ezdxf
from ezdxf import path as ezpath
from shapely.geometry import LineString, Point

from dxf_e2e import run

D = 3.0

# source kind, pick point on it, and a side point on each side (about 5 from the curve)
CASES = [
    ("POLYLINE", (115, 40), (115, 35), (115, 45)),  # a 2D polyline from the starting drawing
    ("LINE", (20, 5), (20 - 5 * 10 / math.hypot(40, 10), 5 + 5 * 40 / math.hypot(40, 10)),
     (20 + 5 * 10 / math.hypot(40, 10), 5 - 5 * 40 / math.hypot(40, 10))),
    ("ARC", (70, 15), (70, 20), (70, 10)),
    ("CIRCLE", (135, 0), (140, 0), (130, 0)),
    ("ELLIPSE", (190, 0), (195, 0), (185, 0)),
    ("LWPOLYLINE", (15, 40), (15, 35), (15, 45)),
    ("LWPOLYLINE", (65, 40), (65, 35), (65, 45)),
    ("POLYLINE", (160, 40), (160, 35), (160, 45)),  # 3D
    ("SPLINE", (15, 110), (15, 115), (15, 105)),
]

DRAW = (
    "LINE 0,0 40,10\n\n"
    "ARC C 70,0 85,0 55,0\n"
    "CIRCLE 120,0 15\n"
    "ELLIPSE C 170,0 190,0 8\n"
    "PLINE 0,40 30,40 A 30,60 L 0,60\n\n"
    "PLINE 50,40 80,40 A 80,60 L 50,60 C\n"
    "3DPOLY 150,40,0 170,40,0 170,60,0\n\n"
    "SPLINE 0,90 15,110 30,90 45,110\n\n\n\n"
    "ZOOM E\n"
)


def pt(p):
    return "%.9g,%.9g" % p


def offset_script():
    answers = []
    for _, pick, a, b in CASES:
        answers += [pt(pick), pt(a), pt(pick), pt(b)]
    return "OFFSET %g\n" % D + "\n".join(answers) + "\n\n"


def start_drawing(path):
    doc = ezdxf.new()
    # a half circle from (130, 40) to (130, 60) between two lines
    doc.modelspace().add_polyline2d([(100, 40, 0), (130, 40, 1), (130, 60, 0), (100, 60, 0)], format="xyb")
    doc.saveas(path)


def shape(entity):
    if entity.dxftype() in ("ARC", "CIRCLE", "ELLIPSE", "SPLINE"):  # exact points, not Bezier stand-ins
        pts = [(v.x, v.y) for v in entity.flattening(1e-5)]
    else:
        pts = [(v.x, v.y) for v in ezpath.make_path(entity).flattening(1e-5)]
    return LineString(pts)


def listed(stdout):
    """LIST's blocks: the kind and a dict of 'name: value' lines."""
    blocks = []
    for line in stdout.splitlines():
        m = re.match(r'^(\S.*?)  layer: "', line)
        if m:
            blocks.append((m.group(1), {}))
        elif blocks and line.startswith("    ") and ": " in line:
            k, v = line.strip().split(": ", 1)
            blocks[-1][1].setdefault(k, v)
    return blocks


def ellipse_perimeter(a, b, n=20000):
    h = 2 * math.pi / n
    return sum(math.hypot(a * math.sin((i + 0.5) * h), b * math.cos((i + 0.5) * h)) for i in range(n)) * h


class OffsetList(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        drawing = os.path.join(cls.dir.name, "in.dxf")
        cls.out = os.path.join(cls.dir.name, "out.dxf")
        start_drawing(drawing)
        cls.result = run(DRAW + offset_script() + "LIST ALL\n\n", "-o", cls.out, drawing=drawing, timeout=300)
        cls.entities = list(ezdxf.readfile(cls.out).modelspace()) if cls.result.returncode == 0 else []

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def test_script_runs(self):
        self.assertEqual(self.result.returncode, 0, self.result.stdout + self.result.stderr)
        self.assertNotIn("Cannot offset", self.result.stdout)

    def test_every_kind_is_offset_to_both_sides_at_the_distance(self):
        sources, offsets = self.entities[:len(CASES)], self.entities[len(CASES):]
        self.assertEqual([e.dxftype() for e in sources], [c[0] for c in CASES])
        self.assertEqual(len(offsets), 2 * len(CASES), [e.dxftype() for e in offsets])
        for k, (kind, _, side_a, side_b) in enumerate(CASES):
            src = shape(sources[k])
            for j, side in enumerate((side_a, side_b)):
                off = offsets[2 * k + j]
                with self.subTest(kind=kind, case=k, side=j):
                    self.assertEqual(off.dxftype(), {"ELLIPSE": "SPLINE"}.get(kind, kind))
                    self.assertEqual(off.dxf.layer, sources[k].dxf.layer)
                    line = shape(off)
                    for i in range(51):
                        p = line.interpolate(i / 50, normalized=True)
                        self.assertAlmostEqual(src.distance(p), D, delta=1e-3)
                    # on the side shown: the offset passes D nearer to the side point than the source does
                    self.assertAlmostEqual(line.distance(Point(side)), src.distance(Point(side)) - D, delta=1e-3)

    def test_list_figures_match_closed_forms(self):
        blocks = listed(self.result.stdout)
        self.assertEqual(len(blocks), 3 * len(CASES), [b[0] for b in blocks])
        by_kind = {}
        for kind, fields in blocks:
            by_kind.setdefault(kind, []).append(fields)
        for fields in blocks:
            self.assertIn("handle", fields[1])
            self.assertEqual(fields[1]["space"], "Model space")
            self.assertEqual(fields[1]["colour"], "ByLayer")
        line = by_kind["LINE"][0]
        self.assertAlmostEqual(float(line["length"]), math.hypot(40, 10), places=5)
        self.assertAlmostEqual(float(line["angle in the XY plane"]), math.degrees(math.atan2(10, 40)), places=5)
        self.assertTrue(line["delta X"].startswith("40  delta Y: 10  delta Z: 0"), line["delta X"])
        arc = by_kind["ARC"][0]
        self.assertAlmostEqual(float(arc["length"]), math.pi * 15, places=5)
        self.assertAlmostEqual(float(arc["total angle"]), 180, places=5)
        radii = sorted(float(c["radius"]) for c in by_kind["CIRCLE"])
        self.assertEqual(radii, [15 - D, 15, 15 + D])
        circle = next(c for c in by_kind["CIRCLE"] if float(c["radius"]) == 15)
        self.assertAlmostEqual(float(circle["circumference"]), 30 * math.pi, places=5)
        self.assertAlmostEqual(float(circle["area"]), 225 * math.pi, places=4)
        ell = by_kind["ELLIPSE"][0]
        self.assertAlmostEqual(float(ell["radius ratio"]), 0.4, places=6)
        self.assertAlmostEqual(float(ell["length"]), ellipse_perimeter(20, 8), places=4)
        self.assertAlmostEqual(float(ell["area"]), math.pi * 20 * 8, places=4)
        lw = by_kind["LWPOLYLINE"]
        closed = next(p for p in lw[:2] if "area" in p)
        self.assertAlmostEqual(float(closed["length"]), 30 + 10 * math.pi + 30 + 20, places=5)
        self.assertAlmostEqual(float(closed["area"]), 30 * 20 + math.pi * 100 / 2, places=4)
        heavy = by_kind["2D POLYLINE"][0]
        self.assertAlmostEqual(float(heavy["length"]), 30 + 10 * math.pi + 30, places=5)
        self.assertEqual(heavy["vertex 2"], "X=130  Y=40  Z=0  bulge: 1")
        poly3 = by_kind["3D POLYLINE"][0]
        self.assertAlmostEqual(float(poly3["length"]), 40, places=6)
        spline = by_kind["SPLINE"][0]
        self.assertTrue(spline["degree"].startswith("3"))
        self.assertEqual(spline["fit points"], "4")


if __name__ == "__main__":
    unittest.main()
