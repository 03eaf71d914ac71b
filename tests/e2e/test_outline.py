"""makeOutline and INOFFSET through the curvix program with the module loaded: the outline's area against an
independent union of the same figure (shapely), and the inner offsets' places read back with ezdxf."""
import math
import os
import unittest

import ezdxf
from shapely.geometry import Point, Polygon
from shapely.ops import unary_union

from curvix_run import CurvixRun, SOURCE


def area_of(polyline):
    """The area a closed lightweight polyline encloses, its arcs counted exactly: the chords' polygon plus the
    circular segment each bulge adds (sign by the bulge)."""
    pts = [(x, y, b) for x, y, _, _, b in polyline.get_points()]
    area = 0.0
    for (x0, y0, b), (x1, y1, _) in zip(pts, pts[1:] + pts[:1]):
        area += (x0 * y1 - x1 * y0) / 2
        if b:
            theta = 4 * math.atan(b)
            r = math.hypot(x1 - x0, y1 - y0) / (2 * math.sin(theta / 2))
            area += r * r / 2 * (theta - math.sin(theta))
    return abs(area)


def box_of(polyline):
    xs = [p[0] for p in polyline.get_points()]
    ys = [p[1] for p in polyline.get_points()]
    return tuple(round(v, 6) for v in (min(xs), min(ys), max(xs), max(ys)))


class OutlineRun(CurvixRun):
    def drawing_after(self, script):
        """What curvix prints running the script and the drawing it leaves; the pictures of the view it made in
        the temporary folder are gone."""
        out = self.output(script, "-o", self.path("out.dxf"), env={"TMPDIR": self.dir.name})
        leftovers = [n for n in os.listdir(self.dir.name) if n.lower().endswith((".png", ".tmp"))]
        self.assertEqual(leftovers, [], "the pictures of the view are deleted")
        return out, ezdxf.readfile(self.path("out.dxf")).modelspace()


class Outline(OutlineRun):
    def test_overlapping_circles_and_lines_give_one_red_outline_of_their_union(self):
        circles = [((0, 0), 10), ((14, 0), 8), ((-6, 9), 5)]
        triangle = [(14, 0), (34, -6), (34, 6)]
        script = "".join(f"CIRCLE {x},{y} {r}\n" for (x, y), r in circles)
        script += "".join(f"LINE {a[0]},{a[1]} {b[0]},{b[1]}\n\n"
                          for a, b in zip(triangle, triangle[1:] + triangle[:1]))
        script += "LINE -10,0 10,0\n\n"  # a diameter: inside, changes nothing
        script += "ZOOM E\nmakeOutline ALL\n\n"
        out, msp = self.drawing_after(script)
        outlines = msp.query("LWPOLYLINE")
        self.assertEqual(len(outlines), 1, out)
        outline = outlines[0]
        self.assertTrue(outline.closed)
        self.assertEqual(outline.dxf.color, 1)
        self.assertAlmostEqual(outline.dxf.const_width, 24 / 100, msg="the figure's height / 100")
        union = unary_union([Point(c).buffer(r, resolution=512) for c, r in circles] + [Polygon(triangle)])
        self.assertAlmostEqual(area_of(outline), union.area, delta=union.area * 1e-4)
        self.assertEqual(len(msp.query("CIRCLE")), 3, "the figure stays")
        self.assertEqual(len(msp.query("LINE")), 4)

    def test_a_figure_that_closes_no_area_says_so_in_both_commands_and_draws_nothing(self):
        out, msp = self.drawing_after("LINE 0,0 10,0\n\nLINE 0,5 10,8\n\nZOOM E\nmakeOutline ALL\n\n")
        self.assertIn("No closed area was found around the selected entities; no outline was made.", out)
        self.assertEqual(len(msp.query("LWPOLYLINE")), 0, out)
        self.assertEqual(len(msp.query("LINE")), 2)
        out, msp = self.drawing_after("LINE 0,0 10,0\n\nLINE 0,5 10,8\n\nZOOM E\nINOFFSET ALL\n\n")
        self.assertIn("No enclosed area was found in the view", out)
        self.assertEqual(len(msp.query("LWPOLYLINE")), 0, out)

    def test_a_large_selection_continues_from_the_rough_outline_to_the_precise_one(self):
        # 1,000 small circles inside a large one: the raster stage hides those well inside its rough outline.
        small = "".join(f"CIRCLE {-29.25 + 1.5 * (i % 40)},{-18 + 1.5 * (i // 40)} 1\n" for i in range(1000))
        out, msp = self.drawing_after("CIRCLE 0,0 50\n" + small + "ZOOM E\nmakeOutline ALL\n\nN\n")
        self.assertIn("too complex", out)
        self.assertRegex(out, r"Temporary closure of internal objects <[1-9][0-9]*>")
        outlines = msp.query("LWPOLYLINE")
        self.assertEqual(len(outlines), 1, out[-2000:])
        self.assertAlmostEqual(area_of(outlines[0]), math.pi * 50 * 50, places=6)
        self.assertEqual(len(msp.query("CIRCLE")), 1001)


class InnerOffsets(OutlineRun):
    def test_two_enclosed_areas_get_offsets_inside_each(self):
        out, msp = self.drawing_after(
            "PLINE 0,0 60,0 60,30 0,30 C\nLINE 30,0 30,30\n\nCIRCLE 100,100 3\nZOOM W -5,-5 65,35\n"
            "INOFFSET W -1,-1 61,31\n\n2\n2\n")
        polylines = msp.query("LWPOLYLINE")
        boxes = sorted(box_of(pl) for pl in polylines)
        self.assertEqual(boxes, [(0, 0, 60, 30), (2, 2, 28, 28), (4, 4, 26, 26), (32, 2, 58, 28), (34, 4, 56, 26)],
                         out)
        self.assertEqual(len(msp.query("CIRCLE")), 1, "the entity left out of the selection is shown again")


class Example(CurvixRun):
    def test_the_example_script_draws_one_outline_and_three_offsets_in_every_area(self):
        r = self.run_script_file(os.path.join(SOURCE, "examples", "outline.scr"), "-o", self.path("out.dxf"),
                                 env={"TMPDIR": self.dir.name})
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        polylines = ezdxf.readfile(self.path("out.dxf")).modelspace().query("LWPOLYLINE")
        self.assertEqual(len([p for p in polylines if p.dxf.color == 1]), 1, "the outline")
        # The divided rectangle, the outline, and 3 offsets in each of four areas plus 3 around the island.
        self.assertEqual(len(polylines), 1 + 1 + 15)


if __name__ == "__main__":
    unittest.main()
