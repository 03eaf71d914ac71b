"""PDF plots through the curvix program: the page is the paper asked for, a drawing unit is the length the
scale makes it on paper, the window is centred on the page or fitted to it, and bad plot options are refused
before anything is done."""
import re
import unittest
import zlib

import ezdxf

from curvix_run import CurvixRun

MM = 72 / 25.4  # points


def page(path):
    """The page size and the end points of every straight line the page draws, in points."""
    data = open(path, "rb").read()
    box = [float(v) for v in re.search(rb"/MediaBox \[([^\]]*)\]", data).group(1).split()]
    lines = []
    for stream in re.findall(rb"stream\r?\n(.*?)\r?\nendstream", data, re.S):
        try:
            text = zlib.decompress(stream).decode("latin-1")
        except zlib.error:
            continue
        for m in re.finditer(r"([-\d.]+) ([-\d.]+) m ([-\d.]+) ([-\d.]+) l S", text):
            lines.append(tuple(float(v) for v in m.groups()))
    return box[2] - box[0], box[3] - box[1], lines


class Plot(CurvixRun):
    module = None

    def setUp(self):
        super().setUp()
        doc = ezdxf.new()
        doc.modelspace().add_line((0, 0), (100, 0))
        doc.modelspace().add_circle((50, 0), 20)
        self.drawing = self.path("图纸.dxf")
        doc.saveas(self.drawing)

    def plot(self, *args):
        out = self.path("出图.pdf")
        self.output("", "--pdf", out, *args, drawing=self.drawing)
        return page(out)

    def test_scale_paper_and_window(self):
        for scale, length in (("1:1", 100 * MM), ("1:2", 50 * MM), ("2:1", 200 * MM)):
            with self.subTest(scale=scale):
                w, h, lines = self.plot("--plot-window", "0,-50,100,50", "--plot-scale", scale)
                self.assertEqual((w, h), (842, 595), "A4 landscape")
                (x0, y0, x1, y1), = lines
                self.assertAlmostEqual(x1 - x0, length, delta=0.05)
                self.assertAlmostEqual((x0 + x1) / 2, w / 2, delta=0.05, msg="the window's centre")
        w, h, lines = self.plot("--paper", "A3,portrait", "--plot-window", "0,-10,100,10")
        self.assertEqual((w, h), (842, 1191))
        (x0, _, x1, _), = lines
        self.assertAlmostEqual(x1 - x0, w / 1.02, delta=0.1, msg="fitted: the window's width fills the page")

    def test_plot_command_asks_for_area_scale_paper_and_file(self):
        out = self.path("命令 出图")  # no extension: .pdf is added
        printed = self.output(f"PLOT\nW\n0,-50\n100,50\nx:y\n1:2\nB5\nA3\n{out}\n", drawing=self.drawing)
        self.assertIn("A scale is 1:100", printed)
        self.assertIn("No such paper: B5", printed)
        self.assertIn("Plotted " + out + ".pdf", printed)
        w, h, lines = page(out + ".pdf")
        self.assertEqual((w, h), (1191, 842))
        (x0, _, x1, _), = lines
        self.assertAlmostEqual(x1 - x0, 50 * MM, delta=0.05)
        printed = self.output(f"PLOT\nE\n\n\n{out}\n", drawing=self.drawing)
        w, h, lines = page(out + ".pdf")
        self.assertEqual((w, h), (842, 595))
        (x0, _, x1, _), = lines
        self.assertGreater(x1 - x0, w / 2, "the extents fill the page")

    def test_bad_plot_options_are_refused(self):
        for args in (["--paper", "B5"], ["--plot-scale", "1:0"], ["--plot-window", "1,2,3"], ["--plot-window", "1,1,1,1"]):
            with self.subTest(args=args):
                r = self.run_curvix("", "--pdf", self.path("x.pdf"), *args, drawing=self.drawing)
                self.assertEqual(r.returncode, 2, r.stderr)
                self.assertIn(args[0] + " takes", r.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
