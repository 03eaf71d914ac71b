"""Scripts run through the curvix program: the drawing it writes (read back with ezdxf), what it prints, and
how a script error stops it without writing anything."""
import math
import os
import subprocess
import unittest

import ezdxf

from curvix_run import CurvixRun
from dxf_e2e import CURVIX, run


class Drawing(CurvixRun):
    def setUp(self):
        super().setUp()
        self.out = self.path("out.dxf")

    def test_line_takes_relative_points_and_closes(self):
        # Every other kind the drawing commands make is read back in test_dxf_files.py.
        r = run("LINE 0,0 100,0 @0,50 C\n", "-o", self.out)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        ends = [tuple(l.dxf.end)[:2] for l in ezdxf.readfile(self.out).modelspace().query("LINE")]
        self.assertEqual(ends, [(100, 0), (100, 50), (0, 0)])  # @0,50 from the last point, then Close

    def test_block_insert_move_scale_mirror_erase(self):
        r = run(
            "CIRCLE 0,0 1\nLINE -1,0 1,0\n\n"
            "BLOCK Mark 0,0 W -2,-2 2,2\n\n"
            "INSERT Mark 10,10 2 3 90\n"
            "LINE 0,0 10,0\n\n"
            "MOVE L\n\n0,0 5,5\n"
            "SCALE L\n\n5,5 2\n"
            "MIRROR L\n\n0,0 0,10 N\n"
            "CIRCLE 50,50 1\nERASE L\n\n",
            "-o", self.out)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        doc = ezdxf.readfile(self.out)
        msp = doc.modelspace()
        self.assertEqual(len(doc.blocks.get("Mark")), 2)
        ins = msp.query("INSERT")[0]
        self.assertEqual((ins.dxf.name, ins.dxf.xscale, ins.dxf.yscale), ("Mark", 2, 3))
        self.assertAlmostEqual(ins.dxf.rotation, 90)
        lines = [(tuple(l.dxf.start)[:2], tuple(l.dxf.end)[:2]) for l in msp.query("LINE")]
        # Moved by (5,5), scaled by 2 about (5,5), then mirrored into a copy about the Y axis.
        self.assertEqual(lines, [((5, 5), (25, 5)), ((-5, 5), (-25, 5))])
        self.assertEqual(len(msp.query("CIRCLE")), 0)

    def test_system_variables_zoom_and_printed_lines(self):
        r = run("SETVAR PDMODE 35\nSETVAR PDSIZE 2.5\nZOOM C 10,20 40\n;@echo done\n", "-o", self.out)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("Command: SETVAR\nEnter variable name: PDMODE\nEnter new value for PDMODE <0>: 35\n", r.stdout)
        self.assertIn("\ndone\n", r.stdout)
        doc = ezdxf.readfile(self.out)
        self.assertEqual(doc.header["$PDMODE"], 35)
        self.assertAlmostEqual(doc.header["$PDSIZE"], 2.5)
        vport = doc.viewports.get("*Active")[0]
        self.assertAlmostEqual(vport.dxf.height, 40)
        self.assertEqual(tuple(vport.dxf.center)[:2], (10, 20))

    def test_opening_adding_and_pictures(self):
        first = run("LINE 0,0 10,10\n\n", "-o", self.out)
        self.assertEqual(first.returncode, 0, first.stderr)
        second_out = self.path("second.dxf")
        png = self.path("view.png")
        svg = self.path("view.svg")
        r = run("CIRCLE 5,5 3\nZOOM E\n", "-o", second_out, "--png", png, "--size", "320x200", "--svg", svg,
                drawing=self.out)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual([e.dxftype() for e in ezdxf.readfile(second_out).modelspace()], ["LINE", "CIRCLE"])
        with open(png, "rb") as f:
            head = f.read(24)
        self.assertEqual(head[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(int.from_bytes(head[16:20], "big"), 320)
        with open(svg) as f:
            self.assertIn("<svg", f.read())


class Errors(CurvixRun):
    def setUp(self):
        super().setUp()
        self.out = self.path("out.dxf")

    def check_fails(self, text, message):
        r = run(text, "-o", self.out, folder=self.dir.name)
        self.assertNotEqual(r.returncode, 0)
        self.assertRegex(r.stdout, message)
        self.assertFalse(os.path.exists(self.out), "nothing is written after a script error")
        return r

    def test_an_answer_that_does_not_fit_names_the_line(self):
        self.check_fails("LINE 0,0 5,5\n\nCIRCLE 1,1 big\n", r"\.scr:3: Requires a distance, numeric value or two "
                                                         r"points \(got 'big'\)")

    def test_unknown_command_and_bad_extension_lines(self):
        self.check_fails("\n\nFROB\n", r"\.scr:3: Unknown command \"FROB\"\.  Press F1 for help\.")
        self.check_fails(";@whatever\n", r"\.scr:1: unknown extension line ';@whatever'")
        self.check_fails("LINE 0,0 1,1\n\n;@expect-message Nope\n", r"expected the message 'Nope'")

    def test_existing_output_is_not_overwritten(self):
        with open(self.out, "w") as f:
            f.write("keep me")
        r = run("LINE 0,0 x\n", "-o", self.out)
        self.assertNotEqual(r.returncode, 0)
        with open(self.out) as f:
            self.assertEqual(f.read(), "keep me")

    def test_command_line_mistakes(self):
        r = subprocess.run([CURVIX, "--size", "huge"], capture_output=True, text=True, timeout=60)
        self.assertEqual(r.returncode, 2)
        self.assertIn("--size", r.stderr)
        r = subprocess.run([CURVIX, "--script", self.path("missing.scr")], capture_output=True,
                           text=True, timeout=60)
        self.assertEqual(r.returncode, 2)
        r = subprocess.run([CURVIX, "--help"], capture_output=True, text=True, timeout=60)
        self.assertEqual(r.returncode, 0)
        self.assertIn("usage: curvix", r.stdout)

    def test_terminal_input_from_a_pipe(self):
        r = subprocess.run([CURVIX, "-o", self.out], input="LINE 0,0 3,4\n\nQUIT\n", capture_output=True, text=True,
                           timeout=60)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("Command: ", r.stdout)
        line = ezdxf.readfile(self.out).modelspace().query("LINE")[0]
        self.assertAlmostEqual(math.dist(line.dxf.start, line.dxf.end), 5)


if __name__ == "__main__":
    unittest.main(verbosity=2)
