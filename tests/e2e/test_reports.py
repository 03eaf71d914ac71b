"""The report commands through the curvix program: CLIST, ELLLIST, ARCLIST and PLLIST write their tables as
HTML documents, PLBH numbers vertices, PLJD and PLJD1 mark, number, list and insert blocks at crossings. The
documents are parsed with html.parser and compared with ezdxf's reading of the same entities; the marks are
counted in the saved drawing."""
import math
import unittest
from html.parser import HTMLParser

import ezdxf

from curvix_run import CurvixRun

NO_OPENER = {"DISPLAY": "", "WAYLAND_DISPLAY": "", "CURVIX_OPENER": ""}


class Table(HTMLParser):
    """The title and the rows of a report document: each row a list of (text, width, colour)."""

    def __init__(self):
        super().__init__()
        self.title, self.rows, self._cell, self._in = "", [], None, None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "tr":
            self.rows.append([])
        elif tag == "td":
            self._cell = [int(a["width"].rstrip("%")), a["bgcolor"]]
        elif tag in ("title", "p"):
            self._in = tag

    def handle_endtag(self, tag):
        self._in = None if tag in ("title", "p") else self._in

    def handle_data(self, data):
        if self._in:
            self.title += data if self._in == "p" else ""
        elif self._cell is not None and data.strip("\r\n "):
            self.rows[-1].append((data.replace("\xa0", ""), *self._cell))
            self._cell = None


def read_table(path):
    with open(path, "rb") as f:
        text = f.read().decode("gb18030")
    assert "\r\n" in text and "\n" not in text.replace("\r\n", ""), "every line ends with CR LF"
    t = Table()
    t.feed(text)
    return t, text


def f3(v):
    return "%.3f" % v


def cells(row):
    return [c[0] for c in row]


class Reports(CurvixRun):
    def drawing(self, fill):
        doc = ezdxf.new()
        fill(doc)
        path = self.path("in.dxf")
        doc.saveas(path)
        return path

    def run_on(self, fill, script):
        src = self.drawing(fill)
        out = self.path("out.dxf")
        printed = self.output(script, "-o", out, drawing=src, env=NO_OPENER)
        return printed, ezdxf.readfile(src).modelspace(), ezdxf.readfile(out)

    def test_circle_ellipse_and_arc_tables(self):
        def fill(doc):
            m = doc.modelspace()
            m.add_circle((10, 20), 5)
            m.add_circle((-3, 4, 2), 1.25)
            m.add_ellipse((0, 0), major_axis=(6, 0), ratio=0.5)
            m.add_ellipse((30, 5), major_axis=(0, 4), ratio=0.25, start_param=0, end_param=math.pi)
            m.add_arc((50, 0), 8, 30, 135)
            m.add_arc((60, 10), 2, 300, 45)

        script = (f';@file "{self.path("c.xls")}"\nCLIST ALL\n\nY 2\n'
                  f';@file "{self.path("e.xls")}"\nELLLIST ALL\n\nN\n'
                  f';@file "{self.path("a.xls")}"\nARCLIST ALL\n\n\n0\n')
        printed, src, out = self.run_on(fill, script)
        for name in ("c", "e", "a"):
            self.assertIn("Open: " + self.path(name + ".html"), printed)

        circles, table = src.query("CIRCLE"), read_table(self.path("c.html"))[0]
        self.assertEqual(table.title, "Center coordinates and radius")
        self.assertEqual(cells(table.rows[0]), ["Index", "X", "Y", "Z", "Radius", "Perimeter", "Area"])
        for i, (c, row) in enumerate(zip(circles, table.rows[1:])):
            r = c.dxf.radius
            self.assertEqual(cells(row), [str(i + 1), *map(f3, c.dxf.center), f3(r), f3(2 * math.pi * r),
                                          f3(math.pi * r * r)])

        ellipses, table = src.query("ELLIPSE"), read_table(self.path("e.html"))[0]
        self.assertEqual(len(table.rows), 3)
        for i, (e, row) in enumerate(zip(ellipses, table.rows[1:])):
            a = e.dxf.major_axis.magnitude
            flat = list(e.flattening(1e-6))
            length = sum(p.distance(q) for p, q in zip(flat, flat[1:]))
            self.assertEqual(cells(row)[:6], [str(i + 1), *map(f3, e.dxf.center), f3(2 * a), f3(2 * a * e.dxf.ratio)])
            self.assertAlmostEqual(float(cells(row)[6]), length, delta=0.002)
        self.assertEqual(cells(table.rows[1])[7], f3(math.pi * 6 * 3), "a closed ellipse's area")

        table = read_table(self.path("a.html"))[0]  # the rows' closed forms are checked by the unit test
        self.assertEqual(cells(table.rows[0])[-1], "Perimiter")
        self.assertEqual([cells(row)[:2] for row in table.rows[1:]], [["1", "50.000"], ["2", "60.000"]])

        msp = out.modelspace()
        points, texts = msp.query("POINT"), msp.query("TEXT")
        self.assertEqual(len(points), 4, "circles and arcs marked, ellipses not")
        self.assertEqual(len(texts), 4)
        first = texts[0]
        self.assertEqual(first.dxf.text, "1")
        self.assertAlmostEqual(first.dxf.height, 1.0, msg="half the mark height of 2")
        self.assertEqual(tuple(first.dxf.insert)[:2], (11, 21))
        arc_text = texts[2]
        self.assertEqual(arc_text.dxf.text, "1", "each command numbers from 1")
        self.assertGreater(arc_text.dxf.height, 0.001, "a height of 0 keeps the default")
        self.assertEqual(out.header["$PDMODE"], 35)

    def test_polyline_vertex_table_and_numbering(self):
        def fill(doc):
            m = doc.modelspace()
            m.add_lwpolyline([(0, 0), (10, 0), (10, 5)], close=True)
            m.add_line((40, 3), (20, 1))           # right to left: listed from its end
            m.add_ellipse((0, 30), major_axis=(5, 0), ratio=0.5)  # closed: no rows, index still advances
            m.add_line((50, 9), (50.00005, 2))     # downward, same X within 0.0001: lower point first
            m.add_polyline3d([(0, 50, 1), (5, 55, 2), (9, 50, 3)])
            m.add_spline(fit_points=[(60, 0), (65, 5), (70, 0), (75, 4)])

        script = (f';@file "{self.path("p.xls")}"\nPLLIST ALL\n\nY 3\nY\n'
                  "PLBH ALL\n\n0.0005\nN\n")
        printed, src, out = self.run_on(fill, script)
        table, text = read_table(self.path("p.html"))
        self.assertIn("<title>%s</title>" % self.path("p.html"), text)
        self.assertEqual(table.title, "Lines、Arcs、Polylines、Splines")
        expected_vertices = {
            1: [(0, 0, 0), (10, 0, 0), (10, 5, 0)],
            2: [(20, 1, 0), (40, 3, 0)],
            4: [(50.00005, 2, 0), (50, 9, 0)],
            5: [(0, 50, 1), (5, 55, 2), (9, 50, 3)],
            6: [(60, 0, 0), (65, 5, 0), (70, 0, 0), (75, 4, 0)],
        }
        lengths = {1: 10 + 5 + math.hypot(10, 5), 2: math.hypot(20, 2), 4: 7,
                   5: math.hypot(5, 5, 1) + math.hypot(4, 5, 1)}
        rows = iter(table.rows[1:])
        for index, verts in expected_vertices.items():
            for k, v in enumerate(verts):
                row = next(rows)
                self.assertEqual(cells(row), [str(index) if k == 0 else "", str(k + 1), *map(f3, v), "", ""])
            summary = next(rows)
            self.assertTrue(all(c[2] == "#99FF99" for c in summary))
            if index in lengths:
                self.assertEqual(cells(summary)[5], f3(lengths[index]), index)
        self.assertEqual(cells(table.rows[4])[6], f3(25.0), "the closed polyline's area")
        self.assertIsNone(next(rows, None))

        msp = out.modelspace()
        n = sum(len(v) for v in expected_vertices.values())
        self.assertEqual(len(msp.query("POINT")), 2 * n, "PLLIST and PLBH mark every vertex")
        numbering = list(msp.query("TEXT"))[n:]
        self.assertEqual([t.dxf.text for t in numbering[:5]], ["1", "2", "3", "1", "2"])
        line_start = numbering[3]
        h = line_start.dxf.height
        self.assertGreater(h, 0.1, "0.0005 keeps the default height")
        self.assertEqual(tuple(line_start.dxf.insert)[:2], (40 + h, 3 + h),
                         "without lower-left start the right-to-left line starts at its start point")

    def test_batch_intersections(self):
        def fill(doc):
            blk = doc.blocks.new("CROSS")
            blk.add_line((-1, 0), (1, 0))
            m = doc.modelspace()
            m.add_line((0, 0), (10, 10))
            m.add_line((0, 10), (10, 0))
            m.add_line((5, -2), (5, 12))   # through the same point (5,5)
            m.add_line((0, 2), (10, 2))    # crosses the three others once each

        script = (f';@file "{self.path("x.xls")}"\nPLJD ALL\n\n3\n\n'
                  "PLJD ALL\n\n4 NOSUCH\n"
                  "PLJD ALL\n\n4 CROSS\n"
                  "PLJD1 5,-1\n7\n2\n")
        printed, src, out = self.run_on(fill, script)
        self.assertIn("Block name error", printed)
        table = read_table(self.path("x.html"))[0]
        self.assertEqual(table.title, "交点坐标")
        self.assertEqual(cells(table.rows[0]), ["序号", "X坐标", "Y坐标", "Z坐标"])
        found = sorted(tuple(float(c) for c in cells(r)[1:]) for r in table.rows[1:])
        self.assertEqual(found, [(2, 2, 0), (5, 2, 0), (5, 5, 0), (8, 2, 0)], "three lines in one point give one")
        self.assertEqual([cells(r)[0] for r in table.rows[1:]], ["1", "2", "3", "4"])

        msp = out.modelspace()
        self.assertEqual(len(msp.query("INSERT")), 4)
        self.assertEqual(len(msp.query("POINT")), 4 + 2)
        texts = list(msp.query("TEXT"))
        self.assertEqual(len(texts), 4 + 2)
        along = [(t.dxf.text, round(t.dxf.insert[1] - 1, 6)) for t in texts[4:]]
        self.assertEqual(along, [("1", 2.0), ("2", 5.0)], "PLJD1 picked near the lower end numbers upward")

    def test_refusals_leave_no_document_and_no_marks(self):
        def fill(doc):
            doc.modelspace().add_arc((0, 0), 3, 0, 90)

        missing = self.path("no/such/folder/r.xls")
        script = ('CLIST ALL\n\n'
                  ';@file ""\nARCLIST ALL\n\n'
                  f';@file "{missing}"\nPLLIST ALL\n\n'
                  "PLJD ALL\n\n\n")
        printed, _, out = self.run_on(fill, script)
        for message in ("No circle selected.", "No file name asigned.",
                        "Create file <%s> fail." % missing.replace(".xls", ".html"), "No intersection found."):
            self.assertIn(message, printed)
        self.assertEqual(len(out.modelspace().query("POINT TEXT")), 0)


if __name__ == "__main__":
    unittest.main()
