"""PLOFFSET and PLRNDArray through the curvix program with the module loaded: the copies they add, read back by
an independent reader (ezdxf) and checked against closed forms. Sides, refusals, the half-wave law and QXTY are
checked in tests/unit/polyline."""
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


class RandomArrays(BatchRun):
    def test_random_steps_repeat_with_a_fixed_seed(self):
        script = "CIRCLE 0,0 1\nPLRNDArray ALL\n\n20 3 90 1\n"
        runs = [[c.dxf.center.y for c in self.run_batch(script, seed=7)[1].query("CIRCLE")] for _ in range(2)]
        self.assertEqual(runs[0], runs[1])
        steps = [b - a for a, b in zip(runs[0], runs[0][1:])]
        self.assertEqual(len(steps), 19)
        for s in steps:
            self.assertGreaterEqual(s, 3 * 50 / 150 - 1e-9)
            self.assertLessEqual(s, 3 * 149 / 150 + 1e-9)


if __name__ == "__main__":
    unittest.main()
