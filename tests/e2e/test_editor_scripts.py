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

    def test_drawing_commands_make_the_entities_users_expect(self):
        r = run(
            "; a little of everything\n"
            "LAYER M Walls C 1 Walls\n\n"
            "LINE 0,0 100,0 @0,50 C\n"
            "CIRCLE 50,25 D 20\n"
            "PLINE 0,60 W 1 1 30,60 A 30,80 L 0,80 C\n"
            "RECTANG 70,60 90,80\n"
            "ARC 110,0 120,10 130,0\n"
            "ELLIPSE C 130,30 150,30 10\n"
            "SPLINE 110,50 120,60 130,50 140,60\n\n\n\n"
            "3DPOLY 0,0,0 10,0,5 10,10,10\n\n"
            "POINT 5,5,1\n"
            "TEXT 0,90 5 0 Hello world\n"
            "MTEXT 0,120 40,100 Two\\Plines\n"
            "COLOR 3\n"
            "HATCH SOLID W 65,55 95,85\n\n",
            "-o", self.out)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        doc = ezdxf.readfile(self.out)
        msp = doc.modelspace()
        kinds = [e.dxftype() for e in msp]
        self.assertEqual(kinds, ["LINE"] * 3 + ["CIRCLE", "LWPOLYLINE", "LWPOLYLINE", "ARC", "ELLIPSE", "SPLINE",
                                                "POLYLINE", "POINT", "TEXT", "MTEXT", "HATCH"])
        self.assertTrue(all(e.dxf.layer == "Walls" for e in msp))
        self.assertEqual(doc.layers.get("Walls").color, 1)
        lines = msp.query("LINE")
        self.assertEqual(tuple(lines[1].dxf.end)[:2], (100, 50))  # @0,50 from the last point
        self.assertEqual(tuple(lines[2].dxf.end)[:2], (0, 0))     # Close
        self.assertAlmostEqual(msp.query("CIRCLE")[0].dxf.radius, 10)
        pline = msp.query("LWPOLYLINE")[0]
        self.assertTrue(pline.closed)
        pts = pline.get_points("xyseb")
        # The arc leaves (30,60) heading east and ends at (30,80): a counter-clockwise half circle.
        self.assertAlmostEqual(pts[1][4], 1.0, places=9)
        self.assertAlmostEqual(pts[0][2], 1.0)
        arc = msp.query("ARC")[0]
        self.assertAlmostEqual(arc.dxf.radius, 10)
        self.assertAlmostEqual(arc.dxf.start_angle % 360, 0)
        self.assertAlmostEqual(arc.dxf.end_angle % 360, 180)
        ell = msp.query("ELLIPSE")[0]
        self.assertAlmostEqual(ell.dxf.ratio, 0.5)
        self.assertEqual(len(list(msp.query("POLYLINE")[0].vertices)), 3)
        self.assertEqual(msp.query("TEXT")[0].dxf.text, "Hello world")
        self.assertEqual(msp.query("MTEXT")[0].text, "Two\\Plines")
        hatch = msp.query("HATCH")[0]
        self.assertEqual(hatch.dxf.pattern_name, "SOLID")
        self.assertEqual(hatch.dxf.color, 3)
        self.assertEqual(len(hatch.paths), 1)

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
