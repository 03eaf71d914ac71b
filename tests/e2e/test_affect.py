"""The affect tools through the curvix program with the module loaded: a row of circles near a line pushed and
scaled (PLAFFECT), a column following a slanted line (plAffectMoveX) and two rounds of the click tool
(plAffClick), read back by an independent reader (ezdxf) and checked against closed forms."""
import math
import unittest

import ezdxf

from curvix_run import CurvixRun

ROW_XS = (2, 5, 8, 12)


class Affect(CurvixRun):
    def run_drawing(self, script):
        out = self.path("out.dxf")
        printed = self.output(script, "-o", out)
        return printed, ezdxf.readfile(out).modelspace()

    def test_plaffect_with_a_tiny_distance_takes_half_the_view(self):
        row = "".join(f"CIRCLE {x},0 0.5\n" for x in ROW_XS)
        out, msp = self.run_drawing("ZOOM C 0,0 100\nLINE 0,-20 0,20\n\n" + row +
                                    "PLAFFECT 0,10\n\nW 1,-1 13,1\n\n\n0.001\n\n\n\n\n")
        self.assertIn("Please input the influence strength[1--10](3):", out)
        circles = sorted(msp.query("CIRCLE"), key=lambda c: c.dxf.center.x)
        self.assertEqual(len(circles), len(ROW_XS))
        d, s = 50.0, 0.3  # VIEWSIZE / 2, the default strength
        for x, c in zip(ROW_XS, circles):
            push = 0.5 * d * s * ((d - x) / d) ** 1.5
            self.assertAlmostEqual(c.dxf.center.x, x + push, places=6)
            self.assertAlmostEqual(c.dxf.center.y, 0, places=9)
            self.assertAlmostEqual(c.dxf.radius, 0.5 * math.sqrt(math.sin(x * math.pi / 2 / d)), places=6)

    def test_move_x_lines_a_column_up_and_refuses_a_point(self):
        column = "".join(f"CIRCLE 0,{y} 1\n" for y in (2, 5, 8))
        out, msp = self.run_drawing("LINE 10,0 0,10\n\nPOINT 30,30\n" + column +
                                    "plAffectMoveX 5,5\nW -2,0 2,10\n\n\n"
                                    "plAffectMoveX 30,30\n30,30\n\n\n")
        self.assertIn("Which you selected as an influence curve is not a line, polyline, or spline.", out)
        for c in msp.query("CIRCLE"):
            self.assertAlmostEqual(c.dxf.center.x, 10 - c.dxf.center.y, places=5)

    def test_click_tool_shrinks_then_enlarges_and_keeps_the_factor(self):
        out, msp = self.run_drawing("PLINE 0,0 4,0 4,4 0,4 C\nCIRCLE 10,2 0.5\nCIRCLE 40,2 0.5\n"
                                    "plAffClick 0,2\n10.5,2\n40.5,2\n\n"
                                    ";@key alt down\n10,2\n;@key alt up\n;@key control down\n0,0\n"
                                    ";@key control up\n;@cancel\n")
        self.assertIn("Press Ctrl to enlarge the entities, and press ESC to exit.", out)
        near, far = sorted(msp.query("CIRCLE"), key=lambda c: c.dxf.center.x)
        self.assertAlmostEqual(near.dxf.radius, 0.5 * 0.5 * 1.25)
        self.assertAlmostEqual(far.dxf.radius, 0.5)
        tags = near.get_xdata("CRUVIX")
        self.assertEqual([t.value for t in tags][0], "ScaleFactor")
        self.assertAlmostEqual(tags[1].value, 0.625)
        tool, copy = msp.query("LWPOLYLINE")
        self.assertEqual(copy.dxf.color, 1, "the red copy stays in the drawing")
        xs = [p[0] for p in copy.get_points()]
        self.assertAlmostEqual(max(xs) - min(xs), 3.2, msg="dragged, then shrunk by 0.8 once")
        self.assertAlmostEqual((max(xs) + min(xs)) / 2, 10)
        self.assertEqual([p[0] for p in tool.get_points()], [0, 4, 4, 0])


if __name__ == "__main__":
    unittest.main()
