"""Dialogs driven by script lines through the curvix program: the demo dialog's events, its hiding for a point
prompt, the picture of its client area, and the drawing it leaves (read back with ezdxf). Scripts that run out
of events or send one the dialog cannot take are checked in tests/unit/ui/test_driver.cpp."""
import os
import unittest

import ezdxf

from curvix_run import SOURCE, CurvixRun
from png_read import read_png


class DemoDialog(CurvixRun):
    module = None

    def test_the_example_script_places_two_shapes_and_pictures_the_dialog(self):
        out = self.path("demo.dxf")
        r = self.run_script_file(os.path.join(SOURCE, "examples", "dialog_demo.scr"), "-o", out)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn("Origin of the shape: 50,50", r.stdout)
        self.assertIn("3003  slider        1..100 at 80", r.stdout)
        msp = ezdxf.readfile(out).modelspace()
        square = msp.query("LWPOLYLINE")[0]
        self.assertTrue(square.closed)
        self.assertEqual(square.dxf.color, 3)  # green
        self.assertEqual(sorted(tuple(p[:2]) for p in square.get_points()),
                         [(10, 10), (10, 90), (90, 10), (90, 90)])
        circle = msp.query("CIRCLE")[0]
        self.assertEqual((circle.dxf.center.x, circle.dxf.center.y, circle.dxf.radius), (150, 50, 15))
        self.assertEqual(circle.dxf.color, 1)  # red, the default
        width, height, rows = read_png(self.path("dialog_demo_window.png"))
        self.assertEqual((width, height), (420, 250))
        # The preview shows a filled green square of half side 5 + 80*60/100 = 53 around (345, 75).
        green = [rows[75 + dy][345 + dx] for dy in (-50, 0, 50) for dx in (-50, 0, 50)]
        self.assertTrue(all(g == (30, 160, 60) for g in green), green)
        self.assertEqual(rows[75][345 - 60], (255, 255, 255))


if __name__ == "__main__":
    unittest.main()
