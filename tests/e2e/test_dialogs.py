"""Dialogs driven by script lines through the curvix program: the demo dialog's events, its hiding for a point
prompt, the picture of its client area, and the drawing it leaves (read back with ezdxf)."""
import os
import struct
import subprocess
import tempfile
import unittest
import zlib

import ezdxf

CURVIX = os.environ.get("CURVIX", "curvix")
SOURCE = os.environ.get("CVX_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))


def png_pixels(path):
    """Width, height and rows of RGB triples of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6)
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    raw, rows, prev, stride = zlib.decompress(idat), [], bytearray(width * channels), width * channels
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1: line[i] = (line[i] + a) & 255
            elif kind == 2: line[i] = (line[i] + b) & 255
            elif kind == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        prev = line
    return width, height, rows


def run(script, out, cwd):
    return subprocess.run([os.path.abspath(CURVIX), "--script", script, "-o", out], capture_output=True, text=True,
                          timeout=120, cwd=cwd)


class DemoDialog(unittest.TestCase):
    def test_the_example_script_places_two_shapes_and_pictures_the_dialog(self):
        with tempfile.TemporaryDirectory() as d:
            out = os.path.join(d, "demo.dxf")
            r = run(os.path.join(SOURCE, "examples", "dialog_demo.scr"), out, d)
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
            self.assertIn("Origin of the shape: 50,50", r.stdout)
            self.assertIn("3003  slider        1..100 at 80", r.stdout)
            msp = ezdxf.readfile(out).modelspace()
            square = msp.query("LWPOLYLINE")[0]
            self.assertTrue(square.closed)
            self.assertEqual(square.dxf.color, 3)  # green
            self.assertEqual(sorted(tuple(p[:2]) for p in square.get_points()),
                             [(10, 10), (10, 90), (90, 10), (90, 90)])
            circle = msp.query("CIRCLE")[0]
            self.assertEqual((circle.dxf.center.x, circle.dxf.center.y, circle.dxf.radius), (150, 50, 15))
            self.assertEqual(circle.dxf.color, 1)  # red, the default
            width, height, rows = png_pixels(os.path.join(d, "dialog_demo_window.png"))
            self.assertEqual((width, height), (420, 250))
            # The preview shows a filled green square of half side 5 + 80*60/100 = 53 around (345, 75).
            green = [rows[75 + dy][345 + dx] for dy in (-50, 0, 50) for dx in (-50, 0, 50)]
            self.assertTrue(all(g == (30, 160, 60) for g in green), green)
            self.assertEqual(rows[75][345 - 60], (255, 255, 255))

    def test_a_dialog_without_events_is_cancelled_and_draws_nothing(self):
        with tempfile.TemporaryDirectory() as d:
            out = os.path.join(d, "none.dxf")
            script = os.path.join(d, "s.scr")
            with open(script, "w") as f:
                f.write("DIALOGDEMO\nLINE 0,0 10,0\n\n")
            r = run(script, out, d)
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
            self.assertIn('Dialog "Dialog demo / 对话框演示": no more events; cancelled.', r.stdout)
            self.assertEqual([e.dxftype() for e in ezdxf.readfile(out).modelspace()], ["LINE"])

    def test_a_wrong_event_stops_the_script_and_writes_nothing(self):
        with tempfile.TemporaryDirectory() as d:
            out = os.path.join(d, "bad.dxf")
            script = os.path.join(d, "s.scr")
            with open(script, "w") as f:
                f.write("DIALOGDEMO\n;@dialog slide 3001 4\n;@dialog ok\n")
            r = run(script, out, d)
            self.assertNotEqual(r.returncode, 0)
            self.assertIn("s.scr:2: Dialog event 'slide 3001 4': control 3001 is not a slider.", r.stdout)
            self.assertFalse(os.path.exists(out))


if __name__ == "__main__":
    unittest.main()
