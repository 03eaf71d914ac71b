"""PLBLENDS through the curvix program with the module loaded: the gradient splines between a line and an arc,
read back by an independent reader (ezdxf) and checked against closed forms: their count, colours and fit
points, with and without reference curves."""
import math
import unittest

import ezdxf

from curvix_run import CurvixRun

SAMPLES = 36  # 6 x surftab1 (6 by default)
# A red line (0,0)-(40,0) and a blue upper half circle about (20,10), drawn from (40,10) round to (0,10).
LINE_AND_ARC = "COLOR 1\nLINE 0,0 40,0\n\nCOLOR 5\nARC C 20,10 40,10 0,10\nCOLOR BYLAYER\n"


def line_sample(i):
    return (40 * i / (SAMPLES - 1), 0)


def arc_sample(i):
    """The arc's samples once it runs from (0,10) to (40,10)."""
    angle = math.pi - math.pi * i / (SAMPLES - 1)
    return (20 + 20 * math.cos(angle), 10 + 20 * math.sin(angle))


def along(points, fraction):
    """The point a fraction of the polyline's length from its first point."""
    legs = [math.dist(a, b) for a, b in zip(points, points[1:])]
    left = fraction * sum(legs)
    for (a, b), leg in zip(zip(points, points[1:]), legs):
        if left <= leg:
            return (a[0] + (b[0] - a[0]) * left / leg, a[1] + (b[1] - a[1]) * left / leg)
        left -= leg
    return points[-1]


class Blends(CurvixRun):
    def splines(self, script):
        out = self.path("out.dxf")
        printed = self.output(script, "-o", out)
        msp = ezdxf.readfile(out).modelspace()
        return printed, msp, list(msp.query("SPLINE"))

    def assert_fit_points(self, spline, f, start_shift=(0, 0), end_shift=(0, 0)):
        points = list(spline.fit_points)
        self.assertEqual(len(points), SAMPLES)
        for i, p in enumerate(points):
            u = i / (SAMPLES - 1)
            a, b = line_sample(i), arc_sample(i)
            for k in range(2):
                expected = a[k] + (b[k] - a[k]) * f + (1 - u) * start_shift[k] + u * end_shift[k]
                self.assertAlmostEqual(p[k], expected, places=6, msg=f"point {i}")

    def test_line_to_arc_shades_red_to_blue(self):
        # The arc is picked near (0,10), its end: it is turned to start there, beside the line's picked start.
        printed, msp, splines = self.splines(LINE_AND_ARC + "PLBLENDS 1,0 0.304,13.47\n\n3 0\n")
        self.assertEqual(len(splines), 3, printed)
        for j, spline in enumerate(splines):
            f = (j + 1) / 4
            self.assert_fit_points(spline, f)
            self.assertEqual(spline.rgb, (int(255 * (1 - f)), 0, int(255 * f)))
        self.assertEqual(len(msp), 5, "the working copies stay out of the drawing")

    def test_references_hold_the_ends_and_are_turned_in_the_drawing(self):
        # References drawn from the arc's side to the line's: the right one, given first, runs from (40,10) out to
        # (48,5) and back to (40,0); the left one from (0,0) out to (-8,5) and up to (0,10). The right one turns out
        # to be the end-side reference and is turned round to run from the line's end. Both curves in the layer's
        # colour: the family keeps it. Acceleration 50: fractions t^2.
        left = [(0, 0), (-8, 5), (0, 10)]
        right = [(40, 10), (48, 5), (40, 0)]
        printed, msp, splines = self.splines(
            "LINE 0,0 40,0\n\nARC C 20,10 40,10 0,10\nPLINE 40,10 48,5 40,0\n\nPLINE 0,0 -8,5 0,10\n\n"
            "PLBLENDS 20,0 20,30 44,7.5 -4,2.5 2 50\n")
        self.assertEqual(len(splines), 2, printed)
        polylines = list(msp.query("LWPOLYLINE"))
        self.assertEqual([tuple(p[:2]) for p in polylines[0].get_points()], right[::-1], "turned round")
        self.assertEqual([tuple(p[:2]) for p in polylines[1].get_points()], left, "left as drawn")
        for j, spline in enumerate(splines):
            f = ((j + 1) / 3) ** 2
            (sx, sy), (ex, ey) = along(left, f), along(right[::-1], f)
            # shifted from the plain family's ends, (0, 10 f) and (40, 10 f)
            self.assert_fit_points(spline, f, (sx, sy - 10 * f), (ex - 40, ey - 10 * f))
            self.assertEqual(spline.dxf.color, 7, "the layer's colour, white, kept as an index colour")


if __name__ == "__main__":
    unittest.main()
