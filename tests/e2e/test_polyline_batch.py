"""PLOFFSET, PLRNDArray and QXTY through the curvix program with the module loaded: the copies they add, read
back by an independent reader (ezdxf) and checked against closed forms."""
import math
import unittest

import ezdxf

from curvix_run import CurvixRun


class BatchRun(CurvixRun):
    def run_batch(self, script, seed=None):
        """Runs the script with the module loaded; returns what it printed and the saved drawing's model space."""
        out = self.path("out.dxf")
        printed = self.output(script, "-o", out, env={} if seed is None else {"CURVIX_RANDOM_SEED": str(seed)})
        return printed, ezdxf.readfile(out).modelspace()


class Offsets(BatchRun):
    def test_rings_on_both_sides_on_the_current_layer(self):
        out, msp = self.run_batch(
            "CIRCLE 0,0 10\n"
            "LAYER M Rings C 3 Rings\n\n"
            "PLOFFSET ALL\n\nD 3 M\n2/1\n")
        rings = msp.query("CIRCLE")
        self.assertEqual(sorted(round(c.dxf.radius, 9) for c in rings), [6, 7, 8, 10, 12, 13, 14])
        self.assertEqual(sorted(c.dxf.layer for c in rings), ["0"] + ["Rings"] * 6)

    def test_clockwise_outline_gets_its_outer_copies_outside(self):
        # Drawn clockwise: the source is turned round first.
        out, msp = self.run_batch("PLINE 0,0 0,10 10,10 10,0 C\nPLOFFSET ALL\n\nO 2 2\n")
        polylines = msp.query("LWPOLYLINE")
        self.assertEqual(len(polylines), 3)
        source = [(x, y) for x, y, *_ in polylines[0].get_points()]
        area = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(source, source[1:] + source[:1])) / 2
        self.assertGreater(area, 0, "the source now runs counter-clockwise")
        for copy, d in zip(polylines[1:], (2, 4)):
            xs = [p[0] for p in copy.get_points()]
            self.assertAlmostEqual(min(xs), -d)
            self.assertAlmostEqual(max(xs), 10 + d)

    def test_cancelled_and_empty_runs_change_nothing(self):
        out, msp = self.run_batch("CIRCLE 0,0 10\nTEXT 0,0 1 0 note\nPLOFFSET ALL\n\n")
        self.assertEqual(len(msp.query("CIRCLE")), 1)
        out, msp = self.run_batch("TEXT 0,0 1 0 note\nPLOFFSET ALL\n\n")
        self.assertIn("No Curves selected.", out)


class RandomArrays(BatchRun):
    def test_half_wave_steps(self):
        out, msp = self.run_batch("LINE 0,0 0,5\n\nPLRNDArray ALL\n\n5 2 0 2 10\n")
        xs = [round(l.dxf.start.x, 9) for l in msp.query("LINE")]
        expected = [0.0]
        for j in range(1, 5):
            expected.append(round(expected[-1] + 2 * math.cos(j / 10 * math.pi / 2), 9))
        self.assertEqual(xs, expected)

    def test_random_steps_repeat_with_a_fixed_seed(self):
        script = "CIRCLE 0,0 1\nPLRNDArray ALL\n\n20 3 90 1\n"
        runs = [[c.dxf.center.y for c in self.run_batch(script, seed=7)[1].query("CIRCLE")] for _ in range(2)]
        self.assertEqual(runs[0], runs[1])
        steps = [b - a for a, b in zip(runs[0], runs[0][1:])]
        self.assertEqual(len(steps), 19)
        for s in steps:
            self.assertGreaterEqual(s, 3 * 50 / 150 - 1e-9)
            self.assertLessEqual(s, 3 * 149 / 150 + 1e-9)


class Projection(BatchRun):
    def test_a_3d_polyline_laid_flat(self):
        out, msp = self.run_batch("3DPOLY 0,0,5 10,0,8 10,10,-3\n\nQXTY ALL\n\n")
        self.assertIn("< 1 > new curves added.", out)
        self.assertEqual(len(msp.query("POLYLINE")), 1, "the 3D polyline stays")
        flat = msp.query("LWPOLYLINE")
        self.assertEqual(len(flat), 1)
        self.assertEqual(flat[0].dxf.elevation, 0)
        self.assertEqual([tuple(p[:2]) for p in flat[0].get_points()], [(0, 0), (10, 0), (10, 10)])


if __name__ == "__main__":
    unittest.main()
