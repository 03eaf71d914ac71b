"""The tracer program of the vectoriser's quick mode: a picture of a black disc and a black square on white
becomes a DXF file that ezdxf reads and audits without a complaint, holding one closed polyline per shape (its
area that of the shape, its place upright) and a frame round the picture; a wrong command line is refused."""
import os
import struct
import subprocess
import unittest

import ezdxf

from curvix_run import BINARY_DIR, CurvixRun
from dxf_e2e import audit_problems

TRACER = os.path.join(BINARY_DIR, "autotrace", "autotrace")
W, H = 320, 200
DISC = (100, 100, 60)        # centre x, centre y (rows from the top), radius, in pixels
SQUARE = (200, 20, 280, 100)  # left, top, right, bottom (exclusive)


def is_dark(x, y):
    cx, cy, r = DISC
    in_disc = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r
    return in_disc or (SQUARE[0] <= x < SQUARE[2] and SQUARE[1] <= y < SQUARE[3])


def write_bmp(path, bits):
    """The picture as an uncompressed bottom-up BMP of 8 (grey palette), 24 or 32 bits per pixel."""
    step = bits // 8
    stride = (W * step + 3) // 4 * 4
    palette = b"".join(bytes((i, i, i, 0)) for i in range(256)) if bits == 8 else b""
    rows = []
    for y in reversed(range(H)):
        row = bytearray()
        for x in range(W):
            v = 0 if is_dark(x, y) else 255
            row += bytes((v,) * min(step, 3)) + (b"\xff" if step == 4 else b"")
        rows.append(bytes(row) + b"\0" * (stride - len(row)))
    offset = 14 + 40 + len(palette)
    pixels = b"".join(rows)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset))
        f.write(struct.pack("<IiiHHIIiiII", 40, W, H, 1, bits, 0, len(pixels), 2835, 2835, 0, 0))
        f.write(palette + pixels)


def shoelace(points):
    return abs(sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(points, points[1:] + points[:1]))) / 2


def trace(*args):
    return subprocess.run([TRACER, *args], capture_output=True, text=True, timeout=60)


class Tracer(CurvixRun):
    def test_disc_and_square_come_out_as_closed_polylines_with_their_areas_and_a_frame(self):
        disc_area = sum(is_dark(x, y) for x in range(0, 170) for y in range(H))
        square_area = (SQUARE[2] - SQUARE[0]) * (SQUARE[3] - SQUARE[1])
        for bits in (8, 24, 32):
            with self.subTest(bits=bits):
                bmp, dxf = self.path(f"shapes{bits}.bmp"), self.path(f"shapes{bits}.dxf")
                write_bmp(bmp, bits)
                done = trace(bmp, "-color-count", "2", "-output-format", "dxf", "-output-file", dxf)
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertEqual(audit_problems(dxf), [])
                entities = list(ezdxf.readfile(dxf).modelspace())
                self.assertEqual({e.dxftype() for e in entities}, {"LWPOLYLINE"})
                self.assertTrue(all(e.closed for e in entities))
                shapes = {}
                for e in entities:
                    pts = [(p[0], p[1]) for p in e.get_points("xy")]
                    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
                    box = (min(xs), min(ys), max(xs), max(ys))
                    name = "frame" if box == (0, 0, W, H) else "disc" if max(xs) < 170 else "square"
                    self.assertNotIn(name, shapes)
                    shapes[name] = (shoelace(pts), box)
                self.assertEqual(set(shapes), {"frame", "disc", "square"})
                self.assertAlmostEqual(shapes["frame"][0], W * H)
                self.assertAlmostEqual(shapes["disc"][0] / disc_area, 1, delta=0.03)
                self.assertAlmostEqual(shapes["square"][0] / square_area, 1, delta=0.03)
                # Upright: the square, near the picture's top, lies near the drawing's top.
                _, sy0, _, sy1 = shapes["square"][1]
                self.assertAlmostEqual(sy0, H - SQUARE[3], delta=1)
                self.assertAlmostEqual(sy1, H - SQUARE[1], delta=1)

    def test_a_wrong_command_line_or_picture_is_refused(self):
        bmp, dxf = self.path("p.bmp"), self.path("p.dxf")
        write_bmp(bmp, 24)
        good = [bmp, "-color-count", "2", "-output-format", "dxf", "-output-file", dxf]
        for args in ([], good[:-2], good[:2] + ["3"] + good[3:], good[:4] + ["svg"] + good[5:],
                     good[:1] + ["-colour-count"] + good[2:], good + ["extra"], ["-h"]):
            with self.subTest(args=args):
                done = trace(*args)
                self.assertEqual(done.returncode, 2)
                self.assertIn("usage: autotrace", done.stderr)
                self.assertFalse(os.path.exists(dxf))
        with open(self.path("bad.bmp"), "wb") as f:
            f.write(b"BM not a picture")
        done = trace(self.path("bad.bmp"), *good[1:])
        self.assertEqual(done.returncode, 1)
        self.assertIn("cannot read the picture", done.stderr)
        self.assertFalse(os.path.exists(dxf))


if __name__ == "__main__":
    unittest.main()
