"""txwk through the curvix program: a dark gradient picture made here is loaded, previewed and drawn as circles,
squares and copies of a picked polyline; the holes are read back with ezdxf and checked against the gradient."""
import math
import struct
import unittest
import zlib

import ezdxf

from curvix_run import CurvixRun

WIDTH, HEIGHT = 96, 48  # 24 rows: cells of 2 x 2 pixels, 48 columns


def grey(x):
    """The gradient: white at the left edge, black at the right one."""
    return 255 - x * 255 // (WIDTH - 1)


def write_png(path):
    rows = b"".join(b"\0" + bytes(v for x in range(WIDTH) for v in (grey(x),) * 3) for _ in range(HEIGHT))
    chunk = lambda kind, body: struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def expected_radius(column, height=24.0, size=50):
    """Hole radius of a cell column: its darkness times the cell (2 pixels) in drawing units, times (size + 5) %."""
    darkness = 1 - (grey(2 * column) + grey(2 * column + 1)) / 2 / 255
    return darkness * 2 * (height / HEIGHT) * (size + 5) / 100


def txwk(*steps):
    """One run of the dialog: load the picture, 24 rows, preview, then the steps."""
    return ("txwk\n;@file \"grad.png\"\n;@dialog click 4004\n;@dialog text 4029 24\n;@dialog click 4015\n" +
            "".join(s + "\n" for s in steps))


class HoleNet(CurvixRun):
    def setUp(self):
        super().setUp()
        write_png(self.path("grad.png"))

    def drawing(self, script):
        printed = self.output(script, "-o", self.path("out.dxf"))
        return printed, ezdxf.readfile(self.path("out.dxf")).modelspace()

    def check_grid(self, centres_and_radii, origin=(10, 20), height=24.0):
        """One hole per cell at the cell centres of a 24 x 48 grid, sized by the darkness of its column; the net
        stands one height above the picked origin."""
        self.assertEqual(len(centres_and_radii), 24 * 48)
        k = height / HEIGHT
        for (x, y), radius in centres_and_radii:
            column, row = (x - origin[0]) / k / 2 - 0.5, (origin[1] + 2 * height - y) / k / 2 - 0.5
            self.assertAlmostEqual(column, round(column), places=6)
            self.assertAlmostEqual(row, round(row), places=6)
            self.assertTrue(0 <= round(row) < 24 and 0 <= round(column) < 48)
            self.assertAlmostEqual(radius, expected_radius(round(column), height), places=6)
        self.assertEqual(len({(round(x, 6), round(y, 6)) for (x, y), _ in centres_and_radii}), 24 * 48)

    def test_circles_then_squares_from_the_previewed_gradient(self):
        printed, msp = self.drawing(
            txwk(";@dialog png window.png", ";@dialog click 4016", "10,20", "24") +
            txwk(";@dialog click 4031", ";@dialog click 4016", "10,20", "24"))
        self.assertEqual(printed.count("Please specify the height>>"), 2)
        circles = msp.query("CIRCLE")
        self.check_grid([((c.dxf.center.x, c.dxf.center.y), c.dxf.radius) for c in circles])
        radii = [c.dxf.radius for c in circles]
        self.assertLess(min(radii), 0.01)
        self.assertAlmostEqual(max(radii), 0.55 * 24 / 24, delta=0.01)  # a black cell: 1.1 x H / R across

        # The holes' places and sizes are the circles' (a square's centring and size: the unit test).
        squares = msp.query("LWPOLYLINE")
        self.assertEqual(len(squares), 24 * 48)
        self.assertTrue(all(s.closed and len(s) == 4 for s in squares))
        with open(self.path("window.png"), "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")

    def test_selected_polyline_is_copied_into_every_hole_and_nothing_picked_gives_circles(self):
        printed, msp = self.drawing(
            "PLINE 200,100 204,100 202,103 C\n" +
            txwk(";@dialog click 4033", ";@dialog click 4016", "0,0", "48", "202,100") +
            txwk(";@dialog click 4033", ";@dialog click 4016", "0,0", "48", "500,500"))
        self.assertIn("representing the hole:", printed)
        self.assertIn("No Entity selected.", printed)
        copies = [p for p in msp.query("LWPOLYLINE") if tuple(p.get_points()[0][:2]) != (200, 100)]
        holes = []
        for p in copies:
            pts = [tuple(q[:2]) for q in p.get_points()]
            self.assertEqual(len(pts), 3)
            xs, ys = [q[0] for q in pts], [q[1] for q in pts]
            # The triangle's box is 4 x 3: (4 + 3) / 4 = 1.75 becomes the radius; its box centre the hole centre.
            scale = (max(xs) - min(xs)) / 4
            self.assertAlmostEqual((max(ys) - min(ys)) / 3, scale, places=9)
            holes.append((((max(xs) + min(xs)) / 2, (max(ys) + min(ys)) / 2), 1.75 * scale))
        self.check_grid(holes, origin=(0, 0), height=48.0)
        self.assertEqual(len(msp.query("CIRCLE")), 24 * 48, "nothing picked: circles")

    def test_drawing_before_loading_failed_loads_and_rows_out_of_range(self):
        with open(self.path("bad.png"), "w") as f:
            f.write("not a picture")
        printed, msp = self.drawing("txwk\n;@dialog click 4016\n;@file \"\"\n;@dialog click 4004\n"
                                    ";@file \"bad.png\"\n;@dialog click 4004\n;@dialog click 4015\n"
                                    ";@dialog text 4029 10\n;@dialog show\n;@dialog text 4029 2000\n;@dialog show\n"
                                    ";@dialog text 4029 30\n;@dialog show\n;@dialog close\n")
        self.assertEqual(printed.count("Please load the picture first"), 2, printed)  # Do Drawing, then Preview
        self.assertIn("No picture file chosen!", printed)
        self.assertRegex(printed, r"GetLastError: \d+ -- Load image Error: .*bad\.png")
        self.assertEqual(printed.count("[72"), 2, printed)
        self.assertIn("[30", printed)
        self.assertEqual(len(msp), 0)

if __name__ == "__main__":
    unittest.main()
