"""BOUNDARY through the curvix program: a script draws a divided rectangle with a circle, an ellipse and a turned
block inside, picks points in its areas (and one outside), and the new polylines are read back with ezdxf and
measured with shapely; the picture of the result is drawn too."""
import math
import os
import tempfile
import unittest

import ezdxf
from ezdxf.math import Vec2, bulge_to_arc
from shapely.geometry import Polygon

from dxf_e2e import run

SCRIPT = (
    "RECTANG 0,0 100,60\n"
    "LINE 60,0 60,60\n\n"
    "LINE 0,10 15,10\n\n"              # a dead end from the left side
    "CIRCLE 30,30 10\n"
    "ELLIPSE C 80,30 90,30 5\n"
    "RECTANG -2,-4 2,4\n"
    "BLOCK Tag 0,0 W -3,-5 3,5\n\n"    # the small rectangle moves into a block...
    "INSERT Tag 12,46 1 1 30\n"        # ...inserted turned by 30 degrees
    "LAYER M Bnd C 1 Bnd\n\n"
    "BOUNDARY 5,5 70,5 30,30 200,200\n\n"
    "ZOOM E\n"
)


def polygon(entity):
    """The closed polyline with its arcs flattened from the bulges, exactly on the circles (ezdxf's paths draw
    arcs as Bezier curves, a little off)."""
    pts = [Vec2(x, y) for x, y, _ in entity.get_points("xyb")]
    out = []
    for i, (_, _, b) in enumerate(entity.get_points("xyb")):
        a, e = pts[i], pts[(i + 1) % len(pts)]
        out.append(a)
        if b:
            center, start, end, r = bulge_to_arc(a, e, b)  # counter-clockwise from start to end
            sweep = (end - start) % math.tau
            n = 2000
            arc = [center + Vec2.from_angle(start + sweep * k / n, r) for k in range(1, n)]
            out += arc if b > 0 else arc[::-1]
    return Polygon([(p.x, p.y) for p in out])


class Boundary(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.out = os.path.join(cls.dir.name, "out.dxf")
        cls.png = os.environ.get("CVX_BOUNDARY_PNG") or os.path.join(cls.dir.name, "boundary.png")
        cls.result = run(SCRIPT, "-o", cls.out, "--png", cls.png, "--size", "800x500")
        ok = cls.result.returncode == 0
        cls.made = [e for e in ezdxf.readfile(cls.out).modelspace() if e.dxf.layer == "Bnd"] if ok else []

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def test_each_pick_reports_what_it_made(self):
        self.assertEqual(self.result.returncode, 0, self.result.stdout + self.result.stderr)
        out = self.result.stdout
        picks = [line for line in out.splitlines() if line.startswith(("BOUNDARY created", "No closed"))]
        self.assertEqual(picks, ["BOUNDARY created 3 polylines", "BOUNDARY created 2 polylines",
                                 "BOUNDARY created 1 polyline", "No closed boundary around the picked point."], out)

    def test_loops_are_closed_polylines_outer_first_with_islands_inside(self):
        self.assertEqual([e.dxftype() for e in self.made], ["LWPOLYLINE"] * 6)
        self.assertTrue(all(e.closed for e in self.made))
        shapes = [polygon(e) for e in self.made]
        # Per pick the outer loop first, then its islands in either order.
        areas = [shapes[0].area, *sorted(s.area for s in shapes[1:3]), shapes[3].area, shapes[4].area, shapes[5].area]
        for got, want in zip(areas, [3600, 32, 100 * math.pi, 2400, 50 * math.pi, 100 * math.pi]):
            self.assertAlmostEqual(got, want, delta=5e-5 * want)
        left = Polygon([(0, 0), (60, 0), (60, 60), (0, 60)])
        self.assertLess(shapes[0].symmetric_difference(left).area, 1e-9)
        for outer, islands in ((0, (1, 2)), (3, (4,))):
            for i in islands:
                self.assertTrue(shapes[outer].contains(shapes[i]), i)
        with_arcs = [k for k, e in enumerate(self.made) if any(b != 0 for *_, b in e.get_points("xyb"))]
        self.assertEqual(len(with_arcs), 2, "the circle comes out as arcs, from both picks")
        with open(self.png, "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")


if __name__ == "__main__":
    unittest.main()
