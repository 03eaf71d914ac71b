"""R2V through the curvix program with the Curvix module: a picture the test paints is loaded in the dialog,
filtered with the threshold, vectorised and placed; ezdxf reads back the block reference and its polylines."""
import struct
import unittest
import zlib

import ezdxf

from curvix_run import CurvixRun


def write_png(path, width, height, pixel):
    """An 8-bit RGB PNG; pixel(x, y) gives (r, g, b)."""
    rows = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def shapes(x, y):
    """White, with a red rectangle (pixels 20..50 x 20..60) and a blue one (70..100 x 30..50)."""
    if 20 <= x <= 50 and 20 <= y <= 60:
        return (220, 30, 30)
    if 70 <= x <= 100 and 30 <= y <= 50:
        return (30, 30, 220)
    return (255, 255, 255)


def scan(x, y):
    """A photographed sheet: off-white paper lit unevenly from the left, with grain, running out to every edge;
    on it a U, a ring, a triangle and three blots in ink of several colours, each with grain of its own."""
    grain = (x * 7919 + y * 104729) % 13 - 6
    cx, cy = x - 60, y - 60
    if 40 <= x <= 80 and 30 <= y <= 90 and not (50 <= x <= 70 and y < 80):
        ink = (40, 40, 60)  # the U
    elif 18 ** 2 <= (x - 150) ** 2 + (y - 60) ** 2 <= 30 ** 2:
        ink = (180, 40, 30)  # the ring
    elif 30 <= y - 110 <= 70 and abs(x - 60) <= (y - 140) * 0.8:
        ink = (30, 110, 40)  # the triangle
    elif (x - 150) ** 2 + (y - 170) ** 2 <= 15 ** 2 or (x - 200) ** 2 + (y - 150) ** 2 <= 12 ** 2 or \
            (x - 110) ** 2 + (y - 190) ** 2 <= 9 ** 2:
        ink = (30, 40, 160)  # three blots
    else:
        light = 235 - x // 40  # the sheet darkens away from the lamp
        ink = (light, light - 3, light - 10)
    del cx, cy
    return tuple(max(0, min(255, c + grain)) for c in ink)


class Vectorize(CurvixRun):
    def vectorize(self, picture, events, answers="0,0\n100\n"):
        out = self.path("out.dxf")
        script = f'R2V\n;@file "{picture}"\n;@dialog click 4004\n{events};@dialog click 4015\n{answers}'
        printed = self.output(script, "-o", out)
        doc = ezdxf.readfile(out)
        inserts = doc.modelspace().query("INSERT")
        self.assertEqual(len(inserts), 1, printed)
        return doc, inserts[0], printed

    def test_threshold_vectorise_and_place_a_picture(self):
        picture = self.path("shapes.png")
        write_png(picture, 120, 80, shapes)
        # Threshold 110: the white paper (S >= 330) turns black, both rectangles white; no smoothing.
        doc, insert, printed = self.vectorize(
            picture, ";@dialog slide 4010 110\n;@dialog slide 4013 0\n")
        self.assertIn("Please specify the origin>>", printed)
        self.assertIn("Please specify the height>>", printed)
        block = doc.blocks.get(insert.dxf.name)
        self.assertTrue(block.name.startswith("*U"))
        polylines = list(block)
        self.assertTrue(polylines)
        self.assertTrue(all(e.dxftype() == "LWPOLYLINE" and e.closed for e in polylines))
        # Pixel (x, y) lands at (1.25 x, 100 - 1.25 y): height 100 over 80 rows, top edge at y = 100.
        m = insert.matrix44()
        boxes = []
        for e in polylines:
            pts = [m.transform((p[0], p[1], 0)) for p in e.get_points()]
            xs, ys = [p[0] for p in pts], [p[1] for p in pts]
            boxes.append((round(min(xs), 9), round(min(ys), 9), round(max(xs), 9), round(max(ys), 9)))
        self.assertIn((25, 25, 62.5, 75), boxes)     # the red rectangle
        self.assertIn((87.5, 37.5, 125, 62.5), boxes)  # the blue one
        # The paper reaches the picture's edge, the part of an outline that is never recorded: nothing else.
        self.assertEqual(len(boxes), 2)

    def test_a_photographed_sheet_gives_one_outline_per_region(self):
        """The paper reaches every edge, so its outer edge is the picture's and gives no outline; the U, the ring,
        the paper inside the ring, the triangle and three blots give one closed outline each, and no strips of
        overlapping pieces."""
        picture = self.path("sheet photo.png")
        write_png(picture, 240, 220, scan)
        doc, insert, printed = self.vectorize(picture, ";@dialog slide 4013 0\n")
        polylines = list(doc.blocks.get(insert.dxf.name))
        self.assertEqual(len(polylines), 7, printed)
        self.assertTrue(all(e.dxftype() == "LWPOLYLINE" and e.closed for e in polylines))
        # The U's outline runs along its own pixels; the hole of the ring lies inside the ring's.
        boxes = set()
        for e in polylines:
            xs, ys = [p[0] for p in e.get_points()], [p[1] for p in e.get_points()]
            boxes.add((min(xs), min(ys), max(xs), max(ys)))
        self.assertIn((40, 30, 80, 90), boxes)
        self.assertIn((120, 30, 180, 90), boxes)
        self.assertIn((133, 43, 167, 77), boxes)

    def test_a_picture_that_cannot_be_loaded_says_why(self):
        with open(self.path("notes.png"), "wb") as f:
            f.write(b"meeting notes, not a picture")
        printed = self.output('R2V\n;@file "notes.png"\n;@dialog click 4004\n;@dialog cancel\n')
        self.assertIn("Load image Error", printed)
        self.assertIn("not a BMP, JPG, PNG or GIF picture that can be read, or a damaged one", printed)

    def test_wide_pictures_are_scaled_to_1024_pixels(self):
        for width, rows in ((1024, 5), (1025, 4)):  # 1025 x 5 works at 1024 x (1024 * 5 // 1025) = 1024 x 4
            picture = self.path(f"wide{width}.png")
            write_png(picture, width, 5, lambda x, y: (0, 0, 0) if 300 <= x <= 700 and 1 <= y <= 3 else (255, 255, 255))
            _, insert, _ = self.vectorize(picture, "")
            self.assertAlmostEqual(insert.dxf.xscale, 100 / rows, places=9)
            self.assertAlmostEqual(insert.dxf.yscale, -100 / rows, places=9)


if __name__ == "__main__":
    unittest.main()
