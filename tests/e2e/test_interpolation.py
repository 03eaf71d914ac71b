"""PLINT and PLARR through the curvix program with the module loaded: the polylines they add, read back by an
independent reader (ezdxf) and checked against closed forms. Their refusals are checked in
tests/unit/shaping/test_interpolation.cpp."""
import math
import unittest

import ezdxf

from curvix_run import CurvixRun


class Interpolation(CurvixRun):
    def added_polylines(self, script, inputs):
        """Runs the script; returns what it printed and the polylines after the first `inputs` ones."""
        out = self.path("out.dxf")
        printed = self.output(script, "-o", out)
        polylines = list(ezdxf.readfile(out).modelspace().query("LWPOLYLINE"))
        return printed, polylines[inputs:]

    def test_series_rides_on_a_reference_circle_arc(self):
        # Quarter circle of radius 50 about the origin from (50,0) to (0,50); vertex 0 of the first polyline is
        # its start, so vertex 0 of every polyline in between lies on it at the arc-length fraction f = t^3
        # (acceleration 100).
        printed, between = self.added_polylines(
            "PLINE 50,0 60,0 60,5 C\n"
            "PLINE 0,50 0,70 -10,70 C\n"
            "ARC C 0,0 50,0 0,50\n"
            "PLINT 60,2 0,60 3 100 35.3553,35.3553\n", 2)
        self.assertEqual(len(between), 3, printed)
        for j, pl in enumerate(between):
            f = ((j + 1) / 4) ** 3
            pts = [tuple(p[:2]) for p in pl.get_points()]
            angle = f * math.pi / 2
            self.assertAlmostEqual(pts[0][0], 50 * math.cos(angle), places=6)
            self.assertAlmostEqual(pts[0][1], 50 * math.sin(angle), places=6)
            # The rest of the shape is the plain in-between one, moved rigidly with vertex 0.
            # Edge 0 -> 1 runs (10, 0) on the first and (0, 20) on the second.
            self.assertAlmostEqual(pts[1][0] - pts[0][0], 10 - 10 * f, places=6)
            self.assertAlmostEqual(pts[1][1] - pts[0][1], 20 * f, places=6)
            self.assertTrue(pl.closed)

    def test_array_grid(self):
        printed, grid = self.added_polylines(
            "PLINE 0,0 10,0 5,8 C\n"
            "PLINE 100,50 130,50 115,75 C\n"
            "PLARR 0,0 115,75 3 2 0\n", 2)
        self.assertEqual(len(grid), 3 * 2 - 2, printed)
        # Columns outer, rows inner, X by the column fraction (0, 1), Y by the row fraction (0, 1/2, 1).
        firsts = [tuple(round(c, 9) for c in pl.get_points()[0][:2]) for pl in grid]
        self.assertEqual(firsts, [(0, 25), (0, 50), (100, 0), (100, 25)])
        self.assertEqual([round(c, 9) for c in grid[0].get_points()[2][:2]], [5, 41.5])


if __name__ == "__main__":
    unittest.main()
