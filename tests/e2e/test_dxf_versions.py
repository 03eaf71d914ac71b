"""Every file version the writer offers: a drawing made by another program, saved by curvix in each version,
reopens in ezdxf audit-clean with every entity, layer and colour; SAVE keeps the version the drawing was read
in and SAVEAS can change it; LibreCAD's converter reads every version when it is installed."""
import os
import shutil
import subprocess
import unittest

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode

from curvix_run import CurvixRun
from dxf_e2e import audit_problems, entity_counts

VERSIONS = {"2000": "AC1015", "2004": "AC1018", "2007": "AC1021", "2010": "AC1024", "2013": "AC1027",
            "2018": "AC1032"}
LAYER = "图层 café"


def build(path, version="R2018"):
    doc = ezdxf.new(version, setup=True)
    doc.layers.add(LAYER, color=3)
    msp = doc.modelspace()
    msp.add_line((0, 0), (10, 5), dxfattribs={"layer": LAYER, "color": 1})
    msp.add_circle((5, 5), 3, dxfattribs={"true_color": 0x3366CC})
    msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (3, 0, 1, 1, 0), (3, 3)], format="xyseb", close=True)
    msp.add_spline(fit_points=[(0, 0), (2, 3), (4, 0), (6, 3)])
    msp.add_mtext("中文 {\\C1;red} \\S1/2;", dxfattribs={"insert": (0, -10), "char_height": 2})
    msp.add_text("%%c20", dxfattribs={"insert": (0, -15), "height": 2, "layer": LAYER})
    hatch = msp.add_hatch(color=2)
    hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)])
    block = doc.blocks.new("Tag")
    block.add_circle((0, 0), 1)
    msp.add_blockref("Tag", (20, 20))
    doc.saveas(path)


def properties(doc):
    """(type, layer, colour) of every model-space entity, in order: the true colour where there is one (the
    index colour written beside it for older readers is the nearest one, not compared)."""
    return [(e.dxftype(), decode_dxf_unicode(e.dxf.layer),
             "rgb %06X" % e.dxf.true_color if e.dxf.hasattr("true_color") else e.dxf.color)
            for e in doc.modelspace()]


class Versions(CurvixRun):
    module = None

    def test_every_version_reopens_audit_clean_with_everything_kept(self):
        source = self.path("来源.dxf")
        build(source)
        before = ezdxf.readfile(source)
        for year, ac in VERSIONS.items():
            with self.subTest(version=year):
                saved = self.path(f"保存 {year}.dxf")
                self.output("", "-o", saved, "--dxf-version", year, drawing=source)
                after = ezdxf.readfile(saved)
                self.assertEqual(after.dxfversion, ac)
                self.assertEqual(audit_problems(saved), [])
                self.assertEqual(entity_counts(after), entity_counts(before))
                self.assertEqual(properties(after), properties(before))
                self.assertIn(LAYER, {decode_dxf_unicode(l.dxf.name) for l in after.layers})

    def test_save_keeps_the_version_read_and_saveas_changes_it(self):
        drawing = self.path("图纸.dxf")
        build(drawing, "R2013")
        self.output("LINE 0,0 1,1\n\nSAVE\n", drawing=drawing)
        self.assertEqual(ezdxf.readfile(drawing).dxfversion, "AC1027")
        other = self.path("另存.dxf")
        printed = self.output(f"SAVEAS\nV\n2004\n{other}\nLINE 2,2 3,3\n\nSAVE\n", drawing=drawing)
        self.assertIn("(2004)", printed)
        self.assertEqual(ezdxf.readfile(other).dxfversion, "AC1018")
        self.assertEqual(len(ezdxf.readfile(other).modelspace().query("LINE")), 3, "SAVE went to the new file")
        self.assertEqual(ezdxf.readfile(drawing).dxfversion, "AC1027")
        old = self.path("r12.dxf")
        doc = ezdxf.new("R12")
        doc.modelspace().add_line((0, 0), (1, 1))
        doc.saveas(old)
        r = self.run_curvix("", "-o", self.path("r12-saved.dxf"), drawing=old)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(r.stderr.count("written in the 2000 format"), 1, r.stderr)
        self.assertEqual(ezdxf.readfile(self.path("r12-saved.dxf")).dxfversion, "AC1015")
        r = self.run_curvix("", "-o", self.path("x.dxf"), "--dxf-version", "R14", drawing=drawing)
        self.assertEqual(r.returncode, 2)
        self.assertIn("--dxf-version takes", r.stderr)

    @unittest.skipUnless(shutil.which("librecad"), "LibreCAD is not installed")
    def test_librecad_converts_every_version(self):
        source = self.path("source.dxf")
        build(source)
        for year in VERSIONS:
            with self.subTest(version=year):
                saved = self.path(f"v{year}.dxf")
                self.output("", "-o", saved, "--dxf-version", year, drawing=source)
                r = subprocess.run(["librecad", "dxf2pdf", "-o", self.path(f"v{year}.pdf"), saved],
                                   capture_output=True, text=True, timeout=120, cwd=self.dir.name,
                                   env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
                self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
                self.assertTrue(os.path.getsize(self.path(f"v{year}.pdf")) > 1000, r.stdout + r.stderr)
                said = (r.stdout + r.stderr).lower()
                self.assertFalse(any(w in said for w in ("error", "warning", "fail", "cannot")), said)


if __name__ == "__main__":
    unittest.main(verbosity=2)
