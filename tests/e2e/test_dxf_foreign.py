"""Drawings written by another program (ezdxf) in several versions, opened in curvix, changed a little and saved:
what the host does not model comes back unchanged, extended data and dictionaries survive, the audit passes."""
import unittest

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode

from curvix_run import CurvixRun
from dxf_e2e import audit_problems, entity_counts, entity_handles, run

CHINESE_LAYER = "图层一"
XDATA = [(1000, "curvix test"), (1040, 2.5), (1070, 7), (1010, (1.0, 2.0, 3.0))]


def build(version, path):
    """A drawing of every kind ezdxf can write in the version, with the host's unmodelled kinds among them."""
    doc = ezdxf.new(version, setup=True)
    doc.layers.add(CHINESE_LAYER, color=3)
    doc.appids.add("CVXTEST")
    msp = doc.modelspace()
    line = msp.add_line((0, 0), (10, 5), dxfattribs={"layer": CHINESE_LAYER})
    line.set_xdata("CVXTEST", XDATA)
    circle = msp.add_circle((5, 5), 3)
    msp.add_arc((0, 0), 4, 10, 200)
    msp.add_point((1, 2, 3))
    msp.add_text("plain text", dxfattribs={"insert": (0, -5), "height": 2})
    msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)])
    msp.add_3dface([(0, 0, 0), (1, 0, 1), (1, 1, 2), (0, 1, 1)])
    msp.add_polyline2d([(0, 0), (5, 0), (5, 5)], close=True)
    msp.add_polyline3d([(0, 0, 0), (1, 2, 3), (4, 5, 6)])
    block = doc.blocks.new("Tag")
    block.add_circle((0, 0), 1)
    block.add_attdef("NUM", (0, 0), dxfattribs={"height": 0.5})
    ref = msp.add_blockref("Tag", (20, 20), dxfattribs={"xscale": 2, "rotation": 30})
    ref.add_auto_attribs({"NUM": "42"})
    dim = msp.add_linear_dim(base=(0, 10), p1=(0, 0), p2=(10, 0))
    dim.render()
    if version != "R12":
        circle.new_extension_dict()
        xrec = circle.get_extension_dict().add_xrecord("CVX_NOTE")
        xrec.reset([(1, "on the circle"), (40, 1.5)])
        msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (3, 0, 1, 1, 0), (3, 3)], format="xyseb")
        msp.add_ellipse((0, 0), (6, 0), 0.5)
        msp.add_spline([(0, 0), (2, 3), (4, 0), (6, 3)])
        msp.add_mtext("中文 and latin", dxfattribs={"insert": (0, -10)})
        hatch = msp.add_hatch(color=2)
        hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)])
        msp.add_xline((0, 0), (1, 1))
        msp.add_ray((0, 0), (1, 0))
        msp.add_leader([(0, 0), (5, 5), (8, 5)])
        store = doc.rootdict.add_new_dict("CVX_STORE")
        xrec = store.add_xrecord("ENTRY")
        xrec.reset([(1, "kept"), (70, 3), (10, (1, 2, 3))])
    doc.saveas(path)


class WrittenElsewhere(CurvixRun):
    def roundtrip(self, version):
        source = self.path(f"{version}.dxf")
        saved = self.path(f"{version}-saved.dxf")
        build(version, source)
        r = run("LINE 100,100 110,110\n\n", "-o", saved, drawing=source)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        return ezdxf.readfile(source), ezdxf.readfile(saved), saved

    def check_version(self, version):
        before, after, saved = self.roundtrip(version)
        self.assertEqual(audit_problems(saved), [])
        expected = entity_counts(before)
        expected["LINE"] += 1
        self.assertEqual(entity_counts(after), expected)
        kept, now = entity_handles(before), entity_handles(after)
        self.assertEqual(len(now - kept), 1, "every entity keeps its handle; the new line gets a new one")
        self.assertLessEqual(kept, now)
        layer_names = {decode_dxf_unicode(l.dxf.name) for l in after.layers}
        self.assertIn(CHINESE_LAYER, layer_names)
        msp = after.modelspace()
        line = msp.query("LINE")[0]
        self.assertEqual(decode_dxf_unicode(line.dxf.layer), CHINESE_LAYER)
        self.assertEqual(list(line.get_xdata("CVXTEST")), XDATA)
        (ref,) = msp.query("INSERT")
        self.assertEqual((ref.dxf.name, ref.dxf.xscale, ref.dxf.rotation), ("Tag", 2, 30))
        self.assertEqual([(a.dxf.tag, a.dxf.text) for a in ref.attribs], [("NUM", "42")])
        (dim,) = msp.query("DIMENSION")
        self.assertAlmostEqual(dim.get_measurement(), 10)
        self.assertEqual(len(after.blocks.get(dim.dxf.geometry)), len(before.blocks.get(dim.dxf.geometry)))
        face = msp.query("3DFACE")[0]
        self.assertEqual([tuple(face.dxf.get(f"vtx{i}")) for i in range(4)],
                         [(0, 0, 0), (1, 0, 1), (1, 1, 2), (0, 1, 1)])
        return before, after

    def check_dictionaries(self, after):
        circle = after.modelspace().query("CIRCLE")[0]
        self.assertTrue(circle.has_extension_dict)
        note = circle.get_extension_dict()["CVX_NOTE"]
        self.assertEqual(list(note.tags), [(1, "on the circle"), (40, 1.5)])
        entry = after.rootdict["CVX_STORE"]["ENTRY"]
        self.assertEqual(entry.dxftype(), "XRECORD")
        self.assertEqual([tuple(t) if t.code != 10 else (10, tuple(t.value)) for t in entry.tags],
                         [(1, "kept"), (70, 3), (10, (1, 2, 3))])
        mtext = after.modelspace().query("MTEXT")[0]
        self.assertEqual(decode_dxf_unicode(mtext.text), "中文 and latin")

    def test_r12(self):
        self.check_version("R12")

    def test_r2000(self):
        _, after = self.check_version("R2000")
        self.check_dictionaries(after)

    def test_r2010(self):
        _, after = self.check_version("R2010")
        self.check_dictionaries(after)

    def test_r2018(self):
        _, after = self.check_version("R2018")
        self.check_dictionaries(after)


if __name__ == "__main__":
    unittest.main(verbosity=2)
