"""Host commands as modules script them (PEDIT, INSERT of a drawing file, PNGOUT), message boxes and file
dialogs answered by script lines, and pixels that map to the world as the rendered picture shows them."""
import os
import unittest

import ezdxf

from curvix_run import BINARY_DIR, CurvixRun
from png_read import read_png

MODULE = os.path.join(BINARY_DIR, "modules", "hello_module.so")


class Commands(CurvixRun):
    module = None  # the runs name the test module themselves

    def test_pedit_multiple_sets_width_closes_and_opens_every_kind(self):
        out = self.path("pedit.dxf")
        self.output(
            "PLINE 0,0 10,0 10,10 \n3DPOLY 20,0,0 30,0,1 30,10,2 \nLINE 50,0 60,0 \n"
            "PEDIT M ALL  W 2.5 C \n", "-o", out)
        msp = ezdxf.readfile(out).modelspace()
        lw, p3 = msp.query("LWPOLYLINE")[0], msp.query("POLYLINE")[0]
        self.assertTrue(lw.closed)
        self.assertEqual(lw.dxf.const_width, 2.5)
        self.assertTrue(p3.is_closed)
        self.assertEqual(len(msp.query("LINE")), 1)  # not a polyline: left alone
        self.output("PEDIT M ALL  O \n", out, "-o", out)
        msp = ezdxf.readfile(out).modelspace()
        self.assertFalse(msp.query("LWPOLYLINE")[0].closed)
        self.assertFalse(msp.query("POLYLINE")[0].is_closed)

    def test_pedit_on_an_old_style_2d_polyline(self):
        src = self.path("old.dxf")
        doc = ezdxf.new()
        doc.modelspace().add_polyline2d([(0, 0), (5, 0), (5, 5)])
        doc.saveas(src)
        out = self.path("old_out.dxf")
        self.output("PEDIT M ALL  W 1 C \n", src, "-o", out)
        pl = ezdxf.readfile(out).modelspace().query("POLYLINE")[0]
        self.assertTrue(pl.is_closed)
        self.assertEqual([(v.dxf.start_width, v.dxf.end_width) for v in pl.vertices], [(1, 1)] * 3)

    def test_insert_of_a_drawing_file_makes_a_block_named_after_it(self):
        part = self.path("Part-7.dxf")
        doc = ezdxf.new()
        doc.layers.add("Edges", color=3)
        doc.header["$INSBASE"] = (1, 1, 0)
        msp = doc.modelspace()
        msp.add_line((1, 1), (5, 1), dxfattribs={"layer": "Edges"})
        msp.add_circle((3, 3), 1)
        doc.saveas(part)
        out = self.path("insert.dxf")
        self.output("INSERT " + part + " 100,50 2 3 90\nINSERT Part-7 0,0   \n", "-o", out)
        result = ezdxf.readfile(out)
        block = result.blocks.get("Part-7")
        self.assertIsNotNone(block)
        self.assertEqual(sorted(e.dxftype() for e in block), ["CIRCLE", "LINE"])
        self.assertEqual(tuple(block.block.dxf.base_point)[:2], (1, 1))
        self.assertEqual(result.layers.get("Edges").color, 3)
        refs = result.modelspace().query("INSERT")
        self.assertEqual(len(refs), 2)  # the second INSERT reuses the block
        self.assertEqual((refs[0].dxf.xscale, refs[0].dxf.yscale, refs[0].dxf.rotation), (2, 3, 90))
        self.assertEqual(tuple(refs[0].dxf.insert)[:2], (100, 50))
        out_text = self.output("INSERT " + self.path("missing.dxf") + "\n")
        self.assertIn("not found", out_text)

    def test_message_box_and_file_dialog_take_script_answers(self):
        out = self.output("HELLOASK\n;@msgbox no\n;@file \"" + self.path("report") + "\"\nHELLOASK\n",
                          "--load", MODULE)
        self.assertIn("[curvix] Continue?", out)
        self.assertIn("answer no", out)
        self.assertIn("file " + self.path("report.xls"), out)
        # The second time nothing answers: the first button, and a cancelled dialog.
        self.assertIn("answer yes", out)
        self.assertIn("no file", out)

    def test_pixels_map_to_the_world_as_the_picture_shows_them(self):
        self.output("", "--size", "200x150")  # writes the host's settings with their defaults
        with open(self.registry, encoding="utf-8") as f:
            reg = f.read()
        self.assertIn('"Background"=dword:00000000', reg)
        with open(self.registry, "w", encoding="utf-8") as f:
            f.write(reg.replace('"Background"=dword:00000000', '"Background"=dword:00ff0000'))
        png = self.path("view.png")
        out = self.output("ZOOM C 50,50 15\nCOLOR 1\nLINE 40,52.05 60,52.05 \nHELLOW2P 50,52.05\n"
                          "HELLOPIX 100 54\nPNGOUT " + png + " \n", "--size", "200x150", "--load", MODULE)
        self.assertIn("pixel 100 54", out)
        self.assertIn("world 50.050000 52.050000", out)
        w, h, rows = read_png(png)
        self.assertEqual((w, h), (200, 150))
        self.assertEqual(rows[0][0], (0, 0, 255))  # the background colour of the host's profile (BBGGRR)
        lit = [y for y in range(h) if rows[y][100] != (0, 0, 255)]
        self.assertEqual(lit, [54])


if __name__ == "__main__":
    unittest.main()
