"""The formula dialog through the curvix program with the Curvix module: rows picked, curves previewed and
replaced as sliders move, the final curves and the axes block read back with ezdxf, the choices kept in the
registry for the next run, and pictures of the dialog and the drawing."""
import math
import os
import unittest

import ezdxf

from curvix_run import SOURCE, CurvixRun


class FormulaDialog(CurvixRun):
    def test_the_example_previews_replaces_and_places_curves_and_remembers_the_choices(self):
        out, png = self.path("formula.dxf"), self.path("formula.png")
        r = self.run_script_file(os.path.join(SOURCE, "examples", "formula_dialog.scr"), "-o", out, "--png", png)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(r.stdout.count("Please specify the origin>>"), 2)

        doc = ezdxf.readfile(out)
        msp = doc.modelspace()
        # Four previews of the heart (Preview, two slider steps, closing) leave one heart, the last one.
        hearts = [e for e in msp.query("LWPOLYLINE") if e.dxf.color == 1]
        self.assertEqual(len(hearts), 1)
        heart = hearts[0]
        self.assertTrue(heart.closed)
        points = [tuple(p[:2]) for p in heart.get_points()]
        self.assertEqual(len(points), 35)
        # Width 30: the top notch at (0, 30/32 * 5), the widest point at x = 15.
        self.assertAlmostEqual(points[0][0], 0, places=9)
        self.assertAlmostEqual(points[0][1], 30 / 32 * 5, places=9)
        self.assertAlmostEqual(max(p[0] for p in points), 15, places=9)

        # The hyperbola a = 6, b = 3, N = 2: two branches of 72 samples about (80, 0), nothing else of it left.
        branches = [e for e in msp.query("LWPOLYLINE") if e.dxf.color != 1]
        self.assertEqual(len(branches), 2)
        first = [tuple(p[:2]) for p in branches[0].get_points()]
        second = [tuple(p[:2]) for p in branches[1].get_points()]
        self.assertEqual((len(first), len(second)), (72, 72))
        self.assertAlmostEqual(first[0][0], 80 + 2 * math.sqrt(109), places=9)
        self.assertAlmostEqual(second[0][0], 80 - 2 * math.sqrt(109), places=9)
        self.assertAlmostEqual(first[0][1], -10, places=9)
        self.assertEqual(len(msp), 4)  # the heart, two branches, the axes

        # The axes: one reference at the origin to an anonymous block of lines and values. The branches reach
        # x 80 +- 20.9 and y -10..9.72: step 1 on both, ticks -20..20 on X and -10..9 without 0 on Y.
        insert = msp.query("INSERT")[0]
        self.assertEqual(tuple(insert.dxf.insert)[:2], (80, 0))
        block = doc.blocks.get(insert.dxf.name)
        self.assertTrue(block.name.startswith("*U"))
        self.assertEqual(tuple(block.block.dxf.base_point)[:2], (80, 0))
        lines, texts = block.query("LINE"), block.query("TEXT")
        self.assertEqual(len(lines), 2 + 41 + 19)
        self.assertEqual(sorted(int(t.dxf.text) for t in texts), sorted(list(range(-20, 21)) + [k for k in range(-10, 10) if k]))
        x_axis = lines[0]
        self.assertAlmostEqual(x_axis.dxf.start.x, 80 - 2 * math.sqrt(109), places=6)
        self.assertEqual(x_axis.dxf.end.x, 80 + 21)

        # The third run of the dialog opened with the stored choices.
        self.assertIn("[x] Draw UCS", r.stdout)
        self.assertIn("[Polyline v]", r.stdout)
        self.assertIn("> 5 6. Hyperbola", r.stdout)
        with open(self.registry, encoding="utf-8") as f:
            stored = f.read()
        for value in ('"formula_ListIndex"=dword:00000005', '"formula_curveIsPline"=dword:00000001',
                      '"formula_XYcoor"=dword:00000001'):
            self.assertIn(value, stored)
        self.assertTrue(os.path.getsize(self.path("formula_dialog_window.png")) > 1000)
        self.assertTrue(os.path.getsize(png) > 1000)

    def test_closing_without_preview_draws_nothing_and_in_chinese_asks_in_chinese(self):
        with open(self.registry, "w", encoding="utf-8") as f:
            f.write("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Tarnwick\\Curvix]\n"
                    "\"ChineseVersion\"=dword:00000001\n\"formula_ListIndex\"=dword:00000050\n")
        out = self.path("cn.dxf")
        r = self.run_curvix("FORMULA\n;@dialog show\n;@dialog close\n"
                            "FORMULA\n;@dialog click 4004\n0,0\n;@dialog close\n",
                          "-o", out)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn("> 0 1. 心形曲线", r.stdout)  # 0x50 = 80 lies outside the list
        self.assertIn("[生成 Spline v]", r.stdout)
        self.assertIn("请指定原点>>", r.stdout)
        entities = list(ezdxf.readfile(out).modelspace())
        self.assertEqual([e.dxftype() for e in entities], ["SPLINE"])


if __name__ == "__main__":
    unittest.main()
