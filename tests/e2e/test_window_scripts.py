"""The window runs scripts as the headless program does: the same script on the same drawing gives the same
file, prompts shown on the window's command line, and pictures of the window written when asked."""
import os
import shutil
import struct
import unittest

from curvix_run import CurvixRun, run_curvix

RELAY = "/usr/share/librecad/library/elektro/relay-iso/Relay.dxf"


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", head[16:24])


class WindowScripts(CurvixRun):
    def run_both(self, script, *args, drawing=None):
        """Runs the script headless and in the window (each with a fresh registry); both must succeed."""
        results = []
        for name, extra in (("headless", []), ("window", ["--window", "--grab", self.path("window ü.png")])):
            folder = self.path(name)
            os.mkdir(folder)
            copy = None
            if drawing:
                copy = os.path.join(folder, os.path.basename(drawing))
                shutil.copy(drawing, copy)
            r = run_curvix(folder, os.path.join(folder, "registry.reg"), script, "-o", os.path.join(folder, "out.dxf"),
                           *args, *extra, drawing=copy, load=self.module,
                           env={"QT_QPA_PLATFORM": "offscreen"})
            self.assertEqual(r.returncode, 0, r.stdout[-2000:] + r.stderr)
            with open(os.path.join(folder, "out.dxf"), "rb") as f:
                results.append((r, f.read()))
        return results

    def test_same_drawing_from_both_front_ends(self):
        # Picks at points (pick box in pixels), a window selection, module tools and a zoom: everything that
        # could depend on the screen is in it.
        if not os.path.exists(RELAY):
            self.skipTest("the part library is not installed")
        wave = " ".join(f"{x},{40 + (x % 7) * 0.3:.1f}" for x in range(0, 60))
        script = ("ZOOM E\nCIRCLE 0,0 12\nLINE -20,-20 20,20\n\nMOVE W -30,-30 30,30\n\n0,0 5,5\n"
                  f"PLINE {wave}\n\nPLYH L\n\n\nERASE 17,5\n\n"
                  ";@grab \"mid 中文.png\"\nZOOM E\n")
        (headless, a), (window, b) = self.run_both(script, "--size", "900x600", drawing=RELAY)
        self.assertEqual(a, b)
        self.assertIn("Select objects:", window.stdout)
        # The window's picture is the whole window: taller than the 900x600 view, with its menus and command line.
        w, h = png_size(self.path("window ü.png"))
        self.assertGreaterEqual(w, 900)
        self.assertGreater(h, 600)
        # Headless, a grab is the picture of the view; in the window, of the window.
        self.assertEqual(png_size(self.path("headless/mid 中文.png")), (900, 600))
        self.assertGreater(png_size(self.path("window/mid 中文.png"))[1], 600)

    def test_grab_without_a_path_stops_the_script(self):
        r = self.run_curvix(";@grab\nLINE 0,0 1,1\n\n", "--window", "-o", self.path("x.dxf"),
                            env={"QT_QPA_PLATFORM": "offscreen"})
        self.assertEqual(r.returncode, 1)
        self.assertIn(";@grab needs the path", r.stdout + r.stderr)
        self.assertFalse(os.path.exists(self.path("x.dxf")))


if __name__ == "__main__":
    unittest.main()
