"""Drawings made with curvix commands and saved: the independent reader (ezdxf) finds the geometry, text, layers,
colours and blocks that were drawn, its audit finds nothing to fix, and a reopened drawing gives new entities
new handles."""
import math
import os
import tempfile
import unittest

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode

from curvix_run import CurvixRun
from dxf_e2e import audit_problems, entity_handles, file_handles, run

EVERY_KIND = (
    "LAYER M Walls C 1 Walls N Doors C 5 Doors\n\n"
    "LINE 0,0 100,0 @0,50\n\n"
    "PLINE 0,60 W 1 2 30,60 A 30,80 L 0,80 C\n"
    "CIRCLE 50,25 12.5\n"
    "ARC 110,0 120,10 130,0\n"
    "ELLIPSE C 130,30 150,30 10\n"
    "SPLINE 110,50 120,60 130,50 140,60\n\n\n\n"
    "3DPOLY 0,0,0 10,0,5 10,10,10\n\n"
    "POINT 5,5,1\n"
    "TEXT 0,90 5 30 Hello world\n"
    "MTEXT 0,120 40,100 你好，世界\\Pline two\n"
    "LAYER S Doors\n\n"
    "COLOR t\n10,20,30\n"
    "RECTANG 200,0 300,100\n"
    "CIRCLE 250,50 20\n"
    "HATCH ANSI31 W 190,-10 310,110\n\n"
    "COLOR 3\n"
    "RECTANG 400,0 450,50\n"
    "HATCH S L\n\n"
    "COLOR BYLAYER\n"
    "CIRCLE 0,0 1\n"
    "LINE -1,0 1,0\n\n"
    "BLOCK Mark 0,0 W -2,-2 2,2\n\n"
    "INSERT Mark 10,10 2 3 90\n"
)


def xy(p):
    return tuple(round(c, 9) for c in tuple(p)[:2])


class EveryEntityKind(unittest.TestCase):
    """One drawing with every kind of entity the commands make, read back by ezdxf."""

    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.path = os.path.join(cls.dir.name, "every.dxf")
        r = run(EVERY_KIND, "-o", cls.path)
        assert r.returncode == 0, r.stdout + r.stderr
        cls.doc = ezdxf.readfile(cls.path)
        cls.msp = cls.doc.modelspace()

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def one(self, kind, index=0):
        return self.msp.query(kind)[index]

    def test_the_audit_finds_nothing_to_fix(self):
        self.assertEqual(audit_problems(self.path), [])
        self.assertEqual(self.doc.dxfversion, "AC1015")

    def test_entities_in_drawing_order(self):
        self.assertEqual([e.dxftype() for e in self.msp],
                         ["LINE", "LINE", "LWPOLYLINE", "CIRCLE", "ARC", "ELLIPSE", "SPLINE", "POLYLINE", "POINT",
                          "TEXT", "MTEXT", "LWPOLYLINE", "CIRCLE", "HATCH", "LWPOLYLINE", "HATCH", "INSERT"])

    def test_lines_circles_arcs_ellipses_points(self):
        self.assertEqual([(xy(l.dxf.start), xy(l.dxf.end)) for l in self.msp.query("LINE")],
                         [((0, 0), (100, 0)), ((100, 0), (100, 50))])
        circle = self.one("CIRCLE")
        self.assertEqual((xy(circle.dxf.center), circle.dxf.radius), ((50, 25), 12.5))
        arc = self.one("ARC")  # through (110,0) (120,10) (130,0): centre (120,0), radius 10, the upper half
        self.assertEqual(xy(arc.dxf.center), (120, 0))
        self.assertAlmostEqual(arc.dxf.radius, 10)
        self.assertAlmostEqual(arc.dxf.start_angle % 360, 0)
        self.assertAlmostEqual(arc.dxf.end_angle % 360, 180)
        ell = self.one("ELLIPSE")
        self.assertEqual((xy(ell.dxf.center), xy(ell.dxf.major_axis)), ((130, 30), (20, 0)))
        self.assertAlmostEqual(ell.dxf.ratio, 0.5)
        self.assertAlmostEqual(ell.dxf.end_param - ell.dxf.start_param, 2 * math.pi)
        self.assertEqual(tuple(self.one("POINT").dxf.location), (5, 5, 1))

    def test_polyline_bulges_and_widths(self):
        pline = self.one("LWPOLYLINE")
        self.assertTrue(pline.closed)
        pts = pline.get_points("xyseb")
        self.assertEqual([xy(p) for p in pts], [(0, 60), (30, 60), (30, 80), (0, 80)])
        self.assertEqual([(p[2], p[3]) for p in pts], [(1, 2)] * 4)  # the width stays for the next segments
        self.assertEqual([round(p[4], 9) for p in pts], [0, 1, 0, 0])  # a counter-clockwise half circle
        rect = self.one("LWPOLYLINE", 1)
        self.assertEqual([xy(p) for p in rect.get_points("xy")], [(200, 0), (300, 0), (300, 100), (200, 100)])

    def test_spline_and_3d_polyline(self):
        spline = self.one("SPLINE")
        self.assertEqual(spline.dxf.degree, 3)
        self.assertEqual([xy(p) for p in spline.fit_points], [(110, 50), (120, 60), (130, 50), (140, 60)])
        # The curve ezdxf evaluates from the written control points and knots passes through the fit points.
        curve = spline.construction_tool()
        for fit in spline.fit_points:
            nearest = min(math.dist(fit, p) for p in curve.approximate(2000))
            self.assertLess(nearest, 0.05)
        poly = self.one("POLYLINE")
        self.assertTrue(poly.is_3d_polyline)
        self.assertEqual([tuple(v.dxf.location) for v in poly.vertices], [(0, 0, 0), (10, 0, 5), (10, 10, 10)])

    def test_text_and_chinese_mtext(self):
        text = self.one("TEXT")
        self.assertEqual((text.dxf.text, xy(text.dxf.insert), text.dxf.height), ("Hello world", (0, 90), 5))
        self.assertAlmostEqual(text.dxf.rotation, 30)
        mtext = self.one("MTEXT")
        # The 2000 format keeps characters outside the code page as \U+XXXX.
        self.assertEqual(decode_dxf_unicode(mtext.text), "你好，世界\\Pline two")
        self.assertEqual((xy(mtext.dxf.insert), mtext.dxf.width), ((0, 120), 40))

    def test_hatches_solid_and_pattern_with_a_hole(self):
        pattern, solid = self.msp.query("HATCH")
        self.assertEqual((pattern.dxf.pattern_name, pattern.dxf.solid_fill), ("ANSI31", 0))
        self.assertEqual(len(pattern.paths), 2)
        outer, hole = pattern.paths
        self.assertEqual(sorted(xy(v) for v in outer.vertices), [(200, 0), (200, 100), (300, 0), (300, 100)])
        self.assertTrue(outer.is_closed)
        (edge,) = hole.edges
        self.assertEqual((edge.type.name, xy(edge.center), edge.radius), ("ARC", (250, 50), 20))
        self.assertAlmostEqual(abs(edge.end_angle - edge.start_angle), 360)
        self.assertEqual((solid.dxf.pattern_name, solid.dxf.solid_fill), ("SOLID", 1))
        self.assertEqual(sorted(xy(v) for v in solid.paths[0].vertices), [(400, 0), (400, 50), (450, 0), (450, 50)])

    def test_layers_and_colours(self):
        self.assertEqual({(l.dxf.name, l.dxf.color) for l in self.doc.layers if l.dxf.name in ("Walls", "Doors")},
                         {("Walls", 1), ("Doors", 5)})
        kinds_on = lambda layer: [e.dxftype() for e in self.msp if e.dxf.layer == layer]
        self.assertEqual(kinds_on("Walls"), ["LINE", "LINE", "LWPOLYLINE", "CIRCLE", "ARC", "ELLIPSE", "SPLINE",
                                             "POLYLINE", "POINT", "TEXT", "MTEXT"])
        self.assertEqual(kinds_on("Doors"), ["LWPOLYLINE", "CIRCLE", "HATCH", "LWPOLYLINE", "HATCH", "INSERT"])
        true_coloured = self.msp[11:14]
        for e in true_coloured:
            self.assertEqual(e.rgb, (10, 20, 30), e.dxftype())
        self.assertEqual([e.dxf.color for e in self.msp[14:16]], [3, 3])
        self.assertFalse(self.msp[14].has_dxf_attrib("true_color"))
        self.assertEqual(self.one("INSERT").dxf.color, 256)  # ByLayer is the default, written or not
        self.assertEqual(self.one("LINE").dxf.color, 256)

    def test_block_and_its_reference(self):
        block = self.doc.blocks.get("Mark")
        self.assertEqual(sorted(e.dxftype() for e in block), ["CIRCLE", "LINE"])
        self.assertEqual(tuple(block.block.dxf.base_point), (0, 0, 0))
        circle = block.query("CIRCLE")[0]
        self.assertEqual((xy(circle.dxf.center), circle.dxf.radius), ((0, 0), 1))
        ins = self.one("INSERT")
        self.assertEqual((ins.dxf.name, xy(ins.dxf.insert), ins.dxf.xscale, ins.dxf.yscale),
                         ("Mark", (10, 10), 2, 3))
        self.assertAlmostEqual(ins.dxf.rotation, 90)
        # The line's end (1,0) scaled by (2,3) and turned a quarter lands at (10,12).
        (line,) = [v for v in ins.virtual_entities() if v.dxftype() == "LINE"]
        self.assertEqual(sorted([xy(line.dxf.start), xy(line.dxf.end)]), [(10, 8), (10, 12)])


class SavingAgain(CurvixRun):
    """Reopening a drawing and adding to it: the handles of the file are not given out again. (That saving again
    gives the same bytes and handles is checked in tests/unit/dxf/test_roundtrip.cpp and test_dxf_foreign.py.)"""

    def test_an_entity_added_to_a_reopened_drawing_gets_a_new_handle(self):
        first, second = self.path("1.dxf"), self.path("2.dxf")
        self.assertEqual(run(EVERY_KIND, "-o", first).returncode, 0)
        r = run("LINE 0,0 -5,-5\n\n", "-o", second, drawing=first)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        before, after = ezdxf.readfile(first), ezdxf.readfile(second)
        old = file_handles(first)  # ezdxf adds objects of its own when it loads, so ask the file
        added = entity_handles(after) - entity_handles(before)
        self.assertEqual(len(added), 1)
        self.assertNotIn(added.pop(), old, "a handle of the file is not given out again")
        self.assertGreater(int(after.header["$HANDSEED"], 16), max(int(h, 16) for h in old))
        self.assertEqual(audit_problems(second), [])


class DrawingPaths(CurvixRun):
    """A drawing name that is not taken yet starts a new drawing; a path that cannot name a file is refused."""

    def test_a_new_name_starts_a_new_drawing(self):
        new, out = self.path("new.dxf"), self.path("out.dxf")
        r = run("LINE 0,0 3,4\n\n", "-o", out, drawing=new)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual([e.dxftype() for e in ezdxf.readfile(out).modelspace()], ["LINE"])

    def test_a_path_through_a_file_is_refused(self):
        plain = self.path("plain.txt")
        with open(plain, "w") as f:
            f.write("not a folder\n")
        out = self.path("out.dxf")
        for drawing in (os.path.join(plain, "x.dxf"), os.path.join(plain, "sub", "x.dxf")):
            r = run("LINE 0,0 3,4\n\n", "-o", out, drawing=drawing)
            self.assertEqual(r.returncode, 1, r.stdout + r.stderr)
            self.assertIn("cannot open " + drawing + ": Not a directory", r.stderr)
            self.assertFalse(os.path.exists(out), "nothing is written after a refused drawing")


if __name__ == "__main__":
    unittest.main(verbosity=2)
