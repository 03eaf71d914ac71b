"""PLMAP4 through the curvix program with the module loaded: curves mapped into a fence of four curves, read
back by an independent reader (ezdxf) and checked against closed forms."""
import math
import unittest

import ezdxf

from curvix_run import CurvixRun

# Box (0,0)-(10,5); the fence is that box scaled by two, its top and left drawn the wrong way round.
SCALED_FENCE = ("LINE 20,10 0,10\n\nLINE 0,0 20,0\n\nLINE 0,10 0,0\n\nLINE 20,0 20,10\n\n")
FENCE_PICKS = "10,10 10,0 0,5 20,5\n"


class FenceMap(CurvixRun):
    def run_map(self, script):
        out = self.path("out.dxf")
        printed = self.output(script, "-o", out)
        return printed, ezdxf.readfile(out).modelspace()

    def test_a_scaled_fence_scales_line_and_circle(self):
        out, msp = self.run_map(SCALED_FENCE + "LINE 2,1 8,3\n\nCIRCLE 5,2.5 1.5\n"
                                "PLMAP4 W 1,0.5 9,4.5\n\n0,0 10,5\n" + FENCE_PICKS)
        lines = msp.query("LINE")
        self.assertEqual(len(lines), 6, out)
        top = lines[0]
        self.assertEqual((top.dxf.start.x, top.dxf.start.y), (0, 10), "the top now runs left to right")
        self.assertEqual((lines[2].dxf.start.x, lines[2].dxf.start.y), (0, 0), "the left now runs upward")
        mapped = lines[5]
        self.assertAlmostEqual(mapped.dxf.start.x, 4)
        self.assertAlmostEqual(mapped.dxf.start.y, 2)
        self.assertAlmostEqual(mapped.dxf.end.x, 16)
        self.assertAlmostEqual(mapped.dxf.end.y, 6)
        splines = msp.query("SPLINE")
        self.assertEqual(len(splines), 1, "the circle comes back as a curve through its mapped samples")
        points = list(splines[0].fit_points) or list(splines[0].control_points)
        # circle of length 3π against a reference of 20: 47 samples, clamped to 36
        self.assertEqual(len(points), 36)
        for p in points:
            self.assertAlmostEqual(math.hypot(p[0] - 10, p[1] - 5), 3, places=6)

    def test_thin_boxes_are_asked_again_and_a_non_curve_fence_ends_the_command(self):
        out, msp = self.run_map(SCALED_FENCE + "POINT 30,30\nLINE 2,1 8,3\n\n"
                                "PLMAP4 L\n\n0,0 10,0.0005\n0,0 0.0005,5\n0,0 10,5\n10,10 10,0 0,5 30,30\n")
        self.assertIn("Box height cannot less than 0.001.", out)
        self.assertIn("Box width cannot less than 0.001.", out)
        self.assertIn("Error: not a curve selected.", out)
        lines = msp.query("LINE")
        self.assertEqual(len(lines), 5, "nothing drawn")
        self.assertEqual((lines[0].dxf.start.x, lines[0].dxf.start.y), (20, 10), "nor any fence curve turned round")


if __name__ == "__main__":
    unittest.main()
