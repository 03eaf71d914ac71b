"""txt2PL and ZB2PL through the curvix program with the module loaded. Text outlines are read back with ezdxf
(the metafile block exploded by ezdxf's own insert transform) and their box checked against DejaVu Sans metrics
read from the font file; coordinate files written here come back as the polylines and vertices they describe."""
import os
import unittest

import ezdxf

from curvix_run import CurvixRun

CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

# DejaVu Sans in font units, cap height ('H') 1493: x from A's left edge (16) to the right edge of 8
# (advances A 1401 and B 1405, then 8's xMax 1163); y from 8's bottom (-29) to its top (1520).
AB8_BOX = (16 / 1493, -29 / 1493, (1401 + 1405 + 1163) / 1493, 1520 / 1493)
AB8_LOOPS = 2 + 3 + 3  # A, B and 8


class TextOutlines(CurvixRun):
    def outlines(self, script):
        out = self.path("out.dxf")
        printed = self.output(script, "-o", out)
        doc = ezdxf.readfile(out)
        msp = doc.modelspace()
        loops = [e for ins in msp.query("INSERT") for e in ins.virtual_entities()]
        return printed, doc, msp, loops

    @staticmethod
    def box(loops):
        pts = [(v.x, v.y) for e in loops for v in e.vertices_in_wcs()]
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        return min(xs), min(ys), max(xs), max(ys)

    def test_text_becomes_its_glyph_outlines_in_place(self):
        x0, y0, h = 10, 20, 5
        printed, doc, msp, loops = self.outlines(
            "SETVAR MIRRTEXT 0\nLINE -50,-50 -40,-40\n\nTEXT %g,%g %g 0 AB8\ntxt2PL L\n\n" % (x0, y0, h))
        self.assertEqual(len(msp.query("TEXT")), 0, "the text is replaced")
        self.assertEqual(len(msp.query("LINE")), 1, "other objects stay")
        self.assertEqual(len(msp.query("INSERT")), 1)
        self.assertEqual(len(loops), AB8_LOOPS)
        self.assertTrue(all(e.dxftype() == "LWPOLYLINE" and e.closed for e in loops))
        expected = (x0 + AB8_BOX[0] * h, y0 + AB8_BOX[1] * h, x0 + AB8_BOX[2] * h, y0 + AB8_BOX[3] * h)
        for got, want in zip(self.box(loops), expected):
            self.assertAlmostEqual(got, want, delta=0.01 * h)
        # read forwards, not mirrored: the A (two loops) is the leftmost glyph
        left = sorted(loops, key=lambda e: self.box([e])[0])[:2]
        self.assertLess(max(self.box([left[1]])[0], self.box([left[0]])[0]), x0 + 0.5 * h)
        self.assertEqual(doc.header["$MIRRTEXT"], 0, "MIRRTEXT is restored")

    @unittest.skipUnless(os.path.exists(CJK_FONT), "no CJK font")
    def test_chinese_text_and_mtext(self):
        printed, doc, msp, loops = self.outlines(
            "TEXT 0,0 10 0 中文\nMTEXT 0,-20 100,-40 AB\ntxt2PL ALL\n\n")
        self.assertEqual(len(msp.query("TEXT MTEXT")), 0)
        self.assertGreater(len(loops), 2 + 3 + 4)  # more than the A and B
        x_lo, y_lo, x_hi, y_hi = self.box([e for e in loops if self.box([e])[1] > -5])
        self.assertGreater(x_lo, -0.5)
        self.assertTrue(20 < x_hi < 30, x_hi)  # two square glyphs a little wider than the text height
        self.assertGreater(y_lo, -3)
        self.assertLess(y_hi, 12)

    def test_nothing_selected(self):
        printed, doc, msp, loops = self.outlines("LINE 0,0 10,10\n\ntxt2PL ALL\n\n")
        self.assertIn("No selected.", printed)
        self.assertEqual(len(msp.query("LINE")), 1)
        self.assertEqual(len(msp.query("INSERT")), 0)


class CoordinateFiles(CurvixRun):
    def import_file(self, text, encoding="utf-8"):
        coords = self.path("coords.txt")
        with open(coords, "w", encoding=encoding, newline="") as f:
            f.write(text)
        out = self.path("out.dxf")
        printed = self.output(';@file "%s"\nZB2PL\n' % coords, "-o", out)
        return printed, ezdxf.readfile(out).modelspace()

    BLOCKS = "0,0\n10,0\n10,10\n\n0,0,5\n0,0,7\n"

    def test_blocks_become_polylines(self):
        printed, msp = self.import_file(self.BLOCKS + "\n")
        self.assertIn("Added < 2> polylines.", printed)
        lw = msp.query("LWPOLYLINE")
        self.assertEqual(len(lw), 1)
        self.assertEqual([tuple(p[:2]) for p in lw[0].get_points()], [(0, 0), (10, 0), (10, 10)])
        self.assertFalse(lw[0].closed)
        p3 = msp.query("POLYLINE")
        self.assertEqual(len(p3), 1)
        self.assertTrue(p3[0].is_3d_polyline)
        given = [v for v in p3[0].vertices if not v.dxf.flags & 8]  # not the vertices a spline fit adds
        self.assertEqual([tuple(v.dxf.location) for v in given], [(0, 0, 5), (0, 0, 7)])

    def test_unended_block_and_separators_in_utf16(self):
        printed, msp = self.import_file(self.BLOCKS, encoding="utf-16")
        self.assertIn("Added < 1> polylines.", printed)
        self.assertEqual(len(msp.query("POLYLINE")), 0)

        printed, msp = self.import_file("3；4\n5,,6\n3 , 8 // corner\n1e1|-2.5e0\n// end\n", encoding="utf-16")
        self.assertIn("Error in line 2, data discarded, please check: [5,,6]", printed)
        self.assertIn("Added < 1> polylines.", printed)
        pts = [tuple(p[:2]) for p in msp.query("LWPOLYLINE")[0].get_points()]
        self.assertEqual(pts, [(3, 4), (3, 8), (10, -2.5)])

    def test_junk_leaves_the_drawing_unchanged(self):
        printed, msp = self.import_file("x,,y\n,,\nsome words\n")
        self.assertIn("Error in line 1, data discarded, please check: [x,,y]", printed)
        self.assertIn("Error in line 2", printed)
        self.assertIn("Added < 0> polylines.", printed)
        self.assertEqual(len(msp), 0)
        printed, msp = self.import_file("1,2\n")
        self.assertIn("Too few lines in file！", printed)
        self.assertEqual(len(msp), 0)


if __name__ == "__main__":
    unittest.main()
